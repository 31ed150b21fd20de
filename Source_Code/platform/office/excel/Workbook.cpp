#include "platform/office/excel/Workbook.h"

#include "platform/office/excel/ExcelError.h"
#include "platform/office/excel/NumberFormat.h"

namespace tovu::platform::excel {

namespace {

// The value a cell holding an error shows as an Error value, by its text.
std::int32_t errorCodeOf(const QString& text)
{
    static const std::pair<const char*, std::int32_t> codes[] = {
        {"#NULL!", 2000}, {"#DIV/0!", 2007}, {"#VALUE!", 2015}, {"#REF!", 2023},
        {"#NAME?", 2029}, {"#NUM!", 2036},   {"#N/A", 2042},
    };
    for (const auto& [name, code] : codes)
        if (text == QLatin1String(name))
            return code;
    return 2015;
}

}  // namespace

Range::Range(std::shared_ptr<const WorkbookData> book, const SheetData* sheet, std::int32_t row, std::int32_t column)
    : book_(std::move(book))
{
    const auto found = sheet->cells.find({row, column});
    if (found != sheet->cells.end())
        cell_ = &found->second;
}

automation::Variant Range::value() const
{
    if (!cell_)
        return {};
    switch (cell_->kind) {
    case CellData::Kind::String:
        return automation::Variant(cell_->text);
    case CellData::Kind::Boolean:
        return automation::Variant(cell_->number != 0.0);
    case CellData::Kind::Error:
        return automation::Variant(automation::ErrorValue{errorCodeOf(cell_->text)});
    case CellData::Kind::Number:
        break;
    }
    const NumberFormat format(cell_->formatCode);
    if (format.isDate()) {
        // A time alone is a time of day 0 in either date system, not one of 1 January 1904.
        const double serial = cell_->number;
        if (format.isTimeOnly() && serial >= 0.0 && serial < 1.0)
            return automation::Variant(automation::Date{serial});
        return automation::Variant(automation::Date{automationDateOfSerial(serial, book_->date1904)});
    }
    if (format.isCurrency()) {
        try {
            return automation::Variant(automation::Currency::fromDouble(cell_->number));
        } catch (const automation::AutomationError&) {
            // Too large for a currency amount: the number as it is.
        }
    }
    return automation::Variant(cell_->number);
}

QString Range::text() const
{
    if (!cell_)
        return {};
    switch (cell_->kind) {
    case CellData::Kind::String:
        return NumberFormat(cell_->formatCode).formatText(cell_->text);
    case CellData::Kind::Boolean:
        return cell_->number != 0.0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case CellData::Kind::Error:
        return cell_->text;
    case CellData::Kind::Number:
        break;
    }
    return NumberFormat(cell_->formatCode).format(cell_->number, book_->date1904);
}

QString Worksheet::name() const { return book_->worksheets[index_].name; }

void Worksheet::activate() { active_ = true; }

Range Worksheet::cells(std::int32_t row, std::int32_t column) const
{
    if (row < 1 || row > 1048576 || column < 1 || column > 16384)
        throw ExcelError(QStringLiteral("Worksheet.Cells"), QStringLiteral("there is no cell (%1, %2)").arg(row).arg(column));
    return Range(book_, &book_->worksheets[index_], row, column);
}

Workbook::Workbook(QString fullName, WorkbookData data)
    : fullName_(std::move(fullName)), data_(std::make_shared<const WorkbookData>(std::move(data)))
{
    for (std::size_t i = 0; i < data_->worksheets.size(); ++i)
        sheets_.push_back(std::make_shared<Worksheet>(data_, i));
}

void Workbook::checkOpen(const QString& operation) const
{
    if (closed_)
        throw ExcelError(operation, QStringLiteral("the workbook is closed"));
}

int Workbook::worksheetCount() const { return static_cast<int>(sheets_.size()); }

std::shared_ptr<Worksheet> Workbook::worksheet(const automation::Variant& index)
{
    const QString op = QStringLiteral("Worksheets.Item");
    checkOpen(op);
    if (index.isString()) {
        const QString name = index.toString();
        for (const auto& sheet : sheets_)
            if (sheet->name().compare(name, Qt::CaseInsensitive) == 0)
                return sheet;
        throw ExcelError(op, QStringLiteral("there is no worksheet \"%1\"").arg(name));
    }
    switch (index.type()) {
    case automation::VarType::Integer:
    case automation::VarType::Long:
    case automation::VarType::Single:
    case automation::VarType::Double: {
        const double n = index.toDouble();
        if (n >= 1 && n <= static_cast<double>(sheets_.size()))
            return sheets_[static_cast<std::size_t>(n) - 1];
        throw ExcelError(op, QStringLiteral("there is no worksheet %1").arg(n));
    }
    default:
        throw ExcelError(op, QStringLiteral("a worksheet is named by a text or a number"));
    }
}

void Workbook::close(std::optional<bool>)
{
    checkOpen(QStringLiteral("Workbook.Close"));
    closed_ = true;
}

}  // namespace tovu::platform::excel
