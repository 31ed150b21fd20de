// Two-dimensional arrays for the array-method tests, given row by row.
#pragma once

#include "platform/automation/SafeArray.h"

#include <vector>

namespace tovu::control::testing {

inline platform::automation::SafeArray twoDArray(std::vector<platform::automation::Bounds> bounds,
                                                 std::vector<platform::automation::Variant> rowMajor)
{
    platform::automation::SafeArray a(bounds);
    std::size_t k = 0;
    for (std::int32_t r = bounds[0].lower; r <= bounds[0].upper; ++r)
        for (std::int32_t c = bounds[1].lower; c <= bounds[1].upper; ++c)
            a.set({r, c}, rowMajor.at(k++));
    return a;
}

} // namespace tovu::control::testing
