// Workbooks read back cell by cell: every kind of stored value, sheets by name and number,
// and files that are no workbook.
#include "platform/office/excel/Application.h"
#include "platform/office/excel/ExcelError.h"
#include "support/XlsxWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace tovu::platform::excel {
namespace {

using automation::Variant;

class XlsxReaderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ExcelEnvironment environment;
    std::shared_ptr<Application> app = environment.createApplication();

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(XlsxReaderTest, ReadsEveryKindOfStoredValue)
{
    testing::XlsxWriter w;
    const int money = w.format(QStringLiteral("\"$\"#,##0.00"));
    const int day = w.builtInFormat(14);
    w.sheet(QStringLiteral("Values"))
        .number(QStringLiteral("A1"), QStringLiteral("42"))
        .number(QStringLiteral("B1"), QStringLiteral("-1.25E-3"))
        .shared(QStringLiteral("C1"), QStringLiteral(" x "))
        .sharedRich(QStringLiteral("D1"), QStringLiteral("<x:r><x:t>Bold</x:t></x:r><x:r><x:t xml:space=\"preserve\"> plain</x:t></x:r>"
                                                         "<x:rPh sb=\"0\" eb=\"1\"><x:t>reading</x:t></x:rPh>"))
        .inlineString(QStringLiteral("E1"), QStringLiteral("inline & <text>"))
        .boolean(QStringLiteral("A2"), true)
        .boolean(QStringLiteral("B2"), false)
        .error(QStringLiteral("C2"), QStringLiteral("#DIV/0!"))
        .formulaString(QStringLiteral("D2"), QStringLiteral("A1&\"!\""), QStringLiteral("42!"))
        .shared(QStringLiteral("E2"), QStringLiteral("line_x000D_break"))
        .number(QStringLiteral("A3"), QStringLiteral("3.5"), money)
        .number(QStringLiteral("B3"), QStringLiteral("45000"), day)
        .styledEmpty(QStringLiteral("C3"), money);
    w.save(path("kinds.xlsx"));

    auto book = app->openWorkbook(path("kinds.xlsx"));
    auto sheet = book->worksheet(Variant(QStringLiteral("Values")));
    auto value = [&](int r, int c) { return sheet->cells(r, c).value(); };
    auto text = [&](int r, int c) { return sheet->cells(r, c).text(); };

    EXPECT_EQ(value(1, 1), Variant(42.0));
    EXPECT_EQ(value(1, 2), Variant(-0.00125));
    EXPECT_EQ(value(1, 3), Variant(QStringLiteral(" x ")));
    EXPECT_EQ(value(1, 4), Variant(QStringLiteral("Bold plain")));
    EXPECT_EQ(value(1, 5), Variant(QStringLiteral("inline & <text>")));
    EXPECT_EQ(value(2, 1), Variant(true));
    EXPECT_EQ(value(2, 2), Variant(false));
    EXPECT_EQ(value(2, 3), Variant(automation::ErrorValue{2007}));
    EXPECT_EQ(value(2, 4), Variant(QStringLiteral("42!")));
    EXPECT_EQ(value(2, 5), Variant(QStringLiteral("line\rbreak")));
    EXPECT_EQ(value(3, 1), Variant(automation::Currency::fromDouble(3.5)));
    EXPECT_EQ(value(3, 2), Variant(automation::Date{45000}));
    EXPECT_TRUE(value(3, 3).isEmpty());
    EXPECT_TRUE(value(9, 9).isEmpty());

    EXPECT_EQ(text(1, 1), QStringLiteral("42"));
    EXPECT_EQ(text(1, 2), QStringLiteral("-0.00125"));
    EXPECT_EQ(text(2, 1), QStringLiteral("TRUE"));
    EXPECT_EQ(text(2, 3), QStringLiteral("#DIV/0!"));
    EXPECT_EQ(text(3, 1), QStringLiteral("$3.50"));
    EXPECT_EQ(text(3, 2), QStringLiteral("3/15/2023"));
    EXPECT_EQ(text(3, 3), QString());

    EXPECT_THROW(sheet->cells(0, 1), ExcelError);
    EXPECT_THROW(sheet->cells(1, 16385), ExcelError);
    EXPECT_NO_THROW(sheet->cells(1048576, 16384));
}

TEST_F(XlsxReaderTest, RowsAndCellsWithoutReferencesFollowTheOneBefore)
{
    testing::XlsxWriter w;
    w.sheet(QStringLiteral("S")).rawRow(0, QStringLiteral("<x:row><x:c><x:v>1</x:v></x:c><x:c><x:v>2</x:v></x:c></x:row>"
                                                           "<x:row><x:c r=\"C2\"><x:v>3</x:v></x:c><x:c><x:v>4</x:v></x:c></x:row>"));
    w.save(path("norefs.xlsx"));
    auto sheet = app->openWorkbook(path("norefs.xlsx"))->worksheet(Variant(std::int16_t{1}));
    EXPECT_EQ(sheet->cells(1, 1).value(), Variant(1.0));
    EXPECT_EQ(sheet->cells(1, 2).value(), Variant(2.0));
    EXPECT_EQ(sheet->cells(2, 3).value(), Variant(3.0));
    EXPECT_EQ(sheet->cells(2, 4).value(), Variant(4.0));
}

TEST_F(XlsxReaderTest, WorksheetsByNameOrNumberLeaveChartSheetsOut)
{
    testing::XlsxWriter w;
    w.sheet(QStringLiteral("First")).number(QStringLiteral("A1"), QStringLiteral("1"));
    w.chartSheet(QStringLiteral("Chart"));
    w.sheet(QStringLiteral("Second")).number(QStringLiteral("A1"), QStringLiteral("2"));
    w.save(path("sheets.xlsx"));
    auto book = app->openWorkbook(path("sheets.xlsx"));
    EXPECT_EQ(book->worksheetCount(), 2);
    EXPECT_EQ(book->worksheet(Variant(std::int16_t{2}))->name(), QStringLiteral("Second"));
    EXPECT_EQ(book->worksheet(Variant(std::int32_t{2}))->name(), QStringLiteral("Second"));
    EXPECT_EQ(book->worksheet(Variant(QStringLiteral("sECOND")))->cells(1, 1).value(), Variant(2.0));
    EXPECT_THROW(book->worksheet(Variant(QStringLiteral("Chart"))), ExcelError);
    EXPECT_THROW(book->worksheet(Variant(std::int16_t{3})), ExcelError);
    EXPECT_THROW(book->worksheet(Variant(std::int16_t{0})), ExcelError);
    EXPECT_THROW(book->worksheet(Variant(true)), ExcelError);
    book->close();
    EXPECT_THROW(book->worksheet(Variant(std::int16_t{1})), ExcelError);
}

TEST_F(XlsxReaderTest, The1904SystemShiftsDateValues)
{
    testing::XlsxWriter w;
    const int day = w.format(QStringLiteral("yyyy-mm-dd"));
    w.date1904().sheet(QStringLiteral("S")).number(QStringLiteral("A1"), QStringLiteral("0"), day);
    w.save(path("1904.xlsx"));
    auto cell = app->openWorkbook(path("1904.xlsx"))->worksheet(Variant(std::int16_t{1}))->cells(1, 1);
    EXPECT_EQ(cell.text(), QStringLiteral("1904-01-01"));
    EXPECT_EQ(cell.value(), Variant(automation::Date{1462}));
}

// Date and time cells of one column, in either date system, against the automation date
// and the text each must read as.
struct TimeCase {
    const char* cell;
    const char* serial;
    const char* format;
    double value;  // automation date
    const char* text;
};

void checkTimeCells(Application& app, const QString& path, bool date1904, const std::vector<TimeCase>& cases)
{
    testing::XlsxWriter w;
    if (date1904)
        w.date1904();
    auto& sheet = w.sheet(QStringLiteral("T"));
    for (const TimeCase& c : cases)
        sheet.number(QLatin1String(c.cell), QLatin1String(c.serial), w.format(QLatin1String(c.format)));
    w.save(path);
    auto cells = app.openWorkbook(path)->worksheet(Variant(std::int16_t{1}));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto cell = cells->cells(static_cast<int>(i) + 1, 1);
        EXPECT_EQ(cell.value(), Variant(automation::Date{cases[i].value})) << cases[i].cell;
        EXPECT_EQ(cell.text(), QLatin1String(cases[i].text)) << cases[i].cell;
    }
}

