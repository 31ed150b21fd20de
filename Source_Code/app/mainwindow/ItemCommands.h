#pragma once
// The commands on the items held on the PC: opening an item of the list (a click, a
// double-click, a drop on the grid or the picture) and the one shown item every route
// sets, the notes pane writing its edits back into the record whose notes it shows, the
// list's selected range, and compacting, reordering and emptying the records.

#include "app/items/DFDRecord.h"
#include "app/mainwindow/ShownItem.h"

#include <QString>
#include <optional>

namespace tovu::mainwindow {

class frmmain;

class ItemCommands {
public:
    // Wires the list, the notes pane, the move buttons and Compact Memory.
    explicit ItemCommands(frmmain& window);
    ItemCommands(const ItemCommands&) = delete;
    ItemCommands& operator=(const ItemCommands&) = delete;

    // Opens WorkItems record n: draws it, fills the grid and, for an item in use, the
    // notes; it becomes the shown item. False when it holds neither an item nor a waveform.
    bool openItem(int n);
    // The one item the picture, the grid, the report, the printout, the copy and the
    // exports use: the item opened last (by any route) or the live settings.
    const ShownItem& shownItem() const { return shown_; }
    // The shown item's record number while the list shows its array (the live settings
    // always); none otherwise or before anything was opened.
    std::optional<int> shownItemIndex() const;
    // Makes WorkItems record n (already drawn) the shown item.
    void setShownItem(int n);
    // Shows the shown item anew when its record was refilled with other data (a download,
    // a file opened, compacting, moving); clears the picture, the grid and the notes when
    // the record was emptied or the list shows the other kind. A record that holds the
    // same data is left as drawn.
    void refreshShownItem();
    // Nothing shown: a white picture, the grid's heading only, empty notes.
    void clearShownItem();
    // True when an item of the list's kind (or the live settings) is shown; otherwise says
    // so to the user. The commands that read the shown item ask it first.
    bool requireShownItem();
    // The item whose notes the notes pane shows: its edits go there.
    const ShownItem& notesItem() const { return notesItem_; }
    void ShowALogSettings(int index);
    void ShowItemNotes(int index);

    // The list's selected item (the first one of a range); none when nothing is selected.
    std::optional<int> selectedItemIndex() const;
    // The first and last selected items (0 when none), kept for the commands that work on
    // a range; the report sets them to the range it worked on.
    int ListSelFirst() const { return listSelFirst_; }
    int ListSelLast() const { return listSelLast_; }
    void setListSelection(int first, int last);

    void lvwPanelsALog_DblClick();
    void lvwPanelsALog_ItemClick(int item);
    void GridSettings_DragDrop();
    void Picture1_DragDrop();
    void mnuCompactMem_Click();
    void cmdMoveOrder_Click(int Index);
    void Recycle_Bin_Empty();

private:
    void connectNotes();
    void connectList();
    void storeNote(int box, const QString& text);
    void storeMemo();
    // The shown item's record in its own array (the live settings in WorkItems).
    const items::DFDRecord* recordOf(const ShownItem& item) const;

    frmmain& w_;
    ShownItem shown_{ShownItem::Array::ALogs, -1};  // -1: nothing opened yet
    ShownItem notesItem_;
    items::DFDRecord shownRecord_;  // the shown item as it was drawn
    bool showingNotes_ = false;
    int listSelFirst_ = 0;
    int listSelLast_ = 0;
};

} // namespace tovu::mainwindow
