#pragma once
// A cell's number format code ("#,##0.00", "\"$\"#,##0.00_);(\"$\"#,##0.00)", "d-mmm-yy",
// "General") applied to a value as the spreadsheet shows it: up to four sections
// (positive; negative; zero; text), quoted and escaped literals, padding "_x" as a blank,
// colours and conditions dropped, digit placeholders 0 # ?, thousands separators and
// scaling commas, percent, scientific notation, currency tokens [$sym-locale], and dates
// and times (English month and day names, 12- and 24-hour clocks, elapsed [h] [m] [s]).
// Fractions are shown as General numbers. Cells are taken as wide enough for their text.

#include <QString>
#include <vector>

namespace tovu::platform::excel {

class NumberFormat {
public:
    explicit NumberFormat(const QString& code);

    // The format shows dates or times: the cell's value is a date.
    bool isDate() const { return date_; }
    // The format shows a time and no year, month or day ("h:mm", "[h]:mm:ss").
    bool isTimeOnly() const { return timeOnly_; }
    // The format shows a currency sign: the cell's value is a currency amount.
    bool isCurrency() const { return currency_; }

    // The text shown for a number (a date serial when isDate), date1904 the workbook's
    // date system.
    QString format(double value, bool date1904 = false) const;
    // The text shown for a text cell (the text section, when the format has one).
    QString formatText(const QString& text) const;

private:
    std::vector<QString> sections_;
    bool date_ = false;
    bool timeOnly_ = false;
    bool currency_ = false;
};

// Days since 1899-12-30 (the automation date) of a date serial of the workbook. In the 1900
// system a serial below 1 is a time alone and stays that fraction of day 0; in the 1904
// system it is a time on 1 January 1904, unless the cell shows a time alone (Workbook).
double automationDateOfSerial(double serial, bool date1904);

}  // namespace tovu::platform::excel
