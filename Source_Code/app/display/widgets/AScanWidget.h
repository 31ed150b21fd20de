#pragma once
// The A-scan picture box: paints the retained drawing stretched over the widget, shows
// the blue cross-hair and the cursor readout (CursorText) while the pointer moves over
// it, asks for the pop-up menu on a right click and reports drags over it.

#include "app/display/AScanDisplay.h"

#include <QLineEdit>
#include <QMimeData>
#include <QWidget>
#include <functional>

namespace tovu::display {

class AScanWidget : public QWidget {
    Q_OBJECT
public:
    explicit AScanWidget(AScanDisplay& display, QWidget* parent = nullptr);

    // The record the readout scales by: WorkItems[0] while the live settings are shown,
    // else the item the picture shows, else WorkItems[0]. The main window supplies the
    // shown item; by default there is none.
    void setShownItemSource(std::function<std::optional<int>()> source);

    // The readout box; a child of this widget until the main window places it elsewhere.
    QLineEdit* CursorText() const { return cursorText_; }

    // Hides the cross-hair and the readout (the pointer left for the form).
    void hideCursor();
    bool cursorVisible() const { return crossVisible_; }
    QPoint cursorPosition() const { return cross_; }

    // What a mouse move at (x, y) in widget pixels does; public for tests and the host.
    void Picture1_MouseMove(int x, int y);

signals:
    // Right button: the main window pops up mnuPopUpAscan at this global position.
    void popUpMenuRequested(const QPoint& globalPos);
    // Drag state as the picture box reports it: 0 entered, 1 left, 2 over.
    void dragOverPicture(int state);
    // Something was dropped on the picture.
    void droppedOnPicture(const QMimeData* data);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The pointer left the picture: the cross-hair and the readout go.
    void leaveEvent(QEvent* event) override;

private:
    const items::DFDRecord& shownItem() const;

    AScanDisplay& display_;
    QLineEdit* cursorText_;
    std::function<std::optional<int>()> shown_;
    QPoint cross_;
    bool crossVisible_ = false;
};

} // namespace tovu::display
