// Maps an insertion-point value to the name of one of Word's predefined bookmarks, which the
// text methods hand to the held document's GoTo.
#pragma once

#include <QString>
#include <cstdint>

namespace tovu::control {

// "\EndOfDoc" for vrbEndofDoc and for every value outside the enumeration.
QString GetInsertionPointBookmark(std::int32_t insertionPoint);

} // namespace tovu::control
