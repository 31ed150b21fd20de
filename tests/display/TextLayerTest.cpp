// The A-scan text layer: labels, measurement lines and readout boxes per mode.

#include "display/support/SceneHelpers.h"
#include "support/SampleRecords.h"

#include <gtest/gtest.h>

using namespace tovu::display;
using namespace tovu::display::testing;
using namespace tovu::test;
using tovu::items::DFDRecord;

namespace {
struct Set {
    const char* field;
    const char* value;
};

void apply(DFDRecord& r, std::initializer_list<Set> sets)
{
    auto& s = r.editSettings();
    const std::map<std::string, QString*> fields = {
        {"MeasMode", &s.MeasMode}, {"Hud", &s.Hud},         {"HS", &s.HS},           {"Distance", &s.Distance},
        {"Peak", &s.Peak},         {"DacMode", &s.DacMode}, {"DH", &s.DH},           {"HM", &s.HM},
        {"Ers", &s.Ers},           {"Angle", &s.Angle},     {"XOffset", &s.XOffset}, {"Thickness", &s.Thickness},
        {"Units", &s.Units},       {"TcgMode", &s.TcgMode}, {"AvgMode", &s.AvgMode}, {"Range", &s.Range},
        {"Delay", &s.Delay},       {"NoteLabel", &s.NoteLabel},
    };
    for (const Set& set : sets)
        *fields.at(set.field) = QString::fromUtf8(set.value);
}

// Everything the layer writes after the three axis labels of the item.
QStringList readouts(const Drawing& d)
{
    QStringList out;
    const QStringList texts = textsOf(d);
    for (qsizetype i = 3; i < texts.size(); ++i)
        out << texts[i];
    for (const QString& r : linesOf(d, QStringLiteral("rect")))
        out << r;
    for (const QString& s : linesOf(d, QStringLiteral("symbol")))
        out << s;
    return out;
}

QStringList list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* i : items)
        out << QString::fromUtf8(i);
    return out;
}
} // namespace

TEST(TextLayer, AxisLabelsAndFonts)
{
    const Drawing d = drawText(sampleALog());
    const QStringList texts = textsOf(d);
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts[0], u"5 205 0 0");
    EXPECT_EQ(texts[1], u"250 205 2 50.00");
    EXPECT_EQ(texts[2], u"127 205 6 WELD 7 (mm)");
    EXPECT_EQ(linesOf(d, QStringLiteral("font")), list({"font Arial 20 7 400 0"}));
    EXPECT_EQ(linesOf(d, QStringLiteral("font-")).size(), 1);
    EXPECT_EQ(linesOf(d, QStringLiteral("colour")).first(), QStringLiteral("colour ") + colourName(kMainWave));
}

// Each label is tested on its own; those that apply stand side by side in one text, so
// that each stays readable where two or three are on.
TEST(TextLayer, CurveLabelsEachTestedOnItsOwn)
{
    struct Case {
        const char* tcg;
        const char* dac;
        const char* avg;
        QStringList labels;
    };
    const Case cases[] = {
        {"1", "2", "3", list({"250 225 2 TCG DAC AVG"})},
        {"1", "1", "0", list({"250 225 2 TCG DAC"})},
        {"2", "0", "5", {}},
        {"1", "0.5", "0", list({"250 225 2 TCG"})},
        {"0", "1", "3.0", list({"250 225 2 DAC AVG"})},
    };
    for (const Case& c : cases) {
        DFDRecord r = sampleALog();
        apply(r, {{"MeasMode", "0"}, {"TcgMode", c.tcg}, {"DacMode", c.dac}, {"AvgMode", c.avg}});
        EXPECT_EQ(readouts(drawText(r)), c.labels) << c.tcg << c.dac << c.avg;
    }
}

