// What the painter draws for fixture records, read from the recorded drawing.

#include "display/support/SceneHelpers.h"
#include "support/SampleRecords.h"

#include "platform/text/NumberText.h"

#include <gtest/gtest.h>
#include <set>

using namespace tovu::display;
using namespace tovu::display::testing;
using namespace tovu::test;
using tovu::items::DFDRecord;

TEST(Graticule, DotsAndTicksOnTheGrid)
{
    Drawing d;
    DrawGraticule(d);
    std::set<std::pair<int, int>> dots;
    for (const DrawOp& o : d.ops()) {
        if (auto* p = std::get_if<op::Pixel>(&o)) {
            EXPECT_EQ(p->colour, 0u);
            dots.insert({p->x, p->y});
        }
    }
    // Eleven vertical lines of dots every 3 rows from 1 to 199, eleven horizontal every
    // 3 columns from 1 to 253; their crossings are set twice.
    EXPECT_TRUE(dots.count({1, 1}) && dots.count({251, 199}) && dots.count({26, 4}));
    EXPECT_TRUE(dots.count({253, 201}) && dots.count({4, 21}) && dots.count({1, 201}));
    EXPECT_FALSE(dots.count({2, 1}) || dots.count({26, 5}) || dots.count({251, 202}) || dots.count({256, 1}));
    int vertical = 0, horizontal = 0;
    for (const auto& [x, y] : dots) {
        vertical += (x - 1) % 25 == 0 && x <= 251 && (y - 1) % 3 == 0 && y <= 199;
        horizontal += (y - 1) % 20 == 0 && y <= 201 && (x - 1) % 3 == 0 && x <= 253;
    }
    EXPECT_EQ(vertical, 11 * 67);
    EXPECT_EQ(horizontal, 11 * 85);
    // The ticks under each vertical line, with the stock pen.
    const QStringList moves = linesOf(d, QStringLiteral("move"));
    const QStringList lines = linesOf(d, QStringLiteral("line"));
    ASSERT_EQ(moves.size(), 11);
    EXPECT_EQ(moves.first(), u"move 1 202");
    EXPECT_EQ(lines.last(), u"line 251 207");
    EXPECT_EQ(pensOf(d, 0), 0);
}

TEST(Traces, MinMaxSmoothAndRf)
{
    DFDRecord r = sampleALog();
    const auto& c = r.curves();

    const auto minmax = segmentsOf(drawScene(r), kMainWave);
    ASSERT_EQ(minmax.size(), 255u);  // sample 0 is not drawn
    EXPECT_EQ(minmax.front(), (Segment{1, 200 - c.WaveMin[1], 1, 200 - c.WaveMax[1], 1}));
    EXPECT_EQ(minmax.back(), (Segment{255, 200 - c.WaveMin[255], 255, 200 - c.WaveMax[255], 1}));

    const auto smooth = segmentsOf(drawScene(r, {false, true}), kMainWave);
    ASSERT_EQ(smooth.size(), 255u);
    EXPECT_EQ(smooth.front(), (Segment{0, 200 - c.WaveMax[0], 1, 200 - c.WaveMax[1], 1}));
    EXPECT_EQ(smooth[59].y1, 200 - c.WaveMax[60]);

    r.editSettings().Detect = QStringLiteral("3");
    const auto rf = segmentsOf(drawScene(r, {false, true}), kMainWave);
    ASSERT_EQ(rf.size(), 510u);  // upper envelope, then lower
    EXPECT_EQ(rf[255], (Segment{0, 200 - c.WaveMin[0], 1, 200 - c.WaveMin[1], 1}));
    EXPECT_EQ(segmentsOf(drawScene(r), kMainWave).size(), 255u);  // min/max is the same for RF
}

TEST(Traces, FlatZeroTrace)
{
    DFDRecord r = sampleALog();
    fillFlatTrace(r, 0, 0);
    for (const Segment& s : segmentsOf(drawScene(r), kMainWave))
        EXPECT_TRUE(s.y0 == 200 && s.y1 == 200 && s.x0 == s.x1);  // nothing visible
    for (const Segment& s : segmentsOf(drawScene(r, {false, true}), kMainWave))
        EXPECT_TRUE(s.y0 == 200 && s.y1 == 200);  // a line along the baseline
}

