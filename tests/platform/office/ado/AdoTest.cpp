// ADO over a real ODBC data source: a SQLite database behind the SQLite ODBC driver,
// named by a DSN in an odbc.ini of the test's own (ODBCSYSINI).
#include "platform/automation/Activator.h"
#include "platform/automation/AutomationError.h"
#include "platform/office/ado/AdoClasses.h"
#include "platform/office/ado/Connection.h"
#include "platform/office/ado/Recordset.h"

#include <QCoreApplication>
#include <dlfcn.h>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The SQLite ODBC driver keeps a few bytes of every connection it made; not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libsqlite3odbc\nleak:libsqliteodbc\n";
}

namespace tovu::platform::ado {
namespace {

using automation::AutomationError;
using automation::Variant;

// One data source for the whole run: the ODBC environment reads its configuration once.
class DataSource : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "ado_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app_ = std::make_unique<QCoreApplication>(argc, argv);
        ASSERT_TRUE(dir_.isValid());
        const QString db = dir_.filePath(QStringLiteral("parts.db"));
        {
            QSqlDatabase sqlite = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
            sqlite.setDatabaseName(db);
            ASSERT_TRUE(sqlite.open());
            QSqlQuery q(sqlite);
            ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE parts (id INTEGER, name TEXT, weight REAL)")));
            ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO parts VALUES (1, 'bolt', 2.5), (2, 'nut', NULL), (3, 'washer', 0.25)")));
            sqlite.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("setup"));
        QFile ini(dir_.filePath(QStringLiteral("odbc.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[tovuparts]\nDriver=SQLite3\nDatabase=%1\n").arg(db).toUtf8());
        ini.close();
        // The system's drivers, kept loaded (DontDLClose) so that what the driver itself
        // leaks is still named by its library when the run ends.
        QFile drivers(QStringLiteral("/etc/odbcinst.ini"));
        ASSERT_TRUE(drivers.open(QIODevice::ReadOnly));
        QByteArray copy;
        for (const QByteArray& line : drivers.readAll().split('\n')) {
            copy += line + '\n';
            if (line.startsWith('['))
                copy += "DontDLClose=1\n";
        }
        QFile own(dir_.filePath(QStringLiteral("odbcinst.ini")));
        ASSERT_TRUE(own.open(QIODevice::WriteOnly));
        own.write(copy);
        own.close();
        qputenv("ODBCSYSINI", dir_.path().toUtf8());
        // The driver and the layers above it pinned in memory, so that a leak report can
        // still name the library when the run ends.
        for (const char* library : {"libodbc.so.2", "libodbcinst.so.2", "odbc/libsqlite3odbc.so", "odbc/libsqliteodbc.so",
                                    "qt6/plugins/sqldrivers/libqsqlodbc.so"})
            dlopen((QByteArray("/usr/lib/x86_64-linux-gnu/") + library).constData(), RTLD_NOW | RTLD_NODELETE);
    }
    void TearDown() override { app_.reset(); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<QCoreApplication> app_;
};
[[maybe_unused]] const auto* const dataSource = ::testing::AddGlobalTestEnvironment(new DataSource);

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
