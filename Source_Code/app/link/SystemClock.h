#pragma once
// The real clock and event pump. A scale below 1 makes every wait and timeout that
// many times shorter, for the pseudo-terminal tests; the program runs at scale 1.

#include "app/link/LinkClock.h"

#include <QElapsedTimer>

namespace tovu::link {

class SystemClock final : public Clock {
public:
    explicit SystemClock(double scale = 1.0);
    std::int64_t nowMs() override;
    void sleepMs(int ms) override;
    double scale() const { return scale_; }

private:
    double scale_;
    QElapsedTimer timer_;
};

class QtEventPump final : public EventPump {
public:
    explicit QtEventPump(Clock& clock) : clock_(clock) {}
    void doEvents() override;
    void waitMs(int ms) override;

private:
    Clock& clock_;
};

} // namespace tovu::link