TEST(Traces, SuperimposedViewDrawsTheSecondTraceAndNoOverlays)
{
    DFDRecord first = sampleALogWithDac();
    first.editSettings().TcgMode = QStringLiteral("1");
    first.TcgPresent = true;
    first.editSettings().TcgPointCount = QStringLiteral("2");
    first.editSettings().TcgX[1] = QStringLiteral("0");
    first.editSettings().TcgX[2] = QStringLiteral("100");
    first.editSettings().AvgMode = QStringLiteral("5");
    DFDRecord second = sampleALog();
    fillFlatTrace(second, 10, 30);
    const Drawing d = drawScene(first, {true, false}, &second);
    const auto secondTrace = segmentsOf(d, kSecondWave);
    ASSERT_EQ(secondTrace.size(), 255u);
    EXPECT_EQ(secondTrace[0], (Segment{1, 190, 1, 170, 1}));
    EXPECT_EQ(segmentsOf(d, kMainWave).size(), 255u);
    EXPECT_EQ(pensOf(d, kGates) + pensOf(d, kDac) + pensOf(d, kTcg) + pensOf(d, kAvg), 0);
    // Without a second record (its index beyond the re-created arrays) only one trace.
    const Drawing alone = drawScene(first, {true, false}, nullptr);
    EXPECT_EQ(pensOf(alone, kSecondWave), 0);
    EXPECT_EQ(segmentsOf(alone, kMainWave).size(), 255u);
}

TEST(DacCurves, CurveSetsGiveTheirFactors)
{
    struct Case {
        const char* set;
        std::vector<double> factors;
    };
    const Case cases[] = {
        {"0", {1}},         {"1", {1, 2, 4}},    {"2", {1, 2, 5}}, {"3", {1, 1.25, 2, 3.25}},
        {"4", {1, 1.25}},   {"5", {1, 2}},       {"6", {1, 3.25}}, {"7", {}},
        {"1.5", {}},        {"N/A", {1}},  // no number reads as 0
    };
    for (const Case& c : cases) {
        DFDRecord r = sampleALogWithDac();
        r.editSettings().DacCurveSet = QString::fromUtf8(c.set);
        const Drawing d = drawScene(r);
        ASSERT_EQ(pensOf(d, kDac), static_cast<int>(c.factors.size())) << c.set;
        const auto segs = segmentsOf(d, kDac);
        // Each curve starts at x = 1 with A = B = 180: y = 200 - 180 / factor.
        std::vector<int> starts;
        for (const DrawOp& o : d.ops())
            if (auto* m = std::get_if<op::MoveTo>(&o); m && m->x == 1 && m->y < 200 && m->y > 0) {
                starts.push_back(m->y);
            }
        for (std::size_t i = 0; i < c.factors.size(); ++i) {
            const int expected = static_cast<int>(std::nearbyint(200 - 180 / c.factors[i]));
            EXPECT_NE(std::find(starts.begin(), starts.end(), expected), starts.end()) << c.set << " f" << c.factors[i];
        }
        if (!c.factors.empty()) {
            EXPECT_EQ(segs.size(), 252u * c.factors.size()) << c.set;  // x = 2 .. 253 joined to the start
        }
    }
    DFDRecord off = sampleALogWithDac();
    off.editSettings().DacMode = QStringLiteral("0.5");
    EXPECT_EQ(pensOf(drawScene(off), kDac), 0);
    off.editSettings().DacMode = QStringLiteral("2");
    off.DacPresent = false;
    EXPECT_EQ(pensOf(drawScene(off), kDac), 0);
}

TEST(DacCurves, HighSampleBreaksNegativeSampleBridges)
{
    DFDRecord r = sampleALogWithDac();
    auto& c = r.editCurves();
    c.DacCurveA[10] = -1;   // bridged: x = 9 joins x = 11
    c.DacCurveB[20] = 201;  // break: x = 21 starts anew
    const auto segs = segmentsOf(drawScene(r), kDac);
    bool bridged = false, brokenAt20 = false;
    for (const Segment& s : segs) {
        bridged |= s.x0 == 9 && s.x1 == 11;
        brokenAt20 |= s.x1 == 20 || s.x0 == 20 || (s.x0 == 19 && s.x1 == 21);
    }
    EXPECT_TRUE(bridged);
    EXPECT_FALSE(brokenAt20);
    const QStringList moves = linesOf(drawScene(r), QStringLiteral("move"));
    EXPECT_TRUE(moves.contains(QStringLiteral("move 21 %1").arg(200 - (180 - 10))));
    // Halves go to the even neighbour: (A + B) / 2 = 60.5 gives y = 140 (139.5 -> 140).
    c.DacCurveA[30] = 60;
    c.DacCurveB[30] = 61;
    bool found = false;
    for (const Segment& s : segmentsOf(drawScene(r), kDac))
        found |= s.x1 == 30 && s.y1 == 140;
    EXPECT_TRUE(found);
}

