#include "app/link/Terminal.h"

#include "app/link/Connection.h"
#include "app/link/LinkError.h"
#include "app/link/PortAccess.h"

namespace tovu::link {

TerminalReply applyTerminalCommand(LinkContext& ctx, const QString& text)
{
    try {
        if (!ctx.port.portOpen())
            ctx.port.setPortOpen(true);
        ctx.port.setInputLen(1);
        PortAccess io(ctx, kTerminalSource);
        io.clearBuffers();
        const std::int64_t deadline = ctx.clock.nowMs() + kTerminalTimeoutMs;
        io.send(text);
        ctx.pump.doEvents();
        QString reply;
        for (;;) {
            const int c = io.readChar(deadline);
            if (c == '\r')
                break;
            if (c < 0)
                throw timeoutError(kTerminalSource, text, QString());
            reply += QChar::fromLatin1(static_cast<char>(c));
        }
        closePortQuietly(ctx);
        return {reply, reply.isEmpty() ? kEmptyReplyText : QString::number(reply.at(0).unicode())};
    } catch (const platform::serial::PortError& e) {
        closePortQuietly(ctx);
        throw LinkError(LinkErrorKind::PortFailure, kTerminalSource, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        closePortQuietly(ctx);
        throw;
    }
}

} // namespace tovu::link
