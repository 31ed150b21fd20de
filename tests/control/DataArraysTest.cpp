// Queries, recordsets, grids and tree views into arrays and delimited text files. The data
// source is the SQLite database "tovuparts" that the recordset table tests set up for the
// whole run (parts: 1 bolt 2.5, 2 nut Null, 3 washer 0.25).
#include "AdoFixture.h"
#include "ControlFixture.h"
#include "control/Recordsets.h"
#include "platform/controls/DataGrid.h"
#include "platform/controls/FlexGrid.h"
#include "platform/controls/TreeView.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace tovu::control::testing {
namespace {

namespace ado = tovu::platform::ado;
namespace controls = tovu::platform::controls;
using automation::SafeArray;

const QString kDsn = QStringLiteral("tovuparts");
const QString kQuery = QStringLiteral("SELECT id, name, weight FROM parts ORDER BY id");
const QString kNone = QStringLiteral("SELECT id, name FROM parts WHERE id < 0");

Variant text(const char* s) { return Variant(QString::fromUtf8(s)); }
Variant anArray() { return Variant(SafeArray::ofValues({text("old")})); }
Variant i32(std::int32_t v) { return Variant(v); }

bool isOld(const Variant& v)
{
    return v.isArray() && v.array().dims() == 1 && v.array().get({0}).toString() == QLatin1String("old");
}

class DataArraysTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        control.setObjectCreator(recording.creator());
    }

    std::shared_ptr<ado::Recordset> openParts(const QString& sql = kQuery, std::int32_t cursorLocation = ado::adUseClient)
    {
        return testing::openParts(sql, cursorLocation);
    }

    // Calls method(leading..., array, trailing...); the array as the call left it.
    std::int16_t toArray(const char* method, Args leading, Variant& array, Args trailing = {})
    {
        const std::size_t at = leading.size();
        leading.push_back(array);
        leading.insert(leading.end(), trailing.begin(), trailing.end());
        const std::int16_t s = call(method, leading).toInteger();
        array = leading[at];
        return s;
    }

    QByteArray fileBytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }

    bool allClosed() const { return recording.allClosed(); }

    RecordingAdo recording;
    const std::vector<std::shared_ptr<ado::Connection>>& connections = recording.connections;
};

// ---- Database tables and recordsets into arrays ----

TEST_F(DataArraysTest, AQueryFillsTheArrayFromZeroWithNullsKeptAndClosesWhatItOpened)
{
    Variant array = anArray();
    ASSERT_EQ(toArray("DatabaseTableToArray", {Variant(kDsn), Variant(kQuery)}, array,
                      {Variant(QString()), Variant(QString()), Variant(true)}),
              1);
    EXPECT_EQ(arrayCells(array),
              (Cells{{"id", "name", "weight"}, {"1", "bolt", "2.5"}, {"2", "nut", "<Null>"}, {"3", "washer", "0.25"}}));
    EXPECT_EQ(array.array().get({1, 0}).toLong(), 1) << "values keep their kind";

    array = anArray();
    ASSERT_EQ(toArray("DatabaseTableToArray", {Variant(kDsn), Variant(QStringLiteral("SELECT name FROM parts ORDER BY id"))}, array), 1);
    EXPECT_EQ(arrayCells(array), (Cells{{"bolt"}, {"nut"}, {"washer"}}));
    EXPECT_EQ(connections.size(), 2u);
    EXPECT_TRUE(allClosed());
}

TEST_F(DataArraysTest, AnEmptyQueryGivesTheNamesWithHeadingsAndFailsWithoutThemLeavingTheArray)
{
    Variant array = anArray();
    ASSERT_EQ(toArray("DatabaseTableToArray", {Variant(kDsn), Variant(kNone)}, array,
                      {Variant(QString()), Variant(QString()), Variant(true)}),
              1);
    EXPECT_EQ(arrayCells(array), (Cells{{"id", "name"}}));

    array = anArray();
    EXPECT_EQ(toArray("DatabaseTableToArray", {Variant(kDsn), Variant(kNone)}, array), -4);
    EXPECT_TRUE(isOld(array)) << "no rows cannot be sized; the caller's array stays as it was";
    EXPECT_TRUE(allClosed());
}

