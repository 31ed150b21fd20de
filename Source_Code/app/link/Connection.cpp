#include "app/link/Connection.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/LinkError.h"

namespace tovu::link {

namespace {

const QString kOpenComm = QStringLiteral("OpenComm");

void openPort(LinkContext& ctx)
{
    if (ctx.port.portOpen())
        return;
    try {
        ctx.port.setPortOpen(true);
    } catch (const platform::serial::PortError& e) {
        throw LinkError(LinkErrorKind::PortFailure, kOpenComm,
                        QStringLiteral("Cannot open serial port ") + QString::fromStdString(e.what()));
    }
}

LinkError handshakeFailed(LinkContext& ctx)
{
    return LinkError(LinkErrorKind::Handshake, kOpenComm, ctx.strings.GetResString(kHandshakeFailedString));
}

// A refusal (or noise, as at a wrong rate) earns one retry; silence ends the opening at once.
bool handshake(LinkContext& ctx)
{
    try {
        return WriteComm(ctx, command::kRemoteOn, QString(), kHandshakeTimeoutSeconds) == kAck;
    } catch (const LinkError& e) {
        if (e.kind() == LinkErrorKind::BadReply)
            return false;
        if (e.kind() == LinkErrorKind::Timeout)
            throw handshakeFailed(ctx);
        throw;
    }
}

} // namespace

void closePortQuietly(LinkContext& ctx) noexcept
{
    try {
        ctx.port.setPortOpen(false);
    } catch (...) {
    }
}

QString OpenComm(LinkContext& ctx)
{
    for (LinkContext::LivePoints& p : ctx.livePoints)
        p = {};
    try {
        openPort(ctx);
        ctx.pump.doEvents();
        ctx.port.setInBufferCount(0);
        ctx.port.setOutBufferCount(0);
        ctx.port.setInputLen(1);
        if (!handshake(ctx)) {
            ctx.clock.sleepMs(kOpenRetryGapMs);
            CloseComm(ctx);
            openPort(ctx);
            ctx.port.setInputLen(1);
            if (!handshake(ctx))
                throw handshakeFailed(ctx);
        }
        return kSuccess;
    } catch (const LinkError&) {
        closePortQuietly(ctx);
        throw;
    } catch (const platform::serial::PortError& e) {
        closePortQuietly(ctx);
        throw LinkError(LinkErrorKind::PortFailure, kOpenComm, QString::fromStdString(e.what()));
    }
}

void CloseComm(LinkContext& ctx) noexcept
{
    try {
        if (!ctx.port.portOpen())
            ctx.port.setPortOpen(true);
        for (int sends = 0; sends < 2; ++sends)
            if (WriteComm(ctx, command::kLocal, QString(), kHandshakeTimeoutSeconds) == kAck)
                break;
        ctx.pump.waitMs(kCloseWaitMs);
    } catch (...) {
        // Ending the connection must not fail; the port is closed below regardless.
    }
    closePortQuietly(ctx);
}

} // namespace tovu::link
