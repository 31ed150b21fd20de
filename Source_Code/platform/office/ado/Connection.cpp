#include "platform/office/ado/Connection.h"

#include "platform/automation/AutomationError.h"

#include <QSqlError>
#include <QStringList>

namespace tovu::platform::ado {

using automation::Args;
using automation::AutomationError;
using automation::Variant;

namespace {
constexpr std::int32_t kClosedObject = 3704;
const QString kSource = QStringLiteral("ADODB.Connection");

QString optionalText(const Args& a, std::size_t i)
{
    const Variant& v = automation::argumentAt(a, i);
    return v.isMissing() || v.isEmpty() ? QString() : v.toString();
}
} // namespace

void raiseProviderError(const QString& source, const QString& description)
{
    throw AutomationError(automation::Hresult::Fail, source, description);
}

QString odbcAttributeValue(const QString& value)
{
    // Inside braces only "}" means something, and is written twice.
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{')) && !value.contains(QLatin1Char('}')))
        return value;
    return QLatin1Char('{') + QString(value).replace(QLatin1Char('}'), QStringLiteral("}}")) + QLatin1Char('}');
}

std::vector<std::pair<QString, QString>> connectionStringParts(const QString& connectionString)
{
    std::vector<std::pair<QString, QString>> parts;
    const QString& s = connectionString;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype eq = s.indexOf(QLatin1Char('='), i);
        const qsizetype semicolon = s.indexOf(QLatin1Char(';'), i);
        if (eq < 0 || (semicolon >= 0 && semicolon < eq)) {  // a piece without a value
            if (semicolon < 0)
                break;
            i = semicolon + 1;
            continue;
        }
        const QString key = s.mid(i, eq - i).trimmed().toUpper();
        qsizetype v = eq + 1;
        while (v < s.size() && s[v] == QLatin1Char(' '))
            ++v;
        QString value;
        if (v < s.size() && s[v] == QLatin1Char('{')) {
            // A braced value runs to the "}" that is not doubled; ";" and "{" inside are its own.
            qsizetype c = v + 1;
            for (; c < s.size(); ++c) {
                if (s[c] != QLatin1Char('}'))
                    value += s[c];
                else if (c + 1 < s.size() && s[c + 1] == QLatin1Char('}'))
                    value += s[c++];
                else
                    break;
            }
            const qsizetype end = s.indexOf(QLatin1Char(';'), c);
            i = end < 0 ? s.size() : end + 1;
        } else {
            const qsizetype end = s.indexOf(QLatin1Char(';'), v);
            value = s.mid(v, end < 0 ? -1 : end - v).trimmed();
            i = end < 0 ? s.size() : end + 1;
        }
        if (!key.isEmpty())
            parts.emplace_back(key, value);
    }
    return parts;
}

Connection::Connection()
    : DispatchTable(
          {
              {QStringLiteral("Open"), 1,
               [this](Args& a) {
                   open(optionalText(a, 0).isEmpty() ? connectionString_ : optionalText(a, 0), optionalText(a, 1),
                        optionalText(a, 2));
                   return Variant();
               },
               {}, {QStringLiteral("ConnectionString"), QStringLiteral("UserID"), QStringLiteral("Password"), QStringLiteral("Options")}},
              {QStringLiteral("Close"), 2, [this](Args&) { close(); return Variant(); }},
              {QStringLiteral("State"), 3, [this](Args&) { return Variant(open_ ? adStateOpen : adStateClosed); }},
              {QStringLiteral("ConnectionString"), automation::DispIdValue,
               [this](Args&) { return Variant(connectionString_); },
               [this](Args& a) {
                   connectionString_ = a.back().toString();
                   return Variant();
               }},
          },
          QStringLiteral("Connection"))
    , name_(QStringLiteral("tovu-ado-%1").arg(reinterpret_cast<quintptr>(this), 0, 16))
{
}

Connection::~Connection()
{
    close();
}

void Connection::open(const QString& connectionString, const QString& user, const QString& password)
{
    if (open_)
        raiseProviderError(kSource, QStringLiteral("Operation is not allowed when the object is open."));
    QString dsn, uid, pwd;
    bool driver = false;
    for (const auto& [key, value] : connectionStringParts(connectionString)) {
        if (key == QLatin1String("DSN"))
            dsn = value;
        else if (key == QLatin1String("UID"))
            uid = value;
        else if (key == QLatin1String("PWD"))
            pwd = value;
        else if (key == QLatin1String("DRIVER"))
            driver = true;
    }
    if (!user.isEmpty())
        uid = user;
    if (!password.isEmpty())
        pwd = password;
    if (dsn.isEmpty() && !driver)
        raiseProviderError(kSource, QStringLiteral("Data source name not found and no default driver named"));
    // The ODBC layer joins name, user and password into a connection string of its own.
    // Braces would keep ";" inside a value, but not every driver reads them (the SQLite
    // driver does not, and takes what follows a ";" for attributes of its own), and which
    // driver serves a data source is known only once connected: such a value is refused.
    for (const QString* value : {&dsn, &uid, &pwd})
        if (value->contains(QLatin1Char(';')) || value->contains(QLatin1Char('{')) || value->contains(QLatin1Char('}')))
            raiseProviderError(kSource, QStringLiteral("The data source name, user name or password holds \";\", \"{\" or "
                                                       "\"}\", which the data source's driver may not read as part of it"));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
        // A driver string goes to the driver as it is; a data source by its name.
        db.setDatabaseName(driver ? connectionString : dsn);
        db.setUserName(uid);
        db.setPassword(pwd);
        if (!db.open()) {
            const QString why = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name_);
            raiseProviderError(kSource, why.isEmpty() ? QStringLiteral("The data source could not be opened") : why);
        }
    }
    connectionString_ = connectionString;
    open_ = true;
}

void Connection::close()
{
    if (!open_)
        return;
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
    open_ = false;
}

QSqlDatabase Connection::database() const
{
    if (!open_)
        throw AutomationError(kClosedObject, kSource, QStringLiteral("Operation is not allowed when the object is closed."));
    return QSqlDatabase::database(name_, false);
}

} // namespace tovu::platform::ado
