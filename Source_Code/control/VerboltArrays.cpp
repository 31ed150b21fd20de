// Array arithmetic: one operation with one number applied to every element of the host's
// array, in place.
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/SafeArray.h"

#include <cmath>
#include <vector>

namespace tovu::control {

namespace {

using automation::Variant;

// element op number as a Double. An Empty element counts as 0 and a numeric text as its
// number; Null and values without a number raise, as do a division by 0 and an overflow.
double computed(const Variant& element, std::int32_t operation, double number)
{
    const double value = element.toDouble();
    double result = 0.0;
    switch (operation) {
    case vrbAdd:
        result = value + number;
        break;
    case vrbSubtract:
        result = value - number;
        break;
    case vrbMultiply:
        result = value * number;
        break;
    default:
        if (number == 0.0)
            throw automation::AutomationError::standard(value == 0.0 ? automation::ErrorNumber::Overflow
                                                                     : automation::ErrorNumber::DivisionByZero);
        result = value / number;
        break;
    }
    if (!std::isfinite(result))
        throw automation::AutomationError::standard(automation::ErrorNumber::Overflow);
    return result;
}

// Visits every element once; order lists the dimensions from the outermost loop inwards.
void walk(automation::SafeArray& array, const std::vector<int>& order, std::int32_t operation, double number)
{
    if (array.dims() != static_cast<int>(order.size()))
        throw automation::AutomationError::standard(automation::ErrorNumber::SubscriptOutOfRange);
    std::vector<std::int32_t> index(order.size());
    for (int d = 1; d <= array.dims(); ++d) {
        if (array.ubound(d) < array.lbound(d))
            return;
        index[static_cast<std::size_t>(d - 1)] = array.lbound(d);
    }
    for (;;) {
        array.set(index, Variant(computed(array.get(index), operation, number)));
        // Advance the innermost dimension; carry outwards.
        std::size_t level = order.size();
        for (;;) {
            if (level == 0)
                return;
            const int d = order[--level];
            std::int32_t& i = index[static_cast<std::size_t>(d - 1)];
            if (i < array.ubound(d)) {
                ++i;
                break;
            }
            i = array.lbound(d);
        }
    }
}

MethodStatus compute(Variant& varArray, std::int32_t lngCompute, double dblNumber, const std::vector<int>& order)
{
    if (!varArray.isArray())
        return -1;
    if (static_cast<std::uint32_t>(lngCompute) >= 4)
        return -2;
    return trapped<MethodStatus>(-3, [&] {
        walk(varArray.array(), order, lngCompute, dblNumber);
        return MethodStatus{1};
    });
}

} // namespace

MethodStatus Verbolt::ComputeOneDArray(automation::Variant& varArray, std::int32_t& lngCompute, double& dblNumber)
{
    return compute(varArray, lngCompute, dblNumber, {1});
}

MethodStatus Verbolt::ComputeTwoDArray(automation::Variant& varArray, std::int32_t& lngCompute, double& dblNumber)
{
    return compute(varArray, lngCompute, dblNumber, {1, 2});
}

MethodStatus Verbolt::ComputeThreeDArray(automation::Variant& varArray, std::int32_t& lngCompute, double& dblNumber)
{
    return compute(varArray, lngCompute, dblNumber, {3, 2, 1});
}

} // namespace tovu::control
