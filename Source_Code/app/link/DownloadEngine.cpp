#include "app/link/DownloadEngine.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/Connection.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/ItemArrays.h"
#include "app/link/MemoryState.h"
#include "app/link/RecordTransfer.h"
#include "app/link/SlotOperations.h"

namespace tovu::link {

namespace {

constexpr int kDownloadString = 517;
constexpr int kPanelSlotWaitMs = 20;   // before each occupied panel

using Records = std::vector<items::DFDRecord>;

// Recalls slot s and reads it into WorkItems(s). False when the instrument refused the
// recall; the record is then as it was.
bool readSlot(LinkContext& ctx, SlotKind kind, int s)
{
    const items::DFDRecord before = ctx.store.workItem(s);
    try {
        if (kind == SlotKind::Panel)
            PanelMemoryAction(ctx, MemoryAction::RECALL, s);
        else
            ALogMemoryAction(ctx, MemoryAction::RECALL, s, s);
    } catch (const LinkError& e) {
        if (e.kind() != LinkErrorKind::NotAcknowledged)
            throw;
        ctx.store.workItem(s) = before;
        return false;
    }
    items::DFDRecord& r = ctx.store.workItem(s);
    r.InUse = r.WaveformPresent = r.DacCurvePresent = r.TcgCurvePresent = false;
    ReadPanelSettings(ctx, s);
    bool waveform = false;
    if (kind == SlotKind::ALog) {
        readItemWaveform(ctx, s);
        waveform = ctx.store.workItem(s).WaveformPresent;
        ReadParamTS(ctx, s);
    }
    ReadParamsCDSH(ctx, s);
    items::DFDRecord& done = ctx.store.workItem(s);
    done.editSettings().SlotText = QString::number(s);
    done.InUse = true;
    done.WaveformPresent = waveform;
    readItemCurves(ctx, kind, s);
    return true;
}

void slotFailed(LinkContext& ctx, SlotKind kind, int s, TransferReport& report)
{
    paintSlot(ctx, kind, s, SlotColour::Red);
    report.failed.push_back(s);
    ctx.setStatusText(QStringLiteral(" %1 %2 could not be recalled; the PC record is unchanged")
                          .arg(kindText(ctx, kind))
                          .arg(s));
}

void downloadSlot(TransferEnv& env, SlotKind kind, int s, const QString& list, TransferReport& report)
{
    LinkContext& ctx = env.link;
    paintSlot(ctx, kind, s, SlotColour::Yellow);
    ctx.setProgress(0);
    const std::optional<bool> used = slotState(ctx, kind, s, list);
    if (!used) {
        slotFailed(ctx, kind, s, report);
        return;
    }
    if (!*used) {
        paintSlot(ctx, kind, s, SlotColour::Red);
        report.empty.push_back(s);
        if (ctx.store.workItem(s).InUse) {
            // The PC item of that number was not replaced, so it stays.
            report.kept.push_back(s);
            ctx.setStatusText(QStringLiteral(" %1 %2 is empty on the instrument; the PC item is kept")
                                  .arg(kindText(ctx, kind))
                                  .arg(s));
        }
        return;
    }
    if (kind == SlotKind::Panel)
        ctx.clock.sleepMs(kPanelSlotWaitMs);
    else
        WriteComm(ctx, command::kAfterALogWork, QStringLiteral("1"));
    ctx.setStatusText(slotStatus(env, kDownloadString, kind, s));
    takeRefusals(ctx);
    report.liveSetUpOf = kindText(ctx, kind) + u' ' + QString::number(s);
    if (readSlot(ctx, kind, s)) {
        paintSlot(ctx, kind, s, SlotColour::Green);
        report.transferred.push_back(s);
        if (QStringList refused = takeRefusals(ctx); !refused.isEmpty())
            report.refused[s] = refused;
    } else {
        slotFailed(ctx, kind, s, report);
    }
}

// WorkItems 1..MaxALogs cleared, then the array of the kind staged at its numbers.
void stage(items::ItemStore& store, SlotKind kind)
{
    for (int i = 1; i <= store.MaxALogs; ++i)
        store.ClearDFDRecord(i);
    const Records& from = kind == SlotKind::Panel ? store.Panels : store.ALogs;
    const int count = kind == SlotKind::Panel ? store.MaxPanels : store.MaxALogs;
    for (int i = 1; i <= count; ++i)
        store.WorkItems[static_cast<std::size_t>(i)] = from[static_cast<std::size_t>(i)];
}

void copyBack(items::ItemStore& store, SlotKind kind)
{
    Records& to = kind == SlotKind::Panel ? store.Panels : store.ALogs;
    const int count = kind == SlotKind::Panel ? store.MaxPanels : store.MaxALogs;
    for (int i = 1; i <= count; ++i)
        to[static_cast<std::size_t>(i)] = store.WorkItems[static_cast<std::size_t>(i)];
}

TransferReport download(TransferEnv& env, SlotKind kind, const std::vector<int>& requested, bool all, int first,
                        int last)
{
    LinkContext& ctx = env.link;
    items::ItemStore& store = ctx.store;
    const QString& title = kind == SlotKind::Panel ? kGetAllPanelsError : kGetAllAlogsError;
    TransferReport report;
    bool liveSaved = false;
    std::optional<Records> snapshot;
    runTransfer(env, title, liveSaved, report, [&] {
        env.host.setBusy(true);
        OpenComm(ctx);
        ctx.loadTransferDialog();
        report.liveNotRestored = saveLiveSettings(env);
        liveSaved = true;
        // The identification above fixed the memory; the selection is taken against it.
        const std::vector<int> selection = all ? downloadSlots(env, kind, first, last) : downloadSlots(env, kind, requested);
        snapshot.emplace(store.WorkItems.begin() + 1, store.WorkItems.end());
        stage(store, kind);
        TransferScope transfer(ctx);
        CheckMemoryState(env, kind, selection);
        const QString list = occupancyList(ctx, kind);
        int bank = -1;
        for (const int s : selection) {
            if (bankOfSlot(kind, s) != bank) {
                bank = bankOfSlot(kind, s);
                captionBank(ctx, kind, bank);
            }
            downloadSlot(env, kind, s, list, report);
        }
        if (kind == SlotKind::Panel) {
            WriteComm(ctx, command::kSelectPanel, QStringLiteral("1"));
        } else {
            WriteComm(ctx, command::kSelectALog, QStringLiteral("1"));
            WriteComm(ctx, command::kAfterALogWork, QStringLiteral("0"));
        }
        ctx.setStatusText(QStringLiteral(" Download Complete"));
        ctx.unloadTransferDialog();
        report.liveNotRestored << restoreLiveSettings(env);
    });
    if (!report.completed) {
        if (snapshot)
            std::copy(snapshot->begin(), snapshot->end(), store.WorkItems.begin() + 1);
        return report;
    }
    CloseComm(ctx);
    env.host.setBusy(false);
    copyBack(store, kind);
    if (kind == SlotKind::Panel) {
        env.host.showPanelsView();
        ctx.pump.doEvents();
        env.host.markModified();
    } else {
        ctx.pump.doEvents();
        env.host.markModified();
        env.host.mnuViewALogs_Click();
        env.host.markModified();
    }
    reportRefusals(env, kind, report, false, title);
    return report;
}

} // namespace

TransferReport DownloadPanels(TransferEnv& env, int first, int last)
{
    return download(env, SlotKind::Panel, {}, true, first, last < 0 ? env.link.store.MaxPanels : last);
}

TransferReport DownloadPanels(TransferEnv& env, const std::vector<int>& positions)
{
    return download(env, SlotKind::Panel, positions, false, 0, 0);
}

TransferReport DownloadALogs(TransferEnv& env, int first, int last)
{
    return download(env, SlotKind::ALog, {}, true, first, last < 0 ? env.link.store.MaxALogs : last);
}

TransferReport DownloadALogs(TransferEnv& env, const std::vector<int>& positions)
{
    return download(env, SlotKind::ALog, positions, false, 0, 0);
}

} // namespace tovu::link
