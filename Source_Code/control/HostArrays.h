// The host's grids and list views copied into two-dimensional arrays (lower bounds 0, first
// index the row, second the column), read by member name as the table and array methods
// read them. Each raises on a member that fails and on a source that gives no cells.
#pragma once

#include "platform/automation/SafeArray.h"

#include <cstdint>

namespace tovu::control {

namespace automation = tovu::platform::automation;

// An array of rows x columns from 0; raises "Subscript out of range" for no rows or no
// columns, as a dimension cannot be sized to nothing.
automation::SafeArray sizedArray(std::int64_t rows, std::int64_t columns);

// Rows lngStartRow..endRow, columns startCol..endCol of a flex grid, read cell by cell from
// "Textarray"; an end of 0 means the grid's last row or column.
automation::SafeArray flexGridArray(const automation::DispatchRef& fg, std::int32_t startRow, std::int32_t startCol,
                                    std::int32_t endRow, std::int32_t endCol);
// The items of a list view (only the selected ones when asked) with their sub-items, under a
// row of column headers when asked.
automation::SafeArray listViewArray(const automation::DispatchRef& lv, bool selectedOnly, bool headings);
// The records of a data grid, under a row of column captions when asked.
automation::SafeArray dataGridArray(const automation::DispatchRef& dg, bool headings);

} // namespace tovu::control
