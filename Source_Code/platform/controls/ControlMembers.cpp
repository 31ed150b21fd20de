#include "platform/controls/ControlMembers.h"

#include "platform/automation/AutomationError.h"

namespace tovu::platform::controls {

using automation::AutomationError;
namespace ErrorNumber = automation::ErrorNumber;

void raiseInvalidIndex(const QString& control)
{
    throw AutomationError(kInvalidIndex, control, QStringLiteral("Invalid property array index"));
}

void raiseReadOnly(const QString& control)
{
    throw AutomationError(kReadOnlyProperty, control, QStringLiteral("Property is read-only"));
}

namespace {
const Variant& present(const Args& args, std::size_t i)
{
    const Variant& v = automation::argumentAt(args, i);
    if (v.isMissing())
        throw AutomationError::standard(ErrorNumber::ArgumentNotOptional);
    return v;
}
} // namespace

std::int32_t longArgument(const Args& args, std::size_t i)
{
    return present(args, i).toLong();
}

bool booleanArgument(const Args& args, std::size_t i)
{
    return present(args, i).toBoolean();
}

QString textArgument(const Args& args, std::size_t i)
{
    return present(args, i).toString();
}

const Variant& assignedValue(const Args& args)
{
    if (args.empty())
        throw AutomationError::standard(ErrorNumber::ArgumentNotOptional);
    return args.back();
}

std::int32_t checkedIndex(std::int32_t index, std::int32_t lo, std::int32_t hi, const QString& control)
{
    if (index < lo || index > hi)
        raiseInvalidIndex(control);
    return index;
}

} // namespace tovu::platform::controls
