#include "app/display/Drawing.h"

namespace tovu::display {

QString colourName(Rgb colour)
{
    const unsigned r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    return QStringLiteral("#%1%2%3")
        .arg(r, 2, 16, QLatin1Char('0'))
        .arg(g, 2, 16, QLatin1Char('0'))
        .arg(b, 2, 16, QLatin1Char('0'));
}

void Drawing::pushPen(const CanvasPen& pen)
{
    ++penDepth_;
    ops_.push_back(op::PushPen{pen});
}

void Drawing::popPen()
{
    if (penDepth_ == 0)
        return;
    --penDepth_;
    ops_.push_back(op::PopPen{});
}

void Drawing::pushFont(const CanvasFont& font)
{
    ++fontDepth_;
    ops_.push_back(op::PushFont{font});
}

void Drawing::popFont()
{
    if (fontDepth_ == 0)
        return;
    --fontDepth_;
    ops_.push_back(op::PopFont{});
}

void Drawing::setTextColour(Rgb colour)
{
    colour_ = colour & 0xFFFFFF;
    ops_.push_back(op::TextColour{colour_});
}

void Drawing::setTextAlign(int align)
{
    align_ = align;
    ops_.push_back(op::Align{align});
}

void Drawing::moveTo(int x, int y) { ops_.push_back(op::MoveTo{x, y}); }
void Drawing::lineTo(int x, int y) { ops_.push_back(op::LineTo{x, y}); }
void Drawing::setPixel(int x, int y, Rgb colour) { ops_.push_back(op::Pixel{x, y, colour & 0xFFFFFF}); }

void Drawing::rectangle(int left, int top, int right, int bottom)
{
    ops_.push_back(op::Rect{left, top, right, bottom});
}

void Drawing::textOut(int x, int y, const QString& text) { ops_.push_back(op::Text{x, y, text}); }

void Drawing::fillPolygon(const std::vector<LogicalPoint>& points, Rgb colour)
{
    ops_.push_back(op::Polygon{points, colour & 0xFFFFFF});
}

void Drawing::symbolOut(int x, int y, int code) { ops_.push_back(op::Symbol{x, y, code}); }

void Drawing::clear()
{
    ops_.clear();
    align_ = AlignLeft;
    colour_ = 0;
    penDepth_ = 0;
    fontDepth_ = 0;
}

namespace {
template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;
} // namespace

void Drawing::replay(Canvas& t) const
{
    int pens = 0, fonts = 0;
    for (const DrawOp& o : ops_) {
        std::visit(Overloaded{
                       [&](const op::PushPen& p) { t.pushPen(p.pen); ++pens; },
                       [&](const op::PopPen&) { t.popPen(); --pens; },
                       [&](const op::PushFont& f) { t.pushFont(f.font); ++fonts; },
                       [&](const op::PopFont&) { t.popFont(); --fonts; },
                       [&](const op::TextColour& c) { t.setTextColour(c.colour); },
                       [&](const op::Align& a) { t.setTextAlign(a.align); },
                       [&](const op::MoveTo& m) { t.moveTo(m.x, m.y); },
                       [&](const op::LineTo& l) { t.lineTo(l.x, l.y); },
                       [&](const op::Pixel& p) { t.setPixel(p.x, p.y, p.colour); },
                       [&](const op::Rect& r) { t.rectangle(r.left, r.top, r.right, r.bottom); },
                       [&](const op::Text& x) { t.textOut(x.x, x.y, x.text); },
                       [&](const op::Symbol& s) { t.symbolOut(s.x, s.y, s.code); },
                       [&](const op::Polygon& p) { t.fillPolygon(p.points, p.colour); },
                   },
                   o);
    }
    for (; pens > 0; --pens)
        t.popPen();
    for (; fonts > 0; --fonts)
        t.popFont();
}

QStringList Drawing::dumpLines() const
{
    QStringList out;
    out.reserve(static_cast<qsizetype>(ops_.size()));
    const auto n = [](int v) { return QString::number(v); };
    for (const DrawOp& o : ops_) {
        out << std::visit(
            Overloaded{
                [&](const op::PushPen& p) { return QStringLiteral("pen %1 %2").arg(p.pen.width).arg(colourName(p.pen.colour)); },
                [&](const op::PopPen&) { return QStringLiteral("pen-"); },
                [&](const op::PushFont& f) {
                    return QStringLiteral("font %1 %2 %3 %4 %5")
                        .arg(f.font.face, n(f.font.height), n(f.font.width), n(f.font.weight), n(f.font.charSet));
                },
                [&](const op::PopFont&) { return QStringLiteral("font-"); },
                [&](const op::TextColour& c) { return QStringLiteral("colour ") + colourName(c.colour); },
                [&](const op::Align& a) { return QStringLiteral("align ") + n(a.align); },
                [&](const op::MoveTo& m) { return QStringLiteral("move %1 %2").arg(m.x).arg(m.y); },
                [&](const op::LineTo& l) { return QStringLiteral("line %1 %2").arg(l.x).arg(l.y); },
                [&](const op::Pixel& p) { return QStringLiteral("pixel %1 %2 %3").arg(p.x).arg(p.y).arg(colourName(p.colour)); },
                [&](const op::Rect& r) { return QStringLiteral("rect %1 %2 %3 %4").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom); },
                [&](const op::Text& x) { return QStringLiteral("text %1 %2 \"%3\"").arg(x.x).arg(x.y).arg(x.text); },
                [&](const op::Symbol& s) { return QStringLiteral("symbol %1 %2 %3").arg(s.x).arg(s.y).arg(s.code); },
                [&](const op::Polygon& p) {
                    QString s = QStringLiteral("polygon ") + colourName(p.colour);
                    for (const auto& pt : p.points)
                        s += QStringLiteral(" %1,%2").arg(pt.x).arg(pt.y);
                    return s;
                },
            },
            o);
    }
    return out;
}

} // namespace tovu::display
