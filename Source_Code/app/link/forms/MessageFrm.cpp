#include "app/link/forms/MessageFrm.h"

#include "app/link/forms/FormPlacement.h"

#include <QLabel>
#include <QScreen>
#include <algorithm>
#include <QVBoxLayout>

namespace tovu::link {

MessageFrm::MessageFrm(const items::StringSource& strings, QWidget* parent) : QDialog(parent), label_(new QLabel)
{
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    label_->setAlignment(Qt::AlignCenter);
    label_->setMinimumWidth(kLeastWidth);
    layout->addWidget(label_);
    setWindowTitle(strings.GetResString(130));
    adjustSize();
    centreOnScreen(*this);
}

void MessageFrm::setMessage(const QString& text) { label_->setText(text); }

// Each message gets the width it needs, within the screen; one wider than the screen
// wraps instead of running past the window's edges.
void MessageFrm::fitMessage()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QMargins margins = layout()->contentsMargins();
    // What the window's frame may take besides the layout's margins.
    constexpr int kFrameAllowance = 16;
    const int room = screen ? screen->availableGeometry().width() - margins.left() - margins.right() - kFrameAllowance : 640;
    const int needed = label_->fontMetrics().horizontalAdvance(label_->text()) + 8;
    label_->setWordWrap(needed > room);
    label_->setFixedWidth(std::max(std::min(needed, room), std::min(kLeastWidth, room)));
    adjustSize();
}

void MessageFrm::showModeless()
{
    fitMessage();
    show();
    centreOnScreen(*this);
}

} // namespace tovu::link
