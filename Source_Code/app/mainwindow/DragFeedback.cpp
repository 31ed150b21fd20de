#include "app/mainwindow/DragFeedback.h"

#include "app/mainwindow/DragDropWiring.h"
#include "app/mainwindow/Icons.h"

#include <QAbstractItemView>
#include <QDrag>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QPainter>

namespace tovu::mainwindow {

namespace {
constexpr int kCursorSize = 32;

QPixmap cursorPicture(IconResource id)
{
    return iconResource(id).pixmap(kCursorSize, kCursorSize);
}
} // namespace

QPixmap listDragImage(const QAbstractItemView& list, const QModelIndex& index)
{
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    const QString text = index.data(Qt::DisplayRole).toString();
    const QFontMetrics metrics = list.fontMetrics();
    const QSize iconSize = list.iconSize().isValid() ? list.iconSize() : QSize(16, 16);
    const int gap = 4;
    const QSize size(iconSize.width() + gap + metrics.horizontalAdvance(text) + 2,
                     std::max(iconSize.height(), metrics.height()) + 2);
    QPixmap image(size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(QPoint(0, (size.height() - iconSize.height()) / 2), iconSize));
    painter.setFont(list.font());
    painter.setPen(list.palette().color(QPalette::Text));
    painter.drawText(QRect(iconSize.width() + gap, 0, size.width() - iconSize.width() - gap, size.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
}

void setDragFeedback(QDrag& drag, DragSource source, const QPixmap& itemImage, int listCount)
{
    drag.setDragCursor(cursorPicture(IconResource::NoDrop), Qt::IgnoreAction);
    if (source == DragSource::Tree) {
        drag.setDragCursor(cursorPicture(IconResource::DropHere), Qt::CopyAction);
        return;
    }
    // With a single item there is nothing to tell apart: the default outline stays.
    if (listCount > 1 && !itemImage.isNull()) {
        drag.setPixmap(itemImage);
        drag.setHotSpot(QPoint(-8, -8));
    }
}

void startViewDrag(QAbstractItemView& view, DragSource source, int listCount)
{
    const QModelIndexList selected = view.selectionModel() ? view.selectionModel()->selectedIndexes() : QModelIndexList();
    if (selected.isEmpty() || !view.model())
        return;
    QMimeData* data = view.model()->mimeData(selected);
    if (!data)
        data = new QMimeData;
    data->setData(kDragSourceFormat, view.objectName().toUtf8());
    auto* drag = new QDrag(&view);
    drag->setMimeData(data);
    const QModelIndex current = view.currentIndex().isValid() ? view.currentIndex() : selected.front();
    setDragFeedback(*drag, source, source == DragSource::List ? listDragImage(view, current) : QPixmap(), listCount);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void ItemListView::startDrag(Qt::DropActions)
{
    startViewDrag(*this, DragSource::List, model() ? model()->rowCount() : 0);
}

} // namespace tovu::mainwindow
