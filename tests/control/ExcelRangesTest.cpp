// Worksheet ranges into host arrays, called through the dispatch interface as a host calls
// them, on workbooks the tests write themselves.
#include "ControlFixture.h"
#include "platform/office/excel/Application.h"
#include "support/PackageEdit.h"
#include "support/XlsxWriter.h"

#include <QFile>
#include <array>
#include <functional>

namespace tovu::control::testing {
namespace {

namespace excel = platform::excel;
using automation::SafeArray;

Variant i16(int v) { return Variant(static_cast<std::int16_t>(v)); }
Variant i32(int v) { return Variant(static_cast<std::int32_t>(v)); }

class ExcelRangesTest : public ControlTest {
protected:
    std::shared_ptr<excel::ExcelEnvironment> excel = std::make_shared<excel::ExcelEnvironment>();
    QString workbook = file(QStringLiteral("book.xlsx"));

    void SetUp() override
    {
        control.setExcelEnvironment(excel);
        tovu::testing::XlsxWriter w;
        const int money = w.format(QStringLiteral("\"$\"#,##0.00"));
        w.sheet(QStringLiteral("Data"))
            .number(QStringLiteral("A1"), QStringLiteral("1"))
            .shared(QStringLiteral("B1"), QStringLiteral("b1"))
            .shared(QStringLiteral("C1"), QStringLiteral(" x "))
            .error(QStringLiteral("D1"), QStringLiteral("#N/A"))
            .number(QStringLiteral("A2"), QStringLiteral("2"))
            .number(QStringLiteral("B2"), QStringLiteral("1234.5"), money)
            .boolean(QStringLiteral("C2"), true)
            .number(QStringLiteral("A3"), QStringLiteral("3"))
            .inlineString(QStringLiteral("B3"), QStringLiteral("b3"));
        w.chartSheet(QStringLiteral("Chart"));
        w.sheet(QStringLiteral("Second")).shared(QStringLiteral("A1"), QStringLiteral("second sheet"));
        w.save(workbook);
    }

