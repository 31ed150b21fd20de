#pragma once
// The table of running objects: an object that is running registers itself under its
// ProgID ("Word.Application"), and others find it there instead of starting a new one.
// ProgIDs match without regard to case; the table keeps the objects alive until they
// are revoked.

#include "platform/automation/Dispatch.h"

#include <QString>
#include <map>

namespace tovu::platform::automation {

class RunningObjectTable {
public:
    // Registers object as the running object of the class; replaces an earlier one.
    void registerObject(const QString& progId, DispatchRef object);
    // Removes the entry of the class when it still holds this object (the object
    // revoking itself must not remove a successor).
    void revoke(const QString& progId, const DispatchRef& object);

    // The running object of the class, or null.
    DispatchRef activeObject(const QString& progId) const;
    // The same, raising "Can't create object" (429) when none runs.
    DispatchRef getObject(const QString& progId) const;

private:
    std::map<QString, DispatchRef> objects_;
};

} // namespace tovu::platform::automation
