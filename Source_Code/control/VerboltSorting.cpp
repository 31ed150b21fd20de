// Sorting of the host's arrays in place: values of a one-dimensional array, rows of a
// two-dimensional array by a list of (column, direction) keys.
#include "control/ArraySort.h"
#include "control/Trap.h"
#include "control/Verbolt.h"

#include <limits>

namespace tovu::control {

namespace {

bool fitsInteger(std::int32_t value)
{
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

MethodStatus Verbolt::SortOneDArray(automation::Variant& varArray, std::int32_t& lngSortOrder)
{
    return trapped<MethodStatus>(-2, [&] {
        if (!varArray.isArray())
            return MethodStatus{-1};
        const std::int32_t order = (lngSortOrder < 0 || lngSortOrder > 1) ? vrbAscending : lngSortOrder;
        automation::SafeArray& array = varArray.array();
        const std::int32_t low = array.lbound(1);
        const std::int32_t high = array.ubound(1);
        // Short ranges are left to the one insertion pass over the whole array.
        QuickSortOneDArray(array, 4, low, high);
        InsertionSortOneDArray(array, low, high);
        if (order == vrbDescending)
            ReverseOneDArray(array);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::SortTwoDArray(automation::Variant& arrArray, automation::Variant& SortOrder)
{
    return trapped<MethodStatus>(-5, [&] {
        if (!arrArray.isArray())
            return MethodStatus{-1};
        automation::SafeArray& array = arrArray.array();
        const std::int32_t rowLow = array.lbound(1);
        const std::int32_t rowHigh = array.ubound(1);
        const std::int32_t columnLow = array.lbound(2);
        const std::int32_t columnHigh = array.ubound(2);
        // Row and column indexes are 16-bit: larger arrays cannot be walked.
        if (!fitsInteger(rowLow) || !fitsInteger(rowHigh) || !fitsInteger(columnLow) || !fitsInteger(columnHigh))
            throw automation::AutomationError::standard(automation::ErrorNumber::Overflow);
        const automation::SafeArray noKeys;
        const automation::SafeArray& keyList = SortOrder.isArray() ? SortOrder.array() : noKeys;
        switch (CheckSortOrder(columnLow, columnHigh, keyList)) {
        case 1:
            return MethodStatus{-2};
        case 2:
            return MethodStatus{-3};
        case 3:
            return MethodStatus{-4};
        default:
            break;
        }
        QuickSortRows(rowLow, rowHigh, array, keyList);
        return MethodStatus{1};
    });
}

} // namespace tovu::control
