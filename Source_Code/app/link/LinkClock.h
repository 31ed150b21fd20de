#pragma once
// Time as the link sees it. Every wait of the protocol goes through these two
// interfaces, so tests run the 20 s and 35 s timeouts in virtual time and the real
// program waits on the system clock.

#include <cstdint>

namespace tovu::link {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic clock.
    virtual std::int64_t nowMs() = 0;
    // The system sleep: blocks without letting the event loop run.
    virtual void sleepMs(int ms) = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Lets the event loop handle what is pending, once (a CANCEL click is seen here).
    virtual void doEvents() = 0;
    // Waits ms while letting the event loop run.
    virtual void waitMs(int ms) = 0;
};

} // namespace tovu::link
