#include "app/link/TransferSupport.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/Connection.h"
#include "app/link/RecordTransfer.h"
#include "app/link/RefusalNames.h"
#include "app/link/Refusals.h"

#include <set>

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

void switchOffDisplayModes(LinkContext& ctx)
{
    for (const QLatin1String cmd : {command::kWriteHud, command::kWriteDacMode, command::kWriteTcgMode})
        writeSetting(ctx, cmd, QStringLiteral("0"));
}

QStringList takeRefusals(LinkContext& ctx)
{
    QStringList out;
    out.swap(ctx.refused);
    return out;
}

QStringList takeKeptPoints(LinkContext& ctx)
{
    QStringList out;
    out.swap(ctx.keptPoints);
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
    takeKeptPoints(env.link);
    switchOffDisplayModes(env.link);
    WritePanelSettings(env.link, 0);
    env.wait.hide();
    // Points the instrument cannot clear stay in its live set-up with their mode as it
    // was: nothing the user gets is changed by them, so they are no restore problem.
    takeKeptPoints(env.link);
    return takeRefusals(env.link);
}

namespace {

QString failedSlotsSentence(const TransferEnv& env, SlotKind kind, const std::vector<int>& failed, bool upload)
{
    QStringList numbers;
    for (const int s : failed)
        numbers << QString::number(s);
    const QString sentence = upload ? QStringLiteral("The instrument did not store %1 %2.")
                                    : QStringLiteral("The instrument refused to recall %1 %2; those PC records are unchanged.");
    return sentence.arg(kindText(env.link, kind), numbers.join(QStringLiteral(", ")));
}

int notesTitleString(SlotKind kind, bool upload)
{
    if (upload)
        return kind == SlotKind::Panel ? kPanelsStoredWithNotesString : kALogsStoredWithNotesString;
    return kind == SlotKind::Panel ? kPanelsReadWithNotesString : kALogsReadWithNotesString;
}

} // namespace

QString refusedLine(const LinkContext& ctx, const QString& item, const QStringList& commands, bool upload)
{
    const QString sentence = ctx.strings.GetResString(upload ? kStoredRefusedString : kReadRefusedString);
    return item + u' ' + sentence.arg(refusalNames(ctx.strings, ctx.store.workItem(0).ModelIndex, commands));
}

void reportRefusals(TransferEnv& env, SlotKind kind, const TransferReport& report, bool upload,
                    const QString& errorTitle)
{
    const items::StringSource& strings = env.link.strings;
    const int model = env.link.store.workItem(0).ModelIndex;
    QStringList lines;
    if (!report.failed.empty())
        lines << failedSlotsSentence(env, kind, report.failed, upload);
    std::set<int> noted;  // the items with something to say, in slot order
    for (const auto& [slot, commands] : report.refused)
        noted.insert(slot);
    for (const auto& [slot, kept] : report.keptPoints)
        noted.insert(slot);
    for (const int slot : noted) {
        const QString item = kindText(env.link, kind) + u' ' + QString::number(slot);
        if (const auto it = report.refused.find(slot); it != report.refused.end())
            lines << refusedLine(env.link, item, it->second, upload);
        if (const auto it = report.keptPoints.find(slot); it != report.keptPoints.end())
            for (const QString& curve : it->second)
                lines << strings.GetResString(kKeptPointsString).arg(item, curve);
    }
    if (!report.liveNotRestored.isEmpty())
        lines << strings.GetResString(kLiveNotRestoredString).arg(refusalNames(strings, model, report.liveNotRestored));
    if (!report.skippedSettings.isEmpty())
        lines << QStringLiteral("These settings could not be sent and were left out:") + kCrLf
                     + report.skippedSettings.join(kCrLf);
    if (lines.isEmpty())
        return;
    const QString title = report.failed.empty() ? strings.GetResString(notesTitleString(kind, upload)) : errorTitle;
    env.dialogs.message(lines.join(kCrLf), title, LinkIcon::Exclamation);
}

bool restoreLiveSettingsBestEffort(TransferEnv& env) noexcept
{
    bool restored = false;
    try {
        env.link.Active = true;
        OpenComm(env.link);
        restoreLiveSettings(env);
        restored = true;
    } catch (...) {
        // The instrument did not take its settings back; the error shown says why.
    }
    try {
        env.wait.hide();
    } catch (...) {
    }
    return restored;
}

void endTransferWithError(TransferEnv& env, const QString& title, const QString& source, const QString& text,
                          bool liveSaved, TransferReport& report)
{
    env.link.unloadTransferDialog();
    env.link.Active = true;
    const bool restored = liveSaved && restoreLiveSettingsBestEffort(env);
    CloseComm(env.link);
    report.errorSource = source;
    report.errorText = text;
    QString message = source + kCrLf + text;
    if (liveSaved && !restored && !report.liveSetUpOf.isEmpty())
        message += kCrLf + kCrLf + env.link.strings.GetResString(kLiveMayBeItemsString).arg(report.liveSetUpOf);
    env.dialogs.message(message, title, LinkIcon::Critical);
    env.host.setBusy(false);
}

} // namespace tovu::link
