// Chart objects in documents: embedded and edited through the chart object, saved as a
// chart part that an independent parser reads, read back from the file, and drawn on the
// page.
#include "WordTestSupport.h"

#include "platform/office/word/Charts.h"
#include "platform/office/word/Document.h"
#include "platform/office/word/PageLayout.h"
#include "platform/zip/ZipArchive.h"

#include <QFile>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QXmlStreamReader>

namespace tovu::platform::word::test {
namespace {

class ChartObjectTest : public WordTest {
protected:
    // A chart of two series over two categories at the end of the text.
    GraphChart addChart(int type = 51)
    {
        const ChartShape shape = addOLEObject(*doc, QLatin1String(kChartClassType), false,
                                              doc->bookmarks().range(QStringLiteral("\\EndOfDoc")), 20, 10, 300, 180);
        GraphChart chart = shape.object();
        chart.setChartType(type);
        ChartDataSheet sheet = chart.dataSheet();
        sheet.clearCells();
        sheet.setCell(1, 2, QStringLiteral("Mon"));
        sheet.setCell(1, 3, QStringLiteral("Tue"));
        sheet.setCell(2, 1, QStringLiteral("Probe A"));
        sheet.setCell(3, 1, QStringLiteral("Probe B"));
        sheet.setCell(2, 2, 3.0);
        sheet.setCell(2, 3, 5.0);
        sheet.setCell(3, 2, 1.0);
        sheet.setCell(3, 3, 2.0);
        return chart;
    }

    // The charts of a saved file as the independent parser reads them.
    std::vector<QJsonObject> parsedCharts(const QString& path)
    {
        QString out;
        const int rc = runTool(QStringLiteral("/usr/bin/python3"),
                               {QStringLiteral(TOVU_WORD_TEST_DIR "/../graph/check_chart.py"), path}, &out);
        if (rc == -1)
            return {};
        EXPECT_EQ(rc, 0) << out.toStdString();
        std::vector<QJsonObject> charts;
        for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            charts.push_back(QJsonDocument::fromJson(line.toUtf8()).object());
        return charts;
    }

    void checkPackage(const QString& path)
    {
        QString out;
        const int rc = runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral(TOVU_WORD_TEST_DIR "/check_docx.py"), path},
                               &out);
        if (rc != -1) {
            EXPECT_EQ(rc, 0) << out.toStdString();
        }
    }
};

