#include "platform/office/graph/ChartModel.h"

#include <algorithm>

namespace tovu::platform::graph {

void DataSheet::setValue(int row, int column, const QVariant& value)
{
    const auto key = std::make_pair(row, column);
    if (!value.isValid() || value.isNull())
        cells_.erase(key);
    else
        cells_[key] = value;
}

QVariant DataSheet::value(int row, int column) const
{
    const auto it = cells_.find(std::make_pair(row, column));
    return it == cells_.end() ? QVariant() : it->second;
}

int DataSheet::rowCount() const
{
    int last = 0;
    for (const auto& [key, v] : cells_)
        last = std::max(last, key.first);
    return last;
}

int DataSheet::columnCount() const
{
    int last = 0;
    for (const auto& [key, v] : cells_)
        last = std::max(last, key.second);
    return last;
}

ChartModel ChartModel::withSampleData()
{
    ChartModel chart;
    const QStringList columns = {QStringLiteral("Category 1"), QStringLiteral("Category 2"),
                                 QStringLiteral("Category 3"), QStringLiteral("Category 4")};
    const QStringList rows = {QStringLiteral("Series 1"), QStringLiteral("Series 2"), QStringLiteral("Series 3")};
    for (int c = 0; c < columns.size(); ++c)
        chart.sheet.setValue(1, c + 2, columns[c]);
    for (int r = 0; r < rows.size(); ++r) {
        chart.sheet.setValue(r + 2, 1, rows[r]);
        for (int c = 0; c < columns.size(); ++c)
            chart.sheet.setValue(r + 2, c + 2, 10.0 * (r + 1) + 5.0 * c);
    }
    return chart;
}

const ChartTypeInfo& ChartModel::typeInfo() const
{
    const ChartTypeInfo* info = chartTypeInfo(chartType);
    return info ? *info : *chartTypeInfo(51);
}

QStringList ChartModel::categories() const
{
    QStringList out;
    for (int c = 2; c <= sheet.columnCount(); ++c)
        out << sheet.value(1, c).toString();
    return out;
}

std::vector<DataSeries> ChartModel::series() const
{
    std::vector<DataSeries> out;
    const int columns = sheet.columnCount();
    for (int r = 2; r <= sheet.rowCount(); ++r) {
        DataSeries s;
        s.name = sheet.value(r, 1).toString();
        bool any = !s.name.isEmpty();
        for (int c = 2; c <= columns; ++c) {
            s.values.push_back(numberOf(sheet.value(r, c)));
            any = any || sheet.value(r, c).isValid();
        }
        // A row left empty between series is no series.
        if (any)
            out.push_back(std::move(s));
    }
    return out;
}

std::optional<double> numberOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return value.toDouble();
    case QMetaType::QString: {
        bool ok = false;
        const double d = value.toString().trimmed().toDouble(&ok);
        return ok ? std::optional<double>(d) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

}  // namespace tovu::platform::graph
