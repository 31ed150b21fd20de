// A SQLite database behind the SQLite ODBC driver, named by a DSN in an odbc.ini of the
// run's own (ODBCSYSINI). The ODBC environment reads its configuration once per process, so
// a test program sets up one such source, as a global test environment, after its Qt
// application object.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <dlfcn.h>
#include <functional>
#include <gtest/gtest.h>

namespace tovu::test {

class OdbcDataSource : public ::testing::Environment {
public:
    // dsn: the data source name; statements: run on the new database before the tests;
    // prepare: run first (the test program's Qt application made).
    OdbcDataSource(QString dsn, QStringList statements, std::function<void()> prepare = {})
        : dsn_(std::move(dsn)), statements_(std::move(statements)), prepare_(std::move(prepare))
    {
    }

    QString databasePath() const { return dir_.filePath(QStringLiteral("source.db")); }

    void SetUp() override
    {
        if (prepare_)
            prepare_();
        ASSERT_TRUE(dir_.isValid());
        {
            QSqlDatabase sqlite = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("odbc-setup"));
            sqlite.setDatabaseName(databasePath());
            ASSERT_TRUE(sqlite.open());
            QSqlQuery q(sqlite);
            for (const QString& statement : statements_)
                ASSERT_TRUE(q.exec(statement)) << statement.toStdString();
            sqlite.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("odbc-setup"));
        QFile ini(dir_.filePath(QStringLiteral("odbc.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[%1]\nDriver=SQLite3\nDatabase=%2\n").arg(dsn_, databasePath()).toUtf8());
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
        // The driver and the layers above it pinned in memory, for the same reason.
        for (const char* library : {"libodbc.so.2", "libodbcinst.so.2", "odbc/libsqlite3odbc.so", "odbc/libsqliteodbc.so",
                                    "qt6/plugins/sqldrivers/libqsqlodbc.so"})
            dlopen((QByteArray("/usr/lib/x86_64-linux-gnu/") + library).constData(), RTLD_NOW | RTLD_NODELETE);
    }

private:
    QString dsn_;
    QStringList statements_;
    std::function<void()> prepare_;
    QTemporaryDir dir_;
};

} // namespace tovu::test
