// The Word-table methods: what each source becomes as a table in the held document (read
// back through the .docx reader), the order of the Word calls, and every status code with
// the word processor made to fail step by step.
#include "ControlFixture.h"
#include "platform/controls/DataGrid.h"
#include "platform/controls/FlexGrid.h"
#include "platform/controls/ListView.h"

namespace tovu::control::testing {
namespace {

namespace controls = tovu::platform::controls;
using Cells = std::vector<std::vector<QString>>;

Variant i16(std::int16_t v) { return Variant(v); }
Variant i32(std::int32_t v) { return Variant(v); }

Variant array2(std::vector<automation::Bounds> bounds, std::vector<Variant> rowMajor)
{
    automation::SafeArray a(bounds);
    std::size_t k = 0;
    for (std::int32_t r = bounds[0].lower; r <= bounds[0].upper; ++r)
        for (std::int32_t c = bounds[1].lower; c <= bounds[1].upper; ++c)
            a.set({r, c}, rowMajor.at(k++));
    return Variant(a);
}

// The sixteen table arguments as the program's report passes them for its settings grid.
std::vector<Variant> reportFormat()
{
    return {i32(35),           Variant(false), Variant(QStringLiteral("Arial")), i16(10), i16(10), i32(1), i16(0),
            Variant(true),     Variant(true),  Variant(true),  Variant(true),  Variant(true),  Variant(false),
            Variant(true),     Variant(false), Variant(true),  i32(0)};
}

Args withArgs(std::vector<Variant> leading, std::vector<Variant> tail = {})
{
    leading.insert(leading.end(), tail.begin(), tail.end());
    return leading;
}

std::shared_ptr<controls::MemoryFlexGrid> grid3x3()
{
    auto g = std::make_shared<controls::MemoryFlexGrid>(3, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g->setTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
    return g;
}

std::shared_ptr<controls::MemoryListView> listView()
{
    auto v = std::make_shared<controls::MemoryListView>(std::vector<QString>{"Name", "Value"});
    for (const char* name : {"Gain", "Range", "Delay"}) {
        const int k = v->addItem(QString::fromLatin1(name));
        v->setSubItem(k, 1, QStringLiteral("v%1").arg(k));
    }
    return v;
}

class TableMethodsTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
    }

    // The n-th table of the held document, saved and read back through the .docx reader.
    Cells reopenedTable(int n = 1)
    {
        const QString path = file(QStringLiteral("tables%1.docx").arg(++saves_));
        EXPECT_EQ(status("SaveDocument", {Variant(path)}), 1);
        auto app = environment.createApplication();
        app->setOfferedAsActive(false);
        auto doc = app->documents().open(path);
        word::Table table = doc->tables().item(n);
        Cells cells(static_cast<std::size_t>(table.rows()));
        for (int r = 1; r <= table.rows(); ++r)
            for (int c = 1; c <= table.columns(); ++c)
                cells[static_cast<std::size_t>(r - 1)].push_back(table.cellText(r, c));
        app->quit(false);
        return cells;
    }
    int tableCount() { return control.heldDocument()->tables().count(); }
    const word::TableModel& heldTable(int n = 1) { return control.heldDocument()->tables().item(n).model(); }

