#include "app/link/SystemClock.h"

#include <QCoreApplication>
#include <QThread>
#include <cmath>

namespace tovu::link {

SystemClock::SystemClock(double scale) : scale_(scale > 0 ? scale : 1.0)
{
    timer_.start();
}

std::int64_t SystemClock::nowMs()
{
    return static_cast<std::int64_t>(std::floor(static_cast<double>(timer_.nsecsElapsed()) / 1e6 / scale_));
}

void SystemClock::sleepMs(int ms)
{
    if (ms > 0)
        QThread::usleep(static_cast<unsigned long>(std::llround(ms * 1000.0 * scale_)));
}

void QtEventPump::doEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void QtEventPump::waitMs(int ms)
{
    const std::int64_t end = clock_.nowMs() + ms;
    doEvents();
    while (clock_.nowMs() < end) {
        clock_.sleepMs(1);
        doEvents();
    }
}

} // namespace tovu::link
