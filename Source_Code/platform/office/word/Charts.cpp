#include "platform/office/word/Charts.h"

#include "platform/office/word/Document.h"
#include "platform/office/word/Shapes.h"

namespace tovu::platform::word {

namespace {

FloatingChart& chartObject(const StatePtr& state, int object, const char* operation)
{
    auto* chart = state->model->objectAs<FloatingChart>(object);
    if (!chart)
        throw WordError(QLatin1String(operation), QStringLiteral("the chart object has been deleted"));
    return *chart;
}

void requireEditing(const std::shared_ptr<bool>& editing, const char* operation)
{
    if (!*editing)
        throw WordError(QLatin1String(operation), QStringLiteral("the chart's editing session has ended"));
}

}  // namespace

ChartDataSheet::ChartDataSheet(StatePtr state, int object, std::shared_ptr<bool> editing)
    : state_(std::move(state)), object_(object), editing_(std::move(editing))
{
}

FloatingChart& ChartDataSheet::get(const char* operation) const
{
    state_->enter(QLatin1String(operation));
    requireEditing(editing_, operation);
    return chartObject(state_, object_, operation);
}

void ChartDataSheet::clearCells()
{
    get("DataSheet.Cells.Clear").chart.sheet.clear();
    state_->touch();
}

void ChartDataSheet::setCell(int row, int column, const QVariant& value)
{
    FloatingChart& chart = get("DataSheet.Cells.Value");
    // The sheet has 4000 rows and 4000 columns, numbered from 1.
    if (row < 1 || column < 1 || row > 4000 || column > 4000)
        throw WordError(QStringLiteral("DataSheet.Cells.Value"), QStringLiteral("the cell is outside the data sheet"));
    chart.chart.sheet.setValue(row, column, value);
    state_->touch();
}

QVariant ChartDataSheet::cell(int row, int column) const
{
    return get("DataSheet.Cells").chart.sheet.value(row, column);
}

GraphChart::GraphChart(StatePtr state, int object)
    : state_(std::move(state)), object_(object), editing_(std::make_shared<bool>(true))
{
}

FloatingChart& GraphChart::get(const char* operation) const
{
    state_->enter(QLatin1String(operation));
    requireEditing(editing_, operation);
    return chartObject(state_, object_, operation);
}

void GraphChart::setChartAreaFontSize(double points)
{
    if (points < 1 || points > 1638)
        throw WordError(QStringLiteral("Chart.ChartArea.Font.Size"), QStringLiteral("the font size is out of range"));
    get("Chart.ChartArea.Font.Size").chart.fontSize = points;
    state_->touch();
}

void GraphChart::setAutoScaleFont(bool on)
{
    get("Chart.ChartArea.AutoScaleFont").chart.autoScaleFont = on;
    state_->touch();
}

void GraphChart::setChartType(int type)
{
    FloatingChart& chart = get("Chart.ChartType");
    if (!graph::chartTypeInfo(type))
        throw WordError(QStringLiteral("Chart.ChartType"), QStringLiteral("%1 is not a chart type").arg(type));
    chart.chart.chartType = type;
    state_->touch();
}

int GraphChart::chartType() const { return get("Chart.ChartType").chart.chartType; }

void GraphChart::setHasTitle(bool on)
{
    get("Chart.HasTitle").chart.hasTitle = on;
    state_->touch();
}

bool GraphChart::hasTitle() const { return get("Chart.HasTitle").chart.hasTitle; }

void GraphChart::setTitleText(const QString& text)
{
    FloatingChart& chart = get("Chart.ChartTitle.Text");
    if (!chart.chart.hasTitle)
        throw WordError(QStringLiteral("Chart.ChartTitle.Text"), QStringLiteral("the chart has no title"));
    chart.chart.title = text;
    state_->touch();
}

void GraphChart::setTitleFontSize(double points)
{
    if (points < 1 || points > 1638)
        throw WordError(QStringLiteral("Chart.ChartTitle.Font.Size"), QStringLiteral("the font size is out of range"));
    get("Chart.ChartTitle.Font.Size").chart.titleFontSize = points;
    state_->touch();
}

void GraphChart::setValueAxisHasTitle(bool on)
{
    get("Chart.Axes.HasTitle").chart.valueAxisHasTitle = on;
    state_->touch();
}

void GraphChart::setValueAxisTitle(const QString& caption)
{
    FloatingChart& chart = get("Chart.Axes.AxisTitle.Caption");
    if (!chart.chart.valueAxisHasTitle)
        throw WordError(QStringLiteral("Chart.Axes.AxisTitle.Caption"), QStringLiteral("the axis has no title"));
    chart.chart.valueAxisTitle = caption;
    state_->touch();
}

ChartDataSheet GraphChart::dataSheet() const
{
    get("Chart.Application.DataSheet");
    return ChartDataSheet(state_, object_, editing_);
}

void GraphChart::update() { get("Chart.Application.Update"); }

void GraphChart::quit()
{
    get("Chart.Application.Quit");
    *editing_ = false;
}

const graph::ChartModel& GraphChart::model() const { return chartObject(state_, object_, "Chart").chart; }

double ChartShape::left() const { return chart().left; }
double ChartShape::top() const { return chart().top; }
double ChartShape::width() const { return chart().width; }
double ChartShape::height() const { return chart().height; }
const FloatingChart& ChartShape::chart() const { return chartObject(state_, object_, "Shape"); }

GraphChart ChartShape::object() const
{
    state_->enter(QStringLiteral("Shape.OLEFormat.Object"));
    chartObject(state_, object_, "Shape.OLEFormat.Object");
    return GraphChart(state_, object_);
}

ChartShape addOLEObject(Document& document, const QString& classType, bool displayAsIcon, const Range& anchor,
                        double left, double top, double width, double height)
{
    const StatePtr& state = document.state();
    state->enter(QStringLiteral("Shapes.AddOLEObject"), classType);
    if (classType.compare(QLatin1String(kChartClassType), Qt::CaseInsensitive) != 0)
        throw WordError(QStringLiteral("Shapes.AddOLEObject"),
                        QStringLiteral("the object class \"%1\" is not installed").arg(classType));
    if (displayAsIcon)
        throw WordError(QStringLiteral("Shapes.AddOLEObject"), QStringLiteral("objects cannot be shown as icons here"));
    if (width <= 0 || height <= 0)
        throw WordError(QStringLiteral("Shapes.AddOLEObject"), QStringLiteral("the object needs a size"));
    Story& body = state->model->body;
    if (&anchor.story() != &body)
        throw WordError(QStringLiteral("Shapes.AddOLEObject"), QStringLiteral("objects go in the main text only"));
    FloatingChart chart{graph::ChartModel::withSampleData(), left, top, width, height};
    const int pos = std::min(anchor.start(), body.length() - 1);
    const int object = state->model->addObject(std::move(chart));
    body.insertObject(pos, object, body.at(pos).font);
    return ChartShape(state, object);
}

std::vector<ChartShape> chartShapes(const Document& document)
{
    std::vector<ChartShape> out;
    for (const auto& [pos, object] : objectPositions<FloatingChart>(*document.state()))
        out.emplace_back(document.state(), object);
    return out;
}

}  // namespace tovu::platform::word
