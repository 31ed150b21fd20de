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
    const std::uint32_t h = writer_.createPen(pen.width, pen.colour);
    writer_.selectObject(h);
    pens_.push_back(h);
}

void EmfCanvas::popPen()
{
    if (pens_.empty())
        return;
    const std::uint32_t h = pens_.back();
    pens_.pop_back();
    writer_.selectObject(currentPen());
    writer_.deleteObject(h);
}

void EmfCanvas::pushFont(const CanvasFont& font)
{
    const std::uint32_t h = writer_.createFont(
        mf::LogFont{font.face, font.height, font.width, font.weight, static_cast<std::uint8_t>(font.charSet)});
    writer_.selectObject(h);
    fonts_.push_back(h);
    fontStack_.push_back(font);
}

void EmfCanvas::popFont()
{
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
    colour_ = colour & 0xFFFFFF;
    writer_.setTextColor(colour_);
}

void EmfCanvas::setTextAlign(int align)
{
    align_ = align;
    writer_.setTextAlign(static_cast<std::uint32_t>(align));
}

void EmfCanvas::moveTo(int x, int y) { writer_.moveTo(x, y); }
void EmfCanvas::lineTo(int x, int y) { writer_.lineTo(x, y); }
void EmfCanvas::setPixel(int x, int y, Rgb colour) { writer_.setPixel(x, y, colour); }
void EmfCanvas::rectangle(int l, int t, int r, int b) { writer_.rectangle(l, t, r, b); }

void EmfCanvas::textOut(int x, int y, const QString& text)
{
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
    while (!pens_.empty())
        popPen();
    while (!fonts_.empty())
        popFont();
    return writer_.finish();
}

} // namespace tovu::display
