#pragma once
// What every host-control adapter needs to build its dispatch object: the errors a
// control raises for a bad index or a member it cannot write, and the reading of index
// arguments as a control reads them (a whole number, rounded half to even).

#include "platform/automation/DispatchTable.h"

#include <QString>
#include <cstdint>

namespace tovu::platform::controls {

namespace automation = tovu::platform::automation;
using automation::Args;
using automation::DispatchMember;
using automation::DispatchRef;
using automation::Variant;

// Run-time error numbers of the controls.
inline constexpr std::int32_t kInvalidIndex = 381;       // "Invalid property array index"
inline constexpr std::int32_t kReadOnlyProperty = 383;   // "Property is read-only"

[[noreturn]] void raiseInvalidIndex(const QString& control);
[[noreturn]] void raiseReadOnly(const QString& control);

// Argument i as a Long / Integer / Boolean / text; Argument not optional (449) when missing.
std::int32_t longArgument(const Args& args, std::size_t i);
bool booleanArgument(const Args& args, std::size_t i);
QString textArgument(const Args& args, std::size_t i);
// The assigned value of a property put (the last argument).
const Variant& assignedValue(const Args& args);

// An index in [lo, hi], else Invalid property array index.
std::int32_t checkedIndex(std::int32_t index, std::int32_t lo, std::int32_t hi, const QString& control);

} // namespace tovu::platform::controls
