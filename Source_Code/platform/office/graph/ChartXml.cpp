#include "platform/office/graph/ChartXml.h"

#include "platform/zip/PartText.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>

namespace tovu::platform::graph {

namespace {

constexpr const char* kA = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* kR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// A plain colour per series, repeated after the last.
constexpr const char* kSeriesColours[] = {"4472C4", "ED7D31", "A5A5A5", "FFC000", "5B9BD5", "70AD47"};

class ChartWriter {
public:
    ChartWriter(const ChartModel& chart, QByteArray* out) : c_(chart), t_(chart.typeInfo()), x_(out) {}
    void write();
    bool failed() const { return x_.hasError(); }

private:
    void start(const char* name) { x_.writeStartElement(QLatin1String(kChartNamespace), QLatin1String(name)); }
    void end() { x_.writeEndElement(); }
    void val(const char* name, const QString& value)
    {
        x_.writeEmptyElement(QLatin1String(kChartNamespace), QLatin1String(name));
        x_.writeAttribute(QStringLiteral("val"), value);
    }
    void val(const char* name, int value) { val(name, QString::number(value)); }
    void a(const char* name) { x_.writeStartElement(QLatin1String(kA), QLatin1String(name)); }

    void richText(const QString& text, double size, bool bold);
    void textProperties(double size);
    void plot();
    void series(const DataSeries& s, int index, const QStringList& categories);
    void stringLiteral(const char* name, const QStringList& texts);
    void numberLiteral(const char* name, const std::vector<std::optional<double>>& values);
    void shapeProperties(int index, bool lineOnly, bool noLine = false);
    void closePlot(const std::vector<int>& ids);
    void axis(const char* kind, int id, int cross, const char* position, bool title);

    const ChartModel& c_;
    const ChartTypeInfo& t_;
    QXmlStreamWriter x_;
};

QString hundredths(double points)
{
    return QString::number(static_cast<int>(std::lround(points * 100)));
}

QString number(double v)
{
    return QString::number(v, 'g', 15);
}

void ChartWriter::write()
{
    x_.writeStartDocument(QStringLiteral("1.0"), true);
    x_.writeNamespace(QLatin1String(kChartNamespace), QStringLiteral("c"));
    x_.writeNamespace(QLatin1String(kA), QStringLiteral("a"));
    x_.writeNamespace(QLatin1String(kR), QStringLiteral("r"));
    start("chartSpace");
    val("roundedCorners", 0);
    start("chart");
    if (c_.hasTitle) {
        start("title");
        richText(c_.title, c_.titleFontSize, true);
        val("overlay", 0);
        end();
    }
    val("autoTitleDeleted", c_.hasTitle ? 0 : 1);
    if (t_.threeD) {
        start("view3D");
        val("rotX", t_.family == ChartFamily::Pie ? 30 : 15);
        val("rotY", t_.family == ChartFamily::Pie ? 0 : 20);
        val("rAngAx", t_.family == ChartFamily::Pie ? 0 : 1);
        end();
    }
    start("plotArea");
    x_.writeEmptyElement(QLatin1String(kChartNamespace), QStringLiteral("layout"));
    plot();
    end();  // plotArea
    start("legend");
    val("legendPos", QStringLiteral("r"));
    val("overlay", 0);
    end();
    val("plotVisOnly", 1);
    val("dispBlanksAs", QStringLiteral("gap"));
    end();  // chart
    textProperties(c_.fontSize);
    end();  // chartSpace
    x_.writeEndDocument();
}

void ChartWriter::richText(const QString& text, double size, bool bold)
{
    start("tx");
    start("rich");
    x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("bodyPr"));
    a("p");
    a("pPr");
    x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("defRPr"));
    x_.writeAttribute(QStringLiteral("sz"), hundredths(size));
    x_.writeAttribute(QStringLiteral("b"), bold ? QStringLiteral("1") : QStringLiteral("0"));
    end();
    a("r");
    x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("rPr"));
    x_.writeAttribute(QStringLiteral("lang"), QStringLiteral("en-US"));
    x_.writeAttribute(QStringLiteral("sz"), hundredths(size));
    x_.writeAttribute(QStringLiteral("b"), bold ? QStringLiteral("1") : QStringLiteral("0"));
    x_.writeTextElement(QLatin1String(kA), QStringLiteral("t"), zip::xmlText(text));
    end();  // r
    end();  // p
    end();  // rich
    end();  // tx
}

