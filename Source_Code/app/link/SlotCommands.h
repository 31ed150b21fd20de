#pragma once
// The memory commands that move no records: erase all ALogs or all panels, and delete or
// recall the slot of a memory-tree node. Each opens the link, acts and closes it; a link
// error or a refusal is reported in one critical box and the link is closed. Every
// repetition on the link is bounded, so none of them can hang.

#include "app/link/TransferHost.h"

#include <optional>

namespace tovu::link {

// Ask string 129 (titles "ALOG Memory Erase" / "Panel Memory Erase"); Yes erases.
// True when the memory was erased.
bool MnuEraseALOGS_Click(TransferEnv& env);
bool MnuErasePanels_Click(TransferEnv& env);

// node: the memory tree's selected node (panel positions 2..21, ALog positions 23..122).
// The slot is the node's position on the page the tree shows. Delete greys the node
// (picture 2) once the slot is empty on the instrument; recall leaves the tree alone.
// True when the command did its work (an empty slot needs none).
bool PopUpmnuDeleteItem_Click(TransferEnv& env, int node);
bool PopUpmnuRecallItem_Click(TransferEnv& env, int node);

struct NodeSlot {
    bool panel;
    int slot;
};
// The slot a tree node shows; nothing for the root, PANELS, ALOGS and unknown nodes.
std::optional<NodeSlot> slotOfNode(const TransferEnv& env, int node);

inline const QString kAlogEraseTitle = QStringLiteral("ALOG Memory Erase");
inline const QString kPanelEraseTitle = QStringLiteral("Panel Memory Erase");
constexpr int kEraseQuestionString = 129;

} // namespace tovu::link
