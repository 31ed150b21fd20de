// Sorting of the host's arrays in place, with the comparison of automation values that the
// host's own relational operators make: numbers by value, texts by character code, a number
// before any text, Empty as 0 against a number and as "" against a text, and Null neither
// less nor greater than anything.
#pragma once

#include "platform/automation/SafeArray.h"

#include <cstdint>
#include <optional>

namespace tovu::control {

namespace automation = tovu::platform::automation;

// -1, 0 or 1; none when either value is Null. Raises Type mismatch for values that have no
// order (arrays, objects, error values).
std::optional<int> compareValues(const automation::Variant& a, const automation::Variant& b);
bool lessThan(const automation::Variant& a, const automation::Variant& b);
bool greaterThan(const automation::Variant& a, const automation::Variant& b);

// One-dimensional arrays, indexed by dimension 1.
void SwapVariants(automation::SafeArray& array, std::int32_t a, std::int32_t b);
// Median-of-three quicksort that leaves every range with high - low <= threshold unsorted.
void QuickSortOneDArray(automation::SafeArray& array, std::int32_t threshold, std::int32_t low, std::int32_t high);
void InsertionSortOneDArray(automation::SafeArray& array, std::int32_t low, std::int32_t high);
void ReverseOneDArray(automation::SafeArray& array);

// Rows of a two-dimensional array, by (column, "asc"/"dec") pairs read from keyList.
// 0 the pairs are sound, 1 a column is no number (or keyList has no bounds), 2 a column lies
// outside columnLow..columnHigh, 3 a direction is neither "asc" nor "dec".
int CheckSortOrder(std::int32_t columnLow, std::int32_t columnHigh, const automation::SafeArray& keyList);
void QuickSortRows(std::int32_t low, std::int32_t high, automation::SafeArray& array,
                   const automation::SafeArray& keyList);

} // namespace tovu::control
