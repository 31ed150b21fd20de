#pragma once

#include "platform/office/graph/ChartModel.h"

#include <QImage>
#include <QRectF>

class QPainter;

namespace tovu::platform::graph {

// Draws the chart into target (in the painter's units, taken as points): title, plot,
// value-axis title and legend. Three-dimensional types are drawn flat, cones, cylinders
// and pyramids as bars.
void paintChart(QPainter& painter, const QRectF& target, const ChartModel& chart);

// The chart drawn on a white image of the given size in pixels, at scale pixels per point.
QImage renderChart(const ChartModel& chart, const QSize& pixels, double scale);

}  // namespace tovu::platform::graph
