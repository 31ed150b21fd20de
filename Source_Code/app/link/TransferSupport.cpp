#include "app/link/TransferSupport.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Connection.h"
#include "app/link/RecordTransfer.h"
#include "app/link/Refusals.h"

namespace tovu::link {

namespace {

constexpr int kSavingString = 562;
constexpr int kRestoringString = 563;

} // namespace

QString kindText(const LinkContext& ctx, SlotKind kind)
{
    return ctx.strings.GetResString(kind == SlotKind::Panel ? kPanelString : kALogString);
}

QString slotStatus(const TransferEnv& env, int actionString, SlotKind kind, int slot)
{
    return env.link.strings.GetResString(actionString) + u' ' + kindText(env.link, kind) + u' ' + QString::number(slot);
}

void reportFailedSlots(TransferEnv& env, SlotKind kind, const std::vector<int>& failed, const QString& title,
                       const QString& sentence)
{
    if (failed.empty())
        return;
    QStringList numbers;
    for (const int s : failed)
        numbers << QString::number(s);
    env.dialogs.message(sentence.arg(kindText(env.link, kind), numbers.join(QStringLiteral(", "))), title,
                        LinkIcon::Exclamation);
}

void switchOffDisplayModes(LinkContext& ctx)
{
    for (const char* cmd : {"WHD", "WDM", "WYM"})
        writeSetting(ctx, QLatin1String(cmd), QStringLiteral("0"));
}

QStringList takeRefusals(LinkContext& ctx)
{
    QStringList out;
    out.swap(ctx.refused);
    return out;
}

QStringList saveLiveSettings(TransferEnv& env)
{
    env.wait.setMessage(env.link.strings.GetResString(kSavingString));
    env.wait.showModeless();
    takeRefusals(env.link);
    ReadPanelSettings(env.link, 0);
    env.wait.hide();
    return takeRefusals(env.link);
}

QStringList restoreLiveSettings(TransferEnv& env)
{
    env.wait.setMessage(env.link.strings.GetResString(kRestoringString));
    env.wait.showModeless();
    takeRefusals(env.link);
    switchOffDisplayModes(env.link);
    WritePanelSettings(env.link, 0);
    env.wait.hide();
    return takeRefusals(env.link);
}

void reportRefusals(TransferEnv& env, SlotKind kind, const TransferReport& report, bool upload, const QString& title)
{
    const items::StringSource& strings = env.link.strings;
    const QString sentence = strings.GetResString(upload ? kStoredRefusedString : kReadRefusedString);
    QStringList lines;
    for (const auto& [slot, commands] : report.refused)
        lines << kindText(env.link, kind) + u' ' + QString::number(slot) + u' '
                     + sentence.arg(commands.join(QStringLiteral(", ")));
    if (!report.liveNotRestored.isEmpty())
        lines << strings.GetResString(kLiveNotRestoredString).arg(report.liveNotRestored.join(QStringLiteral(", ")));
    if (!lines.isEmpty())
        env.dialogs.message(lines.join(kCrLf), title, LinkIcon::Exclamation);
}

void restoreLiveSettingsBestEffort(TransferEnv& env) noexcept
{
    try {
        env.link.Active = true;
        OpenComm(env.link);
        restoreLiveSettings(env);
    } catch (...) {
        // The instrument did not take its settings back; the error shown says why.
    }
    try {
        env.wait.hide();
    } catch (...) {
    }
}

void endTransferWithError(TransferEnv& env, const QString& title, const QString& source, const QString& text,
                          bool liveSaved, TransferReport& report)
{
    env.link.unloadTransferDialog();
    env.link.Active = true;
    if (liveSaved)
        restoreLiveSettingsBestEffort(env);
    CloseComm(env.link);
    report.errorSource = source;
    report.errorText = text;
    env.dialogs.message(source + kCrLf + text, title, LinkIcon::Critical);
    env.host.setBusy(false);
}

} // namespace tovu::link
