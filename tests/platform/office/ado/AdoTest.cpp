// ADO over a real ODBC data source: a SQLite database behind the SQLite ODBC driver,
// named by a DSN in an odbc.ini of the test's own (ODBCSYSINI).
#include "platform/automation/Activator.h"
#include "platform/automation/AutomationError.h"
#include "platform/office/ado/AdoClasses.h"
#include "platform/office/ado/Connection.h"
#include "platform/office/ado/Recordset.h"

#include "support/AppEnvironment.h"
#include "support/OdbcDataSource.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// The SQLite ODBC driver keeps a few bytes of every connection it made; not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libsqlite3odbc\nleak:libsqliteodbc\n";
}

TOVU_TEST_APPLICATION(QCoreApplication)

namespace tovu::platform::ado {
namespace {

using automation::AutomationError;
using automation::Variant;

// One data source for the whole run, after the application: the ODBC environment reads
// its configuration once.
[[maybe_unused]] const auto* const dataSource = ::testing::AddGlobalTestEnvironment(new test::OdbcDataSource(
    QStringLiteral("tovuparts"),
    {QStringLiteral("CREATE TABLE parts (id INTEGER, name TEXT, weight REAL)"),
     QStringLiteral("INSERT INTO parts VALUES (1, 'bolt', 2.5), (2, 'nut', NULL), (3, 'washer', 0.25)")}));

const QString kConnect = QStringLiteral("DSN=tovuparts;UID=;PWD=;");
const QString kQuery = QStringLiteral("SELECT id, name, weight FROM parts ORDER BY id");

// The query recordset as the control opens it: client cursor, cache 20, forward-only, read-only.
std::shared_ptr<Recordset> openQuery(const std::shared_ptr<Connection>& connection, const QString& sql = kQuery)
{
    auto rs = std::make_shared<Recordset>();
    rs->put(QStringLiteral("CursorLocation"), Variant(std::int32_t{3}));
    rs->put(QStringLiteral("CacheSize"), Variant(std::int32_t{20}));
    rs->call(QStringLiteral("Open"), {Variant(sql), Variant(automation::DispatchRef(connection)), Variant(std::int32_t{0}),
                                      Variant(std::int32_t{1})});
    return rs;
}

TEST(Ado, AClientCursorKnowsItsCountAndWalksTheRows)
{
    auto connection = std::make_shared<Connection>();
    connection->call(QStringLiteral("Open"), {Variant(kConnect)});
    EXPECT_EQ(connection->get(QStringLiteral("State")).toLong(), adStateOpen);
    const auto rs = openQuery(connection);

    EXPECT_EQ(rs->get(QStringLiteral("RecordCount")).toLong(), 3);
    const automation::DispatchRef fields = rs->get(QStringLiteral("Fields")).toObject();
    ASSERT_EQ(fields->get(QStringLiteral("Count")).toLong(), 3);
    QStringList names;
    for (std::int32_t f = 0; f < 3; ++f)
        names << rs->call(QStringLiteral("Fields"), {Variant(f)}).toObject()->get(QStringLiteral("Name")).toString();
    EXPECT_EQ(names, (QStringList{QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("weight")}));

    QStringList seen;
    while (!rs->get(QStringLiteral("EOF")).toBoolean()) {
        // A field by the recordset's default member, and by name through Fields.
        std::vector<Variant> first{Variant(std::int32_t{0})};
        const automation::DispatchRef id = rs->invoke(automation::DispIdValue, first).toObject();
        const Variant weight = fields->call(QStringLiteral("Item"), {Variant(QStringLiteral("WEIGHT"))}).toObject()->get(QStringLiteral("Value"));
        seen << id->get(QStringLiteral("Value")).toString() + u'=' + (weight.isNull() ? QStringLiteral("Null") : weight.toString());
        rs->call(QStringLiteral("MoveNext"));
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("1=2.5"), QStringLiteral("2=Null"), QStringLiteral("3=0.25")}));
    EXPECT_THROW(rs->call(QStringLiteral("MoveNext")), AutomationError);
    rs->call(QStringLiteral("MoveFirst"));
    EXPECT_FALSE(rs->get(QStringLiteral("EOF")).toBoolean());
    rs->call(QStringLiteral("Close"));
    connection->call(QStringLiteral("Close"));
    EXPECT_EQ(connection->get(QStringLiteral("State")).toLong(), adStateClosed);
}

