#include "app/display/widgets/AScanWidget.h"

#include "app/display/AScanColours.h"
#include "app/display/CursorReadout.h"
#include "app/display/PictureRender.h"
#include "app/display/QPainterCanvas.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace tovu::display {

AScanWidget::AScanWidget(AScanDisplay& display, QWidget* parent)
    : QWidget(parent), display_(display), cursorText_(new QLineEdit(this))
{
    setMouseTracking(true);
    setAcceptDrops(true);
    setMinimumSize(kLogicalWidth, kLogicalHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    cursorText_->setReadOnly(true);
    cursorText_->setFrame(false);
    cursorText_->setFocusPolicy(Qt::NoFocus);
    cursorText_->setGeometry(2, 2, 250, 20);
    cursorText_->hide();
    connect(&display_, &AScanDisplay::pictureChanged, this, qOverload<>(&QWidget::update));
}

void AScanWidget::setShownItemSource(std::function<std::optional<int>()> source)
{
    shown_ = std::move(source);
}

void AScanWidget::hideCursor()
{
    crossVisible_ = false;
    cursorText_->hide();
    update();
}

const items::DFDRecord& AScanWidget::shownItem() const
{
    const auto& items = display_.store().WorkItems;
    int index = 0;
    if (!display_.store().LiveSettingsShown && shown_) {
        if (const auto s = shown_())
            index = *s;
    }
    if (index < 0 || index >= static_cast<int>(items.size()))
        index = 0;
    return items.at(index);
}

void AScanWidget::Picture1_MouseMove(int x, int y)
{
    if (display_.store().WorkItems.empty())
        return;
    QPalette pal = cursorText_->palette();
    pal.setColor(QPalette::Text, qColour(readColours(display_.settings())[ColourRole::MainWave]));
    cursorText_->setPalette(pal);
    cross_ = QPoint(x, y);
    crossVisible_ = true;
    update();
    const CursorReadout r = cursorReadout(shownItem(), x, y, width(), height(), display_.strings(),
                                          display_.decimalSeparator);
    if (!r.show)
        return;
    cursorText_->show();
    if (r.text)
        cursorText_->setText(*r.text);
}

void AScanWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintDrawing(display_.drawing(), painter, QRectF(rect()));
    if (crossVisible_) {
        painter.setPen(QPen(QColor(0, 0, 255), 2));
        painter.drawLine(0, cross_.y(), width(), cross_.y());
        painter.drawLine(cross_.x(), 0, cross_.x(), height());
    }
}

void AScanWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    Picture1_MouseMove(p.x(), p.y());
}

void AScanWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        emit popUpMenuRequested(event->globalPosition().toPoint());
}

void AScanWidget::dragEnterEvent(QDragEnterEvent* event)
{
    event->acceptProposedAction();
    emit dragOverPicture(0);
}

void AScanWidget::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
    emit dragOverPicture(2);
}

void AScanWidget::dragLeaveEvent(QDragLeaveEvent*)
{
    emit dragOverPicture(1);
}

void AScanWidget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    hideCursor();
}

void AScanWidget::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    emit droppedOnPicture(event->mimeData());
}

} // namespace tovu::display
