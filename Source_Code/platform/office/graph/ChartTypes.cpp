#include "platform/office/graph/ChartTypes.h"

namespace tovu::platform::graph {

namespace {

using F = ChartFamily;
using G = Grouping;
using S = BarShape;

ChartTypeInfo bar(int value, F family, G grouping, bool threeD = false, S shape = S::Box)
{
    return ChartTypeInfo{value, family, grouping, threeD, shape};
}
ChartTypeInfo line(int value, G grouping, bool markers, bool threeD = false)
{
    ChartTypeInfo t{value, F::Line, grouping, threeD};
    t.markers = markers;
    return t;
}
ChartTypeInfo pie(int value, F family, bool threeD, bool exploded, int variant = 0)
{
    ChartTypeInfo t{value, family, G::Standard, threeD};
    t.exploded = exploded;
    t.variant = variant;
    return t;
}
ChartTypeInfo scatter(int value, bool markers, bool lines, bool smooth)
{
    ChartTypeInfo t{value, F::Scatter};
    t.markers = markers;
    t.lines = lines;
    t.smooth = smooth;
    return t;
}
ChartTypeInfo other(int value, F family, int variant = 0, bool markers = false, bool threeD = false, bool lines = true)
{
    ChartTypeInfo t{value, family, G::Standard, threeD};
    t.variant = variant;
    t.markers = markers;
    t.lines = lines;
    return t;
}

std::vector<ChartTypeInfo> buildTypes()
{
    return {
        bar(-4098, F::Area, G::Standard, true),                 // 3-D area
        bar(78, F::Area, G::Stacked, true),
        bar(79, F::Area, G::PercentStacked, true),
        bar(60, F::Bar, G::Clustered, true),
        bar(61, F::Bar, G::Stacked, true),
        bar(62, F::Bar, G::PercentStacked, true),
        bar(-4100, F::Column, G::Standard, true),               // 3-D column, series in depth
        bar(54, F::Column, G::Clustered, true),
        bar(55, F::Column, G::Stacked, true),
        bar(56, F::Column, G::PercentStacked, true),
        line(-4101, G::Standard, false, true),                  // 3-D line
        pie(-4102, F::Pie, true, false),
        pie(70, F::Pie, true, true),
        bar(1, F::Area, G::Standard),
        bar(76, F::Area, G::Stacked),
        bar(77, F::Area, G::PercentStacked),
        bar(57, F::Bar, G::Clustered),
        pie(71, F::Pie, false, false, 1),                       // bar of pie
        bar(58, F::Bar, G::Stacked),
        bar(59, F::Bar, G::PercentStacked),
        other(15, F::Bubble),
        other(87, F::Bubble, 0, false, true),
        bar(51, F::Column, G::Clustered),
        bar(52, F::Column, G::Stacked),
        bar(53, F::Column, G::PercentStacked),
        bar(102, F::Bar, G::Clustered, true, S::Cone),
        bar(103, F::Bar, G::Stacked, true, S::Cone),
        bar(104, F::Bar, G::PercentStacked, true, S::Cone),
        bar(105, F::Column, G::Standard, true, S::Cone),
        bar(99, F::Column, G::Clustered, true, S::Cone),
        bar(100, F::Column, G::Stacked, true, S::Cone),
        bar(101, F::Column, G::PercentStacked, true, S::Cone),
        bar(95, F::Bar, G::Clustered, true, S::Cylinder),
        bar(96, F::Bar, G::Stacked, true, S::Cylinder),
        bar(97, F::Bar, G::PercentStacked, true, S::Cylinder),
        bar(98, F::Column, G::Standard, true, S::Cylinder),
        bar(92, F::Column, G::Clustered, true, S::Cylinder),
        bar(93, F::Column, G::Stacked, true, S::Cylinder),
        bar(94, F::Column, G::PercentStacked, true, S::Cylinder),
        pie(-4120, F::Doughnut, false, false),
        pie(80, F::Doughnut, false, true),
        line(4, G::Standard, false),
        line(65, G::Standard, true),
        line(66, G::Stacked, true),
        line(67, G::PercentStacked, true),
        line(63, G::Stacked, false),
        line(64, G::PercentStacked, false),
        pie(5, F::Pie, false, false),
        pie(69, F::Pie, false, true),
        pie(68, F::Pie, false, false, 2),                       // pie of pie
        bar(109, F::Bar, G::Clustered, true, S::Pyramid),
        bar(110, F::Bar, G::Stacked, true, S::Pyramid),
        bar(111, F::Bar, G::PercentStacked, true, S::Pyramid),
        bar(112, F::Column, G::Standard, true, S::Pyramid),
        bar(106, F::Column, G::Clustered, true, S::Pyramid),
        bar(107, F::Column, G::Stacked, true, S::Pyramid),
        bar(108, F::Column, G::PercentStacked, true, S::Pyramid),
        other(-4151, F::Radar),
        other(82, F::Radar, 1),
        other(81, F::Radar, 0, true),
        other(88, F::Stock, 3, true),                           // high, low, close
        other(89, F::Stock, 4, true),                           // open, high, low, close
        other(90, F::Stock, 4, true),                           // volume, high, low, close
        other(91, F::Stock, 5, true),                           // volume, open, high, low, close
        other(83, F::Surface, 0, false, true),
        other(85, F::Surface, 1),
        other(86, F::Surface, 1, false, false, false),
        other(84, F::Surface, 0, false, true, false),
        scatter(-4169, true, false, false),
        scatter(74, true, true, false),
        scatter(75, false, true, false),
        scatter(72, true, true, true),
        scatter(73, false, true, true),
    };
}

}  // namespace

const std::vector<ChartTypeInfo>& chartTypes()
{
    static const std::vector<ChartTypeInfo> types = buildTypes();
    return types;
}

const ChartTypeInfo* chartTypeInfo(int value)
{
    for (const ChartTypeInfo& t : chartTypes())
        if (t.value == value)
            return &t;
    return nullptr;
}

}  // namespace tovu::platform::graph