TEST(Ado, GetStringGivesTheClipTextAndEndsAtEof)
{
    auto connection = std::make_shared<Connection>();
    connection->open(kConnect);
    const auto rs = openQuery(connection);
    const Variant text = rs->call(QStringLiteral("GetString"), {Variant(std::int32_t{2}), Variant(std::int32_t{-1}),
                                                                 Variant(QStringLiteral("\t"))});
    EXPECT_EQ(text.toString(), QStringLiteral("1\tbolt\t2.5\r2\tnut\t\r3\twasher\t0.25\r"));
    EXPECT_TRUE(rs->eof());
    rs->moveFirst();
    EXPECT_EQ(rs->getString(2, 1, QStringLiteral(","), QStringLiteral("|"), QStringLiteral("(null)")),
              QStringLiteral("1,bolt,2.5|"));
    EXPECT_EQ(rs->getString(2, -1, QStringLiteral(","), QStringLiteral("|"), QStringLiteral("(null)")),
              QStringLiteral("2,nut,(null)|3,washer,0.25|"));
    EXPECT_THROW(rs->getString(1, -1, QString(), QString(), QString()), AutomationError);
}

TEST(Ado, AForwardOnlyServerCursorAnswersNoCount)
{
    auto connection = std::make_shared<Connection>();
    connection->open(kConnect);
    auto rs = std::make_shared<Recordset>();
    rs->open(kQuery, Variant(automation::DispatchRef(connection)), adOpenForwardOnly, 1);
    EXPECT_EQ(rs->recordCount(), -1);
    EXPECT_FALSE(rs->eof());
}

TEST(Ado, AnEmptyResultIsAtBothEnds)
{
    auto connection = std::make_shared<Connection>();
    connection->open(kConnect);
    const auto rs = openQuery(connection, QStringLiteral("SELECT id FROM parts WHERE id > 99"));
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_TRUE(rs->eof());
    EXPECT_TRUE(rs->bof());
    EXPECT_EQ(rs->fieldCount(), 1);
    EXPECT_THROW(rs->value(0), AutomationError);
}

TEST(Ado, FailuresRaiseTheProvidersErrorAndLeaveNothingOpen)
{
    auto connection = std::make_shared<Connection>();
    try {
        connection->open(QStringLiteral("DSN=no such source;UID=;PWD=;"));
        ADD_FAILURE() << "opened a missing data source";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), automation::Hresult::Fail);
        EXPECT_FALSE(e.description().isEmpty());
    }
    EXPECT_FALSE(connection->isOpen());
    EXPECT_THROW(connection->open(QStringLiteral("UID=x;")), AutomationError);
    // A value the driver may not read braced is refused, whether in the string or given apart.
    for (const auto& [string, password] : {std::pair{QStringLiteral("DSN=tovuparts;PWD={x;Database=y};"), QString()},
                                           std::pair{kConnect, QStringLiteral("x}")}}) {
        try {
            connection->open(string, QString(), password);
            ADD_FAILURE() << "opened with " << string.toStdString();
        } catch (const AutomationError& e) {
            EXPECT_TRUE(e.description().contains(QLatin1String("password"))) << e.description().toStdString();
        }
        EXPECT_FALSE(connection->isOpen());
    }

    connection->open(kConnect);
    EXPECT_THROW(openQuery(connection, QStringLiteral("SELECT nothing FROM nowhere")), AutomationError);
    auto closed = std::make_shared<Connection>();
    EXPECT_THROW(openQuery(closed), AutomationError);
}

TEST(Ado, TheClassesAreServedByProgId)
{
    automation::Activator activator(automation::ServerLocations{});
    registerAdoClasses(activator);
    const automation::DispatchRef connection = activator.createObject(QStringLiteral("ADODB.Connection"));
    const automation::DispatchRef rs = activator.createObject(QStringLiteral("adodb.recordset"));
    ASSERT_TRUE(connection && rs);
    connection->call(QStringLiteral("Open"), {Variant(kConnect)});
    rs->put(QStringLiteral("CursorLocation"), Variant(std::int32_t{3}));
    rs->call(QStringLiteral("Open"), {Variant(kQuery), Variant(connection), Variant(std::int32_t{0}), Variant(std::int32_t{1})});
    EXPECT_EQ(rs->get(QStringLiteral("RecordCount")).toLong(), 3);
    EXPECT_EQ(rs->typeName(), QStringLiteral("Recordset"));
}

} // namespace
} // namespace tovu::platform::ado
