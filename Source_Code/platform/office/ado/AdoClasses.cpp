#include "platform/office/ado/AdoClasses.h"

#include "platform/office/ado/Connection.h"
#include "platform/office/ado/Recordset.h"

namespace tovu::platform::ado {

void registerAdoClasses(automation::Activator& activator)
{
    activator.addClass(QStringLiteral("ADODB.Connection"), [] { return std::make_shared<Connection>(); });
    activator.addClass(QStringLiteral("ADODB.Recordset"), [] { return std::make_shared<Recordset>(); });
}

} // namespace tovu::platform::ado
