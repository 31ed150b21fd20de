#pragma once
// An item the window shows, named by its array and number when it was opened. Note edits
// go to that record whatever view the list shows meanwhile, so a switch of view cannot
// send them into the other array, and a re-layout redraws the item that was opened, not
// the record of that number in the other kind.

namespace tovu::mainwindow {

struct ShownItem {
    // Live: record 0, the instrument's current settings (kept in WorkItems only).
    enum class Array { Live, ALogs, Panels };
    Array array = Array::ALogs;
    int index = 1;  // record number; the pane shows record 1 until an item is opened
};

} // namespace tovu::mainwindow
