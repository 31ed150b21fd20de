#include "app/link/Refusals.h"

#include "platform/text/FieldText.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/ParameterGroups.h"
#include "app/link/ProtocolBytes.h"

#include <algorithm>

namespace tovu::link {

namespace {

bool hasControlByte(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

// The two-letter setting a read or write command carries: "RGN" and "WGN" carry GN,
// "RYA" (YA is written with its read command) carries YA, "ACD" and "ASH" their readings.
// Empty for other commands.
QString settingOf(const QString& cmd)
{
    // The stored readings: distance and peak.
    if (cmd == command::kReadDistance || cmd == command::kReadPeak)
        return cmd.mid(1);
    if (cmd.size() != 3 || !(cmd[0] == u'R' || cmd[0] == u'W'))
        return {};
    return cmd.mid(1);
}

// Settings whose value is a text rather than a number: the notes and the frequency's
// name ("WIDE").
bool isTextSetting(const QString& code) { return noteFieldLength(code) > 0 || code == u"FS"; }

} // namespace

bool unusableReadReply(const QString& reply) { return reply == kNack || reply == kAck; }

bool validValueFor(const QString& cmd, const QString& reply)
{
    if (unusableReadReply(reply) || hasControlByte(reply))
        return false;
    if (reply == kNotAvailable)
        return true;  // the model has no such setting; nothing was refused
    const QString code = settingOf(cmd);
    if (code.isEmpty())
        return true;
    if (const int length = noteFieldLength(code); length > 0)
        return reply.size() <= length;  // the instrument pads a note to its field, never beyond
    if (isTextSetting(code))
        return true;
    return platform::text::strictDouble(reply).has_value();
}

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
        if (validValueFor(cmd, reply))
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
