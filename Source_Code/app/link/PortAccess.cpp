#include "app/link/PortAccess.h"

namespace tovu::link {

void PortAccess::fail(const platform::serial::PortError& e)
{
    try {
        ctx_.port.setPortOpen(false);
    } catch (const platform::serial::PortError&) {
    }
    throw LinkError(LinkErrorKind::PortFailure, source_, QString::fromStdString(e.what()));
}

void PortAccess::clearBuffers()
{
    try {
        ctx_.port.setInBufferCount(0);
        ctx_.port.setOutBufferCount(0);
    } catch (const platform::serial::PortError& e) {
        fail(e);
    }
}

void PortAccess::send(const QString& line)
{
    try {
        ctx_.port.output(line.toLatin1() + '\r');
    } catch (const platform::serial::PortError& e) {
        fail(e);
    }
}

int PortAccess::readChar(std::int64_t deadline)
{
    try {
        for (;;) {
            if (pending_.isEmpty())
                pending_ = ctx_.port.input();
            if (!pending_.isEmpty()) {
                const int c = static_cast<unsigned char>(pending_[0]);
                pending_.remove(0, 1);
                // A line that never ends (noise) runs out of time like silence does.
                if (c != '\r' && ctx_.clock.nowMs() > deadline)
                    return -1;
                return c;
            }
            if (ctx_.clock.nowMs() > deadline)
                return -1;
            ctx_.port.waitForInput(kPollSliceMs);
        }
    } catch (const platform::serial::PortError& e) {
        fail(e);
    }
}

} // namespace tovu::link
