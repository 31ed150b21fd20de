// The chart engine's model, its DrawingML part (checked by an independent parser) and its
// rendering.
#include "platform/office/graph/ChartModel.h"
#include "platform/office/graph/ChartPainter.h"
#include "platform/office/graph/ChartXml.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

// Fontconfig keeps a cache for the life of the process; that is not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace tovu::platform::graph {
namespace {

// Runs the independent checker over the files; answers its output lines, one per chart.
QStringList checkCharts(const QStringList& files, int* exitCode)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral(TOVU_GRAPH_TEST_DIR "/check_chart.py")} + files);
    if (!p.waitForFinished(60000)) {
        *exitCode = -1;
        return {};
    }
    *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

ChartModel quarterly(int type)
{
    ChartModel c;
    c.chartType = type;
    c.sheet.setValue(1, 2, QStringLiteral("Q1"));
    c.sheet.setValue(1, 3, QStringLiteral("Q2"));
    c.sheet.setValue(1, 4, QStringLiteral("Q3"));
    c.sheet.setValue(2, 1, QStringLiteral("North"));
    c.sheet.setValue(3, 1, QStringLiteral("South"));
    c.sheet.setValue(2, 2, 1.5);
    c.sheet.setValue(2, 3, QStringLiteral("2.5"));  // a number written as text
    c.sheet.setValue(2, 4, QStringLiteral("n/a"));   // no number: a gap
    c.sheet.setValue(3, 2, 4);
    c.sheet.setValue(3, 3, -1);
    c.sheet.setValue(3, 4, 0.125);
    return c;
}

TEST(ChartTypes, EveryTypeOfTheEngineIsKnownOnceAndOthersAreNot)
{
    std::set<int> values;
    for (const ChartTypeInfo& t : chartTypes())
        values.insert(t.value);
    EXPECT_EQ(chartTypes().size(), 73u);
    EXPECT_EQ(values.size(), 73u);
    for (int unknown : {0, 2, 3, 50, 113, -4099})
        EXPECT_EQ(chartTypeInfo(unknown), nullptr) << unknown;
    EXPECT_EQ(chartTypeInfo(4)->family, ChartFamily::Line);
    EXPECT_EQ(chartTypeInfo(57)->family, ChartFamily::Bar);
    EXPECT_EQ(chartTypeInfo(-4120)->family, ChartFamily::Doughnut);
    EXPECT_EQ(chartTypeInfo(101)->shape, BarShape::Cone);
    EXPECT_EQ(chartTypeInfo(101)->grouping, Grouping::PercentStacked);
}

TEST(ChartModel, RowsBelowTheLabelsAreSeriesAndColumnsAreCategories)
{
    const ChartModel c = quarterly(51);
    EXPECT_EQ(c.categories(), (QStringList{"Q1", "Q2", "Q3"}));
    const auto series = c.series();
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].name, QStringLiteral("North"));
    EXPECT_EQ(series[0].values, (std::vector<std::optional<double>>{1.5, 2.5, std::nullopt}));
    EXPECT_EQ(series[1].values, (std::vector<std::optional<double>>{4.0, -1.0, 0.125}));
    ChartModel cleared = c;
    cleared.sheet.clear();
    EXPECT_TRUE(cleared.series().empty());
    EXPECT_TRUE(cleared.categories().isEmpty());
}

