// Word tables from a recordset and from a query on an ODBC data source: a SQLite database
// behind the SQLite ODBC driver, named by a DSN in an odbc.ini of the run's own.
#include "OdbcDataSource.h"
#include "platform/office/ado/Connection.h"
#include "platform/office/ado/Recordset.h"

namespace tovu::control::testing {
namespace {

namespace ado = tovu::platform::ado;
using Cells = std::vector<std::vector<QString>>;

[[maybe_unused]] const auto* const partsDataSource = ::testing::AddGlobalTestEnvironment(new OdbcDataSource(
    QStringLiteral("tovuparts"),
    {QStringLiteral("CREATE TABLE parts (id INTEGER, name TEXT, weight REAL)"),
     QStringLiteral("INSERT INTO parts VALUES (1, 'bolt', 2.5), (2, 'nut', NULL), (3, 'washer', 0.25)")}));

const QString kQuery = QStringLiteral("SELECT id, name, weight FROM parts ORDER BY id");
const Cells kParts = {{"1", "bolt", "2.5"}, {"2", "nut", ""}, {"3", "washer", "0.25"}};
const Cells kPartsWithNames = {{"id", "name", "weight"}, {"1", "bolt", "2.5"}, {"2", "nut", ""}, {"3", "washer", "0.25"}};

class RecordsetTablesTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
        // The ADO objects the control creates, kept to see what it left open.
        control.setObjectCreator([this](const QString& progId) -> automation::DispatchRef {
            if (progId == QLatin1String("ADODB.Connection"))
                return connections.emplace_back(std::make_shared<ado::Connection>());
            if (progId == QLatin1String("ADODB.Recordset"))
                return recordsets.emplace_back(std::make_shared<ado::Recordset>());
            throw automation::AutomationError::standard(automation::ErrorNumber::CannotCreateObject);
        });
    }

    std::shared_ptr<ado::Recordset> openParts(const QString& sql = kQuery)
    {
        auto connection = std::make_shared<ado::Connection>();
        connection->open(QStringLiteral("DSN=tovuparts;UID=;PWD=;"));
        auto rs = std::make_shared<ado::Recordset>();
        rs->cursorLocation = ado::adUseClient;
        rs->open(sql, Variant(automation::DispatchRef(connection)), ado::adOpenForwardOnly, 1);
        return rs;
    }

    Cells lastTable()
    {
        const word::TableModel& t = control.HeldDocument->tables().item(control.HeldDocument->tables().count()).model();
        Cells cells(static_cast<std::size_t>(t.rows));
        for (int r = 0; r < t.rows; ++r)
            for (int c = 0; c < t.columns; ++c)
                cells[static_cast<std::size_t>(r)].push_back(t.cell(r, c).text);
        return cells;
    }
    int tables() { return control.HeldDocument->tables().count(); }
    std::int16_t database(const QString& dsn, const QString& sql, bool headings)
    {
        return status("DatabaseTableToWordTable",
                      {Variant(dsn), Variant(sql), Variant(QString()), Variant(QString()), Variant(headings)});
    }
    bool allClosed() const
    {
        for (const auto& c : connections)
            if (c->isOpen())
                return false;
        for (const auto& r : recordsets)
            if (r->isOpen())
                return false;
        return true;
    }

    std::vector<std::shared_ptr<ado::Connection>> connections;
    std::vector<std::shared_ptr<ado::Recordset>> recordsets;
};

