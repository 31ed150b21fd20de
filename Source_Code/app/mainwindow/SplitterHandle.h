#pragma once
// The splitter handle imgSplitter between the memory tree and the item list: reports
// press, move and release with the pointer's offset from its left edge in twips; it
// does not move itself (the bar picSplitter follows the pointer during a drag).

#include <QWidget>
#include <functional>

namespace tovu::mainwindow {

class SplitterHandle final : public QWidget {
    Q_OBJECT
public:
    explicit SplitterHandle(QWidget* parent = nullptr);

    std::function<void(int X)> onMouseDown;
    std::function<void(int X)> onMouseMove;
    std::function<void(int X)> onMouseUp;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tovu::mainwindow
