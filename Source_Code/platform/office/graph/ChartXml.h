#pragma once

#include "platform/office/graph/ChartModel.h"

#include <QByteArray>

namespace tovu::platform::graph {

inline constexpr const char* kChartNamespace = "http://schemas.openxmlformats.org/drawingml/2006/chart";
inline constexpr const char* kChartContentType = "application/vnd.openxmlformats-officedocument.drawingml.chart+xml";
inline constexpr const char* kChartRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chart";

// The chart as a DrawingML chart part (c:chartSpace). The data travel as literal values in
// the series, so the part stands alone, without a workbook behind it.
QByteArray chartPartXml(const ChartModel& chart);

}  // namespace tovu::platform::graph
