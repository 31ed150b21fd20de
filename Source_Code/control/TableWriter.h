// The steps every Word-table method shares: the table text built from an array (cells split
// by a tab, every row ended by CR LF), and that text pasted at the insertion point, given its
// font and turned into a table with one of Word's table formats in one ConvertToTable call.
#pragma once

#include "platform/automation/SafeArray.h"
#include "platform/office/word/Document.h"

#include <QString>
#include <cstdint>

namespace tovu::control {

namespace automation = tovu::platform::automation;
namespace word = tovu::platform::word;

// The sixteen arguments that end every table method, in their order.
struct TableArgs {
    std::int32_t tableType = 0;
    bool bold = false;
    QString font = QStringLiteral("Times New Roman");
    std::int16_t size = 12;
    std::int16_t spaceAfter = 10;
    std::int32_t paragraphAlign = 0;
    std::int16_t columnWidth = 0;
    bool borders = false;
    bool shading = false;
    bool applyFont = false;
    bool color = false;
    bool headingRows = false;
    bool lastRow = false;
    bool firstColumn = false;
    bool lastColumn = false;
    bool autoFit = false;
    std::int32_t insertionPoint = 0;
};

// The table text of a two-dimensional array, rows along the first dimension. A tab or a
// line end inside an element would split its cell or its row: tabs become blanks and line
// ends become line breaks, so every element stays in its own cell.
QString twoDArrayTableText(const automation::SafeArray& array);
// A one-dimensional array as one row.
QString oneDArrayTableText(const automation::SafeArray& array);

// Pastes text at the insertion point and converts it into a table; raises on any failing
// Word step, leaving in the document whatever was done before it.
void writeWordTable(word::Document& document, const QString& text, const TableArgs& args);

} // namespace tovu::control
