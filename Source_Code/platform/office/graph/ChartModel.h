#pragma once

#include "platform/office/graph/ChartTypes.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace tovu::platform::graph {

// The chart's data sheet. Cells are numbered from 1; row 1 holds the column labels and
// column 1 the row labels. Each row below the labels is one data series, each column
// right of them one category.
class DataSheet {
public:
    void clear() { cells_.clear(); }
    // An empty value (a null QVariant) empties the cell.
    void setValue(int row, int column, const QVariant& value);
    QVariant value(int row, int column) const;
    int rowCount() const;     // the last row holding a value, 0 when empty
    int columnCount() const;  // the last column holding a value
    bool isEmpty() const { return cells_.empty(); }
    bool operator==(const DataSheet&) const = default;

private:
    std::map<std::pair<int, int>, QVariant> cells_;
};

struct DataSeries {
    QString name;
    std::vector<std::optional<double>> values;  // one per category; none where the cell is not a number
};

// A chart as the engine keeps it: its type, titles, fonts and data sheet.
struct ChartModel {
    int chartType = 51;  // clustered columns
    double fontSize = 10;
    bool autoScaleFont = true;
    bool hasTitle = false;
    QString title;
    double titleFontSize = 12;
    bool valueAxisHasTitle = false;
    QString valueAxisTitle;
    DataSheet sheet;

    // A new chart's sheet: three series over four categories, to be replaced by the caller.
    static ChartModel withSampleData();

    const ChartTypeInfo& typeInfo() const;  // the clustered columns for an unknown number
    QStringList categories() const;
    std::vector<DataSeries> series() const;
};

// A cell's value as a number: numbers as they are, Booleans as 1 and 0 are not taken, a
// text only when it is all a number (point as decimal sign).
std::optional<double> numberOf(const QVariant& value);

}  // namespace tovu::platform::graph
