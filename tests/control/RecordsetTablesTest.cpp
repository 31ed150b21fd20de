// Word tables from a recordset and from a query on an ODBC data source: a SQLite database
// behind the SQLite ODBC driver, named by a DSN in an odbc.ini of the run's own.
#include "AdoFixture.h"
#include "ControlFixture.h"
#include "support/OdbcDataSource.h"

namespace tovu::control::testing {
namespace {

namespace ado = tovu::platform::ado;

[[maybe_unused]] const auto* const partsDataSource = ::testing::AddGlobalTestEnvironment(new test::OdbcDataSource(
    QStringLiteral("tovuparts"),
    {QStringLiteral("CREATE TABLE parts (id INTEGER, name TEXT, weight REAL)"),
     QStringLiteral("INSERT INTO parts VALUES (1, 'bolt', 2.5), (2, 'nut', NULL), (3, 'washer', 0.25)")},
    [] { ensureGui(); }));

const QString kQuery = QStringLiteral("SELECT id, name, weight FROM parts ORDER BY id");
const Cells kParts = {{"1", "bolt", "2.5"}, {"2", "nut", ""}, {"3", "washer", "0.25"}};
const Cells kPartsWithNames = {{"id", "name", "weight"}, {"1", "bolt", "2.5"}, {"2", "nut", ""}, {"3", "washer", "0.25"}};

class RecordsetTablesTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        ASSERT_EQ(openBlank(), 1);
        control.setObjectCreator(recording.creator());
    }

    std::shared_ptr<ado::Recordset> openParts(const QString& sql = kQuery) { return testing::openParts(sql); }

    Cells lastTable() { return tableCells(control.heldDocument()->tables().item(tables()).model()); }
    int tables() { return control.heldDocument()->tables().count(); }
    std::int16_t database(const QString& dsn, const QString& sql, bool headings)
    {
        return status("DatabaseTableToWordTable",
                      {Variant(dsn), Variant(sql), Variant(QString()), Variant(QString()), Variant(headings)});
    }
    bool allClosed() const { return recording.allClosed(); }

    RecordingAdo recording;
    const std::vector<std::shared_ptr<ado::Connection>>& connections = recording.connections;
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
    for (const auto& cell : control.heldDocument()->tables().item(tables()).model().cells)
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
    wordUpWithoutHeldDocument();
    EXPECT_EQ(status("RecordsetToWordTable", {Variant(automation::DispatchRef(rs))}), -2);
    EXPECT_EQ(database(QStringLiteral("tovuparts"), kQuery, false), -2);
    control.heldApplication()->quit(false);
    EXPECT_EQ(status("RecordsetToWordTable", {Variant(automation::DispatchRef(rs))}), -1);
    EXPECT_EQ(database(QStringLiteral("tovuparts"), kQuery, false), -1);
    EXPECT_TRUE(connections.empty());
}

} // namespace
} // namespace tovu::control::testing
