// Late-bound reads of a host object's members, as the table and array methods make them.
// An object reference that holds no object raises "Object variable not set" instead of
// being called.
#pragma once

#include "platform/automation/Dispatch.h"

#include <QString>
#include <vector>

namespace tovu::control {

namespace automation = tovu::platform::automation;

automation::DispatchRef checkedObject(const automation::DispatchRef& object);
// Whether the object is of the named class ("ListBox", "Collection" ...); no object is of none.
bool isClass(const automation::DispatchRef& object, const char* name);
// obj.name, or obj.name(args...) for an indexed member.
automation::Variant memberOf(const automation::DispatchRef& object, const QString& name,
                             std::vector<automation::Variant> args = {});
// The same, where the member holds an object.
automation::DispatchRef objectOf(const automation::DispatchRef& object, const QString& name,
                                 std::vector<automation::Variant> args = {});
void assignMember(const automation::DispatchRef& object, const QString& name, automation::Variant value);

} // namespace tovu::control