TEST(TextLayer, DepthMode)
{
    struct Case {
        std::initializer_list<Set> sets;
        QStringList expected;
    };
    const Case cases[] = {
        {{{"Hud", "1"}}, list({"128 225 6 D: 12.5mm  H: 80%", "240 5 2 12.5mm", "rect 150 0 255 30"})},
        {{{"Distance", "0"}, {"Peak", "255"}, {"Hud", "1"}},
         list({"128 225 6 D: --mm  H: --%", "240 5 2 --mm", "rect 150 0 255 30"})},
        {{{"Hud", "3"}, {"Distance", " 0 "}}, list({"128 225 6 D: --mm  H: 80%", "240 5 2 --mm", "rect 150 0 255 30"})},
        {{{"Hud", "N/A"}, {"HS", "4"}}, list({"128 225 6 D: 12.5mm  H: 80%", "240 5 2 80%FSH", "rect 150 0 255 30"})},
        {{{"Hud", "N/A"}, {"HS", "4"}, {"Peak", "255"}},
         list({"128 225 6 D: 12.5mm  H: --%", "240 5 2 --%FSH", "rect 150 0 255 30"})},
        {{{"Hud", "N/A"}, {"HS", "2"}}, list({"128 225 6 D: 12.5mm  H: 80%"})},
        {{{"Hud", "2"}, {"HS", "4"}}, list({"128 225 6 D: 12.5mm  H: 80%", "240 5 2 80 %", "rect 150 0 255 30"})},
        {{{"Hud", "4"}, {"DacMode", "2"}, {"DH", "1"}},
         list({"250 225 2 DAC", "128 225 6 D: 12.5mm  H: 80%", "240 5 2 80 %FSH", "rect 150 0 255 30"})},
        {{{"Hud", "2"}, {"Peak", "255"}, {"DacMode", "2"}, {"DH", "0"}},
         list({"250 225 2 DAC", "128 225 6 D: 12.5mm  H: --%", "240 5 2 ----- dB", "rect 150 0 255 30"})},
        {{{"Hud", "2"}, {"Peak", "255"}}, list({"128 225 6 D: 12.5mm  H: --%", "240 5 2 ----- %", "rect 150 0 255 30"})},
        {{{"Hud", "N/A"}, {"HS", "1"}},
         list({"128 225 6 D: 12.5mm  H: 80%", "240 5 2 12.5mm", "rect 150 0 255 30", "symbol 160 5 230"})},
        {{{"Hud", "N/A"}, {"HS", "1"}, {"Distance", "0"}},
         list({"128 225 6 D: --mm  H: 80%", "240 5 2 -- mm", "rect 150 0 255 30", "symbol 160 5 230"})},
        {{{"Hud", "N/A"}, {"HS", "9"}}, list({"128 225 6 D: 12.5mm  H: 80%", "240 5 2 ERS - 2.0 mm", "rect 140 0 255 30"})},
        {{{"Hud", "N/A"}, {"HS", "10"}, {"Ers", "0"}},
         list({"128 225 6 D: 12.5mm  H: 80%", "240 5 2 ERS - ------ mm", "rect 140 0 255 30"})},
        {{{"Hud", "0"}}, list({"128 225 6 D: 12.5mm  H: 80%"})},
    };
    for (const Case& c : cases) {
        DFDRecord r = sampleALog();
        apply(r, c.sets);
        EXPECT_EQ(readouts(drawText(r)), c.expected) << c.expected.join(QLatin1Char('|')).toStdString();
    }
}

TEST(TextLayer, DistanceModes)
{
    struct Case {
        std::initializer_list<Set> sets;
        QStringList expected;
    };
    const Case cases[] = {
        {{{"MeasMode", "2"}, {"Hud", "1"}, {"HS", "N/A"}},
         list({"128 225 6 E-E:12.5mm", "240 5 2 12.5mm", "rect 150 0 255 30"})},
        {{{"MeasMode", "2"}, {"Hud", "0"}, {"HS", "1"}},
         list({"128 225 6 E-E:12.5mm", "240 5 2 12.5mm", "rect 150 0 255 30", "symbol 160 5 230"})},
        {{{"MeasMode", "2"}, {"Hud", "2"}, {"HS", "1"}},
         list({"128 225 6 E-E:12.5mm", "240 5 2 12.5mm", "240 5 2 12.5mm", "rect 150 0 255 30", "rect 150 0 255 30",
               "symbol 160 5 230"})},
        {{{"MeasMode", "2"}, {"Hud", "N/A"}, {"HS", "N/A"}}, list({"128 225 6 E-E:12.5mm"})},
        {{{"MeasMode", "4"}, {"Hud", "1"}, {"HS", "1"}, {"Distance", "0"}},
         list({"128 225 6 G1-G2:0mm", "240 5 2 0mm", "rect 150 0 255 30"})},
        {{{"MeasMode", "4"}, {"Hud", "N/A"}, {"HS", "1"}}, list({"128 225 6 G1-G2:12.5mm"})},
    };
    for (const Case& c : cases) {
        DFDRecord r = sampleALog();
        apply(r, c.sets);
        EXPECT_EQ(readouts(drawText(r)), c.expected) << c.expected.join(QLatin1Char('|')).toStdString();
    }
}

