#pragma once
// Drag and drop between the window's controls in Qt's terms. The tree and the list start
// their drags themselves; this filter sits on the drop targets (item list, memory tree,
// settings grid, A-scan picture), accepts a drag where the control takes it and refuses it
// elsewhere (the pointer then shows the drag's pictures, DragFeedback), and hands a drop
// to the window's handler with the name of the control the drag came from.

#include <QObject>
#include <QString>

class QDropEvent;
class QMimeData;
class QWidget;

namespace tovu::mainwindow {

class frmmain;

// Carries the source control's name where the drag's source object is not at hand.
inline const QString kDragSourceFormat = QStringLiteral("application/x-tovu-drag-source");

class DragDropWiring final : public QObject {
public:
    explicit DragDropWiring(frmmain& window);

    // The name of the control the dragged data comes from ("" when unknown).
    static QString sourceName(const QDropEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* target, QWidget* owner);
    void dropped(QWidget* owner, QDropEvent& event);

    frmmain& w_;
};

} // namespace tovu::mainwindow