// A user name or password holding ";", "{" or "}" is braced, so it cannot end its attribute
// and add one of its own in the connection string; the connection parses it back whole.
TEST_F(DataArraysTest, LoginTextsAreParsedBackWhole)
{
    struct Case {
        const char* value;
        const char* written;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"a;DSN=nosuchsource", "{a;DSN=nosuchsource}"},
        {"{braced}", "{{braced}}}"},
        {"}", "{}}}"},
        {"x};DSN=nosuchsource;{", "{x}};DSN=nosuchsource;{}"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ado::odbcAttributeValue(QLatin1String(c.value)), QLatin1String(c.written)) << c.value;
        const auto parts = ado::connectionStringParts(odbcConnectionString(QStringLiteral("src"), QLatin1String(c.value),
                                                                           QLatin1String(c.value)));
        using Parts = std::vector<std::pair<QString, QString>>;
        EXPECT_EQ(parts, (Parts{{QStringLiteral("DSN"), QStringLiteral("src")},
                                {QStringLiteral("UID"), QLatin1String(c.value)},
                                {QStringLiteral("PWD"), QLatin1String(c.value)}}))
            << c.value;
    }
}

// The SQLite driver behind the data source does not read braces: a password braced as
// "{x}};Database=...}" would still name a database of its own there. A login text or data
// source name holding ";", "{" or "}" is refused before anything connects.
TEST_F(DataArraysTest, APasswordCannotNameAnotherDatabase)
{
    const QString other = file(QStringLiteral("other.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other-db"));
        db.setDatabaseName(other);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE parts (id INTEGER, name TEXT, weight REAL)")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO parts VALUES (9, 'secret', 1)")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other-db"));
    const QString sql = QStringLiteral("SELECT name FROM parts ORDER BY id");
    struct Case {
        QString dsn, user, password;
    };
    const Case refused[] = {
        {kDsn, QStringLiteral("u"), QStringLiteral("x};Database=%1;").arg(other)},
        {kDsn, QStringLiteral("u"), QStringLiteral("x;Database=%1").arg(other)},
        {kDsn, QStringLiteral("u;Database=%1").arg(other), QString()},
        {kDsn + QStringLiteral(";Database=") + other, QString(), QString()},
        {kDsn, QString(), QStringLiteral("{x}")},
        {kDsn, QString(), QStringLiteral("x}")},
    };
    for (const Case& c : refused) {
        Variant array = anArray();
        EXPECT_EQ(toArray("DatabaseTableToArray", {Variant(c.dsn), Variant(sql)}, array, {Variant(c.user), Variant(c.password)}), -2)
            << c.user.toStdString() << " " << c.password.toStdString();
        EXPECT_TRUE(isOld(array));
        EXPECT_EQ(status("DatabaseTableToTextFile", {Variant(c.dsn), Variant(sql), Variant(file(QStringLiteral("out.txt"))),
                                                     Variant(c.user), Variant(c.password)}),
                  -1);
    }
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("out.txt"))));
    // Other punctuation is a password like any other: the query runs on the source named.
    Variant array = anArray();
    ASSERT_EQ(toArray("DatabaseTableToArray", {Variant(kDsn), Variant(sql)}, array,
                      {Variant(QStringLiteral("u")), Variant(QStringLiteral("p@ss=w'rd\"Database=x"))}),
              1);
    EXPECT_EQ(array.array().get({0, 0}), text("bolt"));
}

TEST_F(DataArraysTest, EachFailingStepOfADatabaseArrayHasItsCode)
{
    Variant notArray = text("x");
    EXPECT_EQ(toArray("DatabaseTableToArray", {Variant(kDsn), Variant(kQuery)}, notArray), -1);
    EXPECT_TRUE(connections.empty()) << "nothing is opened for a value that is not an array";
    Variant array = anArray();
    EXPECT_EQ(toArray("DatabaseTableToArray", {Variant(QStringLiteral("nosuchsource")), Variant(kQuery)}, array), -2);
    EXPECT_EQ(toArray("DatabaseTableToArray", {Variant(kDsn), Variant(QStringLiteral("SELECT x FROM nowhere"))}, array), -3);
    EXPECT_TRUE(allClosed()) << "a failed query closes its connection";
    EXPECT_TRUE(isOld(array));
}

TEST_F(DataArraysTest, ARecordsetAtItsEndIsCopiedWholeAndLeftOnItsFirstRecord)
{
    auto rs = openParts();
    rs->moveLast();
    rs->moveNext();
    ASSERT_TRUE(rs->eof());
    Variant array = anArray();
    ASSERT_EQ(toArray("RecordsetToArray", {Variant(automation::DispatchRef(rs))}, array), 1);
    EXPECT_EQ(arrayCells(array), (Cells{{"1", "bolt", "2.5"}, {"2", "nut", "<Null>"}, {"3", "washer", "0.25"}}));
    EXPECT_EQ(rs->value(0).toLong(), 1);
    ASSERT_EQ(toArray("RecordsetToArray", {Variant(automation::DispatchRef(rs))}, array, {Variant(true)}), 1);
    EXPECT_EQ(arrayCells(array).front(), (std::vector<QString>{"id", "name", "weight"}));
    EXPECT_EQ(arrayCells(array).size(), 4u);
    EXPECT_TRUE(rs->isOpen()) << "the caller's recordset stays open";
}

