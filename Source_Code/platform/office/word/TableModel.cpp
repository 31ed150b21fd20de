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

}  // namespace tovu::platform::word