TEST_F(RecordsetTablesTest, ARecordsetBecomesATableFromItsFirstRowAndIsLeftThere)
{
    auto rs = openParts();
    rs->moveLast();
    ASSERT_EQ(status("RecordsetToWordTable", {Variant(automation::DispatchRef(rs)), Variant(true)}), 1);
    EXPECT_EQ(lastTable(), kPartsWithNames);
    EXPECT_EQ(rs->value(0).toLong(), 1);
    ASSERT_EQ(status("RecordsetToWordTable", {Variant(automation::DispatchRef(rs))}), 1);
    EXPECT_EQ(lastTable(), kParts);
    // The report's font goes on every cell.
    Args arial{Variant(automation::DispatchRef(rs)), Variant(false), Variant(std::int32_t{37}), Variant(false),
               Variant(QStringLiteral("Arial"))};
    ASSERT_EQ(status("RecordsetToWordTable", std::move(arial)), 1);
    for (const auto& cell : control.HeldDocument->tables().item(tables()).model().cells)
        EXPECT_EQ(cell.font.name, QStringLiteral("Arial"));
}

TEST_F(RecordsetTablesTest, RecordsetFailuresAreMinusThreeAndLeaveTheRecordsetOnItsFirstRow)
{
    auto rs = openParts();
    rs->moveLast();
    hooks().failOn(QStringLiteral("Range.ConvertToTable"));
    EXPECT_EQ(status("RecordsetToWordTable", {Variant(automation::DispatchRef(rs)), Variant(true)}), -3);
    EXPECT_EQ(rs->value(0).toLong(), 1);
    EXPECT_EQ(status("RecordsetToWordTable", {Variant::nothing()}), -3);
    auto closed = openParts();
    closed->close();
    EXPECT_EQ(status("RecordsetToWordTable", {Variant(automation::DispatchRef(closed))}), -3);
    EXPECT_EQ(tables(), 0);
}

TEST_F(RecordsetTablesTest, AQueryOnADataSourceBecomesATableAndClosesWhatItOpened)
{
    ASSERT_EQ(database(QStringLiteral("tovuparts"), kQuery, true), 1);
    EXPECT_EQ(lastTable(), kPartsWithNames);
    ASSERT_EQ(database(QStringLiteral("tovuparts"), QStringLiteral("SELECT name FROM parts WHERE id > 1 ORDER BY id"), false), 1);
    EXPECT_EQ(lastTable(), (Cells{{"nut"}, {"washer"}}));
    EXPECT_EQ(connections.size(), 2u);
    EXPECT_TRUE(allClosed());
}

TEST_F(RecordsetTablesTest, EachFailingStepOfTheQueryHasItsCodeAndNothingStaysOpen)
{
    EXPECT_EQ(database(QStringLiteral("nosuchsource"), kQuery, false), -3);
    EXPECT_EQ(database(QStringLiteral("tovuparts"), QStringLiteral("SELECT nothing FROM nowhere"), false), -4);
    EXPECT_TRUE(allClosed()) << "a failed query leaves no open connection";
    hooks().failOn(QStringLiteral("Range.ConvertToTable"));
    EXPECT_EQ(database(QStringLiteral("tovuparts"), kQuery, true), -5);
    EXPECT_TRUE(allClosed());
    EXPECT_EQ(tables(), 0);
    control.setObjectCreator([](const QString&) -> automation::DispatchRef {
        throw automation::AutomationError::standard(automation::ErrorNumber::CannotCreateObject);
    });
    EXPECT_EQ(database(QStringLiteral("tovuparts"), kQuery, false), -3);
}

TEST_F(RecordsetTablesTest, WithoutWordOrAHeldDocumentNothingIsOpened)
{
    auto rs = openParts();
    control.HeldDocument.reset();
    EXPECT_EQ(status("RecordsetToWordTable", {Variant(automation::DispatchRef(rs))}), -2);
    EXPECT_EQ(database(QStringLiteral("tovuparts"), kQuery, false), -2);
    control.HeldApplication->quit(false);
    EXPECT_EQ(status("RecordsetToWordTable", {Variant(automation::DispatchRef(rs))}), -1);
    EXPECT_EQ(database(QStringLiteral("tovuparts"), kQuery, false), -1);
    EXPECT_TRUE(connections.empty());
}

} // namespace
} // namespace tovu::control::testing