TEST(ChartXml, EveryChartTypeWritesAPartTheIndependentParserAccepts)
{
    QTemporaryDir dir;
    QStringList files;
    for (const ChartTypeInfo& t : chartTypes()) {
        ChartModel c = quarterly(t.value);
        c.hasTitle = t.value % 2 == 0;
        c.title = QStringLiteral("Type %1 <&>").arg(t.value);
        c.valueAxisHasTitle = true;
        c.valueAxisTitle = QStringLiteral("Volts");
        QFile f(dir.filePath(QStringLiteral("chart%1.xml").arg(t.value)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(chartPartXml(c));
        files << f.fileName();
    }
    int rc = 0;
    const QStringList out = checkCharts(files, &rc);
    if (rc == -1)
        GTEST_SKIP() << "python3 is not available";
    ASSERT_EQ(rc, 0) << out.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(out.size(), files.size());
    for (int i = 0; i < out.size(); ++i) {
        const QJsonObject chart = QJsonDocument::fromJson(out[i].toUtf8()).object();
        const ChartTypeInfo& t = chartTypes()[static_cast<std::size_t>(i)];
        const bool pie = t.family == ChartFamily::Pie;
        EXPECT_EQ(chart.value(QStringLiteral("series")).toArray().size(), pie ? 1 : 2) << t.value;
        EXPECT_EQ(chart.value(QStringLiteral("title")).toString(),
                  t.value % 2 == 0 ? QStringLiteral("Type %1 <&>").arg(t.value) : QString())
            << t.value;
    }
}

TEST(ChartXml, TheColumnChartCarriesItsLabelsValuesGapsAndTitles)
{
    ChartModel c = quarterly(53);
    c.hasTitle = true;
    c.title = QStringLiteral("Output");
    c.valueAxisHasTitle = true;
    c.valueAxisTitle = QStringLiteral("mm");
    c.fontSize = 9;
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("chart.xml")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(chartPartXml(c));
    f.close();
    int rc = 0;
    const QStringList out = checkCharts({f.fileName()}, &rc);
    if (rc == -1)
        GTEST_SKIP() << "python3 is not available";
    ASSERT_EQ(rc, 0) << out.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(out.size(), 1);
    const QJsonObject chart = QJsonDocument::fromJson(out[0].toUtf8()).object();
    EXPECT_EQ(chart.value(QStringLiteral("plot")).toString(), QStringLiteral("barChart"));
    EXPECT_EQ(chart.value(QStringLiteral("barDir")).toString(), QStringLiteral("col"));
    EXPECT_EQ(chart.value(QStringLiteral("grouping")).toString(), QStringLiteral("percentStacked"));
    EXPECT_EQ(chart.value(QStringLiteral("title")).toString(), QStringLiteral("Output"));
    EXPECT_EQ(chart.value(QStringLiteral("valueAxisTitle")).toString(), QStringLiteral("mm"));
    EXPECT_EQ(chart.value(QStringLiteral("fontSize")).toDouble(), 9.0);
    const QJsonArray series = chart.value(QStringLiteral("series")).toArray();
    ASSERT_EQ(series.size(), 2);
    const QJsonObject north = series[0].toObject();
    EXPECT_EQ(north.value(QStringLiteral("name")).toString(), QStringLiteral("North"));
    EXPECT_EQ(north.value(QStringLiteral("categories")).toArray(), (QJsonArray{"Q1", "Q2", "Q3"}));
    EXPECT_EQ(north.value(QStringLiteral("values")).toArray(), (QJsonArray{1.5, 2.5, QJsonValue()}));
    EXPECT_EQ(series[1].toObject().value(QStringLiteral("values")).toArray(), (QJsonArray{4, -1, 0.125}));
}

TEST(ChartXml, EveryChartTypeReadsBackWithItsTitlesFontsAndData)
{
    // Stock types with volume or open values are all written as high-low-close.
    for (const ChartTypeInfo& t : chartTypes()) {
        ChartModel c = quarterly(t.value);
        c.hasTitle = true;
        c.title = QStringLiteral("T%1").arg(t.value);
        c.titleFontSize = 15;
        c.fontSize = 7;
        c.valueAxisHasTitle = t.family != ChartFamily::Pie && t.family != ChartFamily::Doughnut;
        c.valueAxisTitle = c.valueAxisHasTitle ? QStringLiteral("V") : QString();
        c.autoScaleFont = false;
        const std::optional<ChartModel> back = readChartPart(chartPartXml(c));
        ASSERT_TRUE(back) << t.value;
        EXPECT_EQ(back->chartType, t.family == ChartFamily::Stock ? 88 : t.value);
        EXPECT_EQ(back->title, c.title);
        EXPECT_EQ(back->titleFontSize, 15);
        EXPECT_EQ(back->fontSize, 7);
        EXPECT_EQ(back->valueAxisHasTitle, c.valueAxisHasTitle) << t.value;
        EXPECT_EQ(back->valueAxisTitle, c.valueAxisTitle) << t.value;
        // The data come back as numbers; a pie keeps its first series only.
        const auto series = back->series();
        ASSERT_EQ(series.size(), t.family == ChartFamily::Pie ? 1u : 2u) << t.value;
        EXPECT_EQ(series[0].values, c.series()[0].values) << t.value;
        EXPECT_EQ(series[0].name, QStringLiteral("North"));
        if (t.family != ChartFamily::Scatter && t.family != ChartFamily::Bubble) {
            EXPECT_EQ(back->categories(), c.categories()) << t.value;
        }
    }
    EXPECT_FALSE(readChartPart("<c:chartSpace xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\"/>"));
    EXPECT_FALSE(readChartPart("<not xml"));
}

// Pixels of the image in the colour, allowing for antialiased edges.
int pixelsOf(const QImage& image, QColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 8 && std::abs(c.green() - colour.green()) < 8 &&
                std::abs(c.blue() - colour.blue()) < 8)
                ++n;
        }
    return n;
}