void ChartWriter::textProperties(double size)
{
    start("txPr");
    x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("bodyPr"));
    x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("lstStyle"));
    a("p");
    a("pPr");
    x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("defRPr"));
    x_.writeAttribute(QStringLiteral("sz"), hundredths(size));
    end();
    x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("endParaRPr"));
    x_.writeAttribute(QStringLiteral("lang"), QStringLiteral("en-US"));
    end();
    end();
}

QString groupingName(Grouping g)
{
    switch (g) {
    case Grouping::Clustered: return QStringLiteral("clustered");
    case Grouping::Stacked: return QStringLiteral("stacked");
    case Grouping::PercentStacked: return QStringLiteral("percentStacked");
    case Grouping::Standard: break;
    }
    return QStringLiteral("standard");
}

QString shapeName(BarShape s)
{
    switch (s) {
    case BarShape::Cone: return QStringLiteral("cone");
    case BarShape::Cylinder: return QStringLiteral("cylinder");
    case BarShape::Pyramid: return QStringLiteral("pyramid");
    case BarShape::Box: break;
    }
    return QStringLiteral("box");
}

void ChartWriter::plot()
{
    const QStringList categories = c_.categories();
    const std::vector<DataSeries> all = c_.series();
    auto writeSeries = [&](std::size_t count) {
        for (std::size_t i = 0; i < all.size() && i < count; ++i)
            series(all[i], static_cast<int>(i), categories);
    };
    const std::size_t every = all.size();
    switch (t_.family) {
    case ChartFamily::Column:
    case ChartFamily::Bar:
        start(t_.threeD ? "bar3DChart" : "barChart");
        val("barDir", t_.family == ChartFamily::Bar ? QStringLiteral("bar") : QStringLiteral("col"));
        val("grouping", groupingName(t_.grouping));
        val("varyColors", 0);
        writeSeries(every);
        val("gapWidth", 150);
        if (t_.threeD) {
            val("shape", shapeName(t_.shape));
        } else if (t_.grouping == Grouping::Stacked || t_.grouping == Grouping::PercentStacked) {
            val("overlap", 100);
        }
        closePlot(t_.threeD && t_.grouping == Grouping::Standard ? std::vector<int>{1, 2, 3} : std::vector<int>{1, 2});
        return;
    case ChartFamily::Line:
    case ChartFamily::Stock:
        start(t_.threeD ? "line3DChart" : "lineChart");
        val("grouping", groupingName(t_.grouping));
        val("varyColors", 0);
        writeSeries(every);
        if (t_.family == ChartFamily::Stock) {
            // High-low lines over the points; the series themselves draw no line.
            start("hiLowLines");
            end();
        }
        if (t_.threeD)
            val("gapDepth", 150);
        else
            val("marker", 1);
        closePlot(t_.threeD ? std::vector<int>{1, 2, 3} : std::vector<int>{1, 2});
        return;
    case ChartFamily::Area:
        start(t_.threeD ? "area3DChart" : "areaChart");
        val("grouping", groupingName(t_.grouping));
        val("varyColors", 0);
        writeSeries(every);
        closePlot(t_.threeD && t_.grouping == Grouping::Standard ? std::vector<int>{1, 2, 3} : std::vector<int>{1, 2});
        return;
    case ChartFamily::Pie:
        if (t_.variant) {
            start("ofPieChart");
            val("ofPieType", t_.variant == 1 ? QStringLiteral("bar") : QStringLiteral("pie"));
            val("varyColors", 1);
            writeSeries(1);
            val("gapWidth", 100);
            val("secondPieSize", 75);
            start("serLines");
            end();
            end();
            return;
        }
        start(t_.threeD ? "pie3DChart" : "pieChart");
        val("varyColors", 1);
        writeSeries(1);  // a pie shows its first series
        if (!t_.threeD)
            val("firstSliceAng", 0);
        end();
        return;
    case ChartFamily::Doughnut:
        start("doughnutChart");
        val("varyColors", 1);
        writeSeries(every);
        val("firstSliceAng", 0);
        val("holeSize", 50);
        end();
        return;
    case ChartFamily::Radar:
        start("radarChart");
        val("radarStyle", t_.variant == 1 ? QStringLiteral("filled") : t_.markers ? QStringLiteral("marker")
                                                                                    : QStringLiteral("standard"));
        val("varyColors", 0);
        writeSeries(every);
        closePlot({1, 2});
        return;
    case ChartFamily::Scatter:
        start("scatterChart");
        val("scatterStyle", t_.smooth    ? (t_.markers ? QStringLiteral("smoothMarker") : QStringLiteral("smooth"))
                            : t_.lines   ? (t_.markers ? QStringLiteral("lineMarker") : QStringLiteral("line"))
                                         : QStringLiteral("marker"));
        val("varyColors", 0);
        writeSeries(every);
        closePlot({1, 2});
        return;
    case ChartFamily::Bubble:
        start("bubbleChart");
        val("varyColors", 0);
        writeSeries(every);
        val("bubble3D", t_.threeD ? 1 : 0);
        val("bubbleScale", 100);
        val("showNegBubbles", 0);
        closePlot({1, 2});
        return;
    case ChartFamily::Surface:
        start(t_.variant == 1 ? "surfaceChart" : "surface3DChart");
        val("wireframe", t_.lines ? 0 : 1);
        writeSeries(every);
        closePlot({1, 2, 3});
        return;
    }
}