    int saves_ = 0;
};

TEST_F(TableMethodsTest, TwoDArrayOfAnyBoundsBecomesItsTableRowByRow)
{
    const Variant a = array2({{1, 2}, {-1, 1}}, {Variant(QStringLiteral("a")), Variant(std::int32_t{2}), Variant(2.5),
                                                 Variant(true), Variant::null(), Variant()});
    EXPECT_EQ(status("TwoDArrayToWordTable", {a}), 1);
    EXPECT_EQ(reopenedTable(), (Cells{{"a", "2", "2.5"}, {"True", "", ""}}));
}

TEST_F(TableMethodsTest, OneDArrayIsOneRowAndTextIsSplitAtTabsAndLineEnds)
{
    EXPECT_EQ(status("OneDArrayToWordTable",
                     {Variant(automation::SafeArray::ofValues({Variant("x"), Variant("y"), Variant("z")}, 5))}),
              1);
    EXPECT_EQ(status("TextToWordTable", {Variant(QStringLiteral("h1\th2\r\nv1\tv2\r\n"))}), 1);
    EXPECT_EQ(reopenedTable(1), (Cells{{"x", "y", "z"}}));
    EXPECT_EQ(reopenedTable(2), (Cells{{"h1", "h2"}, {"v1", "v2"}}));
}

TEST_F(TableMethodsTest, ATabOrLineEndInsideAnElementStaysInItsCell)
{
    const Variant a = array2({{0, 0}, {0, 1}}, {Variant(QStringLiteral("two\r\nlines")), Variant(QStringLiteral("a\tb"))});
    EXPECT_EQ(status("TwoDArrayToWordTable", {a}), 1);
    EXPECT_EQ(reopenedTable(), (Cells{{"two\rlines", "a b"}}));
}

TEST_F(TableMethodsTest, TheTableGoesAtTheInsertionPointAndLeavesTheTextAroundItAlone)
{
    ASSERT_EQ(status("TextToWord", {Variant(QStringLiteral("before"))}), 1);
    Args args = withArgs({Variant(QStringLiteral("c\r\n"))});
    args.resize(18, Variant::missing());
    args[17] = i32(vrbStartofDoc);
    ASSERT_EQ(status("TextToWordTable", std::move(args)), 1);
    ASSERT_EQ(status("TextToWordTable", {Variant(QStringLiteral("e\r\n"))}), 1);
    const word::Story& body = control.heldDocument()->model().body;
    const QString text = body.text(0, body.length());
    const int first = text.indexOf(QChar(word::kObjectChar));
    const int second = text.indexOf(QChar(word::kObjectChar), first + 1);
    const int before = text.indexOf(QStringLiteral("before"));
    EXPECT_LT(first, before);
    EXPECT_GT(second, before);
    EXPECT_EQ(text.count(QStringLiteral("before")), 1);
    EXPECT_EQ(tableCount(), 2);
    EXPECT_EQ(heldTable(1).cell(0, 0).text, QStringLiteral("c"));
    EXPECT_EQ(heldTable(2).cell(0, 0).text, QStringLiteral("e"));
}

TEST_F(TableMethodsTest, TheWordCallsComeInTheirOrderAndTheTableInOneConversion)
{
    hooks().setRecording(true);
    Args args = withArgs({Variant(QStringLiteral("a\tb\r\n"))}, reportFormat());
    ASSERT_EQ(status("TextToWordTable", std::move(args)), 1);
    ASSERT_FALSE(hooks().calls().filter(QStringLiteral("Bookmarks.Range")).isEmpty());
    EXPECT_EQ(hooks().calls().filter(QStringLiteral("Bookmarks.Range")).first(), QStringLiteral("Bookmarks.Range(\\EndOfDoc)"));
    // The document's GoTo looks the bookmark up again itself; only the method's own calls count.
    const QStringList ops = {"Document.GoTo",     "Paragraphs.Add",
                             "ParagraphFormat.SpaceAfter", "Paragraph.Alignment", "Range.SetText",
                             "Font.Name",            "Font.Size",         "Font.Bold",
                             "Range.ConvertToTable", "Paragraph.Reset",   "ParagraphFormat.Reset",
                             "Font.Reset"};
    const QStringList calls = recorded(ops);
    QStringList order;
    for (const QString& c : calls)
        if (order.isEmpty() || order.last() != c.section(QLatin1Char('('), 0, 0))
            order << c.section(QLatin1Char('('), 0, 0);
    EXPECT_EQ(order, (QStringList{"Document.GoTo", "Paragraphs.Add", "ParagraphFormat.SpaceAfter",
                                  "Paragraph.Alignment", "Range.SetText", "Font.Name", "Font.Size", "Font.Bold",
                                  "ParagraphFormat.SpaceAfter", "Range.ConvertToTable", "Paragraph.Reset",
                                  "ParagraphFormat.Reset", "Font.Reset"}));
    EXPECT_EQ(calls.filter(QStringLiteral("Range.ConvertToTable")), QStringList{"Range.ConvertToTable(tab)"});
    EXPECT_TRUE(calls.contains(QStringLiteral("ParagraphFormat.SpaceAfter(0)")));
    EXPECT_TRUE(calls.contains(QStringLiteral("ParagraphFormat.SpaceAfter(10)")));
}

TEST_F(TableMethodsTest, TheReportsSettingsGridComesOutWholeInArialWithItsFormat)
{
    auto g = grid3x3();
    Args args = withArgs({Variant(controls::flexGridDispatch(g)), i32(0), i32(0), i32(0), i32(0)}, reportFormat());
    ASSERT_EQ(call("FlexGridToWordTable", args).toInteger(), 1);
    const word::TableModel& t = heldTable();
    ASSERT_EQ(t.rows, 3);
    ASSERT_EQ(t.columns, 3);
    EXPECT_EQ(t.format, 35);
    EXPECT_TRUE(t.autoFit);
    EXPECT_EQ(t.headingRows, 1);
    for (const auto& cell : t.cells) {
        EXPECT_EQ(cell.font.name, QStringLiteral("Arial"));
        EXPECT_EQ(cell.font.size, 10.0);
        EXPECT_FALSE(cell.font.bold);
        EXPECT_EQ(cell.para.alignment, word::Alignment::Center);
    }
    // No argument is changed for the caller, the end row and column included.
    EXPECT_EQ(args[3].toLong(), 0);
    EXPECT_EQ(args[4].toLong(), 0);
    EXPECT_EQ(args[7].toString(), QStringLiteral("Arial"));
    EXPECT_EQ(reopenedTable(), (Cells{{"r0c0", "r0c1", "r0c2"}, {"r1c0", "r1c1", "r1c2"}, {"r2c0", "r2c1", "r2c2"}}));
}

TEST_F(TableMethodsTest, FlexGridRangesAreInclusiveAndAnEndBeforeItsStartFails)
{
    struct Case {
        std::int32_t startRow, startCol, endRow, endCol;
        std::int16_t expected;
        Cells cells;
    };
    const std::vector<Case> cases = {
        {1, 1, 2, 2, 1, {{"r1c1", "r1c2"}, {"r2c1", "r2c2"}}},
        {2, 0, 0, 0, 1, {{"r2c0", "r2c1", "r2c2"}}},  // end 0: the grid's last row and column
        {0, 1, 1, 1, 1, {{"r0c1"}, {"r1c1"}}},
        {2, 0, 1, 0, -3, {}},
        {0, 2, 0, 1, -3, {}},
        {0, 0, 5, 0, -3, {}},  // outside the grid
    };
    for (const char* method : {"FlexGridToWordTable", "HFlexGridToWordTable"})
        for (const Case& c : cases) {
            const int before = tableCount();
            Args args{Variant(controls::flexGridDispatch(grid3x3())), i32(c.startRow), i32(c.startCol), i32(c.endRow),
                      i32(c.endCol)};
            EXPECT_EQ(status(method, std::move(args)), c.expected) << method << " " << c.startRow << "," << c.endRow;
            if (c.expected != 1) {
                EXPECT_EQ(tableCount(), before);
                continue;
            }
            const word::TableModel& t = control.heldDocument()->tables().item(tableCount()).model();
            Cells got(static_cast<std::size_t>(t.rows));
            for (int r = 0; r < t.rows; ++r)
                for (int col = 0; col < t.columns; ++col)
                    got[static_cast<std::size_t>(r)].push_back(t.cell(r, col).text);
            EXPECT_EQ(got, c.cells) << method << " " << c.startRow << "," << c.endRow;
        }
}

TEST_F(TableMethodsTest, ListViewItemsSelectionAndHeadings)
{
    auto v = listView();
    v->setItemSelected(2, true);
    const auto run = [&](bool selectedOnly, bool headings) {
        return status("ListViewToWordTable", {Variant(controls::listViewDispatch(v)), Variant(selectedOnly), Variant(headings)});
    };
    ASSERT_EQ(run(false, true), 1);
    ASSERT_EQ(run(true, false), 1);
    v->setItemSelected(2, false);
    EXPECT_EQ(run(true, false), -3);  // nothing selected: no array to size
    ASSERT_EQ(run(true, true), 1);    // the column headers alone
    EXPECT_EQ(tableCount(), 3);
    EXPECT_EQ(reopenedTable(1), (Cells{{"Name", "Value"}, {"Gain", "v1"}, {"Range", "v2"}, {"Delay", "v3"}}));
    EXPECT_EQ(reopenedTable(2), (Cells{{"Range", "v2"}}));
    EXPECT_EQ(reopenedTable(3), (Cells{{"Name", "Value"}}));
}

TEST_F(TableMethodsTest, DataGridWalkReadsEveryRecordPastTheVisibleRows)
{
    Cells records;
    for (int r = 0; r < 7; ++r)
        records.push_back({QStringLiteral("a%1").arg(r), QStringLiteral("b%1").arg(r)});
    auto source = std::make_shared<controls::MemoryDataGrid>(std::vector<QString>{"A", "B"}, records, 3);
    const auto dg = controls::dataGridDispatch(source);
    ASSERT_EQ(status("DataGridToWordTable", {Variant(dg), Variant(true)}), 1);
    Cells expected = records;
    expected.insert(expected.begin(), {"A", "B"});
    EXPECT_EQ(reopenedTable(), expected);
    // The closing scroll brings the grid back to its first record.
    EXPECT_EQ(dg->get(QStringLiteral("Row")).toLong(), 2);
    dg->put(QStringLiteral("Row"), Variant(std::int32_t{0}));
    dg->put(QStringLiteral("Col"), Variant(std::int32_t{0}));
    EXPECT_EQ(dg->get(QStringLiteral("Text")).toString(), QStringLiteral("a0"));

    auto empty = std::make_shared<controls::MemoryDataGrid>(std::vector<QString>{"A"}, Cells{}, 3);
    EXPECT_EQ(status("DataGridToWordTable", {Variant(controls::dataGridDispatch(empty)), Variant(false)}), -3);
}

class TableStatusTest : public ControlTest {};

// The leading arguments of each method, for a source that writes a table.
std::vector<std::pair<const char*, std::function<Args()>>> everyTableMethod()
{
    const auto grid = [] { return Args{Variant(controls::flexGridDispatch(grid3x3()))}; };
    return {
        {"TwoDArrayToWordTable", [] { return Args{array2({{0, 0}, {0, 1}}, {Variant("a"), Variant("b")})}; }},
        {"OneDArrayToWordTable", [] { return Args{Variant(automation::SafeArray::ofValues({Variant("a")}))}; }},
        {"TextToWordTable", [] { return Args{Variant(QStringLiteral("a\tb\r\n"))}; }},
        {"FlexGridToWordTable", grid},
        {"HFlexGridToWordTable", grid},
        {"ListViewToWordTable", [] { return Args{Variant(controls::listViewDispatch(listView()))}; }},
        {"DataGridToWordTable",
         [] {
             return Args{Variant(controls::dataGridDispatch(std::make_shared<controls::MemoryDataGrid>(
                 std::vector<QString>{"A"}, Cells{{"x"}, {"y"}}, 1)))};
         }},
    };
}

// The code a failing Word step gives: -4 from the array writers, -3 from the others.
std::int16_t stepFailure(const QString& method)
{
    return method.startsWith(QLatin1String("TwoDArray")) || method.startsWith(QLatin1String("OneDArray")) ? -4 : -3;
}

TEST_F(TableStatusTest, WithoutWordMinusOneWithoutAHeldDocumentMinusTwo)
{
    ensureGui();
    for (const auto& [method, args] : everyTableMethod())
        EXPECT_EQ(status(method, args()), -1) << method;
    ASSERT_EQ(openBlank(), 1);
    control.heldDocument()->close(false);
    for (const auto& [method, args] : everyTableMethod())
        EXPECT_EQ(status(method, args()), -2) << method;
    wordUpWithoutHeldDocument();
    for (const auto& [method, args] : everyTableMethod())
        EXPECT_EQ(status(method, args()), -2) << method;
}

TEST_F(TableStatusTest, EveryFailingWordStepGivesTheMethodsLastCode)
{
    ensureGui();
    ASSERT_EQ(openBlank(), 1);
    const QStringList steps = {"Bookmarks.Range",      "Document.GoTo",       "Paragraphs.Add",
                               "ParagraphFormat.SpaceAfter", "Paragraph.Alignment", "Range.SetText",
                               "Font.Name",            "Font.Size",           "Font.Bold",
                               "Range.ConvertToTable", "Paragraph.Reset",     "ParagraphFormat.Reset",
                               "Font.Reset"};
    for (const auto& [method, args] : everyTableMethod())
        for (const QString& step : steps) {
            hooks().clearFailures();
            hooks().failOn(step);
            EXPECT_EQ(status(method, args()), stepFailure(QString::fromLatin1(method))) << method << " at " << step.toStdString();
        }
    hooks().clearFailures();
    // The second space-after (the caller's) fails on its own, too.
    for (const auto& [method, args] : everyTableMethod()) {
        hooks().failOn(QStringLiteral("ParagraphFormat.SpaceAfter"), 2);
        EXPECT_EQ(status(method, args()), stepFailure(QString::fromLatin1(method))) << method;
        hooks().clearFailures();
        EXPECT_EQ(status(method, args()), 1) << method;
    }
}

TEST_F(TableStatusTest, ArgumentsThatAreNoArrayOrNoControl)
{
    ensureGui();
    ASSERT_EQ(openBlank(), 1);
    const int before = control.heldDocument()->tables().count();
    for (const Variant& v : {Variant(QStringLiteral("text")), Variant(), Variant(std::int32_t{3})}) {
        EXPECT_EQ(status("TwoDArrayToWordTable", {v}), -3);
        EXPECT_EQ(status("OneDArrayToWordTable", {v}), -3);
    }
    // A one-dimensional array where two are needed, and an unallocated array: run-time errors.
    EXPECT_EQ(status("TwoDArrayToWordTable", {Variant(automation::SafeArray::ofValues({Variant("a")}))}), -4);
    EXPECT_EQ(status("TwoDArrayToWordTable", {Variant(automation::SafeArray())}), -4);
    EXPECT_EQ(status("OneDArrayToWordTable", {Variant(automation::SafeArray())}), -4);
    // Nothing, or a control of another kind, where a grid, list view or data grid is wanted.
    const Variant listViewObject(controls::listViewDispatch(listView()));
    for (const char* method : {"FlexGridToWordTable", "HFlexGridToWordTable", "ListViewToWordTable", "DataGridToWordTable"}) {
        EXPECT_EQ(status(method, {Variant::nothing()}), -3) << method;
        EXPECT_EQ(status(method, {Variant(controls::flexGridDispatch(grid3x3()))}),
                  QLatin1String(method).contains(QLatin1String("Flex")) ? 1 : -3)
            << method;
    }
    EXPECT_EQ(status("FlexGridToWordTable", {listViewObject}), -3);
    // A font size Word refuses fails inside the writer; the source methods make that -3.
    Args bad = everyTableMethod()[3].second();
    bad.resize(5);
    bad.insert(bad.end(), {i32(0), Variant(false), Variant(QStringLiteral("Arial")), i16(0)});
    EXPECT_EQ(status("FlexGridToWordTable", std::move(bad)), -3);
    EXPECT_EQ(control.heldDocument()->tables().count(), before + 2);  // the two grids that were grids
}

} // namespace
} // namespace tovu::control::testing