TEST(ChartPainter, BarsGrowWithTheirValuesAndPiesShareOutTheirSlices)
{
    const QColor first(0x44, 0x72, 0xC4), second(0xED, 0x7D, 0x31);
    ChartModel c;
    c.chartType = 51;
    c.sheet.setValue(1, 2, QStringLiteral("A"));
    c.sheet.setValue(2, 1, QStringLiteral("small"));
    c.sheet.setValue(3, 1, QStringLiteral("large"));
    c.sheet.setValue(2, 2, 1.0);
    c.sheet.setValue(3, 2, 4.0);
    const QImage columns = renderChart(c, QSize(400, 300), 1.0);
    const int small = pixelsOf(columns, first), large = pixelsOf(columns, second);
    EXPECT_GT(small, 50);
    // Four times the value, about four times the bar (the legend's boxes are alike).
    EXPECT_GT(large, 3 * small);
    EXPECT_LT(large, 5 * small);

    c.chartType = 5;  // a pie of the categories of the first series
    c.sheet.setValue(1, 3, QStringLiteral("B"));
    c.sheet.setValue(2, 3, 3.0);
    const QImage pie = renderChart(c, QSize(400, 300), 1.0);
    const int a = pixelsOf(pie, first), b = pixelsOf(pie, second);
    EXPECT_GT(a, 500);
    EXPECT_GT(b, 2 * a);
    EXPECT_LT(b, 4 * a);
}

TEST(ChartPainter, BarChartsPutTheFirstCategoryAtTheBottom)
{
    const QColor first(0x44, 0x72, 0xC4);
    ChartModel c;
    c.chartType = 57;  // clustered bars
    c.sheet.setValue(1, 2, QStringLiteral("short"));
    c.sheet.setValue(1, 3, QStringLiteral("long"));
    c.sheet.setValue(2, 1, QStringLiteral("S"));
    c.sheet.setValue(2, 2, 1.0);
    c.sheet.setValue(2, 3, 4.0);
    const QImage bars = renderChart(c, QSize(400, 300), 1.0);
    // The widest stretch of the series' colour in the upper and the lower half.
    const auto widest = [&](int from, int to) {
        int most = 0;
        for (int y = from; y < to; ++y) {
            int n = 0;
            for (int x = 0; x < bars.width(); ++x)
                n += bars.pixelColor(x, y) == first ? 1 : 0;
            most = std::max(most, n);
        }
        return most;
    };
    const int upper = widest(0, bars.height() / 2), lower = widest(bars.height() / 2, bars.height());
    EXPECT_GT(lower, 20);
    EXPECT_GT(upper, 3 * lower) << "the long bar of the second category lies above the first";
}

}  // namespace
}  // namespace tovu::platform::graph
