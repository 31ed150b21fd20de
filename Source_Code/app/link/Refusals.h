#pragma once
// One rule for a refusal (NAK): the command is sent once more; what the instrument still
// refuses is noted in LinkContext::refused and never becomes a value. A reply that is no
// valid value of its setting (text where a number belongs, a note longer than its field)
// counts as a refusal. A read still
// refused gives "N/A" (which no writer sends back), a write still refused is only noted,
// and a raw read still refused gives nothing; so does one whose reply cannot be parsed. The engines clear the notes before each
// item and list what was noted in their closing message.

#include "app/link/LinkContext.h"
#include "app/link/LinkError.h"

#include <QString>
#include <optional>

namespace tovu::link {

// A reply that is no value of a read: NAK ("NACK"), or an "ACK" where a value belongs.
bool unusableReadReply(const QString& reply);
// A field text that must never go out as an argument: a status word or a control byte
// (such texts can only come from an earlier refusal, e.g. an item saved long ago).
bool unsendableArgument(const QString& text);
// Whether reply can be the value of what cmd reads ("RGN", "RNL", "RST", "ACD"): numeric
// settings take only a whole-field number; "N/A" (no such setting) passes.
bool validValueFor(const QString& cmd, const QString& reply);

// "R" + code and the like: the value, or "N/A" when refused twice (noted). wholeValue
// keeps the commas of the value (notes).
QString readSetting(LinkContext& ctx, const QString& cmd, bool wholeValue = false);
// A write: the reply, after one more send when refused (a second refusal is noted). An
// argument that is a status word or holds a control byte is not sent ("N/A" returned).
QString writeSetting(LinkContext& ctx, const QString& cmd, const QString& arg);
// A raw read (lists, arrays, time stamp): the reply, or nothing when refused twice
// (noted) or answered "not available".
std::optional<QString> readSpecial(LinkContext& ctx, const QString& cmd);

// Notes cmd as refused once per item.
void noteRefused(LinkContext& ctx, const QString& cmd);

// A raw read whose reply parse must understand: a reply it rejects as a bad reply counts
// as a refusal (one more read, then nothing, noted). Other errors pass.
template <typename Parse>
auto readSpecialParsed(LinkContext& ctx, const QString& cmd, Parse parse) -> std::optional<decltype(parse(QString()))>
{
    for (int read = 0; read < 2; ++read) {
        const std::optional<QString> raw = readSpecial(ctx, cmd);
        if (!raw)
            return std::nullopt;
        try {
            return parse(*raw);
        } catch (const LinkError& e) {
            if (e.kind() != LinkErrorKind::BadReply)
                throw;
        }
    }
    noteRefused(ctx, cmd);
    return std::nullopt;
}

// Keeps the notes of ctx as they are for its lifetime: commands sent for the
// instrument's sake (the gate reads around a memory action) are not the item's.
class RefusalsAside {
public:
    explicit RefusalsAside(LinkContext& ctx) : ctx_(ctx), kept_(ctx.refused) {}
    ~RefusalsAside() { ctx_.refused = kept_; }
    RefusalsAside(const RefusalsAside&) = delete;
    RefusalsAside& operator=(const RefusalsAside&) = delete;

private:
    LinkContext& ctx_;
    QStringList kept_;
};

} // namespace tovu::link
