#include "app/link/SlotCommands.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/Connection.h"
#include "app/link/LinkError.h"
#include "app/link/SlotOperations.h"
#include "app/link/TransferSlots.h"
#include "app/link/TransferSupport.h"

namespace tovu::link {

namespace {

constexpr int kLastALogNode = kFirstALogNode + kALogsPerBank - 1;

// Runs body inside one connection; failures end in one box and a closed link.
template <typename Body>
bool withLink(TransferEnv& env, const QString& title, Body&& body)
{
    LinkContext& ctx = env.link;
    ctx.Active = true;
    env.host.setBusy(true);
    bool done = false;
    QString error;
    try {
        OpenComm(ctx);
        body();
        done = true;
    } catch (const LinkError& e) {
        error = e.Source() + kCrLf + e.Description();
    } catch (const std::exception& e) {
        error = QStringLiteral("TOVU") + kCrLf + QString::fromLocal8Bit(e.what());
    }
    CloseComm(ctx);
    ctx.Active = true;
    env.host.setBusy(false);
    if (!done)
        env.dialogs.message(error, title, LinkIcon::Critical);
    return done;
}

bool erase(TransferEnv& env, SlotKind kind)
{
    const QString& title = kind == SlotKind::Panel ? kPanelEraseTitle : kAlogEraseTitle;
    if (!env.dialogs.askYesNo(env.link.strings.GetResString(kEraseQuestionString), title, LinkIcon::None))
        return false;
    return withLink(env, title, [&] {
        if (kind == SlotKind::Panel)
            PanelMemoryAction(env.link, MemoryAction::DELETE, 0);
        else
            ALogMemoryAction(env.link, MemoryAction::DELETE, 0, 0);
        WriteComm(env.link, command::kPanelActionDone, QString());
    });
}

// Acts on the node's slot when the instrument holds something there.
bool onSlot(TransferEnv& env, int node, MemoryAction action)
{
    const std::optional<NodeSlot> ns = slotOfNode(env, node);
    if (!ns)
        return false;
    bool used = false;
    const bool done = withLink(env, env.link.strings.GetResString(kTitleString), [&] {
        LinkContext& ctx = env.link;
        used = ns->panel ? PanelSlotUsed(ctx, ns->slot, QString()) : ALogSlotUsed(ctx, ns->slot, QString());
        if (!used)
            return;
        if (ns->panel)
            PanelMemoryAction(ctx, action, ns->slot);
        else
            ALogMemoryAction(ctx, action, ns->slot, 0);
    });
    if (done && action == MemoryAction::DELETE) {
        env.host.markNodeEmpty(node);
        auto& occupied = ns->panel ? env.link.store.PanelOccupied[static_cast<std::size_t>(ns->slot)]
                                   : env.link.store.ALogOccupied[static_cast<std::size_t>(ns->slot)];
        occupied = false;
    }
    return done;
}

} // namespace

std::optional<NodeSlot> slotOfNode(const TransferEnv& env, int node)
{
    if (node >= kFirstPanelNode && node <= kLastPanelNode) {
        const int slot = shownBank(env, SlotKind::Panel) * kPanelsPerBank + node - kFirstPanelNode + 1;
        if (slot <= env.link.store.MaxPanels)
            return NodeSlot{true, slot};
    } else if (node >= kFirstALogNode && node <= kLastALogNode) {
        const int slot = shownBank(env, SlotKind::ALog) * kALogsPerBank + node - kFirstALogNode + 1;
        if (slot <= env.link.store.MaxALogs)
            return NodeSlot{false, slot};
    }
    return std::nullopt;
}

bool MnuEraseALOGS_Click(TransferEnv& env) { return erase(env, SlotKind::ALog); }
bool MnuErasePanels_Click(TransferEnv& env) { return erase(env, SlotKind::Panel); }

bool PopUpmnuDeleteItem_Click(TransferEnv& env, int node) { return onSlot(env, node, MemoryAction::DELETE); }
bool PopUpmnuRecallItem_Click(TransferEnv& env, int node) { return onSlot(env, node, MemoryAction::RECALL); }

} // namespace tovu::link
