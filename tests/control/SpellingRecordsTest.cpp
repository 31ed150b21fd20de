// Spell checks of recordsets and database tables, on a table of the run's ODBC data source
// (the SQLite database behind the DSN that the recordset table tests set up).
#include "ControlFixture.h"
#include "platform/office/ado/Recordset.h"
#include "platform/office/word/ProofingSettings.h"
#include "platform/spelling/ScriptedSpellingDialog.h"

#include <QDir>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace tovu::control::testing {
namespace {

namespace ado = tovu::platform::ado;
namespace spelling = tovu::platform::spelling;
using spelling::Decision;

const QString kDsn = QStringLiteral("tovuparts");

class EventLog : public VerboltEvents {
public:
    void CurrentRow(std::int32_t& row) override { log << QStringLiteral("row %1").arg(row); }
    void CurrentColumn(std::int32_t& column) override { log << QStringLiteral("column %1").arg(column); }
    void CurrentField(QString& field) override { log << QStringLiteral("field ") + field; }
    QStringList log;
};

class SpellingRecordsTest : public ControlTest {
protected:
    void SetUp() override
    {
        ensureGui();
        environment.proofing().setLanguage(QStringLiteral("en_US"));
        environment.proofing().setDictionaryFolder(dir.path());
        environment.proofing().setDialog(dialog);
        control.setEventSink(&events);
        // The data source's database file, as its odbc.ini names it.
        const QSettings ini(QDir(qEnvironmentVariable("ODBCSYSINI")).filePath(QStringLiteral("odbc.ini")),
                            QSettings::IniFormat);
        database = ini.value(kDsn + QStringLiteral("/Database")).toString();
        ASSERT_FALSE(database.isEmpty());
        run({QStringLiteral("DROP TABLE IF EXISTS notes"),
             QStringLiteral("CREATE TABLE notes (id INTEGER, label TEXT, note TEXT, weight REAL)"),
             QStringLiteral("INSERT INTO notes VALUES (1, 'huose', 'a wrld', 2.5), (2, '   ', NULL, NULL), "
                            "(3, 'gate', 'teh end', 1.0)")});
    }
    void TearDown() override { EXPECT_EQ(environment.runningCount(), 0); }

    void run(const QStringList& statements)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("spelling-notes"));
            db.setDatabaseName(database);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            for (const QString& s : statements)
                ASSERT_TRUE(q.exec(s)) << s.toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("spelling-notes"));
    }
    QStringList rows()
    {
        QStringList out;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("spelling-notes"));
            db.setDatabaseName(database);
            EXPECT_TRUE(db.open());
            QSqlQuery q(QStringLiteral("SELECT label, note FROM notes ORDER BY id"), db);
            while (q.next())
                out << q.value(0).toString() + QLatin1Char('|') + q.value(1).toString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("spelling-notes"));
        return out;
    }
    std::shared_ptr<ado::Recordset> records(std::int32_t lock = 3)
    {
        auto rs = std::make_shared<ado::Recordset>();
        rs->cursorLocation = ado::adUseClient;
        rs->open(QStringLiteral("SELECT id, label, note, weight FROM notes ORDER BY id"),
                 Variant(QStringLiteral("DSN=") + kDsn + QLatin1Char(';')), 0, lock);
        return rs;
    }

    QString database;
    std::shared_ptr<spelling::ScriptedSpellingDialog> dialog = std::make_shared<spelling::ScriptedSpellingDialog>();
    EventLog events;
};

TEST_F(SpellingRecordsTest, ARecordsetGetsItsCorrectionsWrittenFieldByField)
{
    auto rs = records();
    rs->moveLast();
    dialog->answer(Decision::change(QStringLiteral("house")));
    dialog->answer(Decision::change(QStringLiteral("world")));
    dialog->answer(Decision::change(QStringLiteral("the")));
    Args args{Variant(automation::DispatchRef(rs)), Variant(std::int32_t{2}), Variant(std::int32_t{3})};
    EXPECT_EQ(call("SpellCheckRecordset", args).toInteger(), 1);
    EXPECT_EQ(args[1].toLong(), 1);
    EXPECT_EQ(rows(), (QStringList{"house|a world", "   |", "gate|the end"}));
    // Blank, Null and number fields raise their events and are not shown.
    EXPECT_EQ(events.log, (QStringList{"row 1", "column 2", "field label", "column 3", "field note", "row 2", "column 2",
                                       "field label", "column 3", "field note", "row 3", "column 2", "field label",
                                       "column 3", "field note"}));
    EXPECT_EQ(dialog->askedWords(), (QStringList{"huose", "wrld", "teh"}));
    // The recordset is back on its first record.
    EXPECT_EQ(rs->value(0).toLong(), 1);
}

TEST_F(SpellingRecordsTest, NoChangesWritesNothing)
{
    auto rs = records();
    dialog->setDefault(Decision::change(QStringLiteral("fixed")));
    EXPECT_EQ(status("SpellCheckRecordset", {Variant(automation::DispatchRef(rs)), Variant(std::int32_t{0}),
                                             Variant(std::int32_t{0}), Variant(true)}),
              1);
    EXPECT_EQ(dialog->askedWords(), (QStringList{"huose", "wrld", "teh"}));
    EXPECT_EQ(rows(), (QStringList{"huose|a wrld", "   |", "gate|teh end"}));
}

