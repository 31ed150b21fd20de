// A chart in the held document: the data sheet filled from a two-dimensional array, the
// chart's settings from the arguments, and the chart part of the saved file read by an
// independent parser.
#include "ArrayValues.h"
#include "ControlFixture.h"

#include "platform/office/word/Charts.h"
#include "platform/office/word/Document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace tovu::control::testing {
namespace {

using automation::SafeArray;

// Rows 0 to 2 and columns 0 to 3: labels in row 0 and column 0.
SafeArray readings(std::int32_t lower = 0)
{
    return twoDArray({{lower, lower + 2}, {lower, lower + 3}},
                     {Variant(QStringLiteral("unused")), Variant(QStringLiteral("Mon")), Variant(QStringLiteral("Tue")),
                      Variant(QStringLiteral("Wed")),
                      Variant(QStringLiteral("Probe A")), Variant(std::int16_t{3}), Variant(2.5), Variant(),
                      Variant(QStringLiteral("Probe B")), Variant(std::int32_t{-1}), Variant(QStringLiteral("4")),
                      Variant(true)});
}

class CreateChartTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
    }
    std::int16_t chart(Args args) { return status("CreateChart", std::move(args)); }
    std::vector<word::ChartShape> charts() { return word::chartShapes(*control.heldDocument()); }
};

TEST_F(CreateChartTest, TheArrayFillsTheDataSheetCellForCellWithTheDefaultsAround)
{
    ASSERT_EQ(chart({Variant(readings())}), 1);
    const auto shapes = charts();
    ASSERT_EQ(shapes.size(), 1u);
    const word::FloatingChart& f = shapes[0].chart();
    EXPECT_EQ(f.left, 100);
    EXPECT_EQ(f.top, 100);
    EXPECT_EQ(f.width, 350);
    EXPECT_EQ(f.height, 200);
    const auto& c = f.chart;
    EXPECT_EQ(c.chartType, 4);
    EXPECT_EQ(c.fontSize, 8);
    EXPECT_EQ(c.titleFontSize, 12);
    EXPECT_FALSE(c.autoScaleFont);
    EXPECT_FALSE(c.hasTitle);
    EXPECT_FALSE(c.valueAxisHasTitle);
    // Three rows by four columns, element (0, 0) unused.
    EXPECT_EQ(c.sheet.rowCount(), 3);
    EXPECT_EQ(c.sheet.columnCount(), 4);
    EXPECT_FALSE(c.sheet.value(1, 1).isValid());
    EXPECT_EQ(c.categories(), (QStringList{"Mon", "Tue", "Wed"}));
    EXPECT_EQ(c.sheet.value(2, 1).toString(), QStringLiteral("Probe A"));
    EXPECT_EQ(c.sheet.value(3, 1).toString(), QStringLiteral("Probe B"));
    EXPECT_EQ(c.sheet.value(2, 2).toDouble(), 3.0);
    EXPECT_FALSE(c.sheet.value(2, 4).isValid());  // an Empty element leaves its cell empty
    EXPECT_EQ(c.sheet.value(3, 3).toString(), QStringLiteral("4"));
    EXPECT_EQ(c.sheet.value(3, 4).toBool(), true);
}

