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
constexpr int kButtonPitchTwips = 960;
constexpr int kSmallestButton = 32;  // pixels: the frame shrinks its buttons down to this

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
        buttons_[i] = button;
    }
    layOutButtons();
    setReportButtonsEnabled(false);
    applyCaptions(strings);
}

// The buttons stand at their design places while the frame is wide enough; in a narrower
// frame they shrink in step so that all five stay inside it.
void ReportFrame::layOutButtons()
{
    const int margin = kButtonLeftTwips[0] / kTwipsPerPixel;
    const int designPitch = kButtonPitchTwips / kTwipsPerPixel;
    const int designSide = kButtonTwips / kTwipsPerPixel;
    const int room = width() - 2 * margin;
    const int pitch = std::max(kSmallestButton + 2, std::min(designPitch, (room + designPitch - designSide) / 5));
    const int side = std::min(designSide, pitch - (designPitch - designSide) * pitch / designPitch);
    const int top = std::min(kButtonTopTwips / kTwipsPerPixel, std::max(0, height() - side - 4));
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->setGeometry(margin + static_cast<int>(i) * pitch, top, side, side);
        buttons_[i]->setIconSize(QSize(side * 2 / 3, side * 2 / 3));
    }
}

QSize ReportFrame::minimumSizeHint() const
{
    const int margin = kButtonLeftTwips[0] / kTwipsPerPixel;
    return {2 * margin + 5 * (kSmallestButton + 2), kFrameHeightTwips / kTwipsPerPixel};
}

void ReportFrame::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    layOutButtons();
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
