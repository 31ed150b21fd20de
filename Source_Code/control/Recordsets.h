// Recordsets as the database and recordset methods read them. The query on an ODBC data
// source: a connection opened with "DSN=...;UID=...;PWD=...;" and a recordset over it with
// a client-side cursor, so that it knows its RecordCount.
// The records themselves are read by member name: the default member with a field index,
// and the field's Name and Value.
#pragma once

#include "platform/automation/Dispatch.h"

#include "control/clsConcat.h"

#include <QString>
#include <cstdint>

namespace tovu::control {

namespace automation = tovu::platform::automation;

class Verbolt;

inline constexpr std::int32_t kLockReadOnly = 1;

// "DSN=...;UID=...;PWD=...;" of the three values, each braced where it needs to be
// (ado::odbcAttributeValue), so that none can end its attribute and add others; the
// connection then refuses such a value, which the driver may not read braced.
QString odbcConnectionString(const QString& dsn, const QString& user, const QString& password);

// A new "ADODB.Connection", opened on the data source; raises when it cannot be made or opened.
automation::DispatchRef openDataSource(Verbolt& control, const QString& dsn, const QString& user,
                                       const QString& password);
// A new "ADODB.Recordset" (client-side cursor, cache of 20 records, forward-only) opened with
// the query on the connection; raises when it cannot be made or opened.
automation::DispatchRef openQuery(Verbolt& control, const automation::DispatchRef& connection, const QString& sql,
                                  std::int32_t lockType);
// Field f of the recordset's current record (its default member with the index).
automation::DispatchRef recordsetField(const automation::DispatchRef& rs, std::int32_t f);
// The line of the current record's values, or of the field names, in field order: each
// enclosed in double quotes when asked (quotes inside left as they are), separated by the
// delimiter. Null is written as nothing. Assembled in the builder, which is left empty.
QString recordLine(const automation::DispatchRef& rs, bool names, const QString& delimiter, bool quotes,
                   clsConcat& builder);
// Closes an ADO object, as a failure exit does: whatever it raises is of no further interest.
void closeQuietly(const automation::DispatchRef& object);

} // namespace tovu::control