TEST_F(ChartObjectTest, TheSavedChartPartHoldsTheDataSheetAndTitles)
{
    doc->content().insertAfter(QStringLiteral("Readings"));
    GraphChart chart = addChart(4);
    chart.setHasTitle(true);
    chart.setTitleText(QStringLiteral("Week"));
    chart.setValueAxisHasTitle(true);
    chart.setValueAxisTitle(QStringLiteral("dB"));
    chart.update();
    chart.quit();
    const QString path = file(QStringLiteral("chart.docx"));
    doc->saveAs(path);
    checkPackage(path);
    const auto charts = parsedCharts(path);
    if (charts.empty())
        GTEST_SKIP() << "python3 is not available";
    ASSERT_EQ(charts.size(), 1u);
    const QJsonObject& c = charts[0];
    EXPECT_EQ(c.value(QStringLiteral("plot")).toString(), QStringLiteral("lineChart"));
    EXPECT_EQ(c.value(QStringLiteral("title")).toString(), QStringLiteral("Week"));
    EXPECT_EQ(c.value(QStringLiteral("valueAxisTitle")).toString(), QStringLiteral("dB"));
    const QJsonArray series = c.value(QStringLiteral("series")).toArray();
    ASSERT_EQ(series.size(), 2);
    EXPECT_EQ(series[0].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Probe A"));
    EXPECT_EQ(series[0].toObject().value(QStringLiteral("categories")).toArray(), (QJsonArray{"Mon", "Tue"}));
    EXPECT_EQ(series[1].toObject().value(QStringLiteral("values")).toArray(), (QJsonArray{1, 2}));
}

// Control characters and lone surrogates wherever the writer puts a text of the caller's:
// every part of the package stays well-formed XML, and the texts come back filtered as
// body text is (the control characters left out, a lone surrogate as U+FFFD).
TEST_F(ChartObjectTest, HostileTextsInPropertiesLinksAndChartsLeaveEveryPartWellFormed)
{
    const QString lone = QString(QChar(0xD800));
    const QString hostile = QStringLiteral("a\x01") + QChar(0x1F) + QStringLiteral("b") + lone + QStringLiteral("c") +
                            QChar(0xDFFF) + QChar(0xFFFE) + QStringLiteral("\x07\"<&>");
    const QString filtered = QStringLiteral("ab") + QChar(QChar::ReplacementCharacter) + QStringLiteral("c") +
                             QChar(QChar::ReplacementCharacter) + QStringLiteral("\"<&>");
    DocumentProperties& properties = doc->model().properties;
    properties.title = properties.subject = properties.author = properties.keywords = hostile;
    doc->content().insertAfter(QStringLiteral("body ") + lone + QStringLiteral("x\rlink\r"));
    Range link = doc->content();
    link.setRange(link.end() - 5, link.end() - 1);
    link.hyperlinks().add(link, QStringLiteral("http://example.com/") + hostile, hostile);
    GraphChart chart = addChart(51);
    chart.setHasTitle(true);
    chart.setTitleText(hostile);
    chart.dataSheet().setCell(1, 2, hostile);
    chart.dataSheet().setCell(2, 1, hostile);
    chart.update();
    chart.quit();
    const QString path = file(QStringLiteral("hostile.docx"));
    doc->saveAs(path);

    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const zip::ZipReader package(saved.readAll());
    int xmlParts = 0;
    for (const QString& name : package.names()) {
        if (!name.endsWith(QLatin1String(".xml")) && !name.endsWith(QLatin1String(".rels")))
            continue;
        ++xmlParts;
        QXmlStreamReader x(package.read(name));
        while (!x.atEnd())
            x.readNext();
        EXPECT_FALSE(x.hasError()) << name.toStdString() << ": " << x.errorString().toStdString();
    }
    EXPECT_GE(xmlParts, 8);  // types, two relationship parts, body, styles, settings, properties, chart
    const QByteArray core = package.read(QStringLiteral("docProps/core.xml"));
    EXPECT_TRUE(core.contains("<dc:title>"));
    EXPECT_TRUE(QString::fromUtf8(package.read(QStringLiteral("word/_rels/document.xml.rels")))
                    .contains(QStringLiteral("http://example.com/ab\uFFFDc\uFFFD")));

    doc->close(false);
    doc = app->documents().open(path);
    EXPECT_EQ(doc->model().properties.title, filtered);
    EXPECT_EQ(doc->model().properties.keywords, filtered);
    EXPECT_TRUE(doc->content().text().startsWith(QStringLiteral("body \uFFFDx\r")));
    ASSERT_EQ(doc->model().hyperlinks.size(), 1u);
    EXPECT_EQ(doc->model().hyperlinks[0].address, QStringLiteral("http://example.com/") + filtered);
    const auto charts = parsedCharts(path);
    if (charts.empty())
        GTEST_SKIP() << "python3 is not available";
    ASSERT_EQ(charts.size(), 1u);
    EXPECT_EQ(charts[0].value(QStringLiteral("title")).toString(), filtered);
    const QJsonObject series = charts[0].value(QStringLiteral("series")).toArray()[0].toObject();
    EXPECT_EQ(series.value(QStringLiteral("name")).toString(), filtered);
    EXPECT_EQ(series.value(QStringLiteral("categories")).toArray()[0].toString(), filtered);
}

TEST_F(ChartObjectTest, AReopenedChartDocumentKeepsItsChartThroughAResaveBesideANewOne)
{
    GraphChart original = addChart(51);
    original.quit();
    const QString first = file(QStringLiteral("first.docx"));
    doc->saveAs(first);
    doc = app->documents().open(first);
    // Our own chart comes back as a chart, with its type, data and place.
    const auto reopened = chartShapes(*doc);
    ASSERT_EQ(reopened.size(), 1u);
    EXPECT_EQ(reopened[0].chart().chart.chartType, 51);
    EXPECT_EQ(reopened[0].chart().chart.sheet, original.model().sheet);
    EXPECT_EQ(reopened[0].left(), 20);
    EXPECT_EQ(reopened[0].top(), 10);
    EXPECT_EQ(reopened[0].width(), 300);
    EXPECT_EQ(reopened[0].height(), 180);
    addChart(5).quit();
    const QString second = file(QStringLiteral("second.docx"));
    doc->saveAs(second);
    checkPackage(second);
    const auto charts = parsedCharts(second);
    if (charts.empty())
        GTEST_SKIP() << "python3 is not available";
    ASSERT_EQ(charts.size(), 2u);
    EXPECT_EQ(charts[0].value(QStringLiteral("plot")).toString(), QStringLiteral("barChart"));
    EXPECT_EQ(charts[1].value(QStringLiteral("plot")).toString(), QStringLiteral("pieChart"));
}

TEST_F(ChartObjectTest, TheChartObjectRefusesWhatTheEngineDoesNotHave)
{
    const Range end = doc->bookmarks().range(QStringLiteral("\\EndOfDoc"));
    EXPECT_THROW(addOLEObject(*doc, QStringLiteral("Excel.Sheet"), false, end, 0, 0, 100, 100), WordError);
    EXPECT_THROW(addOLEObject(*doc, QLatin1String(kChartClassType), false, end, 0, 0, 0, 100), WordError);
    GraphChart chart = addOLEObject(*doc, QLatin1String(kChartClassType), false, end, 0, 0, 100, 100).object();
    EXPECT_FALSE(chart.model().sheet.isEmpty());  // a new chart comes with sample data
    EXPECT_THROW(chart.setChartType(3), WordError);
    EXPECT_EQ(chart.chartType(), 51);
    EXPECT_THROW(chart.setTitleText(QStringLiteral("x")), WordError);  // no title yet
    EXPECT_NO_THROW(chart.setTitleFontSize(14));                        // kept for a title to come
    EXPECT_THROW(chart.setValueAxisTitle(QStringLiteral("x")), WordError);
    EXPECT_THROW(chart.dataSheet().setCell(0, 1, 1.0), WordError);
    chart.quit();
    EXPECT_THROW(chart.setChartType(4), WordError);
    EXPECT_EQ(chartShapes(*doc).size(), 1u);
}

TEST_F(ChartObjectTest, TheChartIsDrawnOnItsPage)
{
    doc->content().insertAfter(QStringLiteral("Above the chart"));
    addChart(51).quit();
    const PageLayout layout(doc->model());
    ASSERT_EQ(layout.pageCount(), 1);
    QImage page(layout.pageSize().toSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        layout.paintPage(p, 1);
    }
    // The first series' colour fills its columns, inside the chart's frame.
    int blue = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y) == QColor(0x44, 0x72, 0xC4))
                ++blue;
    EXPECT_GT(blue, 200);
}

}  // namespace
}  // namespace tovu::platform::word::test
