#include "app/mainwindow/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tovu::mainwindow {

namespace {

QPixmap canvas(int size)
{
    QPixmap p(size, size);
    p.fill(Qt::transparent);
    return p;
}

QIcon tick()
{
    QPixmap p = canvas(16);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(0, 150, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath path;
    path.moveTo(3, 8.5);
    path.lineTo(6.5, 12);
    path.lineTo(13, 4);
    g.drawPath(path);
    return QIcon(p);
}

QIcon emptySlot()
{
    QPixmap p = canvas(16);
    QPainter g(&p);
    g.setPen(QColor(150, 150, 150));
    g.drawRect(3, 3, 9, 9);
    return QIcon(p);
}

QIcon detector(const QColor& housing)
{
    QPixmap p = canvas(16);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QColor(60, 60, 60));
    g.setBrush(housing);
    g.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
    g.setBrush(QColor(20, 40, 20));
    g.drawRect(QRectF(3.5, 4.5, 6, 5));
    g.setPen(QColor(80, 255, 80));
    g.drawLine(QPointF(4, 8.5), QPointF(5.5, 5.5));
    g.drawLine(QPointF(5.5, 5.5), QPointF(7, 8.5));
    g.drawLine(QPointF(7, 8.5), QPointF(9, 8.5));
    return QIcon(p);
}

QIcon disc(const QColor& colour, bool cross)
{
    QPixmap p = canvas(32);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(colour);
    g.drawEllipse(QRectF(2, 2, 28, 28));
    g.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    if (cross) {
        g.drawLine(10, 10, 22, 22);
        g.drawLine(22, 10, 10, 22);
    } else {
        g.drawLine(16, 9, 16, 23);
        g.drawLine(9, 16, 23, 16);
    }
    return QIcon(p);
}

QIcon item(bool alog, bool occupied)
{
    QPixmap p = canvas(32);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QColor(70, 70, 70));
    g.setBrush(occupied ? QColor(255, 255, 230) : QColor(235, 235, 235));
    g.drawRect(QRectF(4.5, 2.5, 23, 27));
    g.setPen(QPen(occupied ? QColor(0, 120, 0) : QColor(170, 170, 170), 2));
    if (alog) {
        g.drawLine(QPointF(7, 24), QPointF(11, 10));
        g.drawLine(QPointF(11, 10), QPointF(15, 24));
        g.drawLine(QPointF(15, 24), QPointF(19, 18));
        g.drawLine(QPointF(19, 18), QPointF(25, 24));
    } else {
        for (int y = 8; y <= 24; y += 5)
            g.drawLine(QPointF(8, y), QPointF(24, y));
    }
    return QIcon(p);
}

} // namespace

QIcon iconResource(IconResource id)
{
    switch (id) {
    case IconResource::DropHere: return disc(QColor(0, 150, 0), false);
    case IconResource::NoDrop: return disc(QColor(200, 0, 0), true);
    case IconResource::Tick: return tick();
    case IconResource::YellowDetector: return detector(QColor(240, 200, 40));
    case IconResource::EmptySlot: return emptySlot();
    case IconResource::Detector: return detector(QColor(70, 110, 170));
    }
    return {};
}

QIcon listImage(int index)
{
    switch (index) {
    case 1: return item(true, false);
    case 2: return item(true, true);
    case 3: return item(false, false);
    case 4: return item(false, true);
    default: return {};
    }
}

} // namespace tovu::mainwindow
