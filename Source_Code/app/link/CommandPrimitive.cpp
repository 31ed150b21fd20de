#include "app/link/CommandPrimitive.h"

#include "app/link/Commands.h"
#include "app/link/Connection.h"
#include "app/link/PortAccess.h"
#include "app/link/ProtocolBytes.h"

#include <algorithm>

namespace tovu::link {

namespace {

const QString kWriteComm = QStringLiteral("WriteComm");
const QString kWriteCommSpecial = QStringLiteral("WriteCommSpecial");

bool needsPreWait(const QString& cmd)
{
    return cmd == command::kRemoteOn || cmd == command::kLocal || cmd == command::kFirmware;
}

bool hasCompletionGrace(const QString& cmd)
{
    return cmd == command::kALogActionDone || cmd == command::kPanelActionDone;
}

// A reply shown in an error message: at most 24 characters, control bytes as <n>.
QString replyExcerpt(const QString& data)
{
    QString s;
    for (const QChar c : data.left(24))
        s += c.unicode() < 0x20 || c.unicode() >= 0x7F ? QStringLiteral("<%1>").arg(c.unicode()) : QString(c);
    return s;
}

void handleCancel(LinkContext& ctx, const QString& cmd)
{
    if (cmd == command::kLocal) {
        // Leave remote mode without waiting for an answer; the port may already be gone.
        try {
            if (ctx.port.portOpen())
                ctx.port.output(QByteArray(command::kLocal.data(), command::kLocal.size()) + '\r');
        } catch (const platform::serial::PortError&) {
        }
    } else {
        CloseComm(ctx);
    }
    throw cancelError();
}

bool isNoise(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u < 0xA0);
}

} // namespace

QString decodeReply(const QString& cmd, const QString& status, const QString& data, bool wholeValue)
{
    QString result = status;
    if (data.size() > 2) {
        const qsizetype comma = data.indexOf(QLatin1Char(','));
        if (comma < 0 || std::any_of(data.begin(), data.end(), isNoise))
            throw badReply(kWriteComm, cmd, replyExcerpt(data));
        const qsizetype next = wholeValue ? -1 : data.indexOf(QLatin1Char(','), comma + 1);
        result = data.mid(comma + 1, next < 0 ? -1 : next - comma - 1);
    }
    return result.isEmpty() ? kNoReply : result;
}

namespace {

struct RawReply {
    QString status;
    QString data;
};

RawReply exchange(LinkContext& ctx, const QString& cmd, const QString& arg, double timeoutSeconds)
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
        return {kNotAvailable, {}};
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
        if (c == kAckByte)
            status = kAck;
        else if (c == kNotAvailableByte)
            status = kNotAvailable;
        else if (c == kNakByte)
            status = kNack;
        else
            data += QChar::fromLatin1(static_cast<char>(c));
    }
    return {status, data};
}

} // namespace

QString WriteComm(LinkContext& ctx, const QString& cmd, const QString& arg, double timeoutSeconds)
{
    const RawReply r = exchange(ctx, cmd, arg, timeoutSeconds);
    return decodeReply(cmd, r.status, r.data);
}

QString WriteCommText(LinkContext& ctx, const QString& cmd, const QString& arg)
{
    const RawReply r = exchange(ctx, cmd, arg, 0);
    return decodeReply(cmd, r.status, r.data, true);
}

QString WriteCommSpecial(LinkContext& ctx, const QString& cmd, const QString& arg)
{
    // A cancel stops the next command whichever primitive sends it.
    if (!ctx.Active)
        handleCancel(ctx, cmd);
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
