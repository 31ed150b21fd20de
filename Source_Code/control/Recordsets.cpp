#include "control/Recordsets.h"

#include "control/DelimitedText.h"
#include "control/HostMembers.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "platform/office/ado/Connection.h"

namespace tovu::control {

namespace {
using automation::Variant;
constexpr std::int32_t kUseClient = 3;
constexpr std::int32_t kOpenForwardOnly = 0;
constexpr std::int32_t kCacheSize = 20;
} // namespace

QString odbcConnectionString(const QString& dsn, const QString& user, const QString& password)
{
    using platform::ado::odbcAttributeValue;
    return QStringLiteral("DSN=") + odbcAttributeValue(dsn) + QStringLiteral(";UID=") + odbcAttributeValue(user) +
           QStringLiteral(";PWD=") + odbcAttributeValue(password) + QStringLiteral(";");
}

automation::DispatchRef openDataSource(Verbolt& control, const QString& dsn, const QString& user,
                                       const QString& password)
{
    automation::DispatchRef connection = control.createObject(QStringLiteral("ADODB.Connection"));
    memberOf(connection, QStringLiteral("Open"), {Variant(odbcConnectionString(dsn, user, password))});
    return connection;
}

automation::DispatchRef openQuery(Verbolt& control, const automation::DispatchRef& connection, const QString& sql,
                                  std::int32_t lockType)
{
    automation::DispatchRef records = control.createObject(QStringLiteral("ADODB.Recordset"));
    assignMember(records, QStringLiteral("CursorLocation"), Variant(kUseClient));
    assignMember(records, QStringLiteral("CacheSize"), Variant(kCacheSize));
    memberOf(records, QStringLiteral("Open"),
             {Variant(sql), Variant(connection), Variant(kOpenForwardOnly), Variant(lockType)});
    return records;
}

automation::DispatchRef recordsetField(const automation::DispatchRef& rs, std::int32_t f)
{
    std::vector<Variant> index{Variant(f)};
    return checkedObject(checkedObject(rs)->invoke(automation::DispIdValue, index).toObject());
}

QString recordLine(const automation::DispatchRef& rs, bool names, const QString& delimiter, bool quotes,
                   clsConcat& builder)
{
    const QString quote = quotes ? QStringLiteral("\"") : QString();
    const std::int32_t count = memberOf(objectOf(rs, QStringLiteral("Fields")), QStringLiteral("Count")).toLong();
    builder.ReInit();
    for (std::int32_t f = 0; f < count; ++f) {
        const automation::DispatchRef field = recordsetField(rs, f);
        builder.SConcat(quote);
        builder.SConcat(names ? memberOf(field, QStringLiteral("Name")).toString()
                              : joinedText(memberOf(field, QStringLiteral("Value"))));
        builder.SConcat(quote);
        if (f < count - 1)
            builder.SConcat(delimiter);
    }
    QString line = builder.GetString();
    builder.ReInit();
    return line;
}

void closeQuietly(const automation::DispatchRef& object)
{
    trapped(false, [&] {
        memberOf(object, QStringLiteral("Close"));
        return true;
    });
}

} // namespace tovu::control
