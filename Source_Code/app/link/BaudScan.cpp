#include "app/link/BaudScan.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/Connection.h"
#include "app/link/LinkError.h"
#include "app/link/ProtocolBytes.h"

namespace tovu::link {

namespace {

template <typename F>
void ignoringErrors(F&& f)
{
    try {
        f();
    } catch (...) {
    }
}

void call(const std::function<void()>& f)
{
    if (f)
        ignoringErrors(f);
}

} // namespace

QString Baud_Writecomm(LinkContext& ctx, const QString& cmd, const QString& value)
{
    try {
        ctx.port.setInBufferCount(0);
        ctx.port.setOutBufferCount(0);
        ctx.pump.waitMs(kBaudWriteWaitMs);
        if (value == kNotAvailable)
            return kNotAvailable;
        ctx.port.output((cmd + value).toLatin1() + '\r');
        ctx.pump.doEvents();
        for (int poll = 1; poll <= kBaudWritePolls; ++poll) {
            const QByteArray got = ctx.port.input();
            for (const char c : got) {
                if (c == kAckByte)
                    return kAck;
                if (c == kNotAvailableByte)
                    return kNotAvailable;
                if (c == kNakByte)
                    return QStringLiteral(" ");
                if (c == '\r')
                    return QStringLiteral("ERROR");
            }
        }
    } catch (...) {
    }
    return QStringLiteral("ERROR");
}

QString SelectBaudrate(LinkContext& ctx, const QString& baudrate, const BaudScanHooks& hooks)
{
    QString result;
    ignoringErrors([&] { ctx.port.setSettings(baudrate + kPortFormat); });
    try {
        result = OpenComm(ctx);
    } catch (...) {
        result.clear();
    }
    if (result == kSuccess) {
        Baud_Writecomm(ctx, command::kRemoteOn, QString());
        call(hooks.statusRead);
        Baud_Writecomm(ctx, command::kLocal, QString());
        result = kAck;
    }
    CloseComm(ctx);
    return result;
}

void scan_baudrate(LinkContext& ctx, const BaudScanHooks& hooks)
{
    const QString about = QStringLiteral("About ") + hooks.applicationTitle;
    const auto caption = [&](const QString& text) {
        if (hooks.setAboutCaption)
            ignoringErrors([&] { hooks.setAboutCaption(text); });
    };
    call(hooks.showAbout);
    bool answered = false;
    for (const ScanRate& rate : kScanRates) {
        caption(about + QLatin1String(rate.caption));
        if (SelectBaudrate(ctx, QLatin1String(rate.baud), hooks) == kAck) {
            answered = true;
            break;
        }
    }
    if (!answered)
        ignoringErrors([&] { ctx.port.setSettings(kFallbackSettings); });
    caption(about);
    call(hooks.hideAbout);
}

} // namespace tovu::link
