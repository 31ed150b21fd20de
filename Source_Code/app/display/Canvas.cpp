#include "app/display/Canvas.h"

namespace tovu::display {

std::vector<LogicalPoint> symbolOutline(int code, int left, int top)
{
    // Cell-relative outlines, drawn to sit on the text line like the glyphs they replace.
    static const std::vector<LogicalPoint> right = {{0, 8}, {5, 8}, {5, 5}, {9, 10}, {5, 15}, {5, 12}, {0, 12}};
    static const std::vector<LogicalPoint> down = {{3, 3}, {6, 3}, {6, 10}, {9, 10}, {4, 16}, {0, 10}, {3, 10}};
    static const std::vector<LogicalPoint> downRight = {{1, 4}, {6, 9}, {8, 7}, {8, 14}, {1, 14}, {4, 11}, {-1, 6}};
    const std::vector<LogicalPoint>* shape = nullptr;
    switch (code) {
    case 224: shape = &right; break;
    case 226: shape = &down; break;
    case 230: shape = &downRight; break;
    default: return {};
    }
    std::vector<LogicalPoint> out;
    out.reserve(shape->size());
    for (const auto& p : *shape)
        out.push_back({left + p.x, top + p.y});
    return out;
}

void Canvas::symbolOut(int x, int y, int code)
{
    int left = x;
    if (currentTextAlign() == AlignRight)
        left = x - kSymbolWidth;
    else if (currentTextAlign() == AlignCentre)
        left = x - kSymbolWidth / 2;
    const auto outline = symbolOutline(code, left, y);
    if (!outline.empty())
        fillPolygon(outline, currentTextColour());
}

} // namespace tovu::display
