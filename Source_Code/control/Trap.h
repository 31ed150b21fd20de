// The two ways the control's methods trap errors: step by step, where a failing step is
// noted and the method goes on (the status is decided by whether anything failed), and one
// handler for a run of steps, which turns any failure into the method's code.
#pragma once

#include <utility>

namespace tovu::control {

class StepErrors {
public:
    // Runs one step; false when it raised.
    template <typename F>
    bool operator()(F&& step) noexcept
    {
        try {
            std::forward<F>(step)();
            return true;
        } catch (...) {
            raised_ = true;
            return false;
        }
    }
    // Whether any step since the method began raised.
    bool raised() const { return raised_; }

private:
    bool raised_ = false;
};

// Runs body and answers its result, or onError when it raises.
template <typename R, typename F>
R trapped(R onError, F&& body) noexcept
{
    try {
        return std::forward<F>(body)();
    } catch (...) {
        return onError;
    }
}

} // namespace tovu::control
