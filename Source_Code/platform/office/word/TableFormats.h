#pragma once

#include "platform/office/word/TableModel.h"

namespace tovu::platform::word {

// Word's table formats 1 to 42 (0 is none): each is a look of its own, applied by
// applyTableFormat (TableModel.h) as direct formatting of the table and its cells.
constexpr int kTableFormatCount = 43;

// The text format of a cell as it is shown: its font with the look's emphasis and colour.
CharFormat cellRunFormat(const TableCell& cell);

// Ruled without a format: borders on, but no line of the table's and no cell edge set.
bool hasPlainBorders(const TableModel& table);
// The table's own lines as drawn: none without borders; single lines everywhere for a
// table ruled without a format (no line and no cell edge set); else its format's lines.
TableBorders drawnTableLines(const TableModel& table);

// The four lines drawn around a cell: its own edge lines, else the neighbour's facing edge,
// else the table's frame or inside line; all none for a table without borders.
CellBorders drawnCellBorders(const TableModel& table, int row, int column);

}  // namespace tovu::platform::word