    // The method's arguments: workbook, sheet, rows and columns, an array, Value or Text.
    Args rangeArgs(Variant sheet, int r1, int c1, int r2, int c2, bool cellValue,
                   SafeArray array = SafeArray(std::vector<automation::Bounds>{{0, 0}}))
    {
        return {Variant(workbook), std::move(sheet), i32(r1), i32(c1), i32(r2), i32(c2), Variant(std::move(array)),
                Variant(cellValue)};
    }
};

TEST_F(ExcelRangesTest, TwoDimensionsKeepTheRangeShapeWithValuesOrTexts)
{
    Args byValue = rangeArgs(Variant(QStringLiteral("Data")), 1, 2, 3, 3, true);
    ASSERT_EQ(call("ExcelToTwoDArray", byValue), i16(1));
    const SafeArray& v = byValue[6].array();
    ASSERT_EQ(v.dims(), 2);
    EXPECT_EQ(v.bounds(), (std::vector<automation::Bounds>{{0, 2}, {0, 1}}));
    EXPECT_EQ(v.get({0, 0}), Variant(QStringLiteral("b1")));
    EXPECT_EQ(v.get({0, 1}), Variant(QStringLiteral(" x ")));
    EXPECT_EQ(v.get({1, 0}), Variant(automation::Currency::fromDouble(1234.5)));
    EXPECT_EQ(v.get({1, 1}), Variant(true));
    EXPECT_EQ(v.get({2, 0}), Variant(QStringLiteral("b3")));
    EXPECT_TRUE(v.get({2, 1}).isEmpty());
    // The rows and columns went by value.
    EXPECT_EQ(byValue[2], i32(1));

    Args byText = rangeArgs(Variant(QStringLiteral("Data")), 1, 2, 3, 3, false);
    ASSERT_EQ(call("ExcelToTwoDArray", byText), i16(1));
    const SafeArray& t = byText[6].array();
    const char* const expected[3][2] = {{"b1", " x "}, {"$1,234.50", "TRUE"}, {"b3", ""}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(t.get({r, c}), Variant(QString::fromLatin1(expected[r][c]))) << r << "," << c;
    EXPECT_EQ(excel->runningCount(), 0);
}

TEST_F(ExcelRangesTest, OneDimensionTakesCellsRowByRowTrimmed)
{
    Args args = rangeArgs(Variant(QStringLiteral("Data")), 1, 2, 3, 3, true,
                          SafeArray::ofValues({Variant(QStringLiteral("old")), Variant(), Variant(), Variant(), Variant(),
                                               Variant(), Variant(), Variant(), Variant(), Variant()}));
    ASSERT_EQ(call("ExcelToOneDArray", args), i16(1));
    const SafeArray& a = args[6].array();
    // (1,2) (1,3) (2,2) (2,3) (3,2) (3,3), each as the text the run-time trims.
    const std::vector<Variant> expected = {Variant(QStringLiteral("b1")),   Variant(QStringLiteral("x")),
                                           Variant(QStringLiteral("1234.5")), Variant(QStringLiteral("True")),
                                           Variant(QStringLiteral("b3")),   Variant(QString())};
    EXPECT_EQ(a.bounds(), (std::vector<automation::Bounds>{{0, 5}}));
    EXPECT_EQ(a.elements(), expected);

    Args texts = rangeArgs(Variant(QStringLiteral("Data")), 2, 2, 2, 3, false);
    ASSERT_EQ(call("ExcelToOneDArray", texts), i16(1));
    EXPECT_EQ(texts[6].array().elements(),
              (std::vector<Variant>{Variant(QStringLiteral("$1,234.50")), Variant(QStringLiteral("TRUE"))}));
    EXPECT_EQ(excel->runningCount(), 0);
}

TEST_F(ExcelRangesTest, TheSheetArgumentIsATextOrAnInteger)
{
    struct Case {
        Variant sheet;
        int status;
    };
    const Case cases[] = {
        {Variant(QStringLiteral("Second")), 1}, {Variant(QStringLiteral("SECOND")), 1},
        {i16(2), 1},  // the chart sheet between is no worksheet
        {i32(2), -4}, {Variant(2.0), -4},        {Variant(QString()), -4}, {i16(0), -4},
        {i16(3), -4}, {Variant(QStringLiteral("Chart")), -4}, {Variant(QStringLiteral("None")), -4},
    };
    for (const char* method : {"ExcelToTwoDArray", "ExcelToOneDArray"}) {
        for (const Case& c : cases) {
            Args args = rangeArgs(c.sheet, 1, 1, 1, 1, true);
            EXPECT_EQ(call(method, args), i16(c.status)) << method << " " << c.sheet.toString().toStdString();
            if (c.status == 1) {
                EXPECT_EQ(args[6].array().elements().front(), Variant(QStringLiteral("second sheet")));
            }
            EXPECT_EQ(excel->runningCount(), 0) << method;
        }
    }
}

TEST_F(ExcelRangesTest, FailuresInStepOrderAndExcelQuitOnEveryPath)
{
    for (const char* method : {"ExcelToTwoDArray", "ExcelToOneDArray"}) {
        Args notArray = rangeArgs(Variant(QStringLiteral("Data")), 1, 1, 1, 1, true);
        notArray[6] = Variant(QStringLiteral("text"));
        EXPECT_EQ(call(method, notArray), i16(-2)) << method;
        EXPECT_EQ(notArray[6], Variant(QStringLiteral("text")));

        Args missing = rangeArgs(Variant(QStringLiteral("Data")), 1, 1, 1, 1, true);
        missing[0] = Variant(file(QStringLiteral("missing.xlsx")));
        EXPECT_EQ(call(method, missing), i16(-3)) << method;
        EXPECT_EQ(excel->runningCount(), 0) << method;

        excel->setInstalled(false);
        EXPECT_EQ(call(method, rangeArgs(Variant(QStringLiteral("Data")), 1, 1, 1, 1, true)), i16(-1)) << method;
        excel->setInstalled(true);
    }
    // A cell holding an error has no text to trim: the one-dimensional copy stops with -5.
    EXPECT_EQ(call("ExcelToOneDArray", rangeArgs(Variant(QStringLiteral("Data")), 1, 3, 1, 4, true)), i16(-5));
    EXPECT_EQ(excel->runningCount(), 0);
    Args twoD = rangeArgs(Variant(QStringLiteral("Data")), 1, 4, 1, 4, true);
    EXPECT_EQ(call("ExcelToTwoDArray", twoD), i16(1));
    EXPECT_EQ(twoD[6].array().get({0, 0}), Variant(automation::ErrorValue{2042}));
}

// Workbooks whose relationships lead out of the package, or whose parts are damaged: the
// workbook cannot be opened (-3), Excel is quit, the array is left alone.
TEST_F(ExcelRangesTest, HostileWorkbooksCannotBeOpened)
{
    QFile clean(workbook);
    ASSERT_TRUE(clean.open(QIODevice::ReadOnly));
    const QByteArray package = clean.readAll();
    const QString rels = QStringLiteral("xl/_rels/workbook.xml.rels");
    struct Case {
        const char* name;
        std::function<void(QMap<QString, QByteArray>&)> edit;
    };
    const Case cases[] = {
        {"sheet above the root.xlsx", [&](auto& p) { p[rels].replace("Target=\"worksheets/sheet1.xml\"", "Target=\"../../../../etc/passwd\""); }},
        {"strings above the root.xlsx", [&](auto& p) { p[rels].replace("Target=\"/xl/sharedStrings.xml\"", "Target=\"/../x.xml\""); }},
        {"workbook above the root.xlsx", [&](auto& p) { p[QStringLiteral("_rels/.rels")].replace("Target=\"xl/", "Target=\"../xl/"); }},
        {"damaged sheet.xlsx", [&](auto& p) { p[QStringLiteral("xl/worksheets/sheet1.xml")].replace("</x:sheetData>", ""); }},
    };
    for (const Case& c : cases) {
        const QString path = file(QLatin1String(c.name));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(tovu::testing::editedPackage(package, c.edit));
        out.close();
        for (const char* method : {"ExcelToTwoDArray", "ExcelToOneDArray"}) {
            Args args = rangeArgs(Variant(QStringLiteral("Data")), 1, 1, 1, 1, true);
            args[0] = Variant(path);
            EXPECT_EQ(call(method, args), i16(-3)) << c.name << ' ' << method;
            EXPECT_EQ(args[6].array().bounds(), (std::vector<automation::Bounds>{{0, 0}}));
            EXPECT_EQ(excel->runningCount(), 0);
        }
    }
}

TEST_F(ExcelRangesTest, ARunningExcelIsUsedAndQuitToo)
{
    auto users = excel->createApplication();
    excel->setActiveApplication(users);
    Args args = rangeArgs(Variant(QStringLiteral("Data")), 1, 1, 1, 1, true);
    ASSERT_EQ(call("ExcelToTwoDArray", args), i16(1));
    EXPECT_FALSE(users->isRunning());
    EXPECT_EQ(excel->runningCount(), 0);
}

TEST_F(ExcelRangesTest, ARangeEndingBeforeItStartsLeavesTheArrayAsItWas)
{
    const SafeArray before = SafeArray::ofValues({Variant(QStringLiteral("kept")), Variant(7.0)});
    for (const char* method : {"ExcelToTwoDArray", "ExcelToOneDArray"}) {
        for (const auto& [r1, c1, r2, c2] : {std::array{3, 1, 1, 2}, std::array{1, 3, 2, 1}}) {
            Args args = rangeArgs(Variant(QStringLiteral("Data")), r1, c1, r2, c2, true, before);
            EXPECT_EQ(call(method, args), i16(1)) << method;
            EXPECT_EQ(args[6].array(), before) << method;
        }
    }
    EXPECT_EQ(excel->runningCount(), 0);
}

TEST_F(ExcelRangesTest, TheTwoDimensionalArrayIsRedimensionedWhateverItHeld)
{
    SafeArray old(std::vector<automation::Bounds>{{1, 4}, {1, 4}, {1, 2}});
    old.set({1, 1, 1}, Variant(QStringLiteral("old")));
    Args args = rangeArgs(Variant(QStringLiteral("Data")), 2, 1, 3, 1, true, old);
    ASSERT_EQ(call("ExcelToTwoDArray", args), i16(1));
    EXPECT_EQ(args[6].array().bounds(), (std::vector<automation::Bounds>{{0, 1}, {0, 0}}));
    EXPECT_EQ(args[6].array().elements(), (std::vector<Variant>{Variant(2.0), Variant(3.0)}));
}

} // namespace
} // namespace tovu::control::testing
