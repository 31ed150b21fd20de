#pragma once
// The small drawing surface the A-scan painter and text layer draw on, in the GDI manner
// of the picture's 255 x 245 logical space: lines exclude their end point (a segment of
// no length paints nothing), a pixel is one device pixel, pens and fonts are selected
// and restored in nested scopes, text is placed by its top edge and an alignment.
// Backends: Drawing (records and replays), QPainterCanvas (screen, image, printer,
// SVG) and EmfCanvas (the picture file).

#include <QString>
#include <cstdint>
#include <vector>

namespace tovu::display {

using Rgb = std::uint32_t;  // 24-bit colour, red in the low byte (as stored)

constexpr int kLogicalWidth = 255;
constexpr int kLogicalHeight = 245;

// Text alignment values as the picture uses them; the top of the text is at y.
enum TextAlign : int { AlignLeft = 0, AlignRight = 2, AlignCentre = 6 };

struct CanvasPen {
    int width = 1;
    Rgb colour = 0;
    bool operator==(const CanvasPen&) const = default;
};

struct CanvasFont {
    QString face;
    int height = 0;  // cell height in logical units
    int width = 0;   // average character width in logical units
    int weight = 400;
    int charSet = 0;
    bool operator==(const CanvasFont&) const = default;
};

struct LogicalPoint {
    int x = 0;
    int y = 0;
    bool operator==(const LogicalPoint&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // A pen or font in force until the matching pop, which restores the one before.
    // Without any pushed pen the stock black pen (one pixel wide) draws.
    virtual void pushPen(const CanvasPen& pen) = 0;
    virtual void popPen() = 0;
    virtual void pushFont(const CanvasFont& font) = 0;
    virtual void popFont() = 0;
    virtual void setTextColour(Rgb colour) = 0;
    virtual void setTextAlign(int align) = 0;

    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual void setPixel(int x, int y, Rgb colour) = 0;
    // Outline in the current pen, filled white; right and bottom edges excluded.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void textOut(int x, int y, const QString& text) = 0;
    // A filled polygon in one colour, no outline.
    virtual void fillPolygon(const std::vector<LogicalPoint>& points, Rgb colour) = 0;

    // One symbol glyph (the symbol font's codes 224, 226 and 230: arrows right, down and
    // down-right) placed like text of the current alignment and colour. Drawn as a small
    // vector arrow, so it looks the same without the symbol font on every output.
    virtual void symbolOut(int x, int y, int code);

protected:
    // What symbolOut needs of the state; backends report it.
    virtual int currentTextAlign() const = 0;
    virtual Rgb currentTextColour() const = 0;
};

// Width and height of a symbol cell, in logical units (the symbol font is 9 x 18).
constexpr int kSymbolWidth = 9;
constexpr int kSymbolHeight = 18;

// The outline of a symbol's arrow with its cell's left top at (left, top); empty for a
// code that has no arrow.
std::vector<LogicalPoint> symbolOutline(int code, int left, int top);

} // namespace tovu::display
