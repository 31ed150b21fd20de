#include "app/link/Refusals.h"

#include "app/link/CommandPrimitive.h"

#include <algorithm>

namespace tovu::link {

namespace {

constexpr char16_t kNakByte = 21;
constexpr char16_t kNotAvailableByte = 7;

bool hasControlByte(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

} // namespace

bool unusableReadReply(const QString& reply) { return reply == kNack || reply == kAck; }

bool unsendableArgument(const QString& text) { return text == kNack || text == kAck || hasControlByte(text); }

void noteRefused(LinkContext& ctx, const QString& cmd)
{
    if (!ctx.refused.contains(cmd))
        ctx.refused << cmd;
}

QString readSetting(LinkContext& ctx, const QString& cmd, bool wholeValue)
{
    for (int send = 0; send < 2; ++send) {
        const QString reply = wholeValue ? WriteCommText(ctx, cmd, QString()) : WriteComm(ctx, cmd, QString());
        if (!unusableReadReply(reply))
            return reply;
    }
    noteRefused(ctx, cmd);
    return kNotAvailable;
}

QString writeSetting(LinkContext& ctx, const QString& cmd, const QString& arg)
{
    if (unsendableArgument(arg))
        return kNotAvailable;
    QString reply = WriteComm(ctx, cmd, arg);
    if (reply == kNack)
        reply = WriteComm(ctx, cmd, arg);
    if (reply == kNack)
        noteRefused(ctx, cmd);
    return reply;
}

std::optional<QString> readSpecial(LinkContext& ctx, const QString& cmd)
{
    for (int send = 0; send < 2; ++send) {
        const QString reply = WriteCommSpecial(ctx, cmd);
        if (reply.size() == 1 && reply[0].unicode() == kNotAvailableByte)
            return std::nullopt;
        if (!(reply.size() == 1 && reply[0].unicode() == kNakByte))
            return reply;
    }
    noteRefused(ctx, cmd);
    return std::nullopt;
}

} // namespace tovu::link
