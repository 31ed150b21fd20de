// The real clock at a scale: waits shrink by the factor, elapsed time reads in the
// link's own (unscaled) milliseconds, so timeouts shrink with the waits.
#include "app/link/SystemClock.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using tovu::link::QtEventPump;
using tovu::link::SystemClock;

TEST(SystemClock, ScaledWaitsAndElapsedTimeAgree)
{
    SystemClock clock(0.02);
    QElapsedTimer real;
    real.start();
    const auto start = clock.nowMs();
    clock.sleepMs(1000);  // 20 ms of real time
    const auto slept = clock.nowMs() - start;
    EXPECT_GE(slept, 1000);
    EXPECT_LT(slept, 3000);
    EXPECT_LT(real.elapsed(), 500);

    QtEventPump pump(clock);
    const auto before = clock.nowMs();
    pump.waitMs(500);
    EXPECT_GE(clock.nowMs() - before, 500);
}