TEST_F(SpellingRecordsTest, ACommaFirstEndsTheDatabaseTableButNotTheRecordset)
{
    run({QStringLiteral("UPDATE notes SET note = ', huose' WHERE id = 1")});
    // The check of ", huose" leaves the comma first: the table method stops there.
    dialog->setDefault(Decision::change(QStringLiteral("house")));
    EXPECT_EQ(status("SpellCheckDatabaseTable", {Variant(kDsn), Variant(QStringLiteral("SELECT label, note FROM notes ORDER BY id"))}), 1);
    EXPECT_EQ(rows(), (QStringList{"house|, huose", "   |", "gate|teh end"}));
    EXPECT_EQ(events.log.last(), QStringLiteral("field note"));
    events.log.clear();
    EXPECT_EQ(status("SpellCheckRecordset", {Variant(automation::DispatchRef(records()))}), 1);
    EXPECT_EQ(rows(), (QStringList{"house|, house", "   |", "gate|house end"}));
}

TEST_F(SpellingRecordsTest, StatusCodesOfTheDatabaseTable)
{
    const Variant sql(QStringLiteral("SELECT label, note FROM notes ORDER BY id"));
    EXPECT_EQ(status("SpellCheckDatabaseTable", {Variant(QStringLiteral("nosuchdsn")), sql}), -1);
    EXPECT_EQ(status("SpellCheckDatabaseTable", {Variant(kDsn), Variant(QStringLiteral("SELECT * FROM nosuchtable"))}), -2);
    hooks().failOn(QStringLiteral("Application.Dialog.Show"));
    EXPECT_EQ(status("SpellCheckDatabaseTable", {Variant(kDsn), sql}), -3);
    EXPECT_EQ(rows(), (QStringList{"huose|a wrld", "   |", "gate|teh end"}));
    dialog->answer(Decision::change(QStringLiteral("house")));
    EXPECT_EQ(status("SpellCheckDatabaseTable", {Variant(kDsn), sql}), 1);
    EXPECT_EQ(rows(), (QStringList{"house|a wrld", "   |", "gate|teh end"}));
}

TEST_F(SpellingRecordsTest, ARecordsetThatCannotBeWrittenFailsAndWordQuits)
{
    auto rs = records(1);
    dialog->answer(Decision::change(QStringLiteral("house")));
    EXPECT_EQ(status("SpellCheckRecordset", {Variant(automation::DispatchRef(rs))}), -1);
    EXPECT_EQ(rows(), (QStringList{"huose|a wrld", "   |", "gate|teh end"}));
    EXPECT_EQ(status("SpellCheckRecordset", {Variant()}), -1);
}

TEST_F(SpellingRecordsTest, AnUpdateNeverOverwritesARowChangedSinceItWasRead)
{
    auto rs = records();
    rs->setValue(1, Variant(QStringLiteral("house")));
    run({QStringLiteral("UPDATE notes SET note = 'changed elsewhere' WHERE id = 1")});
    EXPECT_THROW(rs->update(), automation::AutomationError);
    EXPECT_EQ(rows().first(), QStringLiteral("huose|changed elsewhere"));
    // A query over two tables cannot be written at all.
    auto joined = std::make_shared<ado::Recordset>();
    joined->open(QStringLiteral("SELECT a.label FROM notes a JOIN notes b ON a.id = b.id"),
                 Variant(QStringLiteral("DSN=") + kDsn + QLatin1Char(';')), 0, 3);
    EXPECT_THROW(joined->setValue(0, Variant(QStringLiteral("x"))), automation::AutomationError);
}

TEST_F(SpellingRecordsTest, AnEditLeftPendingIsWrittenWhenTheRecordsetMoves)
{
    // Moving off an edited record writes it, as the recordset's immediate updates do; each
    // way of moving, from the record it leaves.
    struct Move {
        const char* name;
        void (ado::Recordset::*move)();
        int editedRow;  // 0-based
    };
    for (const Move& m : {Move{"MoveNext", &ado::Recordset::moveNext, 0}, Move{"MovePrevious", &ado::Recordset::movePrevious, 2},
                          Move{"MoveFirst", &ado::Recordset::moveFirst, 1}, Move{"MoveLast", &ado::Recordset::moveLast, 0}}) {
        SCOPED_TRACE(m.name);
        run({QStringLiteral("UPDATE notes SET label = 'x'")});
        auto rs = records();
        for (int i = 0; i < m.editedRow; ++i)
            rs->moveNext();
        rs->setValue(1, Variant(QStringLiteral("moved")));
        ((*rs).*m.move)();
        QStringList expected{"x|a wrld", "x|", "x|teh end"};
        expected[m.editedRow] = QStringLiteral("moved|") + expected[m.editedRow].section(QLatin1Char('|'), 1);
        EXPECT_EQ(rows(), expected);
        // Nothing is left pending: a later change of that row elsewhere is not overwritten.
        run({QStringLiteral("UPDATE notes SET label = 'elsewhere'")});
        rs->moveFirst();
        EXPECT_EQ(rows().at(m.editedRow).section(QLatin1Char('|'), 0, 0), QStringLiteral("elsewhere"));
    }
}

} // namespace
} // namespace tovu::control::testing
