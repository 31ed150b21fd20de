#include "app/link/PortAccess.h"

namespace tovu::link {

QString lostInstrumentText(LinkContext& ctx, const QString& device)
{
    // The port names itself "COM1 (/dev/ttyS0)"; the message names the device alone.
    QString path = device;
    const qsizetype open = device.indexOf(QLatin1Char('('));
    if (open >= 0 && device.endsWith(QLatin1Char(')')))
        path = device.mid(open + 1, device.size() - open - 2);
    return ctx.strings.GetResString(kInstrumentGoneString).arg(ctx.port.commPort()).arg(path);
}

void PortAccess::fail(const platform::serial::PortError& e)
{
    try {
        ctx_.port.setPortOpen(false);
    } catch (const platform::serial::PortError&) {
    }
    // What the system says about a vanished device (an ioctl failing) tells the user
    // nothing; which instrument stopped answering does.
    throw LinkError(LinkErrorKind::PortFailure, source_, lostInstrumentText(ctx_, e.device()));
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
