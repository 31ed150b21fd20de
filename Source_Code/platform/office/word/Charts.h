#pragma once

#include "platform/office/word/Range.h"

#include <QVariant>

namespace tovu::platform::word {

class Document;

// The class of the chart objects a document can embed.
inline constexpr const char* kChartClassType = "MSGraph.Chart";

// The data sheet of a chart being edited. Cells are numbered from 1.
class ChartDataSheet {
public:
    ChartDataSheet(StatePtr state, int object, std::shared_ptr<bool> editing);
    void clearCells();                                            // Cells.Clear
    void setCell(int row, int column, const QVariant& value);     // Cells(row, column).Value
    QVariant cell(int row, int column) const;

private:
    FloatingChart& get(const char* operation) const;
    StatePtr state_;
    int object_;
    std::shared_ptr<bool> editing_;
};

// The chart inside a chart shape (OLEFormat.Object), open for editing until quit() ends
// the chart's session; then every call fails, as on a server that has gone.
class GraphChart {
public:
    GraphChart(StatePtr state, int object);

    void setChartAreaFontSize(double points);          // ChartArea.Font.Size
    void setAutoScaleFont(bool on);                    // ChartArea.AutoScaleFont
    void setChartType(int type);                       // ChartType; an unknown number fails
    int chartType() const;
    void setHasTitle(bool on);                         // HasTitle
    bool hasTitle() const;
    void setTitleText(const QString& text);            // ChartTitle.Text; fails without a title
    void setTitleFontSize(double points);              // ChartTitle.Font.Size, kept for a later title
    void setValueAxisHasTitle(bool on);                // Axes(2).HasTitle
    void setValueAxisTitle(const QString& caption);    // Axes(2).AxisTitle.Caption; fails without one
    ChartDataSheet dataSheet() const;                  // Application.DataSheet
    void update();                                     // Application.Update
    void quit();                                       // Application.Quit
    bool editing() const { return *editing_; }
    const graph::ChartModel& model() const;

private:
    FloatingChart& get(const char* operation) const;
    StatePtr state_;
    int object_;
    std::shared_ptr<bool> editing_;
};

// A chart object floating over the text.
class ChartShape {
public:
    ChartShape(StatePtr state, int object) : state_(std::move(state)), object_(object) {}
    double left() const;
    double top() const;
    double width() const;
    double height() const;
    // The embedded object, opened for editing (OLEFormat.Object).
    GraphChart object() const;
    const FloatingChart& chart() const;

private:
    StatePtr state_;
    int object_;
};

// Shapes.AddOLEObject: embeds a new object of classType, anchored at the anchor's paragraph,
// at left and top (from the column and the paragraph) with the given size in points. Only
// the chart class is installed here; a new chart holds sample data until it is filled.
ChartShape addOLEObject(Document& document, const QString& classType, bool displayAsIcon, const Range& anchor,
                        double left, double top, double width, double height);

// The chart objects of the main text, in text order.
std::vector<ChartShape> chartShapes(const Document& document);

}  // namespace tovu::platform::word
