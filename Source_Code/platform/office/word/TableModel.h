#pragma once

#include "platform/office/word/Formats.h"

#include <QString>
#include <vector>

namespace tovu::platform::word {

struct TableCell {
    QString text;  // paragraphs separated by '\r'
    CharFormat font;
    ParaFormat para;
    bool bold = false;                     // emphasis from the table's look, on top of font
    std::int32_t shading = kColorAutomatic;  // cell background, automatic = none
};

// A table held as one block of the text. Its look is stored as direct formatting
// (borders, shading, emphasis) so that every reader of the file sees the same.
struct TableModel {
    int rows = 0;
    int columns = 0;
    std::vector<TableCell> cells;  // row-major

    bool borders = false;
    int headingRows = 0;    // rows repeated at the top of every page
    bool autoFit = false;   // columns sized to their contents
    double columnWidth = 0; // points; 0 shares the text width
    int format = 0;         // the table format it was converted with (0 = none)

    TableCell& cell(int row, int column) { return cells.at(static_cast<std::size_t>(row * columns + column)); }
    const TableCell& cell(int row, int column) const { return cells.at(static_cast<std::size_t>(row * columns + column)); }
    void resize(int newRows, int newColumns);
};

// Which parts of a table format are applied, as the callers of ConvertToTable pass them.
struct TableFormatOptions {
    int format = 0;
    bool borders = true;
    bool shading = true;
    bool font = true;
    bool color = true;
    bool headingRows = true;
    bool lastRow = true;
    bool firstColumn = true;
    bool lastColumn = true;
    bool autoFit = true;
};

// Applies a table format's look as direct formatting: format 0 leaves the table plain;
// every other format gives ruled cells, a shaded bold heading row and an emphasised first
// column, each only where its option is on.
void applyTableFormat(TableModel& table, const TableFormatOptions& options);

}  // namespace tovu::platform::word