TEST(TextLayer, AngleMode)
{
    struct Case {
        std::initializer_list<Set> sets;
        QStringList expected;
    };
    const auto angle = {Set{"MeasMode", "3"}, Set{"Angle", "60"}, Set{"Distance", "100"}, Set{"XOffset", "10"},
                        Set{"Thickness", "20"}};
    const QStringList values = list({"20 225 0 : 100.00", "80 225 0 : 76.60", "150 225 0 : 10.00"});
    const QStringList symbols = list({"symbol 10 225 230", "symbol 70 225 224", "symbol 140 225 226"});
    const Case cases[] = {
        {{{"Hud", "N/A"}, {"HS", "N/A"}}, values + symbols},
        {{{"Hud", "N/A"}, {"HS", "N/A"}, {"Units", "1"}},
         list({"20 225 0 : 100.000", "80 225 0 : 76.603", "150 225 0 : 10.000"}) + symbols},
        {{{"Hud", "1"}, {"HS", "N/A"}},
         values + list({"240 5 2  76.60", "rect 150 0 255 30", "symbol 160 5 224"}) + symbols},
        {{{"Hud", "5"}, {"HS", "N/A"}},
         values + list({"240 5 2 10.000mm", "rect 150 0 255 30", "symbol 160 5 226"}) + symbols},
        {{{"Hud", "7"}, {"HS", "N/A"}},
         values + list({"240 5 2 100 mm", "rect 150 0 255 30", "symbol 160 5 230"}) + symbols},
        {{{"Hud", "9"}, {"HS", "N/A"}, {"Peak", "80"}}, values + list({"240 5 2 ERS - 80 mm", "rect 140 0 255 30"}) + symbols},
        {{{"Hud", "10"}, {"HS", "N/A"}, {"Ers", "0"}}, values + list({"240 5 2 ERS - ------ mm", "rect 140 0 255 30"}) + symbols},
        {{{"Hud", "2"}, {"HS", "3"}},
         values + list({"240 5 2 80 %", "240 5 2 10.00mm", "rect 150 0 255 30", "rect 150 0 255 30", "symbol 160 5 226"})
             + symbols},
        {{{"Hud", "N/A"}, {"HS", "2"}},
         values + list({"240 5 2 76.60mm", "rect 150 0 255 30", "symbol 160 5 224"}) + symbols},
        {{{"Hud", "N/A"}, {"HS", "4"}, {"HM", "1"}}, values + list({"240 5 2 80dB", "rect 150 0 255 30"}) + symbols},
        {{{"Hud", "N/A"}, {"HS", "4"}, {"HM", "0"}, {"Peak", "255"}},
         values + list({"240 5 2 ------- %FSH", "rect 150 0 255 30"}) + symbols},
        {{{"Hud", "N/A"}, {"HS", "4"}, {"HM", "2"}, {"DacMode", "2"}},
         values + list({"250 225 2 DAC", "240 5 2 ----- %REF", "rect 150 0 255 30"}) + symbols},
    };
    for (const Case& c : cases) {
        DFDRecord r = sampleALog();
        apply(r, angle);
        apply(r, c.sets);
        QStringList got = readouts(drawText(r));
        // Curve labels come before the mode's texts; move them for the comparison.
        if (got.contains(QStringLiteral("250 225 2 DAC"))) {
            got.removeAll(QStringLiteral("250 225 2 DAC"));
            got.insert(3, QStringLiteral("250 225 2 DAC"));
        }
        EXPECT_EQ(got, c.expected) << c.expected.join(QLatin1Char('|')).toStdString();
    }
}

