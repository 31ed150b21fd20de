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

// A sheet of paper with a folded corner, the common ground of the toolbar pictures.
void sheet(QPainter& g, const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    g.setPen(QColor(70, 70, 70));
    g.setBrush(Qt::white);
    g.drawPath(path);
}

// The settings text: a clipboard holding lines of text.
QIcon copyPanel()
{
    QPixmap p = canvas(24);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QColor(90, 60, 20));
    g.setBrush(QColor(200, 150, 80));
    g.drawRoundedRect(QRectF(3.5, 2.5, 17, 20), 2, 2);
    g.setBrush(QColor(150, 150, 150));
    g.drawRect(QRectF(8.5, 1.5, 7, 3));
    sheet(g, QRectF(5.5, 5.5, 13, 15));
    g.setPen(QPen(QColor(40, 40, 160), 1.2));
    for (double y = 9; y <= 18; y += 3)
        g.drawLine(QPointF(7.5, y), QPointF(16.5, y));
    return QIcon(p);
}

// The report: a page marked with a blue W.
QIcon word()
{
    QPixmap p = canvas(24);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    sheet(g, QRectF(4.5, 1.5, 15, 21));
    g.setPen(QPen(QColor(30, 80, 170), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath w;
    w.moveTo(6.5, 8);
    w.lineTo(9, 17);
    w.lineTo(12, 10);
    w.lineTo(15, 17);
    w.lineTo(17.5, 8);
    g.setBrush(Qt::NoBrush);
    g.drawPath(w);
    return QIcon(p);
}

// The list view style: bullets, each with a line beside it.
QIcon list()
{
    QPixmap p = canvas(24);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row < 4; ++row) {
        const double y = 4.5 + row * 5;
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(30, 110, 30));
        g.drawRect(QRectF(2.5, y - 1.5, 3, 3));
        g.setPen(QPen(QColor(60, 60, 60), 1.5));
        g.drawLine(QPointF(8, y), QPointF(21, y));
    }
    return QIcon(p);
}

} // namespace

QIcon toolbarPicture(ToolbarPicture picture)
{
    switch (picture) {
    case ToolbarPicture::CopyPanel: return copyPanel();
    case ToolbarPicture::Word: return word();
    case ToolbarPicture::List: return list();
    }
    return {};
}

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
