#include "app/display/PictureRender.h"

#include "app/display/QPainterCanvas.h"

#include <QBuffer>
#include <QSvgGenerator>

namespace tovu::display {

void paintDrawing(const Drawing& drawing, QPainter& painter, const QRectF& target)
{
    painter.fillRect(target, Qt::white);
    QPainterCanvas canvas(painter, target);
    drawing.replay(canvas);
}

QImage renderImage(const Drawing& drawing, QSize size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintDrawing(drawing, painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    painter.end();
    return image;
}

QByteArray renderPng(const Drawing& drawing, QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    renderImage(drawing, size).save(&buffer, "PNG");
    return bytes;
}

QByteArray renderSvg(const Drawing& drawing, QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("A-scan"));
    QPainter painter(&svg);
    paintDrawing(drawing, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return bytes;
}

} // namespace tovu::display
