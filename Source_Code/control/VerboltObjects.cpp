// The automation objects the control creates by ProgID: through the host's creator where
// one is set, else the database and XML document classes the control brings itself.
#include "control/Verbolt.h"

#include "platform/automation/AutomationError.h"
#include "platform/office/ado/Connection.h"
#include "platform/office/ado/Recordset.h"
#include "platform/office/xml/DomDocument.h"

namespace tovu::control {

automation::DispatchRef Verbolt::createObject(const QString& progId)
{
    if (objectCreator_)
        return objectCreator_(progId);
    if (progId.compare(QLatin1String("ADODB.Connection"), Qt::CaseInsensitive) == 0)
        return std::make_shared<platform::ado::Connection>();
    if (progId.compare(QLatin1String("ADODB.Recordset"), Qt::CaseInsensitive) == 0)
        return std::make_shared<platform::ado::Recordset>();
    if (platform::xml::isDomDocumentClass(progId))
        return platform::xml::createDomDocument();
    throw automation::AutomationError::standard(automation::ErrorNumber::CannotCreateObject);
}

} // namespace tovu::control
