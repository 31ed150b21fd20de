#pragma once

#include "platform/office/graph/ChartModel.h"

#include <QByteArray>
#include <optional>

namespace tovu::platform::graph {

inline constexpr const char* kChartNamespace = "http://schemas.openxmlformats.org/drawingml/2006/chart";
inline constexpr const char* kChartContentType = "application/vnd.openxmlformats-officedocument.drawingml.chart+xml";
inline constexpr const char* kChartRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chart";

// The chart as a DrawingML chart part (c:chartSpace). The data travel as literal values in
// the series, so the part stands alone, without a workbook behind it. Texts XML cannot
// carry are filtered (zip::xmlText); empty when the part could not be written.
QByteArray chartPartXml(const ChartModel& chart);

// A chart part read back: the plot's type, the titles, the chart's font size and the
// series' data (literal values or the cached values of a workbook's cells) in a data sheet.
// None when the part is damaged or holds no plot this model draws.
std::optional<ChartModel> readChartPart(const QByteArray& xml);

}  // namespace tovu::platform::graph
