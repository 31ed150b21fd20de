#include "app/display/QPainterCanvas.h"

#include "app/display/FontFaces.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <cmath>
#include <cstdlib>

namespace tovu::display {

QColor qColour(Rgb c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QPainterCanvas::QPainterCanvas(QPainter& painter, const QRectF& target)
    : p_(painter), target_(target), sx_(target.width() / kLogicalWidth), sy_(target.height() / kLogicalHeight)
{
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setBackgroundMode(Qt::TransparentMode);
}

double QPainterCanvas::deviceWidth(int width) const
{
    // Width 0 is one device pixel; other widths are logical units and scale.
    return width <= 0 ? 1.0 : std::max(1.0, width * std::min(sx_, sy_));
}

void QPainterCanvas::pushPen(const CanvasPen& pen) { pens_.push_back(pen); }

void QPainterCanvas::popPen()
{
    if (!pens_.empty())
        pens_.pop_back();
}

void QPainterCanvas::pushFont(const CanvasFont& font) { fonts_.push_back(qtFont(font)); }

void QPainterCanvas::popFont()
{
    if (!fonts_.empty())
        fonts_.pop_back();
}

void QPainterCanvas::setTextColour(Rgb colour) { textColour_ = colour & 0xFFFFFF; }
void QPainterCanvas::setTextAlign(int align) { align_ = align; }

void QPainterCanvas::moveTo(int x, int y) { at_ = {x, y}; }

void QPainterCanvas::lineTo(int x, int y)
{
    const LogicalPoint from = at_;
    at_ = {x, y};
    const int dx = x - from.x, dy = y - from.y;
    if (dx == 0 && dy == 0)
        return;  // a segment of no length paints nothing
    // Pixel centres, pulled back by half a step along the line: with flat caps the
    // stroke then covers the start pixel and stops before the end pixel.
    const double major = std::max(std::abs(dx), std::abs(dy));
    const double hx = 0.5 * dx / major, hy = 0.5 * dy / major;
    const QPointF a(target_.left() + (from.x + 0.5 - hx) * sx_, target_.top() + (from.y + 0.5 - hy) * sy_);
    const QPointF b(target_.left() + (x + 0.5 - hx) * sx_, target_.top() + (y + 0.5 - hy) * sy_);
    QPen qpen(qColour(pen().colour), deviceWidth(pen().width), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p_.setPen(qpen);
    p_.drawLine(a, b);
}

void QPainterCanvas::setPixel(int x, int y, Rgb colour)
{
    const int px = static_cast<int>(std::floor(target_.left() + (x + 0.5) * sx_));
    const int py = static_cast<int>(std::floor(target_.top() + (y + 0.5) * sy_));
    p_.fillRect(QRect(px, py, 1, 1), qColour(colour));
}

void QPainterCanvas::rectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    const QRectF outer(target_.left() + left * sx_, target_.top() + top * sy_, (right - left) * sx_,
                       (bottom - top) * sy_);
    const double w = deviceWidth(pen().width);
    p_.fillRect(outer, qColour(pen().colour));
    const QRectF inner = outer.adjusted(w, w, -w, -w);
    if (inner.width() > 0 && inner.height() > 0)
        p_.fillRect(inner, Qt::white);
}

void QPainterCanvas::textOut(int x, int y, const QString& text)
{
    if (text.isEmpty())
        return;
    const QFont font = fonts_.empty() ? qtFont(CanvasFont{QStringLiteral("Arial"), 16, 0, 400, 0}) : fonts_.back();
    const QFontMetricsF metrics(font);
    const double advance = metrics.horizontalAdvance(text);
    double left = x;
    if (align_ == AlignRight)
        left = x - advance;
    else if (align_ == AlignCentre)
        left = x - advance / 2;
    p_.save();
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    p_.translate(target_.topLeft());
    p_.scale(sx_, sy_);
    p_.setFont(font);
    p_.setPen(qColour(textColour_));
    p_.drawText(QPointF(left, y + metrics.ascent()), text);
    p_.restore();
}

void QPainterCanvas::fillPolygon(const std::vector<LogicalPoint>& points, Rgb colour)
{
    QPolygonF poly;
    for (const auto& pt : points)
        poly << QPointF(target_.left() + pt.x * sx_, target_.top() + pt.y * sy_);
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setPen(Qt::NoPen);
    p_.setBrush(qColour(colour));
    p_.drawPolygon(poly);
    p_.restore();
}

} // namespace tovu::display
