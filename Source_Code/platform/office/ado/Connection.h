#pragma once
// The database connection as the document control opens it: "ADODB.Connection" with Open
// (a connection string "DSN=name;UID=user;PWD=password;", or one naming a Driver), Close,
// State and ConnectionString. A data source name is reached through Qt's ODBC driver
// over unixODBC; every connection object holds its own database connection.

#include "platform/automation/DispatchTable.h"

#include <QSqlDatabase>
#include <QString>

namespace tovu::platform::ado {

namespace automation = tovu::platform::automation;

inline constexpr std::int32_t adStateClosed = 0;
inline constexpr std::int32_t adStateOpen = 1;

// The failure a provider reports (the general failure 0x80004005), described by the
// driver's message.
[[noreturn]] void raiseProviderError(const QString& source, const QString& description);

class Connection : public automation::DispatchTable {
public:
    Connection();
    ~Connection() override;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the data source; user and password, when given, stand before those of the
    // string. Raises the provider's error when the source cannot be opened, and when the
    // connection is already open.
    void open(const QString& connectionString, const QString& user = {}, const QString& password = {});
    void close();
    bool isOpen() const { return open_; }
    const QString& connectionString() const { return connectionString_; }

    // The database of an open connection; raises "Operation is not allowed when the
    // object is closed" (3704) when it is not open.
    QSqlDatabase database() const;

private:
    QString name_;
    QString connectionString_;
    bool open_ = false;
};

// An attribute value as an ODBC connection string carries it: as it is, or in braces (a
// "}" inside doubled) when it holds ";", "{" or "}", so that a value cannot end its
// attribute and add others. Connection::open refuses a data source name, user or password
// that needs the braces: the driver behind a data source may not read them.
QString odbcAttributeValue(const QString& value);

// The settings of a connection string, keys in upper case ("DSN", "UID", "PWD", "DRIVER");
// a value in braces is taken whole, with its ";" and "{" and each "}}" as one "}".
std::vector<std::pair<QString, QString>> connectionStringParts(const QString& connectionString);

} // namespace tovu::platform::ado
