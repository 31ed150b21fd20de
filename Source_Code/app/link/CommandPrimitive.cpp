#include "app/link/CommandPrimitive.h"

#include "app/link/Connection.h"
#include "app/link/PortAccess.h"

namespace tovu::link {

namespace {

const QString kWriteComm = QStringLiteral("WriteComm");
const QString kWriteCommSpecial = QStringLiteral("WriteCommSpecial");

bool needsPreWait(const QString& cmd)
{
    return cmd == QLatin1String("ARM") || cmd == QLatin1String("ALM") || cmd == QLatin1String("AMF");
}

bool hasCompletionGrace(const QString& cmd)
{
    return cmd == QLatin1String("ADA") || cmd == QLatin1String("ADP");
}

void handleCancel(LinkContext& ctx, const QString& cmd)
{
    if (cmd == QLatin1String("ALM")) {
        // Leave remote mode without waiting for an answer; the port may already be gone.
        try {
            if (ctx.port.portOpen())
                ctx.port.output("ALM\r");
        } catch (const platform::serial::PortError&) {
        }
    } else {
        CloseComm(ctx);
    }
    throw cancelError();
}

} // namespace

QString decodeReply(const QString& status, const QString& data)
{
    QString result = status;
    if (data.size() > 2) {
        const qsizetype comma = data.indexOf(QLatin1Char(','));
        if (comma < 0) {
            result = data;
        } else {
            const qsizetype next = data.indexOf(QLatin1Char(','), comma + 1);
            result = data.mid(comma + 1, next < 0 ? -1 : next - comma - 1);
        }
    }
    return result.isEmpty() ? kNoReply : result;
}

QString WriteComm(LinkContext& ctx, const QString& cmd, const QString& arg, double timeoutSeconds)
{
    if (needsPreWait(cmd))
        ctx.pump.waitMs(kPreWaitMs);
    const int timeoutMs = timeoutSeconds > 0 ? static_cast<int>(timeoutSeconds * 1000.0 + 0.5) : kDefaultTimeoutMs;
    if (!ctx.Active)
        handleCancel(ctx, cmd);

    PortAccess io(ctx, kWriteComm);
    io.clearBuffers();
    ctx.clock.sleepMs(kCommandGapMs);
    if (arg == kNotAvailable)
        return kNotAvailable;
    io.send(cmd + arg);

    const std::int64_t start = ctx.clock.nowMs();
    ctx.pump.doEvents();
    // "ADA" and "ADP" complete slow memory work: they get more time, but only a reply
    // counts as done.
    const std::int64_t deadline = start + timeoutMs + (hasCompletionGrace(cmd) ? kCompletionGraceMs : 0);
    QString status;
    QString data;
    for (;;) {
        const int c = io.readChar(deadline);
        if (c == '\r')
            break;
        if (c < 0)
            throw timeoutError(kWriteComm, cmd, arg);
        if (c == 6)
            status = kAck;
        else if (c == 7)
            status = kNotAvailable;
        else if (c == 21)
            status = kNack;
        else
            data += QChar::fromLatin1(static_cast<char>(c));
    }
    return decodeReply(status, data);
}

QString WriteCommSpecial(LinkContext& ctx, const QString& cmd, const QString& arg)
{
    PortAccess io(ctx, kWriteCommSpecial);
    io.clearBuffers();
    const std::int64_t start = ctx.clock.nowMs();
    io.send(cmd);
    ctx.pump.doEvents();
    const std::int64_t deadline = start + kSpecialTimeoutMs;
    QString reply;
    for (;;) {
        const int c = io.readChar(deadline);
        if (c == '\r')
            return reply;
        if (c < 0)
            throw timeoutError(kWriteCommSpecial, cmd, arg);
        reply += QChar::fromLatin1(static_cast<char>(c));
    }
}

} // namespace tovu::link