TEST_F(DataArraysTest, ARecordsetWithoutACountFailsAndIsMovedToItsFirstRecord)
{
    auto rs = openParts(kQuery, ado::adUseServer);
    ASSERT_EQ(rs->recordCount(), -1);
    rs->moveNext();
    Variant array = anArray();
    EXPECT_EQ(toArray("RecordsetToArray", {Variant(automation::DispatchRef(rs))}, array, {Variant(true)}), -2);
    EXPECT_EQ(rs->value(0).toLong(), 1);
    EXPECT_TRUE(isOld(array));
    Variant notArray;
    EXPECT_EQ(toArray("RecordsetToArray", {Variant(automation::DispatchRef(rs))}, notArray), -1);
    EXPECT_EQ(toArray("RecordsetToArray", {Variant::nothing()}, array), -2);
}

// ---- Recordsets and database tables into text files ----

TEST_F(DataArraysTest, TextFileLinesFollowTheDelimiterAndQuotesAsGiven)
{
    struct Case {
        const char* sql;
        bool headings;
        const char* delimiter;  // nullptr: left out
        bool quotes;
        QByteArray expected;
    };
    const std::vector<Case> cases = {
        {"SELECT id, name, weight FROM parts ORDER BY id", true, ",", false,
         "id,name,weight\r\n1,bolt,2.5\r\n2,nut,\r\n3,washer,0.25\r\n"},
        {"SELECT id, name FROM parts ORDER BY id", false, "; ", true,
         "\"1\"; \"bolt\"\r\n\"2\"; \"nut\"\r\n\"3\"; \"washer\"\r\n"},
        // Left out, the delimiter is nothing: the values run together.
        {"SELECT id, name FROM parts ORDER BY id", true, nullptr, false, "idname\r\n1bolt\r\n2nut\r\n3washer\r\n"},
        // One field: no delimiter at all; a quote inside a value stays as it is.
        {"SELECT 'say \"hi\"' AS t", true, "\t", true, "\"t\"\r\n\"say \"hi\"\"\r\n"},
        {"SELECT id FROM parts WHERE id < 0", true, ",", false, "id\r\n"},
        {"SELECT id FROM parts WHERE id < 0", false, ",", false, ""},
    };
    for (const Case& c : cases) {
        const QString sql = QString::fromUtf8(c.sql);
        Args tail{Variant(c.headings)};
        tail.push_back(c.delimiter ? Variant(QString::fromUtf8(c.delimiter)) : Variant::missing());
        tail.push_back(Variant(c.quotes));

        auto rs = openParts(sql);
        rs->moveLast();
        const QString fromRecordset = file(QStringLiteral("recordset.txt"));
        Args args{Variant(automation::DispatchRef(rs)), Variant(fromRecordset)};
        args.insert(args.end(), tail.begin(), tail.end());
        ASSERT_EQ(call("RecordsetToTextFile", args).toInteger(), 1) << c.sql;
        EXPECT_EQ(fileBytes(fromRecordset), c.expected) << c.sql;
        if (!rs->eof()) {
            EXPECT_EQ(rs->value(0).toString(), openParts(sql)->value(0).toString()) << "left on its first record";
        }

        const QString fromQuery = file(QStringLiteral("query.txt"));
        Args query{Variant(kDsn), Variant(sql), Variant(fromQuery), Variant(QString()), Variant(QString())};
        query.insert(query.end(), tail.begin(), tail.end());
        ASSERT_EQ(call("DatabaseTableToTextFile", query).toInteger(), 1) << c.sql;
        EXPECT_EQ(fileBytes(fromQuery), c.expected) << c.sql;
    }
    EXPECT_TRUE(allClosed());
}

