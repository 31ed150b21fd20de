#pragma once
// Operations on single instrument memory locations: is a location occupied, and the
// memory actions STORE, RECALL and DELETE on panels and ALogs. Every repetition is
// bounded; an instrument that keeps refusing ends the operation with a NotAcknowledged
// link error, so no failure passes for success.

#include "app/link/LinkContext.h"

#include <QString>

namespace tovu::link {

// list: the raw "APL"/"AWL" reply for a banked instrument, else empty. A list of at most
// one character counts as empty, and then the instrument is asked about the location.
bool PanelSlotUsed(LinkContext& ctx, int n, const QString& list);
bool ALogSlotUsed(LinkContext& ctx, int n, const QString& list);

enum class MemoryAction { STORE, RECALL, DELETE };
// "STORE", "RECALL", "DELETE"; anything else is a std::invalid_argument.
MemoryAction memoryActionOf(const QString& action);

// Selects panel location n and runs the action on it, completed by "ADP". Location 0
// with DELETE erases the whole panel memory.
void PanelMemoryAction(LinkContext& ctx, MemoryAction action, int n);
// Selects ALog location n and runs the action; a STORE uploads the waveform of record
// idx and ends with "WFP 0" (refused, it is noted: the item is stored all the same).
void ALogMemoryAction(LinkContext& ctx, MemoryAction action, int n, int idx);

constexpr int kSelectTries = 5;   // "WPS" of the slot test, "WFP" after a store
constexpr int kActionRounds = 3;  // select and act, for both memories

} // namespace tovu::link
