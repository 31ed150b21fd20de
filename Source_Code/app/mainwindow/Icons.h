#pragma once
// The program's pictures, drawn at run time: the drag icons (101 drop here, 102 no drop),
// the slot pictures of the memory tree (103 used, 105 empty), the instrument pictures of
// its root (104 yellow housing, 106 the program's own), and the four item-list images.

#include <QIcon>

namespace tovu::mainwindow {

enum class IconResource { DropHere = 101, NoDrop = 102, Tick = 103, YellowDetector = 104, EmptySlot = 105, Detector = 106 };

QIcon iconResource(IconResource id);

// Item-list images: 1 ALog empty, 2 ALog occupied, 3 panel empty, 4 panel occupied.
QIcon listImage(int index);

} // namespace tovu::mainwindow
