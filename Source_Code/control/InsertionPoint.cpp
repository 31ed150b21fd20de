#include "control/InsertionPoint.h"

#include <array>

namespace tovu::control {

QString GetInsertionPointBookmark(std::int32_t insertionPoint)
{
    // Indexed by the InsertionPointType value.
    static constexpr std::array<const char*, 12> kBookmarks = {
        "\\EndOfDoc", "\\Page",    "\\Line",    "\\Char",         "\\Para",       "\\Sel",
        "\\StartOfSel", "\\EndOfSel", "\\Section", "\\HeadingLevel", "\\StartOfDoc", "\\Doc"};
    if (insertionPoint < 0 || insertionPoint >= static_cast<std::int32_t>(kBookmarks.size()))
        return QString::fromLatin1(kBookmarks[0]);
    return QString::fromLatin1(kBookmarks[static_cast<std::size_t>(insertionPoint)]);
}

} // namespace tovu::control
