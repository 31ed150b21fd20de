#pragma once

#include "platform/office/graph/ChartModel.h"

namespace tovu::platform::word {

// A chart object floating over the text, placed like a floating picture: relative to the
// column (left) and to the paragraph that anchors it (top), in points.
struct FloatingChart {
    graph::ChartModel chart;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

}  // namespace tovu::platform::word
