#pragma once
// Slot arithmetic of the transfers: banks of 20 panels and 100 ALogs, the dialog label of
// a slot, and the selection a download or an upload works on.

#include "app/link/TransferHost.h"

#include <utility>
#include <vector>

namespace tovu::link {

enum class SlotKind { Panel, ALog };

// The bank of slot n as the page menus know it: panels 0..4, ALogs 0..7 (every slot above
// 800 gives 7). The result comes back through bank, as callers expect.
void PanelBlockIndex(int n, int& bank);
void AlogBlockIndex(int n, int& bank);

int slotsPerBank(SlotKind kind);
int bankOfSlot(SlotKind kind, int slot);   // (slot - 1) / 20 or / 100, unbounded
int labelOfSlot(SlotKind kind, int slot);  // 1..20 or 1..100
SlotRow rowOf(SlotKind kind);
int treeNodeOfLabel(SlotKind kind, int label);  // label + 1, label + 22

// The bank the main window shows for the kind: generation 0 has only bank 0.
int shownBank(const TransferEnv& env, SlotKind kind);

// The selection a download reads. first and last are slot numbers on a generation-0
// instrument; on a banked one (1, MaxPanels) or (1, MaxALogs) means every bank the
// transfer covers (panels 1..100, ALogs 1..800), any other pair positions on the shown
// page. Positions outside the page or the memory are dropped.
std::vector<int> downloadSlots(const TransferEnv& env, SlotKind kind, int first, int last);
// The same for a selection of positions (or slot numbers on generation 0), gaps kept.
std::vector<int> downloadSlots(const TransferEnv& env, SlotKind kind, const std::vector<int>& positions);

// Source record and target slot of each store of an upload: single 0 writes records
// first..last each into the slot of its number; single >= 1 writes record first into
// slot single. Numbers outside the memory are dropped.
using UploadPair = std::pair<int, int>;
std::vector<UploadPair> uploadPairs(const TransferEnv& env, SlotKind kind, int first, int last, int single);

int maxSlots(const TransferEnv& env, SlotKind kind);

} // namespace tovu::link
