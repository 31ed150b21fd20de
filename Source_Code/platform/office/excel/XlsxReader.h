#pragma once
// Reads the cells of an .xlsx workbook: the worksheets in workbook order with their names,
// and per cell its stored value (number, shared or inline string, Boolean, error) and the
// number format its style gives it. Formulas are not evaluated: a formula cell holds the
// value the file cached for it. Chart sheets and other parts are not read.

#include <QString>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace tovu::platform::excel {

struct CellData {
    enum class Kind { Number, String, Boolean, Error };
    Kind kind = Kind::Number;
    double number = 0.0;   // Number; Boolean as 0 or 1
    QString text;          // String; Error as its text ("#DIV/0!")
    QString formatCode;    // the number format of the cell's style ("General" when none)
};

struct SheetData {
    QString name;
    // Keyed by (row, column), both 1-based.
    std::map<std::pair<std::int32_t, std::int32_t>, CellData> cells;
};

struct WorkbookData {
    bool date1904 = false;
    std::vector<SheetData> worksheets;
};

// Throws ExcelError when the file cannot be read or is not a workbook.
WorkbookData readXlsx(const QString& path);

// The code of a built-in number format by its id (General for unknown ids).
QString builtInFormatCode(int id);

}  // namespace tovu::platform::excel
