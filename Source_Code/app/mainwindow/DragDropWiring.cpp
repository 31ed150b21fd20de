#include "app/mainwindow/DragDropWiring.h"
#include "app/mainwindow/TransferCommands.h"
#include "app/mainwindow/ItemCommands.h"

#include "app/mainwindow/frmmain.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

namespace tovu::mainwindow {

DragDropWiring::DragDropWiring(frmmain& window) : QObject(&window), w_(window)
{
    // The tree and the list drag their selected nodes or items; neither moves anything
    // inside itself, every drop goes to the handlers below.
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(w_.DFDTree()), static_cast<QAbstractItemView*>(w_.lvwPanelsALog())}) {
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragDrop);
        view->setDefaultDropAction(Qt::CopyAction);
        view->setDropIndicatorShown(false);
        watch(view->viewport(), view);
    }
    watch(w_.NotesSettingsTab()->GridSettings()->viewport(), w_.NotesSettingsTab()->GridSettings());
    watch(w_.Picture1(), w_.Picture1());
}

void DragDropWiring::watch(QWidget* target, QWidget* owner)
{
    target->setAcceptDrops(true);
    target->setProperty("tovuDropOwner", QVariant::fromValue(static_cast<QObject*>(owner)));
    target->installEventFilter(this);
}

QString DragDropWiring::sourceName(const QDropEvent& event)
{
    if (event.source())
        return event.source()->objectName();
    if (event.mimeData() && event.mimeData()->hasFormat(kDragSourceFormat))
        return QString::fromUtf8(event.mimeData()->data(kDragSourceFormat));
    return {};
}

bool DragDropWiring::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop && type != QEvent::DragLeave)
        return QObject::eventFilter(watched, event);
    auto* owner = qobject_cast<QWidget*>(watched->property("tovuDropOwner").value<QObject*>());
    if (!owner)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::DragLeave)
        return true;
    auto& drop = static_cast<QDropEvent&>(*event);
    if (!w_.transferCommands().dropAccepted(owner, sourceName(drop))) {
        drop.ignore();
        return true;
    }
    drop.setDropAction(Qt::CopyAction);
    drop.accept();
    if (type == QEvent::Drop)
        dropped(owner, drop);
    return true;
}

void DragDropWiring::dropped(QWidget* owner, QDropEvent& event)
{
    const QString source = sourceName(event);
    const QPoint point = event.position().toPoint();
    // The drag's own event loop is still running: the command runs once it has ended, so
    // a transfer's dialogs and waits do not run inside the drag.
    QTimer::singleShot(0, &w_, [this, owner, source, point] {
        if (owner == w_.lvwPanelsALog())
            w_.runCommand([this, source] { w_.transferCommands().lvwPanelsALog_DragDrop(source); });
        else if (owner == w_.DFDTree())
            w_.runCommand([this, source, point] { w_.transferCommands().DFDTree_DragDrop(source, point); });
        else if (owner == w_.Picture1())
            w_.runCommand([this] { w_.itemCommands().Picture1_DragDrop(); });
        else
            w_.runCommand([this] { w_.itemCommands().GridSettings_DragDrop(); });
    });
}

} // namespace tovu::mainwindow
