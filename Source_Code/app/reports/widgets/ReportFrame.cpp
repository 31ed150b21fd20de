#include "app/reports/widgets/ReportFrame.h"

#include "app/reports/WordReport.h"
#include "app/resources/StringIds.h"

#include <QPushButton>
#include <QStyle>

namespace tovu::reports {

namespace {
constexpr int kTwipsPerPixel = 15;
constexpr int kButtonTwips = 855;
constexpr int kButtonTopTwips = 360;
constexpr int kFrameHeightTwips = 1455;
constexpr std::array<int, 5> kButtonLeftTwips{240, 1200, 2160, 3120, 4080};

namespace ids = resources::ids;

struct ButtonLook {
    const char* name;
    int tipId;
    QStyle::StandardPixmap icon;
};
constexpr std::array<ButtonLook, 5> kLooks{{
    {"Btn_WordExport", ids::ReportNew, QStyle::SP_FileDialogNewFolder},
    {"BtnExport_Current", ids::ReportAddShown, QStyle::SP_ArrowDown},
    {"BtnExportMulti", ids::ReportAddSelected, QStyle::SP_FileDialogDetailedView},
    {"Btn_SaveClose", ids::ReportSaveClose, QStyle::SP_DialogSaveButton},
    {"Btn_View_Word", ids::ReportShow, QStyle::SP_DesktopIcon},
}};
} // namespace

ReportFrame::ReportFrame(const items::StringSource& strings, QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("Frm_Export"));
    setMinimumHeight(kFrameHeightTwips / kTwipsPerPixel);
    const int side = kButtonTwips / kTwipsPerPixel;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(kLooks[i].name));
        button->setIcon(style()->standardIcon(kLooks[i].icon));
        button->setIconSize(QSize(side * 2 / 3, side * 2 / 3));
        button->setGeometry(kButtonLeftTwips[i] / kTwipsPerPixel, kButtonTopTwips / kTwipsPerPixel, side, side);
        buttons_[i] = button;
    }
    setReportButtonsEnabled(false);
    applyCaptions(strings);
}

void ReportFrame::connectReport(WordReport& report)
{
    connect(Btn_WordExport(), &QPushButton::clicked, this, [&report] { report.Btn_WordExport_Click(); });
    connect(BtnExport_Current(), &QPushButton::clicked, this, [&report] { report.BtnExport_Current_Click(); });
    connect(BtnExportMulti(), &QPushButton::clicked, this, [&report] { report.BtnExportMulti_Click(); });
    connect(Btn_SaveClose(), &QPushButton::clicked, this, [&report] { report.Btn_SaveClose_Click(); });
    connect(Btn_View_Word(), &QPushButton::clicked, this, [&report] { report.Btn_View_Word_Click(); });
}

void ReportFrame::applyCaptions(const items::StringSource& strings)
{
    setTitle(strings.GetResString(ids::ReportControls));
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setToolTip(strings.GetResString(kLooks[i].tipId));
}

void ReportFrame::setReportButtonsEnabled(bool enabled)
{
    for (std::size_t i = 1; i < buttons_.size(); ++i)
        buttons_[i]->setEnabled(enabled);
}

} // namespace tovu::reports
