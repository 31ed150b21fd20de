#include "app/link/MemoryState.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/LinkError.h"
#include "app/link/ReplyParsing.h"
#include "app/link/SlotOperations.h"

namespace tovu::link {

QString occupancyList(LinkContext& ctx, SlotKind kind)
{
    if (ctx.store.MemoryGeneration < 1)
        return {};
    const QString list = WriteCommSpecial(ctx, kind == SlotKind::Panel ? command::kPanelList : command::kALogList);
    // A list that is not all location numbers (cut short, garbled) says nothing: each slot
    // is then asked on its own, as without a list.
    return wellFormedSlotList(list) ? list : QString();
}

bool slotUsed(LinkContext& ctx, SlotKind kind, int slot, const QString& list)
{
    return kind == SlotKind::Panel ? PanelSlotUsed(ctx, slot, list) : ALogSlotUsed(ctx, slot, list);
}

std::optional<bool> slotState(LinkContext& ctx, SlotKind kind, int slot, const QString& list)
{
    try {
        return slotUsed(ctx, kind, slot, list);
    } catch (const LinkError& e) {
        if (e.kind() != LinkErrorKind::NotAcknowledged)
            throw;
        return std::nullopt;
    }
}

void captionBank(LinkContext& ctx, SlotKind kind, int bank)
{
    TransferView* view = ctx.transferDialog();
    if (!view)
        return;
    const int per = slotsPerBank(kind);
    for (int i = 1; i <= per; ++i) {
        view->setSlotCaption(rowOf(kind), i, QString::number(bank * per + i));
        view->setSlotColour(rowOf(kind), i, SlotColour::Grey);
    }
}

void paintSlot(LinkContext& ctx, SlotKind kind, int slot, SlotColour colour)
{
    if (TransferView* view = ctx.transferDialog())
        view->setSlotColour(rowOf(kind), labelOfSlot(kind, slot), colour);
}

namespace {

void resetDialog(LinkContext& ctx)
{
    TransferView* view = ctx.transferDialog();
    if (!view)
        return;
    for (int i = 1; i <= kPanelLabels; ++i)
        view->setSlotColour(SlotRow::Panels, i, SlotColour::Grey);
    for (int i = 1; i <= kALogLabels; ++i)
        view->setSlotColour(SlotRow::ALogs, i, SlotColour::Grey);
    view->setProgress(0);
    view->showModeless();
}

} // namespace

void CheckMemoryState(TransferEnv& env, SlotKind kind, const std::vector<int>& selection)
{
    LinkContext& ctx = env.link;
    resetDialog(ctx);
    if (kind == SlotKind::ALog)
        ctx.setStatusText(QStringLiteral(" Checking State of Alogs "));
    const QString list = occupancyList(ctx, kind);
    int bank = -1;
    for (const int slot : selection) {
        if (bankOfSlot(kind, slot) != bank) {
            bank = bankOfSlot(kind, slot);
            captionBank(ctx, kind, bank);
        }
        paintSlot(ctx, kind, slot, SlotColour::Yellow);
        const std::optional<bool> used = slotState(ctx, kind, slot, list);
        if (!used)
            paintSlot(ctx, kind, slot, SlotColour::Grey);  // the instrument would not say
        else if (!*used)
            paintSlot(ctx, kind, slot, SlotColour::Red);
        else
            paintSlot(ctx, kind, slot, ctx.store.workItem(slot).InUse ? SlotColour::White : SlotColour::Green);
    }
}

void CheckMemoryState(TransferEnv& env, const QString& kind, int first, int last)
{
    std::vector<int> selection;
    const bool panel = kind == QLatin1String("PANEL");
    if (!panel && kind != QLatin1String("ALOG")) {
        resetDialog(env.link);
        return;
    }
    const SlotKind k = panel ? SlotKind::Panel : SlotKind::ALog;
    for (int n = std::max(first, 1); n <= std::min(last, maxSlots(env, k)); ++n)
        selection.push_back(n);
    CheckMemoryState(env, k, selection);
}

} // namespace tovu::link