TEST(TextLayer, AngleSymbolsTakeTheAlignmentLeftBehind)
{
    const auto alignBeforeSymbols = [](const Drawing& d) {
        int align = -1;
        for (const DrawOp& o : d.ops()) {
            if (auto* a = std::get_if<op::Align>(&o))
                align = a->align;
            if (auto* s = std::get_if<op::Symbol>(&o); s && s->y == 225)
                return align;
        }
        return -2;
    };
    DFDRecord r = sampleALog();
    apply(r, {{"MeasMode", "3"}, {"Hud", "2"}, {"HS", "N/A"}});
    EXPECT_EQ(alignBeforeSymbols(drawText(r)), AlignRight);  // last box had no symbol
    apply(r, {{"Hud", "1"}});
    EXPECT_EQ(alignBeforeSymbols(drawText(r)), AlignLeft);
}

TEST(TextLayer, AngleGeometryFoldsByLegs)
{
    const auto g = angleGeometry(60, 100, 10, 20);
    EXPECT_NEAR(g.soundPath, 100, 1e-9);
    EXPECT_NEAR(g.surface, 76.6025, 1e-3);
    EXPECT_NEAR(g.depth, 10, 1e-4);  // D0 = 50 > 2T: 50 - 40
    EXPECT_EQ(angleGeometry(60, 100, 10, 0).depth, 0);  // no thickness: depth 0
    EXPECT_NEAR(angleGeometry(0, 30, 0, 20).depth, 10, 1e-6);   // 2T - D0
    EXPECT_NEAR(angleGeometry(0, 70, 0, 20).depth, 10, 1e-6);   // 4T - D0
    EXPECT_NEAR(angleGeometry(0, 90, 0, 20).depth, 10, 1e-6);   // D0 - 4T
    EXPECT_EQ(angleGeometry(0, 101, 0, 20).depth, 0);           // beyond five legs
    EXPECT_NEAR(angleGeometry(0, 15, 0, 20).depth, 15, 1e-6);
}

TEST(TextLayer, SuperimposedViewWritesOnlyBothAxisRows)
{
    DFDRecord first = sampleALog();
    apply(first, {{"TcgMode", "1"}, {"DacMode", "2"}, {"Hud", "1"}});
    DFDRecord second = sampleALog();
    apply(second, {{"Range", "12.5"}, {"Delay", "0"}, {"NoteLabel", " B2"}, {"Units", "1"}});
    const Drawing d = drawText(first, {true, false}, &second);
    EXPECT_EQ(textsOf(d), list({"5 205 0 0", "250 205 2 50.00", "127 205 6 WELD 7 (mm)", "5 225 0 0",
                                "250 225 2  12.5", "127 225 6 B2 (in)"}));
    EXPECT_TRUE(linesOf(d, QStringLiteral("rect")).isEmpty());
    EXPECT_TRUE(linesOf(d, QStringLiteral("colour")).contains(QStringLiteral("colour ") + colourName(kSecondWave)));
    apply(second, {{"Range", "50"}});
    EXPECT_EQ(textsOf(drawText(first, {true, false}, &second))[4], u"250 225 2  50");
}

TEST(TextLayer, CommaDecimalLocale)
{
    DFDRecord r = sampleALog();
    apply(r, {{"MeasMode", "3"}, {"Angle", "60"}, {"Distance", "100"}, {"XOffset", "10"}, {"Thickness", "20"},
              {"Hud", "5"}, {"HS", "N/A"}, {"Range", "12.5"}});
    const QStringList texts = textsOf(drawText(r, {}, nullptr, QStringLiteral(",")));
    EXPECT_EQ(texts[1], u"250 205 2 12,50");
    EXPECT_TRUE(texts.contains(QStringLiteral("20 225 0 : 100,00")));
    EXPECT_TRUE(texts.contains(QStringLiteral("80 225 0 : 76,60")));
    EXPECT_TRUE(texts.contains(QStringLiteral("150 225 0 : 10,00")));
    EXPECT_TRUE(texts.contains(QStringLiteral("240 5 2 10,000mm")));
}

