#include "app/link/UploadEngine.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/Connection.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/MemoryState.h"
#include "app/link/RecordTransfer.h"
#include "app/link/SlotOperations.h"

namespace tovu::link {

namespace {

constexpr int kUploadString = 516;

// The model question, asked for the first record to be written whose model differs from
// the instrument's of the last connection. False when the user declines.
bool modelAccepted(TransferEnv& env, SlotKind kind, const std::vector<UploadPair>& pairs)
{
    LinkContext& ctx = env.link;
    for (const auto& [source, target] : pairs) {
        if (!ctx.store.workItem(source).InUse || SameModelAsRecord0(ctx, source))
            continue;
        const QString question = ctx.strings.GetResString(kDifferentModelString);
        const QString text = kind == SlotKind::Panel ? kindText(ctx, kind) + QString::number(source) + QStringLiteral(": ")
                                                           + kCrLf + question
                                                     : question;
        return env.dialogs.askYesNo(text, ctx.strings.GetResString(kTitleString), LinkIcon::Question);
    }
    return true;
}

void store(LinkContext& ctx, SlotKind kind, int source, int target)
{
    if (kind == SlotKind::Panel)
        PanelMemoryAction(ctx, MemoryAction::STORE, target);
    else
        ALogMemoryAction(ctx, MemoryAction::STORE, target, source);
}

void slotNotStored(LinkContext& ctx, SlotKind kind, int target, TransferReport& report)
{
    takeRefusals(ctx);
    takeKeptPoints(ctx);
    paintSlot(ctx, kind, target, SlotColour::Red);
    report.failed.push_back(target);
    ctx.setStatusText(QStringLiteral(" %1 %2 was not stored").arg(kindText(ctx, kind)).arg(target));
}

void uploadSlot(TransferEnv& env, SlotKind kind, int source, int target, bool overwriteAll, TransferReport& report)
{
    LinkContext& ctx = env.link;
    paintSlot(ctx, kind, target, SlotColour::Yellow);
    if (!ctx.store.workItem(source).InUse) {
        paintSlot(ctx, kind, target, SlotColour::Red);
        report.empty.push_back(source);
        return;
    }
    ctx.setStatusText(slotStatus(env, kUploadString, kind, source));
    const std::optional<bool> used = slotState(ctx, kind, target, QString());
    if (!used) {
        slotNotStored(ctx, kind, target, report);
        return;
    }
    if (*used && !overwriteAll) {
        const QString text = kindText(ctx, kind) + QString::number(target) + QStringLiteral(": ") + kCrLf
                             + ctx.strings.GetResString(kOverwriteOneString);
        if (!env.dialogs.askYesNo(text, ctx.strings.GetResString(kTitleString), LinkIcon::Question)) {
            paintSlot(ctx, kind, target, SlotColour::Green);
            report.declined.push_back(target);
            return;
        }
    }
    takeRefusals(ctx);
    takeKeptPoints(ctx);
    report.liveSetUpOf = kindText(ctx, kind) + u' ' + QString::number(target);
    switchOffDisplayModes(ctx);
    report.skippedSettings << WritePanelSettings(ctx, source);
    try {
        store(ctx, kind, source, target);
    } catch (const LinkError& e) {
        if (e.kind() != LinkErrorKind::NotAcknowledged)
            throw;
        slotNotStored(ctx, kind, target, report);
        return;
    }
    // Stored all the same: an instrument refuses settings its model lacks.
    if (QStringList refused = takeRefusals(ctx); !refused.isEmpty())
        report.refused[target] = refused;
    if (QStringList kept = takeKeptPoints(ctx); !kept.isEmpty())
        report.keptPoints[target] = kept;
    paintSlot(ctx, kind, target, SlotColour::Green);
    if (bankOfSlot(kind, target) == shownBank(env, kind))
        env.host.DFD_Tick(treeNodeOfLabel(kind, labelOfSlot(kind, target)));
    if (kind == SlotKind::Panel)
        ctx.store.PanelOccupied.at(static_cast<std::size_t>(target)) = true;
    else
        ctx.store.ALogOccupied.at(static_cast<std::size_t>(target)) = true;
    report.transferred.push_back(target);
}

TransferReport upload(TransferEnv& env, SlotKind kind, int first, int last, int single)
{
    LinkContext& ctx = env.link;
    const QString& title = kind == SlotKind::Panel ? kWriteAllPanelsError : kWriteAllAlogsError;
    TransferReport report;
    const std::vector<UploadPair> pairs = uploadPairs(env, kind, first, last, single);
    if (pairs.empty()) {
        report.completed = true;  // nothing in the memory's range to write
        return report;
    }
    if (!modelAccepted(env, kind, pairs))
        return report;
    bool overwriteAll = false;
    if (first != last)
        overwriteAll = env.dialogs.askYesNo(ctx.strings.GetResString(kOverwriteAllString),
                                            ctx.strings.GetResString(kTitleString), LinkIcon::Question);
    bool liveSaved = false;
    runTransfer(env, title, liveSaved, report, [&] {
        env.host.setBusy(true);
        OpenComm(ctx);
        ctx.loadTransferDialog();
        report.liveNotRestored = saveLiveSettings(env);
        liveSaved = true;
        TransferScope transfer(ctx);
        std::vector<int> targets;
        for (const auto& p : pairs)
            targets.push_back(p.second);
        CheckMemoryState(env, kind, targets);
        int bank = -1;
        for (const auto& [source, target] : pairs) {
            if (bankOfSlot(kind, target) != bank) {
                bank = bankOfSlot(kind, target);
                captionBank(ctx, kind, bank);
            }
            uploadSlot(env, kind, source, target, overwriteAll, report);
        }
        ctx.unloadTransferDialog();
        report.liveNotRestored << restoreLiveSettings(env);
        if (kind == SlotKind::Panel) {
            WriteComm(ctx, command::kSelectPanel, QStringLiteral("1"));
        } else {
            WriteComm(ctx, command::kSelectALog, QStringLiteral("1"));
            WriteComm(ctx, command::kAfterALogWork, QStringLiteral("0"));
        }
    });
    if (!report.completed)
        return report;
    CloseComm(ctx);
    env.host.setBusy(false);
    reportRefusals(env, kind, report, true, title);
    return report;
}

} // namespace

TransferReport UploadPanels(TransferEnv& env, int first, int last, int single)
{
    return upload(env, SlotKind::Panel, first, last, single);
}

TransferReport UploadALogs(TransferEnv& env, int first, int last, int single)
{
    return upload(env, SlotKind::ALog, first, last, single);
}

} // namespace tovu::link
