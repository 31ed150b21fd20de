#include "app/link/forms/TransferForm.h"

#include "app/link/forms/FormPlacement.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace tovu::link {

namespace {

struct Legend {
    int label;  // index in PanelLbl, or -1 for AlogsLbl(0)
    SlotColour colour;
    int stringId;
};
// Left to right: Empty, Valid, Active, Conflict, Unknown.
constexpr Legend kLegend[] = {{21, SlotColour::Red, 570},
                              {-1, SlotColour::Green, 571},
                              {22, SlotColour::Yellow, 572},
                              {0, SlotColour::White, 573},
                              {23, SlotColour::Grey, 574}};

QLabel* slotLabel(const QString& caption)
{
    auto* l = new QLabel(caption);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(QFont(QStringLiteral("Arial"), 8));
    l->setFrameShape(QFrame::Box);
    l->setFixedSize(30, 17);
    l->setAutoFillBackground(true);
    TransferForm::paint(l, SlotColour::Grey);
    return l;
}

} // namespace

QColor TransferForm::colourOf(SlotColour c)
{
    const auto v = static_cast<std::uint32_t>(c);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

void TransferForm::paint(QLabel* label, SlotColour c)
{
    QPalette p = label->palette();
    p.setColor(QPalette::Window, colourOf(c));
    label->setPalette(p);
}

TransferForm::TransferForm(const items::StringSource& strings, std::function<void()> onCancel, QWidget* parent)
    : QDialog(parent), onCancel_(std::move(onCancel))
{
    setModal(false);
    auto* top = new QVBoxLayout(this);
    status_ = new QLabel;
    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    top->addWidget(status_);
    top->addWidget(progress_);

    auto* panels = new QGroupBox;
    auto* panelRow = new QGridLayout(panels);
    label2_ = new QLabel(strings.GetResString(112));
    panelRow->addWidget(label2_, 0, 0, 1, kPanelLabels);
    for (int i = 1; i <= kPanelLabels; ++i)
        panelRow->addWidget(panel_[static_cast<std::size_t>(i)] = slotLabel(QString::number(i)), 1, i - 1);
    top->addWidget(panels);

    auto* alogs = new QGroupBox;
    auto* alogGrid = new QGridLayout(alogs);
    label1_ = new QLabel(strings.GetResString(111));
    alogGrid->addWidget(label1_, 0, 0, 1, 20);
    for (int i = 1; i <= kALogLabels; ++i)
        alogGrid->addWidget(alogs_[static_cast<std::size_t>(i)] = slotLabel(QString::number(i)), 1 + (i - 1) / 20, (i - 1) % 20);
    top->addWidget(alogs);

    cancel_ = new QPushButton(strings.GetResString(515));
    connect(cancel_, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    top->addWidget(cancel_, 0, Qt::AlignHCenter);

    auto* legend = new QHBoxLayout;
    for (const Legend& l : kLegend) {
        auto* label = slotLabel(strings.GetResString(l.stringId));
        label->setFixedSize(113, 17);
        paint(label, l.colour);
        if (l.label < 0)
            alogs_[0] = label;
        else
            panel_[static_cast<std::size_t>(l.label)] = label;
        legend->addWidget(label);
    }
    top->addLayout(legend);

    setWindowTitle(strings.GetResString(518));
    adjustSize();
    centreOnScreen(*this);
    QCoreApplication::processEvents();
    progress_->setValue(0);
}

void TransferForm::CancelButton_Click()
{
    if (onCancel_)
        onCancel_();
}

void TransferForm::showModeless() { show(); }
void TransferForm::setStatusText(const QString& text) { status_->setText(text); }
void TransferForm::setProgress(int value) { progress_->setValue(value); }

QLabel* TransferForm::PanelLbl(int i) const
{
    if (i < 0 || i > 23)
        throw std::out_of_range("PanelLbl index");
    return panel_[static_cast<std::size_t>(i)];
}

QLabel* TransferForm::AlogsLbl(int i) const
{
    if (i < 0 || i > kALogLabels)
        throw std::out_of_range("AlogsLbl index");
    return alogs_[static_cast<std::size_t>(i)];
}

QLabel* TransferForm::slot(SlotRow row, int label) const
{
    const int max = row == SlotRow::Panels ? kPanelLabels : kALogLabels;
    if (label < 1 || label > max)
        throw std::out_of_range("slot label index");
    return row == SlotRow::Panels ? PanelLbl(label) : AlogsLbl(label);
}

void TransferForm::setSlotCaption(SlotRow row, int label, const QString& caption) { slot(row, label)->setText(caption); }
void TransferForm::setSlotColour(SlotRow row, int label, SlotColour colour) { paint(slot(row, label), colour); }

} // namespace tovu::link
