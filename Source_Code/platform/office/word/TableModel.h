#pragma once

#include "platform/office/word/Formats.h"

#include <QString>
#include <vector>

namespace tovu::platform::word {

// One ruled line: its style as the file format names it ("single", "double", "dotted",
// "dashed", "inset", "outset"; empty for no line), its width in eighths of a point and
// its colour.
struct BorderLine {
    QString style;
    int size = 4;
    std::int32_t color = kColorAutomatic;
    bool isNone() const { return style.isEmpty(); }
    bool operator==(const BorderLine&) const = default;
};

// The lines a cell draws on its own edges, over the table's.
struct CellBorders {
    BorderLine top, left, bottom, right;
    bool any() const { return !top.isNone() || !left.isNone() || !bottom.isNone() || !right.isNone(); }
    bool operator==(const CellBorders&) const = default;
};

// The table's own lines: its frame and the lines between rows and between columns.
struct TableBorders {
    BorderLine top, left, bottom, right, insideH, insideV;
    bool any() const
    {
        return !top.isNone() || !left.isNone() || !bottom.isNone() || !right.isNone() || !insideH.isNone() ||
               !insideV.isNone();
    }
    bool operator==(const TableBorders&) const = default;
};

struct TableCell {
    QString text;  // paragraphs separated by '\r'
    CharFormat font;
    ParaFormat para;
    bool bold = false;                     // emphasis from the table's look, on top of font
    std::int32_t shading = kColorAutomatic;  // cell background, automatic = none
    bool italic = false;                        // emphasis from the table's look
    std::int32_t fontColor = kColorAutomatic;  // text colour from the table's look, over font's
    CellBorders edges;                          // lines from the table's look
};

// The space between a cell's edges and its text, in points; by default what a new table of
// the word processor has (its "Normal Table" style): 5.4 pt left and right, none above and below.
struct CellMargins {
    double top = 0, left = 5.4, bottom = 0, right = 5.4;
    bool operator==(const CellMargins&) const = default;
};

// A table held as one block of the text. Its look is stored as direct formatting
// (borders, shading, emphasis) so that every reader of the file sees the same.
struct TableModel {
    int rows = 0;
    int columns = 0;
    std::vector<TableCell> cells;  // row-major

    bool borders = false;
    TableBorders lines;     // with borders: these lines, or single lines everywhere when none is set
    int headingRows = 0;    // rows repeated at the top of every page
    bool autoFit = false;   // columns sized to their contents
    double columnWidth = 0; // points; 0 shares the text width
    double rowHeight = 0;   // points: every row exactly this tall (a label sheet); 0 lets rows grow with their text
    CellMargins cellMargins;
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

// Applies a table format's look as direct formatting (TableFormats.cpp): format 0 leaves
// the table plain; each of the formats 1 to 42 has its own lines, shading, emphasis and
// colours for the table, its heading row, first and last column, last row and banding,
// each part only where its option is on. Without colour the look is drawn in greys.
void applyTableFormat(TableModel& table, const TableFormatOptions& options);

}  // namespace tovu::platform::word