// A cell holding a time alone (a serial below 1) reads as that time, with no date: the
// automation date of day 0. A day and time keeps its day.
TEST_F(XlsxReaderTest, TimeOnlyCellsAreTimesNotTheLastDayOf1899)
{
    checkTimeCells(*app, path("times.xlsx"), false,
                   {
                       {"A1", "0.5", "h:mm", 0.5, "12:00"},
                       {"A2", "0", "hh:mm:ss", 0.0, "00:00:00"},
                       {"A3", "0.75", "h:mm AM/PM", 0.75, "6:00 PM"},
                       {"A4", "0.999988425925926", "hh:mm:ss", 0.999988425925926, "23:59:59"},
                       {"A5", "1.25", "yyyy-mm-dd hh:mm", 2.25, "1900-01-01 06:00"},
                       {"A6", "45000.5", "yyyy-mm-dd hh:mm", 45000.5, "2023-03-15 12:00"},
                   });
}

// In a 1904 workbook a time alone reads as the same time as in a 1900 one; a cell that
// shows a date keeps its date, counted from 1 January 1904.
TEST_F(XlsxReaderTest, The1904SystemReadsTimeOnlyCellsAsTimes)
{
    checkTimeCells(*app, path("times1904.xlsx"), true,
                   {
                       {"A1", "0.271006944444444", "hh:mm:ss", 0.271006944444444, "06:30:15"},
                       {"A2", "0", "h:mm", 0.0, "0:00"},
                       {"A3", "0.75", "h:mm AM/PM", 0.75, "6:00 PM"},
                       {"A4", "0.5", "[h]:mm", 0.5, "12:00"},
                       {"A5", "0.5", "mm:ss", 0.5, "00:00"},
                       {"A6", "0.25", "yyyy-mm-dd hh:mm", 1462.25, "1904-01-01 06:00"},
                       {"A7", "0.25", "d-mmm h:mm", 1462.25, "1-Jan 6:00"},
                       {"A8", "0.25", "mm", 1462.25, "01"},  // a month, not minutes
                       {"A9", "1.25", "h:mm", 1463.25, "6:00"},
                   });
}

