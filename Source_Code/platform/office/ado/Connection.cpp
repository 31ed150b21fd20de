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

std::vector<std::pair<QString, QString>> connectionStringParts(const QString& connectionString)
{
    std::vector<std::pair<QString, QString>> parts;
    for (const QString& piece : connectionString.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = piece.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        parts.emplace_back(piece.left(eq).trimmed().toUpper(), piece.mid(eq + 1).trimmed());
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
