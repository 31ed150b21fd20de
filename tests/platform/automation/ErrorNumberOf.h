#pragma once
// The run-time error number an action raised, or 0 when it raised none.

#include "platform/automation/AutomationError.h"

#include <functional>

inline int errorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const tovu::platform::automation::AutomationError& e) {
        return e.number();
    }
    return 0;
}
