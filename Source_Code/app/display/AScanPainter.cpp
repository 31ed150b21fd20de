#include "app/display/AScanPainter.h"

#include "app/display/AScanText.h"
#include "platform/text/NumberText.h"

#include <cmath>
#include <optional>
#include <vector>

namespace tovu::display {

using items::Curve;
using items::DFDRecord;
using platform::text::roundToInt32;
using platform::text::valueOfText;

namespace {
constexpr int kBaseline = 200;

// Pen scope: selects a pen for one overlay and restores the one before.
class PenScope {
public:
    PenScope(Canvas& dc, int width, Rgb colour) : dc_(dc) { dc_.pushPen({width, colour}); }
    ~PenScope() { dc_.popPen(); }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

private:
    Canvas& dc_;
};

void drawTrace(const DFDRecord& rec, bool smooth, Rgb colour, Canvas& dc)
{
    PenScope pen(dc, 1, colour);
    const auto& c = rec.curves();
    if (!smooth) {
        for (int x = 1; x <= 255; ++x) {
            dc.moveTo(x, kBaseline - c.WaveMin[x]);
            dc.lineTo(x, kBaseline - c.WaveMax[x]);
        }
        return;
    }
    const auto polyline = [&](const Curve& wave) {
        dc.moveTo(0, kBaseline - wave[0]);
        for (int x = 1; x <= 255; ++x)
            dc.lineTo(x, kBaseline - wave[x]);
    };
    polyline(c.WaveMax);
    if (valueOfText(rec.settings().Detect) == 3)
        polyline(c.WaveMin);
}

// The DAC and AVG curves: a pair of arrays averaged; a negative sample is bridged, one
// above 200 breaks the line.
void drawPairCurve(const Curve& a, const Curve& b, double factor, Canvas& dc)
{
    bool started = false;
    for (int x = 1; x <= 253; ++x) {
        const int va = a[x], vb = b[x];
        if (va < 0 || vb < 0)
            continue;
        if (va > 200 || vb > 200) {
            started = false;
            continue;
        }
        const auto y = roundToInt32(kBaseline - ((va + vb) / 2.0) / factor);
        if (!y)
            continue;
        if (started) {
            dc.lineTo(x, *y);
        } else {
            dc.moveTo(x, *y);
            started = true;
        }
    }
}

struct GateSpan {
    double start, end, level;
};
} // namespace

void DrawGraticule(Canvas& dc)
{
    for (int x = 1; x <= 251; x += 25) {
        for (int y = 1; y <= 201; y += 3)
            dc.setPixel(x, y, 0);
        dc.moveTo(x, 202);
        dc.lineTo(x, 207);
    }
    for (int y = 1; y <= 201; y += 20)
        for (int x = 1; x <= 255; x += 3)
            dc.setPixel(x, y, 0);
}

void DrawTraces(const AScanScene& s, Canvas& dc)
{
    drawTrace(s.item, s.view.smooth, s.colours[ColourRole::MainWave], dc);
    if (s.view.superimpose && s.second)
        drawTrace(*s.second, s.view.smooth, s.colours[ColourRole::SecondWave], dc);
}

void DrawTcgCurve(const AScanScene& s, Canvas& dc)
{
    const DFDRecord& r = s.item;
    if (s.view.superimpose || valueOfText(r.settings().TcgMode) < 1 || !r.TcgPresent)
        return;
    PenScope pen(dc, 1, s.colours[ColourRole::Tcg]);
    dc.moveTo(0, 40);
    // The point count is a text of the record: kept to the list's 1 to 10 entries, and
    // the steps kept to the picture's width, so no stored value makes the loop long.
    const int n = platform::text::roundClamped(valueOfText(r.settings().TcgPointCount), 1, items::kMaxPoints);
    const double first = valueOfText(r.settings().TcgX[1]);
    const double last = valueOfText(r.settings().TcgX[n]);
    if (first > last)
        return;
    const double steps = std::floor(last - first);
    // Steps left of the picture land on x = 0 and right of it on 255: each such run
    // paints what its first step paints, so it is drawn once.
    const double firstInside = std::max(0.0, std::ceil(-0.5 - first));
    const double lastInside = std::min(steps, std::floor(255.5 - first));
    if (firstInside > 0)
        dc.lineTo(0, 40);
    for (double k = firstInside; k <= lastInside; k += 1)
        dc.lineTo(platform::text::roundClamped(first + k, 0, 255), 40);
    if (lastInside < steps)
        dc.lineTo(255, 40);
}

void DrawAvgCurve(const AScanScene& s, Canvas& dc)
{
    if (s.view.superimpose || valueOfText(s.item.settings().AvgMode) != 5)
        return;
    PenScope pen(dc, 1, s.colours[ColourRole::Avg]);
    drawPairCurve(s.item.curves().AvgCurveA, s.item.curves().AvgCurveB, 1.0, dc);
}

void DrawDacCurve(const AScanScene& s, Canvas& dc, double factor)
{
    PenScope pen(dc, 1, s.colours[ColourRole::Dac]);
    drawPairCurve(s.item.curves().DacCurveA, s.item.curves().DacCurveB, factor, dc);
}

void DrawDacCurves(const AScanScene& s, Canvas& dc)
{
    const DFDRecord& r = s.item;
    if (s.view.superimpose || valueOfText(r.settings().DacMode) < 1 || !r.DacPresent)
        return;
    struct CurveSet {
        int key;
        std::vector<double> factors;
    };
    static const std::vector<CurveSet> sets = {
        {0, {1}}, {1, {1, 2, 4}}, {2, {1, 2, 5}}, {3, {1, 1.25, 2, 3.25}}, {4, {1, 1.25}}, {5, {1, 2}}, {6, {1, 3.25}},
    };
    const double set = valueOfText(r.settings().DacCurveSet);
    for (const CurveSet& cs : sets) {
        if (cs.key == set) {
            for (double f : cs.factors)
                DrawDacCurve(s, dc, f);
            return;
        }
    }
}

void DrawGates(const AScanScene& s, Canvas& dc)
{
    if (s.view.superimpose)
        return;
    const auto& t = s.item.settings();
    const double D = valueOfText(t.Delay);
    const double E = platform::text::singlePrecision(D + valueOfText(t.Range));
    const double W = E - D;
    // A zero range has no scale to place gates on.
    if (valueOfText(t.Range) == 0 || W == 0 || !std::isfinite(W))
        return;
    const bool rf = valueOfText(t.Detect) == 3;
    const bool edgeToEdge = valueOfText(t.MeasMode) == 2;
    PenScope pen(dc, 2, s.colours[ColourRole::Gates]);
    std::optional<GateSpan> gateA;
    for (int g = 0; g < 2; ++g) {
        const items::Gate& gate = t.Gates[g];
        if (valueOfText(gate.State) == 0 && !edgeToEdge)
            continue;
        GateSpan span{};
        if (g == 1 && edgeToEdge && gateA) {
            span.start = gateA->start + platform::text::singlePrecision(valueOfText(t.Blank) * (gateA->end - gateA->start) / 100);
            span.end = gateA->end;
            span.level = gateA->level - 5;
        } else {
            span.start = valueOfText(gate.Start);
            span.end = span.start + valueOfText(gate.Width);
            span.level = rf ? valueOfText(gate.Level) + 100 : 2 * valueOfText(gate.Level);
        }
        if (g == 0)
            gateA = span;
        const double x1 = span.start < D ? 0 : (span.start - D) * 254 / W;
        const double x2 = span.end > E ? 255 : (span.end - D) * 254 / W;
        const auto px1 = roundToInt32(x1 + 1), px2 = roundToInt32(x2), py = roundToInt32(kBaseline - span.level);
        if (!px1 || !px2 || !py)
            continue;
        dc.moveTo(*px1, *py);
        dc.lineTo(*px2, *py);
        // An expanded gate runs on to the right edge at its level.
        if (valueOfText(gate.State) == 3)
            dc.lineTo(255, *py);
    }
}

void DrawAScan(const AScanScene& s, Canvas& dc)
{
    DrawGraticule(dc);
    DrawTraces(s, dc);
    DrawAScanText(s, dc);
    DrawTcgCurve(s, dc);
    DrawAvgCurve(s, dc);
    DrawDacCurves(s, dc);
    DrawGates(s, dc);
}

} // namespace tovu::display
