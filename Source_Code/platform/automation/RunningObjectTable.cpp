#include "platform/automation/RunningObjectTable.h"

#include "platform/automation/ProgId.h"

namespace tovu::platform::automation {

void RunningObjectTable::registerObject(const QString& progId, DispatchRef object)
{
    if (!object)
        throw AutomationError::fromHresult(Hresult::InvalidArg, QStringLiteral("GetObject"));
    objects_[progIdKey(progId)] = std::move(object);
}

void RunningObjectTable::revoke(const QString& progId, const DispatchRef& object)
{
    const auto it = objects_.find(progIdKey(progId));
    if (it != objects_.end() && it->second == object)
        objects_.erase(it);
}

DispatchRef RunningObjectTable::activeObject(const QString& progId) const
{
    const auto it = objects_.find(progIdKey(progId));
    return it == objects_.end() ? nullptr : it->second;
}

DispatchRef RunningObjectTable::getObject(const QString& progId) const
{
    if (DispatchRef object = activeObject(progId))
        return object;
    throw AutomationError::standard(ErrorNumber::CannotCreateObject, QStringLiteral("GetObject"));
}

} // namespace tovu::platform::automation