TEST(TcgCurve, HorizontalLineAt80PercentClamped)
{
    struct Case {
        const char* count;
        const char* first;
        const char* last;  // at the clamped count
        int lastX;         // -1: no line
    };
    const Case cases[] = {
        {"2", "0", "100", 100},
        {"2", "0.4", "100", 99},     // steps 0.4, 1.4 .. 99.4
        {"2", "100", "50", -1},      // first beyond last: nothing
        {"0", "0", "0", 0},          // count 0 reads as 1: one step at 0
        {"25", "0", "300", 255},     // count beyond 10 reads as 10; x kept to 255
        {"N/A", "5", "", -1},        // one point at 5 when the count is no number
        {"2", "-1e9", "1e9", 255},   // a stored range that would loop for ever
    };
    for (const Case& c : cases) {
        DFDRecord r = sampleALog();
        auto& s = r.editSettings();
        s.TcgMode = QStringLiteral("1");
        r.TcgPresent = true;
        s.TcgPointCount = QString::fromUtf8(c.count);
        s.TcgX[1] = QString::fromUtf8(c.first);
        const int n = std::clamp(static_cast<int>(tovu::platform::text::valueOfText(s.TcgPointCount)), 1, 10);
        if (n > 1)
            s.TcgX[n] = QString::fromUtf8(c.last);
        const auto segs = segmentsOf(drawScene(r), kTcg);
        ASSERT_EQ(pensOf(drawScene(r), kTcg), 1) << c.count << " " << c.first;
        if (std::string(c.count) == "N/A") {
            ASSERT_FALSE(segs.empty());
            EXPECT_EQ(segs.back().x1, 5);
            continue;
        }
        if (c.lastX < 0) {
            EXPECT_TRUE(segs.empty()) << c.first;
            continue;
        }
        ASSERT_FALSE(segs.empty()) << c.first;
        EXPECT_LE(segs.size(), 258u);
        for (const Segment& sg : segs) {
            EXPECT_EQ(sg.y1, 40);
            EXPECT_GE(sg.x1, 0);
            EXPECT_LE(sg.x1, 255);
        }
        EXPECT_EQ(segs.back().x1, c.lastX) << c.count << " " << c.first;
    }
    DFDRecord r = sampleALog();
    r.editSettings().TcgMode = QStringLiteral("1");
    EXPECT_EQ(pensOf(drawScene(r), kTcg), 0);  // no TCG points present
}

TEST(AvgCurve, DrawnOnlyInModeFive)
{
    for (const char* mode : {"5", "5.0", "5 ", "3", "0"}) {
        DFDRecord r = sampleALog();
        r.editSettings().AvgMode = QString::fromUtf8(mode);
        r.editCurves().AvgCurveA.fill(100);
        r.editCurves().AvgCurveB.fill(50);
        const auto segs = segmentsOf(drawScene(r), kAvg);
        const bool on = tovu::platform::text::valueOfText(r.settings().AvgMode) == 5;
        EXPECT_EQ(segs.size(), on ? 252u : 0u) << mode;
        if (on) {
            EXPECT_EQ(segs.front(), (Segment{1, 125, 2, 125, 1}));  // 200 - 75
        }
    }
}

TEST(Gates, PlacedOverDelayAndRange)
{
    struct Case {
        const char* delay;
        const char* range;
        const char* start;
        const char* width;
        const char* level;
        const char* detect;
        Segment expected;
    };
    const Case cases[] = {
        {"0", "50", "10", "20", "40", "2", {52, 120, 152, 120, 2}},
        {"20", "50", "10", "20", "40", "2", {1, 120, 51, 120, 2}},     // starts before the delay
        {"0", "50", "40", "30", "40", "2", {204, 120, 255, 120, 2}},   // ends beyond the range
        {"0", "50", "10", "20", "40", "3", {52, 60, 152, 60, 2}},      // RF: level + 100
        {"0", "50", "10", "20", "40.25", "2", {52, 120, 152, 120, 2}}, // 119.5 -> 120
    };
    for (const Case& c : cases) {
        DFDRecord r = sampleALog();
        auto& s = r.editSettings();
        s.Delay = QString::fromUtf8(c.delay);
        s.Range = QString::fromUtf8(c.range);
        s.Detect = QString::fromUtf8(c.detect);
        s.Gates[0] = {QStringLiteral("1"), QString::fromUtf8(c.start), QString::fromUtf8(c.width),
                      QString::fromUtf8(c.level)};
        const auto segs = segmentsOf(drawScene(r), kGates);
        ASSERT_EQ(segs.size(), 1u) << c.delay << " " << c.start;
        EXPECT_EQ(segs[0], c.expected) << c.delay << " " << c.start;
    }
}

