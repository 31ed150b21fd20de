#include "app/reports/SettingsGridFlexGrid.h"

namespace tovu::reports {

namespace {
const QString kName = QStringLiteral("GridSettings");
}

SettingsGridFlexGrid::SettingsGridFlexGrid(const display::SettingsGridModel& grid, int gridWidthTwips)
    : grid_(grid)
    , widthTwips_(gridWidthTwips)
{
}

int SettingsGridFlexGrid::colWidth(int col) const
{
    return display::SettingsGridModel::columnWidthTwips(col, widthTwips_);
}

void SettingsGridFlexGrid::setRows(int) { platform::controls::raiseReadOnly(kName); }
void SettingsGridFlexGrid::setCols(int) { platform::controls::raiseReadOnly(kName); }
void SettingsGridFlexGrid::setTextMatrix(int, int, const QString&) { platform::controls::raiseReadOnly(kName); }
void SettingsGridFlexGrid::setColWidth(int, int) { platform::controls::raiseReadOnly(kName); }

} // namespace tovu::reports