// Under a comma locale every number of the picture has the comma: the ones worked out and
// the ones the instrument stored with a point, whose digits stay as stored; texts that
// are no number stay as they are.
TEST(TextLayer, EveryNumberTakesTheLocalesDecimalSign)
{
    struct Case {
        std::initializer_list<Set> sets;
        QStringList expected;  // all texts after the axis row's unit label
    };
    const Case cases[] = {
        {{{"Delay", "0.00"}, {"Range", "250"}, {"Distance", "52.37"}, {"Hud", "1"}},
         list({"5 205 0 0,00", "250 205 2 250,00", "128 225 6 D: 52,37mm  H: 80%", "240 5 2 52,37mm"})},
        {{{"Delay", "N/A"}, {"Range", "50"}, {"Distance", "12"}, {"Peak", "80.5"}, {"Hud", "2"}},
         list({"5 205 0 N/A", "250 205 2 50,00", "128 225 6 D: 12mm  H: 80,5%", "240 5 2 80,5 %"})},
        {{{"MeasMode", "2"}, {"Delay", "-1.5"}, {"Distance", " 7.25 "}, {"Hud", "0"}, {"HS", "N/A"}},
         list({"5 205 0 -1,5", "250 205 2 48,50"})},
    };
    for (const Case& c : cases) {
        DFDRecord r = sampleALog();
        apply(r, c.sets);
        QStringList texts = textsOf(drawText(r, {}, nullptr, QStringLiteral(",")));
        texts.removeAt(2);  // the label and unit
        QStringList expected = c.expected;
        if (expected.size() < texts.size())  // the distance mode's line, its name a table's
            expected << texts.mid(expected.size());
        EXPECT_EQ(texts, expected);
        if (c.expected.size() == 2)
            EXPECT_TRUE(texts.last().endsWith(QStringLiteral(": 7,25 mm"))) << texts.last().toStdString();
    }
    // The superimposed item's end is the plain number text, with the comma.
    DFDRecord first = sampleALog();
    DFDRecord second = sampleALog();
    apply(second, {{"Range", "12.5"}, {"Delay", "0.5"}});
    const QStringList texts = textsOf(drawText(first, {true, false}, &second, QStringLiteral(",")));
    EXPECT_EQ(texts[3], u"5 225 0 0,5");
    EXPECT_EQ(texts[4], u"250 225 2  13");
}

TEST(TextLayer, FailedConversionsLeaveOutOnlyTheirTexts)
{
    // Strict fields holding no number: the box whose text needs them is left out.
    DFDRecord r = sampleALog();
    apply(r, {{"Hud", "2"}, {"DacMode", "N/A"}});
    QStringList got = readouts(drawText(r));
    EXPECT_EQ(got, list({"128 225 6 D: 12.5mm  H: 80%"}));

    apply(r, {{"DacMode", "2"}, {"DH", "N/A"}});
    got = readouts(drawText(r));
    EXPECT_EQ(got, list({"250 225 2 DAC", "128 225 6 D: 12.5mm  H: 80%"}));

    // Angle mode with units that are no number: the three values are left out, the
    // boxes and symbols stay.
    DFDRecord a = sampleALog();
    apply(a, {{"MeasMode", "3"}, {"Units", "N/A"}, {"Hud", "N/A"}, {"HS", "3"}, {"Distance", "100"},
              {"Angle", "60"}, {"Thickness", "20"}});
    got = readouts(drawText(a));
    EXPECT_EQ(got, list({"240 5 2 10.00mm", "rect 150 0 255 30", "symbol 160 5 226", "symbol 10 225 230",
                         "symbol 70 225 224", "symbol 140 225 226"}));

    // A unit id the tables do not hold (or one that does not fit): every text with the
    // unit is left out, the rest is written.
    for (const char* units : {"5000", "1e10"}) {
        DFDRecord u = sampleALog();
        apply(u, {{"Units", units}, {"Hud", "2"}});
        const QStringList texts = textsOf(drawText(u));
        EXPECT_EQ(texts, list({"5 205 0 0", "250 205 2 50.00", "240 5 2 80 %"})) << units;
    }
}
