#pragma once
// What the pointer shows while an item or a node is dragged across the window. A drag
// from the memory tree shows picture 101 where it may be dropped (the item list) and
// picture 102 everywhere else; a drag from the item list carries the picture of its
// selected item (its icon and text) when the list holds more than one item, and shows
// picture 102 over every control that refuses it. Whether a control takes a drag is
// decided by the drop targets (DragDropWiring); this is only how the pointer looks.

#include <QListView>
#include <QPixmap>

class QDrag;
class QAbstractItemView;

namespace tovu::mainwindow {

enum class DragSource { Tree, List };

// Picture of a list item as a drag carries it: its icon and its text.
QPixmap listDragImage(const QAbstractItemView& list, const QModelIndex& index);

// Sets the drag's cursors and picture. itemImage: the list's selected item, used when
// the list holds more than one item.
void setDragFeedback(QDrag& drag, DragSource source, const QPixmap& itemImage, int listCount);

// Starts the drag of a view's selected entries with that feedback; the data also names
// the view, for drop targets that do not see the drag's source object.
void startViewDrag(QAbstractItemView& view, DragSource source, int listCount);

// The item list lvwPanelsALog: a list view whose drags carry that feedback.
class ItemListView final : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

} // namespace tovu::mainwindow