TEST_F(DataArraysTest, ATextFileIsWrittenAnewAndAFailedOneLeavesTheOldFile)
{
    const QString path = file(QStringLiteral("parts.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("a much longer text that was there before\r\n");
    }
    auto rs = openParts(QStringLiteral("SELECT name FROM parts WHERE id = 1"));
    ASSERT_EQ(status("RecordsetToTextFile", {Variant(automation::DispatchRef(rs)), Variant(path)}), 1);
    EXPECT_EQ(fileBytes(path), "bolt\r\n");

    // A closed recordset fails before anything is written.
    auto closed = openParts();
    closed->close();
    EXPECT_EQ(status("RecordsetToTextFile", {Variant(automation::DispatchRef(closed)), Variant(path)}), -1);
    EXPECT_EQ(status("RecordsetToTextFile", {Variant::nothing(), Variant(path)}), -1);
    EXPECT_EQ(fileBytes(path), "bolt\r\n");

    rs->moveLast();
    EXPECT_EQ(status("RecordsetToTextFile", {Variant(automation::DispatchRef(rs)), Variant(file(QStringLiteral("no/such/dir.txt")))}), -1);
    EXPECT_FALSE(rs->eof()) << "moved to its first record after the failure";
}

TEST_F(DataArraysTest, EachFailingStepOfADatabaseTextFileHasItsCodeAndNothingStaysOpen)
{
    const QString path = file(QStringLiteral("out.txt"));
    EXPECT_EQ(status("DatabaseTableToTextFile", {Variant(QStringLiteral("nosuchsource")), Variant(kQuery), Variant(path)}), -1);
    EXPECT_EQ(status("DatabaseTableToTextFile", {Variant(kDsn), Variant(QStringLiteral("SELECT x FROM nowhere")), Variant(path)}), -2);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(status("DatabaseTableToTextFile", {Variant(kDsn), Variant(kQuery), Variant(file(QStringLiteral("no/dir.txt")))}), -3);
    EXPECT_TRUE(allClosed());
    EXPECT_EQ(connections.size(), 3u);
}

// ---- Grids into arrays ----

std::shared_ptr<controls::MemoryFlexGrid> grid3x3()
{
    auto g = std::make_shared<controls::MemoryFlexGrid>(3, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g->setTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
    return g;
}

TEST_F(DataArraysTest, FlexGridRangesCopyTheirCellsAndAnEndBeforeItsStartFails)
{
    struct Case {
        std::int32_t startRow, startCol, endRow, endCol;
        std::int16_t expected;
        Cells cells;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, 0, 1, {{"r0c0", "r0c1", "r0c2"}, {"r1c0", "r1c1", "r1c2"}, {"r2c0", "r2c1", "r2c2"}}},
        {1, 1, 2, 2, 1, {{"r1c1", "r1c2"}, {"r2c1", "r2c2"}}},
        {0, 2, 1, 0, 1, {{"r0c2"}, {"r1c2"}}},
        {2, 0, 1, 0, -2, {}},
        {0, 2, 0, 1, -2, {}},
        {0, 0, 4, 0, -2, {}},
    };
    for (const char* method : {"FlexGridToArray", "HFlexGridToArray"}) {
        for (const Case& c : cases) {
            Variant array = anArray();
            const std::int16_t got = toArray(method, {Variant(controls::flexGridDispatch(grid3x3()))}, array,
                                             {i32(c.startRow), i32(c.startCol), i32(c.endRow), i32(c.endCol)});
            EXPECT_EQ(got, c.expected) << method << " " << c.startRow << "," << c.startCol << "-" << c.endRow << "," << c.endCol;
            if (got == 1)
                EXPECT_EQ(arrayCells(array), c.cells) << method;
            else
                EXPECT_TRUE(isOld(array));
        }
        Variant notArray = text("x");
        EXPECT_EQ(toArray(method, {Variant(controls::flexGridDispatch(grid3x3()))}, notArray), -1);
        Variant array = anArray();
        EXPECT_EQ(toArray(method, {Variant::nothing()}, array), -2);
    }
}

TEST_F(DataArraysTest, ADataGridGivesEveryRecordUnderItsCaptions)
{
    Cells records;
    for (int r = 0; r < 5; ++r)
        records.push_back({QStringLiteral("a%1").arg(r), QStringLiteral("b%1").arg(r)});
    const auto dg = controls::dataGridDispatch(std::make_shared<controls::MemoryDataGrid>(std::vector<QString>{"A", "B"}, records, 2));
    Variant array = anArray();
    ASSERT_EQ(toArray("DataGridToArray", {Variant(dg)}, array, {Variant(true)}), 1);
    Cells expected = records;
    expected.insert(expected.begin(), {"A", "B"});
    EXPECT_EQ(arrayCells(array), expected);
    ASSERT_EQ(toArray("DataGridToArray", {Variant(dg)}, array), 1);
    EXPECT_EQ(arrayCells(array), records);

    const auto empty = controls::dataGridDispatch(std::make_shared<controls::MemoryDataGrid>(std::vector<QString>{"A"}, Cells{}, 2));
    array = anArray();
    EXPECT_EQ(toArray("DataGridToArray", {Variant(empty)}, array), -2);
    EXPECT_TRUE(isOld(array));
    ASSERT_EQ(toArray("DataGridToArray", {Variant(empty)}, array, {Variant(true)}), 1);
    EXPECT_EQ(arrayCells(array), (Cells{{"A"}}));
    Variant notArray;
    EXPECT_EQ(toArray("DataGridToArray", {Variant(dg)}, notArray), -1);
    EXPECT_EQ(toArray("DataGridToArray", {Variant::nothing()}, array), -2);
}

// ---- Tree views into arrays ----

// A tree from (parent, text) pairs, parents by node number, 0 for a top-level node.
std::shared_ptr<controls::MemoryTreeView> treeOf(std::vector<std::pair<int, const char*>> nodes)
{
    auto tree = std::make_shared<controls::MemoryTreeView>();
    for (const auto& [parent, text] : nodes)
        tree->addNode(parent, QString::fromUtf8(text));
    return tree;
}

TEST_F(DataArraysTest, ATreeBecomesAnOutlineWithOrWithoutSuppressedRows)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, const char*>> nodes;
        Cells all, suppressed;
    };
    const std::vector<Case> cases = {
        {"a parent and two children", {{0, "A"}, {1, "B"}, {1, "C"}},
         {{"A", ""}, {"", "B"}, {"", "C"}}, {{"A", "B"}, {"", "C"}}},
        {"top-level nodes only", {{0, "A"}, {0, "B"}, {0, "C"}}, {{"A"}, {"B"}, {"C"}}, {{"A"}, {"B"}, {"C"}}},
        {"two branches, one deeper", {{0, "A"}, {1, "B"}, {2, "C"}, {1, "D"}, {0, "E"}, {5, "F"}},
         {{"A", "", ""}, {"", "B", ""}, {"", "", "C"}, {"", "D", ""}, {"E", "", ""}, {"", "F", ""}},
         {{"A", "B", "C"}, {"", "D", ""}, {"E", "F", ""}}},
        // A "~" in a text reads as one level more in the sizing: an empty column more.
        {"a text with the marker", {{0, "A~1"}, {1, "B"}}, {{"A~1", "", ""}, {"", "B", ""}}, {{"A~1", "B", ""}}},
    };
    for (const Case& c : cases)
        for (const bool suppress : {false, true}) {
            auto tree = treeOf(c.nodes);
            Variant array = anArray();
            ASSERT_EQ(toArray("TreeViewToTwoDArray", {Variant(controls::treeViewDispatch(tree))}, array,
                              {Variant(suppress)}),
                      1)
                << c.what;
            EXPECT_EQ(arrayCells(array), suppress ? c.suppressed : c.all) << c.what << (suppress ? ", suppressed" : "");
            EXPECT_TRUE(array.array().get({0, 0}).isString());
            if (arrayCells(array).size() > 1 && array.array().ubound(2) > 0) {
                EXPECT_TRUE(array.array().get({1, 0}).isEmpty()) << "cells without a text stay empty";
            }
            EXPECT_EQ(tree->pathSeparator(), QStringLiteral("\\")) << "the separator is restored";
        }
}

TEST_F(DataArraysTest, AnEmptyTreeOrAnotherObjectFailsAndTheSeparatorIsRestored)
{
    for (const bool suppress : {false, true}) {
        auto tree = std::make_shared<controls::MemoryTreeView>();
        tree->setPathSeparator(QStringLiteral("/"));
        Variant array = anArray();
        EXPECT_EQ(toArray("TreeViewToTwoDArray", {Variant(controls::treeViewDispatch(tree))}, array, {Variant(suppress)}), -2);
        EXPECT_TRUE(isOld(array));
        EXPECT_EQ(tree->pathSeparator(), QStringLiteral("/"));
    }
    Variant array = anArray();
    EXPECT_EQ(toArray("TreeViewToTwoDArray", {Variant::nothing()}, array), -2);
    EXPECT_EQ(toArray("TreeViewToTwoDArray", {Variant(controls::flexGridDispatch(grid3x3()))}, array), -2);
    Variant notArray = text("x");
    EXPECT_EQ(toArray("TreeViewToTwoDArray", {Variant(controls::treeViewDispatch(treeOf({{0, "A"}})))}, notArray), -1);
}

} // namespace
} // namespace tovu::control::testing
