// Host objects that tests make without a control of their own behind them.
#pragma once

#include "platform/automation/AutomationError.h"
#include "platform/automation/DispatchTable.h"

#include <QString>
#include <memory>
#include <set>
#include <vector>

namespace tovu::control::testing {

// A folder, drive or file list box of the given class: ListCount, List(i) and Selected(i),
// entries numbered from first (a folder list box numbers the folders above the current one
// below 0); selected holds the numbers of the selected entries.
inline automation::DispatchRef fileSystemList(const char* className, std::vector<QString> entries,
                                              std::int32_t first = 0, std::set<std::int32_t> selected = {})
{
    namespace automation = tovu::platform::automation;
    using automation::Args;
    using automation::Variant;
    auto list = std::make_shared<std::vector<QString>>(std::move(entries));
    const auto at = [list, first](const Args& a) {
        const std::int32_t i = automation::argumentAt(a, 0).toLong();
        if (i < first || i - first >= static_cast<std::int32_t>(list->size()))
            throw automation::AutomationError::standard(381);
        return i - first;
    };
    return automation::makeDispatch(
        {{QStringLiteral("ListCount"), 1,
          [list, first](Args&) { return Variant(static_cast<std::int32_t>(list->size()) + first); }},
         {QStringLiteral("List"), 2, [list, at](Args& a) { return Variant(list->at(static_cast<std::size_t>(at(a)))); }},
         {QStringLiteral("Selected"), 3, [at, selected, first](Args& a) { return Variant(selected.count(at(a) + first) > 0); }}},
        QString::fromLatin1(className));
}

} // namespace tovu::control::testing