TEST_F(XlsxReaderTest, FilesThatAreNoWorkbookFailToOpen)
{
    QFile text(path("plain.xlsx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a zip");
    text.close();
    platform::zip::ZipWriter zip;
    zip.add(QStringLiteral("word/document.xml"), "<w:document/>");
    QFile other(path("other.xlsx"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(zip.finish());
    other.close();
    testing::XlsxWriter w;
    w.sheet(QStringLiteral("S")).rawRow(1, QStringLiteral("<x:c r=\"A1\" t=\"s\"><x:v>7</x:v></x:c>"));
    w.save(path("badindex.xlsx"));

    for (const char* name : {"missing.xlsx", "plain.xlsx", "other.xlsx", "badindex.xlsx"})
        EXPECT_THROW(app->openWorkbook(path(name)), ExcelError) << name;
    EXPECT_THROW(app->openWorkbook(QString()), ExcelError);
    EXPECT_EQ(app->workbookCount(), 0);
}

TEST_F(XlsxReaderTest, QuitClosesTheWorkbooksAndEndsTheInstance)
{
    testing::XlsxWriter w;
    w.sheet(QStringLiteral("S"));
    w.save(path("one.xlsx"));
    auto book = app->openWorkbook(path("one.xlsx"));
    EXPECT_EQ(environment.runningCount(), 1);
    app->quit();
    EXPECT_TRUE(book->isClosed());
    EXPECT_EQ(environment.runningCount(), 0);
    EXPECT_THROW(app->openWorkbook(path("one.xlsx")), ExcelError);
    environment.setInstalled(false);
    EXPECT_THROW(environment.createApplication(), ExcelError);
}

} // namespace
} // namespace tovu::platform::excel
