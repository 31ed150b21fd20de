#pragma once

#include <vector>

namespace tovu::platform::graph {

// The kinds of plot a chart type draws, as the DrawingML chart part names them.
enum class ChartFamily { Column, Bar, Line, Area, Pie, Doughnut, Radar, Scatter, Bubble, Stock, Surface };
enum class Grouping { Standard, Clustered, Stacked, PercentStacked };
enum class BarShape { Box, Cone, Cylinder, Pyramid };

// One chart type of the chart engine, by its number (the XlChartType values).
struct ChartTypeInfo {
    int value;
    ChartFamily family;
    Grouping grouping = Grouping::Standard;
    bool threeD = false;
    BarShape shape = BarShape::Box;
    bool markers = false;   // line, radar and scatter points drawn as markers
    bool lines = true;      // scatter: points joined; surface: filled (false = wireframe)
    bool smooth = false;    // scatter lines smoothed
    bool exploded = false;  // pie and doughnut slices pulled apart
    int variant = 0;        // pie: 1 bar of pie, 2 pie of pie; radar: 1 filled; stock: series count;
                            // surface: 1 seen from the top
};

// The type numbered value; null for a number that names no chart type.
const ChartTypeInfo* chartTypeInfo(int value);
// Every chart type, in the engine's order of names.
const std::vector<ChartTypeInfo>& chartTypes();

}  // namespace tovu::platform::graph
