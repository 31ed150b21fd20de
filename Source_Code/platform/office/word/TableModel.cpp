#include "platform/office/word/TableModel.h"

namespace tovu::platform::word {

void TableModel::resize(int newRows, int newColumns)
{
    std::vector<TableCell> next(static_cast<std::size_t>(newRows * newColumns));
    for (int r = 0; r < std::min(rows, newRows); ++r)
        for (int c = 0; c < std::min(columns, newColumns); ++c)
            next[static_cast<std::size_t>(r * newColumns + c)] = cell(r, c);
    rows = newRows;
    columns = newColumns;
    cells = std::move(next);
}

void applyTableFormat(TableModel& table, const TableFormatOptions& o)
{
    table.format = o.format;
    table.autoFit = o.autoFit;
    if (o.format <= 0)
        return;
    constexpr std::int32_t kHeadingShade = 0xD9D9D9;  // light grey, same in every byte order
    table.borders = o.borders;
    if (o.headingRows && table.rows > 0)
        table.headingRows = 1;
    for (int r = 0; r < table.rows; ++r)
        for (int c = 0; c < table.columns; ++c) {
            TableCell& cell = table.cell(r, c);
            const bool heading = o.headingRows && r == 0;
            const bool lastRow = o.lastRow && r == table.rows - 1 && r > 0;
            const bool firstCol = o.firstColumn && c == 0;
            const bool lastCol = o.lastColumn && c == table.columns - 1 && c > 0;
            if (o.font && (heading || lastRow || firstCol || lastCol))
                cell.bold = true;
            if (o.shading && heading)
                cell.shading = kHeadingShade;
        }
}

}  // namespace tovu::platform::word