void ChartWriter::stringLiteral(const char* name, const QStringList& texts)
{
    start(name);
    start("strLit");
    val("ptCount", static_cast<int>(texts.size()));
    for (int i = 0; i < texts.size(); ++i) {
        start("pt");
        x_.writeAttribute(QStringLiteral("idx"), QString::number(i));
        x_.writeTextElement(QLatin1String(kChartNamespace), QStringLiteral("v"), zip::xmlText(texts[i]));
        end();
    }
    end();
    end();
}

void ChartWriter::numberLiteral(const char* name, const std::vector<std::optional<double>>& values)
{
    start(name);
    start("numLit");
    x_.writeTextElement(QLatin1String(kChartNamespace), QStringLiteral("formatCode"), QStringLiteral("General"));
    val("ptCount", static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!values[i])
            continue;  // an empty cell is a gap
        start("pt");
        x_.writeAttribute(QStringLiteral("idx"), QString::number(i));
        x_.writeTextElement(QLatin1String(kChartNamespace), QStringLiteral("v"), number(*values[i]));
        end();
    }
    end();
    end();
}

void ChartWriter::shapeProperties(int index, bool lineOnly, bool noLine)
{
    const QString colour = QLatin1String(kSeriesColours[static_cast<std::size_t>(index) % std::size(kSeriesColours)]);
    start("spPr");
    if (!lineOnly) {
        a("solidFill");
        x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("srgbClr"));
        x_.writeAttribute(QStringLiteral("val"), colour);
        end();
    }
    a("ln");
    if (noLine) {
        x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("noFill"));
    } else if (lineOnly) {
        x_.writeAttribute(QStringLiteral("w"), QStringLiteral("28575"));
        a("solidFill");
        x_.writeEmptyElement(QLatin1String(kA), QStringLiteral("srgbClr"));
        x_.writeAttribute(QStringLiteral("val"), colour);
        end();
    }
    end();
    end();
}

void ChartWriter::series(const DataSeries& s, int index, const QStringList& categories)
{
    start("ser");
    val("idx", index);
    val("order", index);
    start("tx");
    x_.writeTextElement(QLatin1String(kChartNamespace), QStringLiteral("v"), zip::xmlText(s.name));
    end();
    const ChartFamily f = t_.family;
    const bool lineLike = f == ChartFamily::Line || f == ChartFamily::Radar || f == ChartFamily::Scatter ||
                          f == ChartFamily::Stock;
    const bool pieLike = f == ChartFamily::Pie || f == ChartFamily::Doughnut;
    if (!pieLike && f != ChartFamily::Surface)
        shapeProperties(index, lineLike && !(f == ChartFamily::Radar && t_.variant == 1),
                        f == ChartFamily::Stock || (f == ChartFamily::Scatter && !t_.lines));
    if (f == ChartFamily::Column || f == ChartFamily::Bar || f == ChartFamily::Bubble)
        val("invertIfNegative", 0);
    if (lineLike && f != ChartFamily::Radar) {
        start("marker");
        val("symbol", t_.markers ? QStringLiteral("auto") : QStringLiteral("none"));
        end();
    } else if (f == ChartFamily::Radar) {
        start("marker");
        val("symbol", t_.markers ? QStringLiteral("auto") : QStringLiteral("none"));
        end();
    }
    if (pieLike && t_.exploded)
        val("explosion", 25);
    if (f == ChartFamily::Scatter || f == ChartFamily::Bubble) {
        // X values from the column labels where they are numbers, else 1, 2, 3 ...
        std::vector<std::optional<double>> xs;
        for (int i = 0; i < categories.size(); ++i)
            xs.push_back(numberOf(categories[i]).value_or(i + 1));
        numberLiteral("xVal", xs);
        numberLiteral("yVal", s.values);
        if (f == ChartFamily::Bubble) {
            std::vector<std::optional<double>> sizes;
            for (const auto& v : s.values)
                sizes.push_back(v ? std::optional<double>(std::fabs(*v)) : std::nullopt);
            numberLiteral("bubbleSize", sizes);
            val("bubble3D", t_.threeD ? 1 : 0);
        } else {
            val("smooth", t_.smooth ? 1 : 0);
        }
    } else {
        stringLiteral("cat", categories);
        numberLiteral("val", s.values);
        if (f == ChartFamily::Line || f == ChartFamily::Stock)
            val("smooth", 0);
    }
    end();
}

