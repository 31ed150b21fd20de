#include "app/link/SlotOperations.h"

#include "platform/text/NumberText.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/LinkError.h"
#include "app/link/ModelIdentification.h"
#include "app/link/ParameterGroups.h"
#include "app/link/Refusals.h"
#include "app/link/ReplyParsing.h"

#include <stdexcept>

namespace tovu::link {

namespace {

QString location(int n) { return platform::text::numberText(static_cast<long long>(n)); }

QString actionArg(MemoryAction a)
{
    return platform::text::numberText(static_cast<long long>(a));
}

const char* actionName(MemoryAction a)
{
    switch (a) {
    case MemoryAction::STORE: return "STORE";
    case MemoryAction::RECALL: return "RECALL";
    case MemoryAction::DELETE: return "DELETE";
    }
    return "";
}

bool listGiven(const QString& list) { return list.size() > 1; }

// The completion of a memory action ("ADP", "ADA"): a refusal is sent once more, as any
// refused command; the action is still outstanding on the instrument then.
QString completeAction(LinkContext& ctx, const QString& cmd)
{
    const QString reply = WriteComm(ctx, cmd, QString());
    return reply == kNack ? WriteComm(ctx, cmd, QString()) : reply;
}

// Sends cmd & arg until "ACK", at most tries times.
bool untilAck(LinkContext& ctx, const QString& cmd, const QString& arg, int tries)
{
    for (int i = 0; i < tries; ++i)
        if (WriteComm(ctx, cmd, arg) == kAck)
            return true;
    return false;
}

QString what(MemoryAction a, const QString& cmd, int n, const char* kind)
{
    return QStringLiteral("%1 (%2 of %3 %4)").arg(cmd, QLatin1String(actionName(a)), QLatin1String(kind)).arg(n);
}

// The occupancy of the selected location ("RST" / "RAT"). A state the instrument refuses
// to give is no state: the location counts neither as empty nor as occupied.
bool selectedOccupied(LinkContext& ctx, const QString& cmd, const QString& source, int n)
{
    const RefusalsAside aside(ctx);
    const QString state = readSetting(ctx, cmd);
    if (state == kNotAvailable && ctx.refused.contains(cmd))
        throw notAcknowledged(source, cmd + QStringLiteral(" (location %1)").arg(n));
    return NumericValue(state) != 0;
}

} // namespace

MemoryAction memoryActionOf(const QString& action)
{
    for (const MemoryAction a : {MemoryAction::STORE, MemoryAction::RECALL, MemoryAction::DELETE})
        if (action == QLatin1String(actionName(a)))
            return a;
    throw std::invalid_argument("unknown memory action " + action.toStdString());
}

bool PanelSlotUsed(LinkContext& ctx, int n, const QString& list)
{
    if (listGiven(list))
        return slotListed(list, n);
    if (!untilAck(ctx, command::kSelectPanel, location(n), kSelectTries))
        throw notAcknowledged(QStringLiteral("PanelSlotUsed"), command::kSelectPanel + location(n));
    return selectedOccupied(ctx, command::kPanelState, QStringLiteral("PanelSlotUsed"), n);
}

bool ALogSlotUsed(LinkContext& ctx, int n, const QString& list)
{
    if (listGiven(list))
        return slotListed(list, n);
    // A location the instrument does not let us select is not known to be empty.
    if (!untilAck(ctx, command::kSelectALog, location(n), kSelectTries))
        throw notAcknowledged(QStringLiteral("ALogSlotUsed"), command::kSelectALog + location(n));
    return selectedOccupied(ctx, command::kALogState, QStringLiteral("ALogSlotUsed"), n);
}

void PanelMemoryAction(LinkContext& ctx, MemoryAction action, int n)
{
    const QString source = QStringLiteral("PanelMemoryAction");
    // The instrument's gate A is read around the action as the instrument expects; the
    // values go to a scratch record so no item in memory is touched.
    items::DFDRecord scratch;
    const RefusalsAside aside(ctx);
    bool acted = false;
    for (int round = 0; round < kActionRounds && !acted; ++round) {
        if (WriteComm(ctx, command::kSelectPanel, location(n)) != kAck)
            continue;
        readGateInto(ctx, scratch, 0);
        acted = WriteComm(ctx, command::kPanelAction, actionArg(action)) == kAck;
    }
    if (!acted)
        throw notAcknowledged(source, what(action, command::kPanelAction + actionArg(action), n, "panel"));
    const QString done = completeAction(ctx, command::kPanelActionDone);
    readGateInto(ctx, scratch, 0);
    if (done != kAck)
        throw notAcknowledged(source, what(action, command::kPanelActionDone, n, "panel"));
}

void ALogMemoryAction(LinkContext& ctx, MemoryAction action, int n, int idx)
{
    const QString source = QStringLiteral("ALogMemoryAction");
    if (action == MemoryAction::STORE)
        ctx.store.workItem(idx);
    bool acted = false;
    for (int round = 0; round < kActionRounds && !acted; ++round) {
        if (WriteComm(ctx, command::kSelectALog, location(n)) != kAck)
            continue;
        acted = WriteComm(ctx, command::kALogAction, actionArg(action)) == kAck;
    }
    if (!acted)
        throw notAcknowledged(source, what(action, command::kALogAction + actionArg(action), n, "ALog"));
    if (action == MemoryAction::STORE && !WriteALogWaveform(ctx, idx))
        throw notAcknowledged(source, what(action, command::kWriteWaveform, n, "ALog"));
    // As for panels, only an acknowledged completion is a done action: a refused STORE
    // stored nothing, and a refused RECALL left the live settings live.
    if (completeAction(ctx, command::kALogActionDone) != kAck)
        throw notAcknowledged(source, what(action, command::kALogActionDone, n, "ALog"));
    // The store is done once "ADA" acknowledged it; a screen that does not return to the
    // live trace is worth a word, not the slot.
    if (action == MemoryAction::STORE && !untilAck(ctx, command::kAfterALogWork, QStringLiteral(" 0"), kSelectTries))
        noteRefused(ctx, command::kAfterALogWork);
}

} // namespace tovu::link
