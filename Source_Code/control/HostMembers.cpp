#include "control/HostMembers.h"

#include "platform/automation/AutomationError.h"

namespace tovu::control {

automation::DispatchRef checkedObject(const automation::DispatchRef& object)
{
    if (!object)
        throw automation::AutomationError::standard(automation::ErrorNumber::ObjectNotSet);
    return object;
}

bool isClass(const automation::DispatchRef& object, const char* name)
{
    return object && object->typeName() == QLatin1String(name);
}

automation::Variant memberOf(const automation::DispatchRef& object, const QString& name,
                             std::vector<automation::Variant> args)
{
    return checkedObject(object)->call(name, args);
}

automation::DispatchRef objectOf(const automation::DispatchRef& object, const QString& name,
                                 std::vector<automation::Variant> args)
{
    return checkedObject(memberOf(object, name, std::move(args)).toObject());
}

void assignMember(const automation::DispatchRef& object, const QString& name, automation::Variant value)
{
    checkedObject(object)->put(name, std::move(value));
}

} // namespace tovu::control