void ChartWriter::closePlot(const std::vector<int>& ids)
{
    // The plot names its axes last; the axes follow it in the plot area.
    for (int id : ids)
        val("axId", id);
    end();
    const bool xy = t_.family == ChartFamily::Scatter || t_.family == ChartFamily::Bubble;
    const bool across = t_.family == ChartFamily::Bar;
    axis(xy ? "valAx" : "catAx", 1, 2, across ? "l" : "b", false);
    axis("valAx", 2, 1, across ? "b" : "l", c_.valueAxisHasTitle);
    if (ids.size() == 3)
        axis("serAx", 3, 2, "b", false);
}

void ChartWriter::axis(const char* kind, int id, int cross, const char* position, bool title)
{
    start(kind);
    val("axId", id);
    start("scaling");
    val("orientation", QStringLiteral("minMax"));
    end();
    val("delete", 0);
    val("axPos", QLatin1String(position));
    if (QLatin1String(kind) == QLatin1String("valAx") && id == 2) {
        start("majorGridlines");
        end();
    }
    if (title) {
        start("title");
        richText(c_.valueAxisTitle, c_.fontSize, true);
        val("overlay", 0);
        end();
    }
    if (QLatin1String(kind) == QLatin1String("valAx")) {
        start("numFmt");
        x_.writeAttribute(QStringLiteral("formatCode"), QStringLiteral("General"));
        x_.writeAttribute(QStringLiteral("sourceLinked"), QStringLiteral("1"));
        end();
    }
    val("majorTickMark", QStringLiteral("out"));
    val("minorTickMark", QStringLiteral("none"));
    val("tickLblPos", QStringLiteral("nextTo"));
    val("crossAx", cross);
    val("crosses", QStringLiteral("autoZero"));
    if (QLatin1String(kind) == QLatin1String("catAx")) {
        val("auto", 1);
        val("lblAlgn", QStringLiteral("ctr"));
        val("lblOffset", 100);
    } else if (QLatin1String(kind) == QLatin1String("valAx")) {
        val("crossBetween", t_.family == ChartFamily::Area ? QStringLiteral("midCat") : QStringLiteral("between"));
    }
    end();
}

}  // namespace

namespace {

bool plotFamily(QStringView name, ChartTypeInfo& t)
{
    static const std::pair<const char*, ChartFamily> kPlots[] = {
        {"barChart", ChartFamily::Column},    {"bar3DChart", ChartFamily::Column},   {"lineChart", ChartFamily::Line},
        {"line3DChart", ChartFamily::Line},   {"areaChart", ChartFamily::Area},      {"area3DChart", ChartFamily::Area},
        {"pieChart", ChartFamily::Pie},       {"pie3DChart", ChartFamily::Pie},      {"ofPieChart", ChartFamily::Pie},
        {"doughnutChart", ChartFamily::Doughnut}, {"radarChart", ChartFamily::Radar}, {"scatterChart", ChartFamily::Scatter},
        {"bubbleChart", ChartFamily::Bubble}, {"surfaceChart", ChartFamily::Surface}, {"surface3DChart", ChartFamily::Surface},
        {"stockChart", ChartFamily::Stock}};
    for (const auto& [plot, family] : kPlots)
        if (name == QLatin1String(plot)) {
            t.family = family;
            t.threeD = name.contains(QLatin1String("3D"));
            return true;
        }
    return false;
}

// The type of the table that matches what the part says, the family's first when none does.
int matchingType(const ChartTypeInfo& seen)
{
    const ChartTypeInfo* fallback = nullptr;
    for (const ChartTypeInfo& t : chartTypes()) {
        if (t.family != seen.family)
            continue;
        if (!fallback)
            fallback = &t;
        if (t.grouping == seen.grouping && t.threeD == seen.threeD && t.shape == seen.shape && t.markers == seen.markers &&
            t.lines == seen.lines && t.smooth == seen.smooth && t.exploded == seen.exploded && t.variant == seen.variant)
            return t.value;
    }
    return fallback ? fallback->value : 51;
}

Grouping groupingOf(QStringView v, const ChartTypeInfo& seen)
{
    if (v == QLatin1String("clustered"))
        return Grouping::Clustered;
    if (v == QLatin1String("stacked"))
        return Grouping::Stacked;
    if (v == QLatin1String("percentStacked"))
        return Grouping::PercentStacked;
    // Flat bars are always side by side; 3-D ones may stand in depth instead.
    const bool bars = seen.family == ChartFamily::Column || seen.family == ChartFamily::Bar;
    return bars && !seen.threeD ? Grouping::Clustered : Grouping::Standard;
}

}  // namespace

