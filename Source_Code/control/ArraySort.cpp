#include "control/ArraySort.h"

#include "platform/automation/AutomationError.h"

#include <vector>

namespace tovu::control {

namespace {

using automation::SafeArray;
using automation::Variant;
using automation::VarType;

enum class Kind { Empty, Number, Text };

Kind kindOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Empty:
        return Kind::Empty;
    case VarType::String:
        return Kind::Text;
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
    case VarType::Boolean:
    case VarType::Byte:
        return Kind::Number;
    default:
        throw automation::AutomationError::standard(automation::ErrorNumber::TypeMismatch);
    }
}

template <typename T>
int order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

const Variant& at(const SafeArray& array, std::int32_t i)
{
    return array.get({i});
}

// The midpoint rounded half to even, as a Long assignment of (low + high) / 2 rounds.
std::int32_t midpoint(std::int32_t low, std::int32_t high)
{
    const std::int64_t sum = std::int64_t{low} + high;
    std::int64_t half = sum >= 0 ? sum / 2 : -((-sum + 1) / 2);  // floor of sum / 2
    if (sum % 2 != 0 && half % 2 != 0)
        ++half;
    return static_cast<std::int32_t>(half);
}

} // namespace

std::optional<int> compareValues(const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull())
        return std::nullopt;
    const Kind ka = kindOf(a);
    const Kind kb = kindOf(b);
    if (ka == Kind::Empty && kb == Kind::Empty)
        return 0;
    if (ka == Kind::Text || kb == Kind::Text) {
        if (ka == Kind::Number)
            return -1;
        if (kb == Kind::Number)
            return 1;
        const int c = QString::compare(a.toString(), b.toString(), Qt::CaseSensitive);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return order(a.toDouble(), b.toDouble());
}

bool lessThan(const Variant& a, const Variant& b)
{
    return compareValues(a, b) == -1;
}

bool greaterThan(const Variant& a, const Variant& b)
{
    return compareValues(a, b) == 1;
}

void SwapVariants(SafeArray& array, std::int32_t a, std::int32_t b)
{
    const Variant temporary = at(array, a);
    array.set({a}, at(array, b));
    array.set({b}, temporary);
}

// The larger part of every partition is sorted in the loop and only the smaller one by
// recursion, so the depth stays logarithmic; the parts are disjoint, so the order in which
// they are sorted does not change the result.
void QuickSortOneDArray(SafeArray& array, std::int32_t threshold, std::int32_t low, std::int32_t high)
{
    while (std::int64_t{high} - low > threshold) {
        const std::int32_t mid = midpoint(low, high);
        if (greaterThan(at(array, low), at(array, mid)))
            SwapVariants(array, low, mid);
        if (greaterThan(at(array, low), at(array, high)))
            SwapVariants(array, low, high);
        if (greaterThan(at(array, mid), at(array, high)))
            SwapVariants(array, mid, high);
        std::int32_t j = high - 1;
        SwapVariants(array, mid, j);
        const Variant pivot = at(array, j);
        std::int32_t i = low;
        for (;;) {
            do
                ++i;
            while (lessThan(at(array, i), pivot));
            do
                --j;
            while (greaterThan(at(array, j), pivot));
            if (j < i)
                break;
            SwapVariants(array, i, j);
        }
        SwapVariants(array, i, high - 1);
        if (std::int64_t{j} - low < std::int64_t{high} - (i + 1)) {
            QuickSortOneDArray(array, threshold, low, j);
            low = i + 1;
        } else {
            QuickSortOneDArray(array, threshold, i + 1, high);
            high = j;
        }
    }
}

void InsertionSortOneDArray(SafeArray& array, std::int32_t low, std::int32_t high)
{
    for (std::int64_t i = std::int64_t{low} + 1; i <= high; ++i) {
        const Variant v = at(array, static_cast<std::int32_t>(i));
        std::int32_t k = static_cast<std::int32_t>(i);
        while (k > low && greaterThan(at(array, k - 1), v)) {
            array.set({k}, at(array, k - 1));
            --k;
        }
        array.set({k}, v);
    }
}

void ReverseOneDArray(SafeArray& array)
{
    if (!array.isAllocated())
        return;
    std::int32_t low = array.lbound(1);
    std::int32_t high = array.ubound(1);
    while (low < high)
        SwapVariants(array, low++, high--);
}

