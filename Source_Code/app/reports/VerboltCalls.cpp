#include "app/reports/VerboltCalls.h"

#include "platform/automation/AutomationError.h"

namespace tovu::reports {

automation::Variant callIgnoringErrors(const automation::DispatchRef& control, const VerboltMethod& method,
                                       std::vector<automation::Variant> args)
{
    if (!control)
        return {};
    try {
        return control->invoke(method.id, args, automation::CallKind::Method);
    } catch (const automation::AutomationError&) {
        return {};
    }
}

int statusOf(const automation::Variant& result)
{
    try {
        switch (result.type()) {
        case automation::VarType::Integer:
        case automation::VarType::Long:
        case automation::VarType::Byte:
            return result.toLong();
        default:
            return 0;
        }
    } catch (const automation::AutomationError&) {
        return 0;
    }
}

} // namespace tovu::reports
