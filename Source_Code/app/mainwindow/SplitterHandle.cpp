#include "app/mainwindow/SplitterHandle.h"

#include "app/mainwindow/frmmain.h"

#include <QMouseEvent>

namespace tovu::mainwindow {

namespace {

int twipsX(const QMouseEvent* e)
{
    return static_cast<int>(e->position().x()) * kTwipsPerPixel;
}

void call(const std::function<void(int)>& f, const QMouseEvent* e)
{
    if (f)
        f(twipsX(e));
}

} // namespace

SplitterHandle::SplitterHandle(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imgSplitter"));
    setCursor(Qt::SplitHCursor);
}

void SplitterHandle::mousePressEvent(QMouseEvent* e)
{
    call(onMouseDown, e);
}

void SplitterHandle::mouseMoveEvent(QMouseEvent* e)
{
    call(onMouseMove, e);
}

void SplitterHandle::mouseReleaseEvent(QMouseEvent* e)
{
    call(onMouseUp, e);
}

} // namespace tovu::mainwindow
