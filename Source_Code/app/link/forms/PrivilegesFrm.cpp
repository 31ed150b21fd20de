#include "app/link/forms/PrivilegesFrm.h"

#include "app/link/forms/FormPlacement.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tovu::link {

namespace {

constexpr int kWindowCaption = 582;
constexpr int kPanelTitle = 150;
constexpr int kALogTitle = 151;
constexpr int kFullAccessText = 583;
constexpr int kRestrictedText = 584;
constexpr int kSupervisorText = 585;
constexpr int kOperatorText = 586;
constexpr int kApplyText = 587;
constexpr int kLabelsPerRow = 20;

void paintValue(QLabel* l, int value)
{
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF));
    l->setPalette(p);
}

ClickLabel* locationLabel(const QString& caption)
{
    auto* l = new ClickLabel(caption);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Box);
    l->setFixedSize(30, 17);
    l->setAutoFillBackground(true);
    return l;
}

constexpr int kWhite = 0xFFFFFF;

} // namespace

void ClickLabel::mousePressEvent(QMouseEvent* e)
{
    QLabel::mousePressEvent(e);
    emit clicked();
}

int PrivilegesFrm::colourValue(const QLabel* label)
{
    const QColor c = label->palette().color(QPalette::Window);
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

PrivilegesFrm::PrivilegesFrm(const items::StringSource& strings, PrivilegesState& state, std::function<bool()> apply,
                             QWidget* parent)
    : QDialog(parent), state_(state), applyWork_(std::move(apply))
{
    setWindowTitle(strings.GetResString(kWindowCaption));
    auto* layout = new QVBoxLayout(this);
    alogTitle_ = new QLabel(strings.GetResString(kALogTitle));
    panelTitle_ = new QLabel(strings.GetResString(kPanelTitle));

    layout->addWidget(panelTitle_);
    auto* panelRow = new QHBoxLayout;
    for (int i = 0; i <= kPrivilegePanelLabels; ++i) {
        panel_[static_cast<std::size_t>(i)] = locationLabel(i == 0 ? QStringLiteral("0") : QString());
        panelRow->addWidget(panel_[static_cast<std::size_t>(i)]);
        connect(panel_[static_cast<std::size_t>(i)], &ClickLabel::clicked, this, [this, i] { PanelLbl_Click(i); });
    }
    layout->addLayout(panelRow);

    layout->addWidget(alogTitle_);
    auto* grid = new QGridLayout;
    for (int i = 0; i <= kPrivilegeALogLabels; ++i) {
        alog_[static_cast<std::size_t>(i)] = locationLabel(i == 0 ? QStringLiteral("0") : QString());
        const int row = i == 0 ? 0 : (i - 1) / kLabelsPerRow;
        const int col = i == 0 ? 0 : (i - 1) % kLabelsPerRow + 1;
        grid->addWidget(alog_[static_cast<std::size_t>(i)], row, col);
        connect(alog_[static_cast<std::size_t>(i)], &ClickLabel::clicked, this, [this, i] { AlogLbl_Click(i); });
    }
    layout->addLayout(grid);

    // Legend: the swatches are no locations and take no clicks.
    auto* legendRow = new QHBoxLayout;
    alog_[101] = locationLabel({});
    alog_[102] = locationLabel({});
    paintValue(alog_[101], kFullAccessColour);
    paintValue(alog_[102], kRestrictedColour);
    legend_[0] = new QLabel(strings.GetResString(kRestrictedText));
    legend_[1] = new QLabel(strings.GetResString(kFullAccessText));
    legendRow->addWidget(alog_[102]);
    legendRow->addWidget(legend_[0]);
    legendRow->addWidget(alog_[101]);
    legendRow->addWidget(legend_[1]);
    legendRow->addStretch();
    layout->addLayout(legendRow);

    auto* optionRow = new QHBoxLayout;
    options_[0] = new QRadioButton(strings.GetResString(kSupervisorText));
    options_[1] = new QRadioButton(strings.GetResString(kOperatorText));
    for (int i = 0; i < 2; ++i) {
        optionRow->addWidget(options_[static_cast<std::size_t>(i)]);
        connect(options_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, i] { OptionPrivilege_Click(i); });
    }
    layout->addLayout(optionRow);

    auto* buttons = new QHBoxLayout;
    apply_ = new QPushButton(strings.GetResString(kApplyText));
    ok_ = new QPushButton(QStringLiteral("OK"));
    buttons->addStretch();
    buttons->addWidget(apply_);
    buttons->addWidget(ok_);
    layout->addLayout(buttons);
    connect(apply_, &QPushButton::clicked, this, &PrivilegesFrm::ApplyButton_Click);
    connect(ok_, &QPushButton::clicked, this, &PrivilegesFrm::OKButton_Click);

    // Form_Load: captions 1..count of the labels the window holds, then the colours.
    for (int i = 1; i <= kPrivilegePanelLabels; ++i) {
        panel_[static_cast<std::size_t>(i)]->setText(QString::number(i));
        panel_[static_cast<std::size_t>(i)]->setVisible(i <= state_.panelLabels());
    }
    for (int i = 1; i <= kPrivilegeALogLabels; ++i) {
        alog_[static_cast<std::size_t>(i)]->setText(QString::number(i));
        alog_[static_cast<std::size_t>(i)]->setVisible(i <= state_.alogLabels());
    }
    paintValue(panel_[0], kWhite);
    paintValue(alog_[0], kWhite);
    refresh();
    centreOnScreen(*this);
}

void PrivilegesFrm::refresh()
{
    for (int i = 1; i <= state_.panelLabels(); ++i)
        paintValue(panel_[static_cast<std::size_t>(i)], state_.panelColour(i));
    for (int i = 1; i <= state_.alogLabels(); ++i)
        paintValue(alog_[static_cast<std::size_t>(i)], state_.alogColour(i));
    options_[0]->setChecked(state_.selectedOption() == 0);
    options_[1]->setChecked(state_.selectedOption() == 1);
    apply_->setEnabled(state_.applyEnabled);
}

void PrivilegesFrm::PanelLbl_Click(int index)
{
    state_.PanelLbl_Click(index);
    refresh();
}

void PrivilegesFrm::AlogLbl_Click(int index)
{
    state_.AlogLbl_Click(index);
    refresh();
}

void PrivilegesFrm::OptionPrivilege_Click(int index)
{
    state_.OptionPrivilege_Click(index);
    refresh();
}

void PrivilegesFrm::ApplyButton_Click()
{
    setCursor(Qt::WaitCursor);
    if (applyWork_)
        applyWork_();
    unsetCursor();
    refresh();
}

void PrivilegesFrm::OKButton_Click() { accept(); }

} // namespace tovu::link