TEST_F(CreateChartTest, TheSavedChartPartCarriesTypeTitlesAndData)
{
    ASSERT_EQ(chart({Variant(readings()), Variant(std::int32_t{57}), Variant(QStringLiteral(" Week 12 ")),
                     Variant(QStringLiteral("dB")), Variant(std::int16_t{10}), Variant(std::int16_t{20}),
                     Variant(std::int16_t{300}), Variant(std::int16_t{150}), Variant(std::int16_t{9}),
                     Variant(std::int16_t{14}), Variant(true)}),
              1);
    const word::FloatingChart& f = charts().at(0).chart();
    EXPECT_EQ(f.chart.titleFontSize, 14);
    EXPECT_TRUE(f.chart.autoScaleFont);
    const QString path = file(QStringLiteral("chart.docx"));
    control.heldDocument()->saveAs(path);
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(TOVU_SOURCE_DIR "/tests/platform/office/graph/check_chart.py"), path});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        GTEST_SKIP() << "python3 is not available";
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    ASSERT_EQ(p.exitCode(), 0) << out.toStdString();
    const QJsonObject c = QJsonDocument::fromJson(out.section(QLatin1Char('\n'), 0, 0).toUtf8()).object();
    EXPECT_EQ(c.value(QStringLiteral("plot")).toString(), QStringLiteral("barChart"));
    EXPECT_EQ(c.value(QStringLiteral("barDir")).toString(), QStringLiteral("bar"));
    EXPECT_EQ(c.value(QStringLiteral("title")).toString(), QStringLiteral(" Week 12 "));
    EXPECT_EQ(c.value(QStringLiteral("valueAxisTitle")).toString(), QStringLiteral("dB"));
    EXPECT_EQ(c.value(QStringLiteral("fontSize")).toDouble(), 9.0);
    const QJsonArray series = c.value(QStringLiteral("series")).toArray();
    ASSERT_EQ(series.size(), 2);
    EXPECT_EQ(series[0].toObject().value(QStringLiteral("values")).toArray(), (QJsonArray{3, 2.5, QJsonValue()}));
    // A number written as text counts; a truth value is no number.
    EXPECT_EQ(series[1].toObject().value(QStringLiteral("values")).toArray(), (QJsonArray{-1, 4, QJsonValue()}));
}

TEST_F(CreateChartTest, ABlankTitleMakesNoTitleAndTheChartIsStillBuilt)
{
    ASSERT_EQ(chart({Variant(readings()), Variant(std::int32_t{51}), Variant(QStringLiteral("   ")),
                     Variant(QStringLiteral("\t"))}),
              1);
    const auto& c = charts().at(0).chart().chart;
    EXPECT_FALSE(c.hasTitle);
    EXPECT_FALSE(c.valueAxisHasTitle);
    EXPECT_EQ(c.sheet.rowCount(), 3);
}

TEST_F(CreateChartTest, StatusesBeforeTheDocumentIsChangedLeaveItAsItWas)
{
    const QString before = heldText();
    EXPECT_EQ(chart({Variant(QStringLiteral("not an array"))}), -3);
    hooks().failOn(QStringLiteral("Document.Activate"));
    EXPECT_EQ(chart({Variant(readings())}), -2);
    EXPECT_EQ(heldText(), before);
    EXPECT_TRUE(charts().empty());

    // A control of another installation, where no Word runs.
    word::LocalActiveObjectTable otherTable;
    word::WordEnvironment other{otherTable};
    auto fresh = createVerbolt(other);
    Args none{Variant(readings())};
    EXPECT_EQ(fresh->invoke(fresh->dispIdOfName(QStringLiteral("CreateChart")), none).toInteger(), -1);
}

TEST_F(CreateChartTest, FailuresWhileBuildingAreMinusFourAndKeepWhatWasBuilt)
{
    // Bounds from 1: the first row label, element (1, 0), is not there. The chart stays,
    // its data sheet cleared.
    EXPECT_EQ(chart({Variant(readings(1))}), -4);
    ASSERT_EQ(charts().size(), 1u);
    EXPECT_TRUE(charts()[0].chart().chart.sheet.isEmpty());
    // A type the engine does not have: the chart keeps the new chart's sample data.
    EXPECT_EQ(chart({Variant(readings()), Variant(std::int32_t{9999})}), -4);
    ASSERT_EQ(charts().size(), 2u);
    EXPECT_FALSE(charts()[1].chart().chart.sheet.isEmpty());
    // One dimension only, and an object among the values.
    EXPECT_EQ(chart({Variant(SafeArray::ofValues({Variant(1.0), Variant(2.0)}))}), -4);
    SafeArray withObject = readings();
    withObject.set({1, 1}, Variant(automation::DispatchRef(object)));
    EXPECT_EQ(chart({Variant(withObject)}), -4);
    for (const char* step : {"Shapes.AddOLEObject", "Chart.ChartType", "Chart.ChartTitle.Font.Size",
                             "DataSheet.Cells.Clear", "DataSheet.Cells.Value", "Chart.Application.Quit"}) {
        hooks().clearFailures();
        hooks().failOn(QLatin1String(step));
        EXPECT_EQ(chart({Variant(readings())}), -4) << step;
    }
}

} // namespace
} // namespace tovu::control::testing
