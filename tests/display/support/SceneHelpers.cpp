#include "display/support/SceneHelpers.h"

namespace tovu::display::testing {

AScanColours testColours()
{
    AScanColours c;
    c[ColourRole::MainWave] = kMainWave;
    c[ColourRole::SecondWave] = kSecondWave;
    c[ColourRole::Gates] = kGates;
    c[ColourRole::Dac] = kDac;
    c[ColourRole::Tcg] = kTcg;
    c[ColourRole::Avg] = kAvg;
    return c;
}

std::vector<Segment> segmentsOf(const Drawing& d, Rgb colour)
{
    std::vector<Segment> out;
    std::vector<CanvasPen> pens;
    LogicalPoint at{};
    for (const DrawOp& o : d.ops()) {
        if (auto* p = std::get_if<op::PushPen>(&o)) {
            pens.push_back(p->pen);
        } else if (std::get_if<op::PopPen>(&o)) {
            if (!pens.empty())
                pens.pop_back();
        } else if (auto* m = std::get_if<op::MoveTo>(&o)) {
            at = {m->x, m->y};
        } else if (auto* l = std::get_if<op::LineTo>(&o)) {
            const CanvasPen pen = pens.empty() ? CanvasPen{} : pens.back();
            if (pen.colour == colour && !pens.empty())
                out.push_back({at.x, at.y, l->x, l->y, pen.width});
            at = {l->x, l->y};
        }
    }
    return out;
}

int pensOf(const Drawing& d, Rgb colour)
{
    int n = 0;
    for (const DrawOp& o : d.ops())
        if (auto* p = std::get_if<op::PushPen>(&o))
            n += p->pen.colour == colour ? 1 : 0;
    return n;
}

QStringList linesOf(const Drawing& d, const QString& word)
{
    QStringList out;
    for (const QString& line : d.dumpLines())
        if (line.startsWith(word + QLatin1Char(' ')) || line == word)
            out << line;
    return out;
}

QStringList textsOf(const Drawing& d)
{
    QStringList out;
    int align = 0;
    for (const DrawOp& o : d.ops()) {
        if (auto* a = std::get_if<op::Align>(&o))
            align = a->align;
        else if (auto* t = std::get_if<op::Text>(&o))
            out << QStringLiteral("%1 %2 %3 %4").arg(t->x).arg(t->y).arg(align).arg(t->text);
    }
    return out;
}

namespace {
const FakeStrings& defaultStrings()
{
    static const FakeStrings strings;
    return strings;
}
} // namespace

Drawing drawScene(const items::DFDRecord& item, AScanView view, const items::DFDRecord* second,
                  const QString& decimalSeparator)
{
    Drawing d;
    const AScanScene scene{item, second, view, testColours(), defaultStrings(), decimalSeparator};
    DrawAScan(scene, d);
    return d;
}

Drawing drawText(const items::DFDRecord& item, AScanView view, const items::DFDRecord* second,
                 const QString& decimalSeparator, const FakeStrings* strings)
{
    Drawing d;
    const AScanScene scene{item, second, view, testColours(), strings ? *strings : defaultStrings(),
                           decimalSeparator};
    DrawAScanText(scene, d);
    return d;
}

} // namespace tovu::display::testing