namespace {

struct SortKey {
    std::int32_t column;
    bool descending;
};

// The pairs of a key list that CheckSortOrder passed.
std::vector<SortKey> sortKeys(const SafeArray& keyList)
{
    std::vector<SortKey> keys;
    for (std::int64_t i = keyList.lbound(1); i <= keyList.ubound(1); i += 2) {
        const auto k = static_cast<std::int32_t>(i);
        keys.push_back({keyList.get({k}).toInteger(), keyList.get({k + 1}).toString() == QLatin1String("dec")});
    }
    return keys;
}

class RowSorter {
public:
    RowSorter(SafeArray& array, std::vector<SortKey> keys)
        : array_(array), keys_(std::move(keys)), columnLow_(array.lbound(2)), columnHigh_(array.ubound(2))
    {
    }

    void sort(std::int32_t low, std::int32_t high)
    {
        // As in the one-dimensional sort: the smaller part by recursion, the larger in the loop.
        while (low < high) {
            const std::int32_t i = partition(low, high);
            if (i - low < high - i) {
                sort(low, i - 1);
                low = i + 1;
            } else {
                sort(i + 1, high);
                high = i - 1;
            }
        }
    }

private:
    SafeArray& array_;
    std::vector<SortKey> keys_;
    std::int32_t columnLow_;
    std::int32_t columnHigh_;
    std::vector<Variant> pivot_;

    // Row r against the pivot row: the first key that differs decides.
    int CompareRows(std::int32_t r) const
    {
        for (const SortKey& key : keys_) {
            const Variant& value = array_.get({r, key.column});
            const Variant& pivotValue = pivot_[static_cast<std::size_t>(key.column - columnLow_)];
            // Null is neither less nor greater: the key counts as equal.
            const int result = compareValues(value, pivotValue).value_or(0);
            if (result != 0)
                return key.descending ? -result : result;
        }
        return 0;
    }

    void copyRow(std::int32_t to, std::int32_t from)
    {
        for (std::int32_t c = columnLow_; c <= columnHigh_; ++c)
            array_.set({to, c}, array_.get({from, c}));
    }
    void storePivot(std::int32_t to)
    {
        for (std::int32_t c = columnLow_; c <= columnHigh_; ++c)
            array_.set({to, c}, pivot_[static_cast<std::size_t>(c - columnLow_)]);
    }

    // The first row is the pivot; rows move into the hole it leaves from either end.
    std::int32_t partition(std::int32_t low, std::int32_t high)
    {
        pivot_.clear();
        for (std::int32_t c = columnLow_; c <= columnHigh_; ++c)
            pivot_.push_back(array_.get({low, c}));
        std::int32_t i = low;
        std::int32_t j = high;
        for (;;) {
            while (j > i && CompareRows(j) >= 0)
                --j;
            if (j <= i) {
                storePivot(i);
                return i;
            }
            copyRow(i, j);
            ++i;
            while (i < j && CompareRows(i) == -1)
                ++i;
            if (i >= j) {
                i = j;
                storePivot(j);
                return i;
            }
            copyRow(j, i);
        }
    }
};

} // namespace

int CheckSortOrder(std::int32_t columnLow, std::int32_t columnHigh, const SafeArray& keyList)
{
    std::int32_t low = 0;
    std::int32_t high = 0;
    try {
        low = keyList.lbound(1);
        high = keyList.ubound(1);
    } catch (const automation::AutomationError&) {
        return 1;
    }
    for (std::int64_t i = low; i <= high; i += 2) {
        const auto k = static_cast<std::int32_t>(i);
        std::int16_t column = 0;
        try {
            column = keyList.get({k}).toInteger();
        } catch (const automation::AutomationError&) {
            return 1;
        }
        if (column < columnLow || column > columnHigh)
            return 2;
        QString direction;
        try {
            direction = keyList.get({k + 1}).toString();
        } catch (const automation::AutomationError&) {
            return 3;
        }
        if (direction != QLatin1String("asc") && direction != QLatin1String("dec"))
            return 3;
    }
    return 0;
}

void QuickSortRows(std::int32_t low, std::int32_t high, SafeArray& array, const SafeArray& keyList)
{
    RowSorter(array, sortKeys(keyList)).sort(low, high);
}

} // namespace tovu::control