TEST(Gates, EdgeToEdgeModeAndExpand)
{
    DFDRecord r = sampleALog();
    auto& s = r.editSettings();
    s.MeasMode = QStringLiteral("2");
    s.Gates[0].State = QStringLiteral("0");
    s.Blank = QStringLiteral("50");
    auto segs = segmentsOf(drawScene(r), kGates);
    ASSERT_EQ(segs.size(), 2u);  // both gates although their states are 0
    EXPECT_EQ(segs[0], (Segment{52, 120, 152, 120, 2}));
    // Gate B: from 10 + 50 % of 20 = 20 to gate A's end 30, 5 below gate A's level.
    EXPECT_EQ(segs[1], (Segment{103, 125, 152, 125, 2}));

    DFDRecord e = sampleALog();
    e.editSettings().Gates[0].State = QStringLiteral("3");
    segs = segmentsOf(drawScene(e), kGates);
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[1], (Segment{152, 120, 255, 120, 2}));
}

TEST(Gates, NoScaleNoGates)
{
    for (const char* range : {"0", "N/A", "", "0.0"}) {
        DFDRecord r = sampleALog();
        r.editSettings().Range = QString::fromUtf8(range);
        const Drawing d = drawScene(r);
        EXPECT_EQ(pensOf(d, kGates), 0) << range;
        EXPECT_FALSE(d.empty());  // the rest of the picture is still there
        EXPECT_EQ(segmentsOf(d, kMainWave).size(), 255u);
    }
    DFDRecord huge = sampleALog();
    huge.editSettings().Gates[0].Start = QStringLiteral("1e300");
    huge.editSettings().Gates[0].Width = QStringLiteral("1e300");
    huge.editSettings().Gates[0].Level = QStringLiteral("1e300");
    EXPECT_TRUE(segmentsOf(drawScene(huge), kGates).empty());  // no coordinate fits
}

TEST(Scene, OverlaysRestoreTheirPens)
{
    DFDRecord r = sampleALogWithDac();
    r.editSettings().DacCurveSet = QStringLiteral("3");
    r.editSettings().AvgMode = QStringLiteral("5");
    const Drawing d = drawScene(r);
    int depth = 0, fonts = 0;
    for (const DrawOp& o : d.ops()) {
        depth += std::holds_alternative<op::PushPen>(o) - std::holds_alternative<op::PopPen>(o);
        fonts += std::holds_alternative<op::PushFont>(o) - std::holds_alternative<op::PopFont>(o);
        EXPECT_GE(depth, 0);
        EXPECT_LE(depth, 1);  // no overlay leaves its pen selected for the next
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(fonts, 0);
}

TEST(Scene, ExtremeValuesAndFailingStringsDrawWhatTheyCan)
{
    // Every numeric setting far outside any range: nothing may throw or cast out of range.
    for (const char* v : {"1e300", "-1e300", "1e40", "-1e40", "1e18"}) {
        DFDRecord r = sampleALogWithDac();
        auto& s = r.editSettings();
        for (QString* f : {&s.Delay, &s.Range, &s.Angle, &s.Distance, &s.XOffset, &s.Thickness, &s.Blank,
                           &s.Gates[0].Start, &s.Gates[0].Width, &s.Gates[0].Level, &s.TcgX[1], &s.TcgX[10],
                           &s.TcgPointCount, &s.Units, &s.Peak, &s.DH, &s.HM, &s.Ers})
            *f = QString::fromUtf8(v);
        s.TcgMode = QStringLiteral("1");
        r.TcgPresent = true;
        for (const char* mode : {"1", "2", "3", "4"}) {
            s.MeasMode = QString::fromUtf8(mode);
            for (const char* hud : {"1", "2", "5", "9"}) {
                s.Hud = QString::fromUtf8(hud);
                s.HS = QString::fromUtf8(hud);
                const Drawing d = drawScene(r);
                EXPECT_EQ(linesOf(d, QStringLiteral("pixel")).size(), 11 * 67 + 11 * 85) << v << mode << hud;
                EXPECT_EQ(segmentsOf(d, kMainWave).size(), 255u);
            }
        }
    }
    // A string table that fails every lookup: the picture loses its texts, nothing else.
    struct Failing : FakeStrings {
        QString GetResString(int) const override { throw std::runtime_error("no table"); }
    } failing;
    DFDRecord r = sampleALog();
    Drawing d;
    DrawAScan(AScanScene{r, nullptr, {}, testColours(), failing, QStringLiteral(".")}, d);
    EXPECT_EQ(segmentsOf(d, kGates).size(), 1u);
    EXPECT_EQ(textsOf(d), (QStringList{QStringLiteral("5 205 0 0"), QStringLiteral("250 205 2 50.00")}));
}
