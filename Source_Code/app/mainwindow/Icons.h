#pragma once
// The program's pictures, drawn at run time: the drag icons (101 drop here, 102 no drop),
// the slot pictures of the memory tree (103 used, 105 empty), the instrument pictures of
// its root (104 yellow housing, 106 the program's own), the four item-list images and
// three toolbar pictures.

#include <QIcon>

namespace tovu::mainwindow {

enum class IconResource { DropHere = 101, NoDrop = 102, Tick = 103, YellowDetector = 104, EmptySlot = 105, Detector = 106 };

QIcon iconResource(IconResource id);

// The toolbar's own pictures, for the commands that have no fitting standard one.
enum class ToolbarPicture { CopyPanel, Word, List };
QIcon toolbarPicture(ToolbarPicture picture);

// Item-list images: 1 ALog empty, 2 ALog occupied, 3 panel empty, 4 panel occupied.
QIcon listImage(int index);

} // namespace tovu::mainwindow