std::optional<ChartModel> readChartPart(const QByteArray& xml)
{
    QXmlStreamReader x(xml);
    const QLatin1String c(kChartNamespace);
    ChartModel chart;
    ChartTypeInfo seen{51, ChartFamily::Column};
    bool plot = false, inPlot = false, inSeries = false, inTitle = false, inValueAxis = false, inTx = false;
    int depthOfPlot = 0, depth = 0;
    QString title, axisTitle, axisTitleOfThisAxis;
    QString part;  // "cat", "val", "xVal", "yVal" while inside one
    std::vector<DataSeries> series;
    QStringList categories;
    QStringList points;
    std::vector<std::optional<double>> numbers;
    int pointIndex = -1;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isEndElement()) {
            const auto n = x.name();
            --depth;
            if (inPlot && depth < depthOfPlot) {
                inPlot = false;
            } else if (n == QLatin1String("ser") && inSeries) {
                inSeries = false;
            } else if (n == QLatin1String("title") && inTitle) {
                inTitle = false;
            } else if (n == QLatin1String("valAx")) {
                if (!axisTitleOfThisAxis.isEmpty())
                    axisTitle = axisTitleOfThisAxis;
                inValueAxis = false;
            } else if (n == QLatin1String("tx") && inTx) {
                inTx = false;
            } else if (!part.isEmpty() && n == part) {
                if (part == QLatin1String("cat") || part == QLatin1String("xVal")) {
                    if (series.size() == 1)
                        categories = points;
                } else if (!series.empty()) {
                    series.back().values = numbers;
                }
                part.clear();
            }
            continue;
        }
        if (!x.isStartElement())
            continue;
        ++depth;
        const auto n = x.name();
        const auto a = x.attributes();
        const QString val = a.value(QStringLiteral("val")).toString();
        if (x.namespaceUri() == c && !plot && plotFamily(n, seen)) {
            plot = inPlot = true;
            depthOfPlot = depth;
            if (n == QLatin1String("ofPieChart"))
                seen.variant = 1;
            if (n == QLatin1String("surfaceChart"))
                seen.variant = 1;
            if (n == QLatin1String("stockChart")) {
                seen.variant = 3;
                seen.markers = true;
            }
            continue;
        }
        if (n == QLatin1String("title") && (depth == 3 || inValueAxis)) {
            // The chart's own title stands right in c:chart; of the axes' only the value axis's is kept.
            inTitle = true;
            if (!inValueAxis)
                chart.hasTitle = true;
            else
                chart.valueAxisHasTitle = true;
        } else if (n == QLatin1String("valAx")) {
            inValueAxis = true;
            axisTitleOfThisAxis.clear();
        } else if (n == QLatin1String("t") && inTitle) {
            (inValueAxis ? axisTitleOfThisAxis : title) += x.readElementText();
            --depth;
        } else if (n == QLatin1String("defRPr") && !inTitle && !inPlot && a.hasAttribute(QStringLiteral("sz"))) {
            chart.fontSize = a.value(QStringLiteral("sz")).toDouble() / 100;
        } else if (n == QLatin1String("defRPr") && inTitle && !inValueAxis && a.hasAttribute(QStringLiteral("sz"))) {
            chart.titleFontSize = a.value(QStringLiteral("sz")).toDouble() / 100;
        } else if (inPlot && n == QLatin1String("barDir")) {
            seen.family = val == QLatin1String("bar") ? ChartFamily::Bar : ChartFamily::Column;
        } else if (inPlot && n == QLatin1String("grouping")) {
            seen.grouping = groupingOf(val, seen);
        } else if (inPlot && n == QLatin1String("shape") && !inSeries) {
            seen.shape = val == QLatin1String("cone") ? BarShape::Cone : val == QLatin1String("cylinder") ? BarShape::Cylinder
                       : val == QLatin1String("pyramid") ? BarShape::Pyramid : BarShape::Box;
        } else if (inPlot && n == QLatin1String("ofPieType")) {
            seen.variant = val == QLatin1String("bar") ? 1 : 2;
        } else if (inPlot && n == QLatin1String("radarStyle")) {
            seen.variant = val == QLatin1String("filled") ? 1 : 0;
            seen.markers = val == QLatin1String("marker");
        } else if (inPlot && n == QLatin1String("scatterStyle")) {
            seen.smooth = val.startsWith(QLatin1String("smooth"));
            seen.lines = val != QLatin1String("marker");
            seen.markers = val == QLatin1String("marker") || val.endsWith(QLatin1String("Marker"));
        } else if (inPlot && n == QLatin1String("wireframe")) {
            seen.lines = val != QLatin1String("1");
        } else if (inPlot && n == QLatin1String("hiLowLines") && seen.family == ChartFamily::Line) {
            seen.family = ChartFamily::Stock;
            seen.variant = 3;
        } else if (inPlot && n == QLatin1String("bubble3D") && !inSeries) {
            seen.threeD = val == QLatin1String("1");
        } else if (inPlot && n == QLatin1String("ser")) {
            inSeries = true;
            series.emplace_back();
        } else if (inSeries && n == QLatin1String("tx") && part.isEmpty()) {
            inTx = true;
        } else if (inSeries && inTx && n == QLatin1String("v")) {
            series.back().name = x.readElementText();
            --depth;
        } else if (inSeries && n == QLatin1String("explosion")) {
            seen.exploded = val.toInt() > 0;
        } else if (inSeries && n == QLatin1String("symbol") && seen.family == ChartFamily::Line) {
            seen.markers = val != QLatin1String("none");
        } else if (inSeries && (n == QLatin1String("cat") || n == QLatin1String("val") || n == QLatin1String("xVal") ||
                                n == QLatin1String("yVal"))) {
            part = n.toString();
            points.clear();
            numbers.clear();
        } else if (!part.isEmpty() && n == QLatin1String("ptCount")) {
            const int count = val.toInt();
            points = QStringList(count, QString());
            numbers.assign(static_cast<std::size_t>(std::max(0, count)), std::nullopt);
        } else if (!part.isEmpty() && n == QLatin1String("pt")) {
            pointIndex = a.value(QStringLiteral("idx")).toInt();
        } else if (!part.isEmpty() && n == QLatin1String("v") && pointIndex >= 0) {
            const QString v = x.readElementText();
            --depth;
            if (pointIndex < points.size()) {
                points[pointIndex] = v;
                bool ok = false;
                const double d = v.toDouble(&ok);
                numbers[static_cast<std::size_t>(pointIndex)] = ok ? std::optional<double>(d) : std::nullopt;
            }
            pointIndex = -1;
        }
    }
    if (x.hasError() || !plot)
        return std::nullopt;
    chart.chartType = matchingType(seen);
    chart.title = title;
    chart.valueAxisTitle = axisTitle;
    chart.autoScaleFont = false;
    for (int i = 0; i < categories.size(); ++i)
        chart.sheet.setValue(1, i + 2, categories[i]);
    for (std::size_t s = 0; s < series.size(); ++s) {
        const int row = static_cast<int>(s) + 2;
        chart.sheet.setValue(row, 1, series[s].name);
        for (std::size_t i = 0; i < series[s].values.size(); ++i)
            if (series[s].values[i])
                chart.sheet.setValue(row, static_cast<int>(i) + 2, *series[s].values[i]);
    }
    return chart;
}

QByteArray chartPartXml(const ChartModel& chart)
{
    QByteArray out;
    ChartWriter writer(chart, &out);
    writer.write();
    return writer.failed() ? QByteArray() : out;
}

}  // namespace tovu::platform::graph
