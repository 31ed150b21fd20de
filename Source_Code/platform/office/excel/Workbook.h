#pragma once
// An open workbook of the spreadsheet stand-in, read-only: its worksheets by name or number,
// and their cells, each with its value and its displayed text.

#include "platform/automation/Variant.h"
#include "platform/office/excel/XlsxReader.h"

#include <QString>
#include <memory>
#include <optional>

namespace tovu::platform::excel {

class Application;
class Worksheet;

// One cell of a worksheet (Cells(row, column)).
class Range {
public:
    Range(std::shared_ptr<const WorkbookData> book, const SheetData* sheet, std::int32_t row, std::int32_t column);

    // Empty, a Double, a String, a Boolean or an Error value; a number whose format shows a
    // date is a Date, one whose format shows a currency sign a Currency amount.
    automation::Variant value() const;
    // The text the cell shows under its number format.
    QString text() const;

private:
    std::shared_ptr<const WorkbookData> book_;  // keeps the sheet alive
    const CellData* cell_ = nullptr;
};

class Worksheet {
public:
    Worksheet(std::shared_ptr<const WorkbookData> book, std::size_t index) : book_(std::move(book)), index_(index) {}

    QString name() const;
    void activate();
    bool isActive() const { return active_; }
    // Rows 1 to 1048576, columns 1 to 16384; ExcelError outside.
    Range cells(std::int32_t row, std::int32_t column) const;

private:
    std::shared_ptr<const WorkbookData> book_;
    std::size_t index_;
    bool active_ = false;
};

class Workbook {
public:
    Workbook(QString fullName, WorkbookData data);

    const QString& fullName() const { return fullName_; }
    int worksheetCount() const;
    // Worksheets(index): by name without regard to case, or by number from 1; ExcelError
    // when no sheet answers or the index is of another kind.
    std::shared_ptr<Worksheet> worksheet(const automation::Variant& index);
    // Closes the workbook; it was never changed, so nothing is saved either way.
    void close(std::optional<bool> saveChanges = std::nullopt);
    bool isClosed() const { return closed_; }

private:
    QString fullName_;
    std::shared_ptr<const WorkbookData> data_;
    std::vector<std::shared_ptr<Worksheet>> sheets_;
    bool closed_ = false;

    void checkOpen(const QString& operation) const;
};

}  // namespace tovu::platform::excel
