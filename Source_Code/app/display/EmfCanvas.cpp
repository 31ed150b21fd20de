#include "app/display/EmfCanvas.h"

#include "app/display/FontFaces.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <cmath>

namespace tovu::display {

namespace mf = platform::metafile;

EmfCanvas::EmfCanvas(const mf::ReferenceDevice& device)
    : writer_(QSize(kLogicalWidth, kLogicalHeight), QString::fromLatin1(kPictureDescription), device)
{
    writer_.setMapMode(mf::MM_ANISOTROPIC);
    writer_.setWindowExt(kLogicalWidth, kLogicalHeight);
    writer_.setViewportExt(kLogicalWidth, kLogicalHeight);
    writer_.setBkMode(mf::TRANSPARENT);
    // Named explicitly so every reader starts from the same defaults.
    writer_.selectObject(mf::kStockWhiteBrush);
    writer_.selectObject(mf::kStockBlackPen);
}

std::uint32_t EmfCanvas::currentPen() const { return pens_.empty() ? mf::kStockBlackPen : pens_.back(); }

void EmfCanvas::pushPen(const CanvasPen& pen)
{
    endDots();
    const std::uint32_t h = writer_.createPen(pen.width, pen.colour);
    writer_.selectObject(h);
    pens_.push_back(h);
}

void EmfCanvas::popPen()
{
    endDots();
    if (pens_.empty())
        return;
    const std::uint32_t h = pens_.back();
    pens_.pop_back();
    writer_.selectObject(currentPen());
    writer_.deleteObject(h);
}

void EmfCanvas::pushFont(const CanvasFont& font)
{
    endDots();
    const std::uint32_t h = writer_.createFont(
        mf::LogFont{font.face, font.height, font.width, font.weight, static_cast<std::uint8_t>(font.charSet)});
    writer_.selectObject(h);
    fonts_.push_back(h);
    fontStack_.push_back(font);
}

void EmfCanvas::popFont()
{
    endDots();
    if (fonts_.empty())
        return;
    const std::uint32_t h = fonts_.back();
    fonts_.pop_back();
    fontStack_.pop_back();
    writer_.selectObject(fonts_.empty() ? mf::kStockSystemFont : fonts_.back());
    writer_.deleteObject(h);
}

void EmfCanvas::setTextColour(Rgb colour)
{
    endDots();
    colour_ = colour & 0xFFFFFF;
    writer_.setTextColor(colour_);
}

void EmfCanvas::setTextAlign(int align)
{
    endDots();
    align_ = align;
    writer_.setTextAlign(static_cast<std::uint32_t>(align));
}

void EmfCanvas::moveTo(int x, int y)
{
    endDots();
    writer_.moveTo(x, y);
}

void EmfCanvas::lineTo(int x, int y)
{
    endDots();
    writer_.lineTo(x, y);
}

// A dot is one logical unit filled, not one device pixel: players that draw a pixel
// record as a single device pixel would lose it at print resolution. The box is drawn
// with a one-pixel pen and a brush of the dot's colour, so at one device pixel per unit it
// is exactly the pixel, and larger it is filled whole. Dots in a row share one pen and brush.
void EmfCanvas::setPixel(int x, int y, Rgb colour)
{
    colour &= 0xFFFFFF;
    if (!dotBrush_ || dotColour_ != colour) {
        endDots();
        dotPen_ = writer_.createPen(0, colour);
        dotBrush_ = writer_.createBrush(colour);
        dotColour_ = colour;
        writer_.selectObject(dotPen_);
        writer_.selectObject(dotBrush_);
    }
    writer_.rectangle(x, y, x + 1, y + 1);
}

void EmfCanvas::endDots()
{
    if (!dotBrush_)
        return;
    writer_.selectObject(currentPen());
    writer_.selectObject(mf::kStockWhiteBrush);
    writer_.deleteObject(dotPen_);
    writer_.deleteObject(dotBrush_);
    dotPen_ = dotBrush_ = 0;
}

void EmfCanvas::rectangle(int l, int t, int r, int b)
{
    endDots();
    writer_.rectangle(l, t, r, b);
}

void EmfCanvas::textOut(int x, int y, const QString& text)
{
    endDots();
    // Advances from the face the text resolves to here, so readers place it the same.
    std::vector<std::int32_t> advances;
    // Font metrics need the GUI application; without one readers space the text themselves.
    if (!fontStack_.empty() && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QFontMetricsF metrics(qtFont(fontStack_.back()));
        advances.reserve(text.size());
        for (QChar c : text)
            advances.push_back(static_cast<std::int32_t>(std::lround(metrics.horizontalAdvance(c))));
    }
    writer_.textOut(x, y, text, advances);
}

void EmfCanvas::fillPolygon(const std::vector<LogicalPoint>& points, Rgb colour)
{
    endDots();
    std::vector<std::pair<int, int>> pts;
    pts.reserve(points.size());
    for (const auto& p : points)
        pts.emplace_back(p.x, p.y);
    const std::uint32_t brush = writer_.createBrush(colour);
    writer_.selectObject(brush);
    writer_.selectObject(mf::kStockNullPen);
    writer_.polygon(pts);
    writer_.selectObject(currentPen());
    writer_.selectObject(mf::kStockWhiteBrush);
    writer_.deleteObject(brush);
}

QByteArray EmfCanvas::finish()
{
    endDots();
    while (!pens_.empty())
        popPen();
    while (!fonts_.empty())
        popFont();
    return writer_.finish();
}

} // namespace tovu::display
