#include "app/reports/PrintRender.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace tovu::reports {

void paintPrintPage(const PrintPage& page, QPainter& painter, double dotsPerMm, const PicturePainter& picture)
{
    auto at = [dotsPerMm](double mm) { return mm * dotsPerMm; };
    for (const PrintPrimitive& p : page.primitives) {
        if (const auto* t = std::get_if<PrintText>(&p)) {
            QFont font(kPrintFont);
            font.setPointSizeF(t->points);
            font.setBold(t->bold);
            painter.setFont(font);
            painter.setPen(Qt::black);
            const QFontMetricsF metrics(font, painter.device());
            painter.drawText(QPointF(at(t->x), at(t->y) + metrics.ascent()), t->text);
        } else if (const auto* f = std::get_if<PrintFrame>(&p)) {
            painter.save();
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(QPointF(at(f->left), at(f->top)), QPointF(at(f->right), at(f->bottom))));
            painter.restore();
        } else if (const auto* pic = std::get_if<PrintPicture>(&p)) {
            if (picture) {
                painter.save();
                picture(painter, QRectF(at(pic->left), at(pic->top), at(pic->width), at(pic->height)));
                painter.restore();
            }
        }
    }
}

PrintOutcome printPage(const PrintPage& page, QPagedPaintDevice& device, const PicturePainter& picture)
{
    QPainter painter;
    if (!painter.begin(&device))
        return PrintOutcome::NotOpened;
    paintPrintPage(page, painter, device.logicalDpiX() / 25.4, picture);
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::PageNotTaken;
}

double printableWidthMm(const QPagedPaintDevice& device)
{
    return device.pageLayout().paintRect(QPageLayout::Millimeter).width();
}

} // namespace tovu::reports
