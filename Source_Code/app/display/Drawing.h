#pragma once
// The retained drawing: a canvas that records every call, so one drawing can be replayed
// into the screen, an image, the printer, an SVG or the picture file, and dumped as
// stable text for tests ("line 52 120", "text 240 5 \"12.5mm\"").

#include "app/display/Canvas.h"

#include <QStringList>
#include <variant>
#include <vector>

namespace tovu::display {

namespace op {
struct PushPen { CanvasPen pen; };
struct PopPen {};
struct PushFont { CanvasFont font; };
struct PopFont {};
struct TextColour { Rgb colour; };
struct Align { int align; };
struct MoveTo { int x, y; };
struct LineTo { int x, y; };
struct Pixel { int x, y; Rgb colour; };
struct Rect { int left, top, right, bottom; };
struct Text { int x, y; QString text; };
struct Symbol { int x, y, code; };
struct Polygon { std::vector<LogicalPoint> points; Rgb colour; };
} // namespace op

using DrawOp = std::variant<op::PushPen, op::PopPen, op::PushFont, op::PopFont, op::TextColour,
                            op::Align, op::MoveTo, op::LineTo, op::Pixel, op::Rect, op::Text,
                            op::Symbol, op::Polygon>;

class Drawing final : public Canvas {
public:
    void pushPen(const CanvasPen& pen) override;
    void popPen() override;
    void pushFont(const CanvasFont& font) override;
    void popFont() override;
    void setTextColour(Rgb colour) override;
    void setTextAlign(int align) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setPixel(int x, int y, Rgb colour) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, const QString& text) override;
    void fillPolygon(const std::vector<LogicalPoint>& points, Rgb colour) override;
    void symbolOut(int x, int y, int code) override;

    const std::vector<DrawOp>& ops() const { return ops_; }
    bool empty() const { return ops_.empty(); }
    void clear();

    // Plays every call into another canvas; unbalanced pushes are popped at the end.
    void replay(Canvas& target) const;

    // One line per call; colours as #rrggbb.
    QStringList dumpLines() const;
    QString dump() const { return dumpLines().join(QLatin1Char('\n')); }

protected:
    int currentTextAlign() const override { return align_; }
    Rgb currentTextColour() const override { return colour_; }

private:
    std::vector<DrawOp> ops_;
    int align_ = AlignLeft;
    Rgb colour_ = 0;
    int penDepth_ = 0;
    int fontDepth_ = 0;
};

// "#rrggbb" of a stored colour (red in the low byte).
QString colourName(Rgb colour);

} // namespace tovu::display
