#pragma once
// The memory-state display: the transfer dialog shown with one label per slot of the
// banks in work, each coloured by the slot's state on the instrument.

#include "app/link/TransferSlots.h"

#include <QString>
#include <optional>
#include <vector>

namespace tovu::link {

// Shows the loaded transfer dialog reset to grey and tests every slot: green occupied,
// white occupied while WorkItems holds an item of that number, red empty. Banked
// instruments answer from their "APL"/"AWL" list. Errors reach the caller.
void CheckMemoryState(TransferEnv& env, SlotKind kind, const std::vector<int>& selection);

// kind "PANEL" or "ALOG" with slot numbers first..last; any other kind only shows and
// resets the dialog.
void CheckMemoryState(TransferEnv& env, const QString& kind, int first, int last);

// The occupancy list of a banked instrument ("APL" / "AWL"); empty on generation 0.
QString occupancyList(LinkContext& ctx, SlotKind kind);

bool slotUsed(LinkContext& ctx, SlotKind kind, int slot, const QString& list);
// As slotUsed; nothing when the instrument refused to tell (NotAcknowledged).
std::optional<bool> slotState(LinkContext& ctx, SlotKind kind, int slot, const QString& list);

// Recaptions labels 1..20 / 1..100 with the selection of bank b and paints them grey.
void captionBank(LinkContext& ctx, SlotKind kind, int bank);
void paintSlot(LinkContext& ctx, SlotKind kind, int slot, SlotColour colour);

} // namespace tovu::link
