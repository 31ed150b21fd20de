#include "ReportFakes.h"

#include "platform/automation/AutomationError.h"

namespace tovu::reports::testing {

items::LanguageContext ownStrings()
{
    return items::LanguageContext([](const QString&) { return automation::DispatchRef(); });
}

automation::Variant RecordingControl::invoke(automation::DispId id, std::vector<automation::Variant>& args,
                                             automation::CallKind, std::span<const QString>)
{
    calls.push_back(Call{id, args});
    if (raising.count(id))
        throw automation::AutomationError::standard(automation::ErrorNumber::MemberNotFound);
    const auto it = results.find(id);
    return it != results.end() ? it->second : automation::Variant(std::int16_t{1});
}

} // namespace tovu::reports::testing
