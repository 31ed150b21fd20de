// Worksheet ranges of a workbook copied into host arrays through the spreadsheet program:
// the running instance when one is offered, else a new one; either way it is quit at the end.
#include "control/Verbolt.h"

#include "platform/text/FieldText.h"
#include "platform/automation/SafeArray.h"

namespace tovu::control {

namespace excel = platform::excel;

namespace {

// The spreadsheet program and the workbook one copy works on, let go on every path.
class ExcelSession {
public:
    explicit ExcelSession(excel::ExcelEnvironment& environment)
    {
        try {
            app_ = environment.activeApplication();
        } catch (...) {
        }
        if (!app_) {
            try {
                app_ = environment.createApplication();
            } catch (...) {
            }
        }
    }
    ~ExcelSession()
    {
        if (book_)
            closeBook();
        if (app_) {
            try {
                app_->quit();
            } catch (...) {
            }
        }
    }
    ExcelSession(const ExcelSession&) = delete;
    ExcelSession& operator=(const ExcelSession&) = delete;

    // The steps before the copy: -1 no spreadsheet program, -2 varArray no array, -3 the
    // workbook not opened, -4 no such worksheet; 0 with the worksheet activated.
    MethodStatus prepare(const QString& file, const QString& password, const QString& writePassword,
                         const automation::Variant& varArray, const automation::Variant& varWorksheet,
                         std::shared_ptr<excel::Worksheet>& found)
    {
        if (!app_)
            return -1;
        if (!varArray.isArray())
            return -2;
        try {
            book_ = app_->openWorkbook(file, password, writePassword);
        } catch (...) {
        }
        if (!book_)
            return -3;
        found = sheet(varWorksheet);
        return found ? 0 : -4;
    }
    // The one-dimensional copy closes its workbook with SaveChanges False, the other with
    // no arguments.
    void setSaveChangesOnClose(bool given) { closeWithSaveChanges_ = given; }

private:
    // The sheet the argument names, by a non-empty text or an Integer above 0; any other
    // kind, a Long among them, names none.
    std::shared_ptr<excel::Worksheet> sheet(const automation::Variant& index)
    {
        const bool usable = (index.isString() && !index.toString().isEmpty()) ||
                            (index.type() == automation::VarType::Integer && index.toInteger() > 0);
        std::shared_ptr<excel::Worksheet> found;
        if (usable) {
            try {
                found = book_->worksheet(index);
            } catch (...) {
            }
        }
        if (found) {
            try {
                found->activate();
            } catch (...) {
            }
        }
        return found;
    }

    std::shared_ptr<excel::Application> app_;
    std::shared_ptr<excel::Workbook> book_;
    bool closeWithSaveChanges_ = false;

    void closeBook()
    {
        try {
            if (closeWithSaveChanges_)
                book_->close(false);
            else
                book_->close();
        } catch (...) {
        }
        book_.reset();
    }
};

automation::Variant cellContents(const excel::Range& cell, bool value)
{
    return value ? cell.value() : automation::Variant(cell.text());
}

} // namespace

MethodStatus Verbolt::ExcelToTwoDArray(QString& strWorkbook, automation::Variant& varWorksheet,
                                       std::int32_t& lngStartRow, std::int32_t& lngStartCol, std::int32_t& lngEndRow,
                                       std::int32_t& lngEndCol, automation::Variant& varArray, bool& blnCellValue,
                                       QString& strPassword, QString& strWriteResPassword)
{
    // The rows and columns are the caller's values, not its variables.
    const std::int32_t startRow = lngStartRow, startCol = lngStartCol, endRow = lngEndRow, endCol = lngEndCol;
    ExcelSession excelSession(*excel_);
    std::shared_ptr<excel::Worksheet> sheet;
    if (const MethodStatus failed = excelSession.prepare(strWorkbook, strPassword, strWriteResPassword, varArray,
                                                         varWorksheet, sheet))
        return failed;
    // A range that ends before it starts cannot be dimensioned: the array stays as it was.
    if (endRow >= startRow && endCol >= startCol) {
        try {
            varArray.array().redim({{0, endRow - startRow}, {0, endCol - startCol}});
        } catch (...) {
        }
    }
    for (std::int64_t r = startRow; r <= endRow; ++r) {
        for (std::int64_t c = startCol; c <= endCol; ++c) {
            // A cell that cannot be read keeps its element as it was.
            try {
                const auto cell = sheet->cells(static_cast<std::int32_t>(r), static_cast<std::int32_t>(c));
                varArray.array().set({static_cast<std::int32_t>(r - startRow), static_cast<std::int32_t>(c - startCol)},
                                     cellContents(cell, blnCellValue));
            } catch (...) {
            }
        }
    }
    return 1;
}

MethodStatus Verbolt::ExcelToOneDArray(QString& strWorkbook, automation::Variant& varWorksheet,
                                       std::int32_t& lngStartRow, std::int32_t& lngStartCol, std::int32_t& lngEndRow,
                                       std::int32_t& lngEndCol, automation::Variant& varArray, bool& blnCellValue,
                                       QString& strPassword, QString& strWriteResPassword)
{
    ExcelSession excelSession(*excel_);
    std::shared_ptr<excel::Worksheet> sheet;
    if (const MethodStatus failed = excelSession.prepare(strWorkbook, strPassword, strWriteResPassword, varArray,
                                                         varWorksheet, sheet))
        return failed;
    excelSession.setSaveChangesOnClose(true);
    try {
        std::int32_t n = 0;
        for (std::int64_t r = lngStartRow; r <= lngEndRow; ++r) {
            for (std::int64_t c = lngStartCol; c <= lngEndCol; ++c) {
                // Grown one element at a time, keeping what it holds.
                varArray.array().redimPreserve({{0, n}});
                const auto cell = sheet->cells(static_cast<std::int32_t>(r), static_cast<std::int32_t>(c));
                const QString contents = cellContents(cell, blnCellValue).toString();
                varArray.array().set({n}, automation::Variant(platform::text::trimBlanks(contents)));
                ++n;
            }
        }
    } catch (...) {
        return -5;
    }
    return 1;
}

} // namespace tovu::control
