#pragma once
// The layout of the window's panes around the splitter position (in twips, 15 to a
// pixel), the window's least size, and the splitter drag.

namespace tovu::mainwindow {

class frmmain;

class PaneLayout {
public:
    // Wires the splitter handle's mouse to the drag handlers below.
    explicit PaneLayout(frmmain& window);
    PaneLayout(const PaneLayout&) = delete;
    PaneLayout& operator=(const PaneLayout&) = delete;

    // The splitter position in twips may be raised to its minimum.
    void ResizeControls(float& position);
    // Lays the panes out anew at the kept splitter position (not while minimized).
    void Form_Resize();
    void imgSplitter_MouseDown(int X);
    void imgSplitter_MouseMove(int X);
    void imgSplitter_MouseUp(int X);
    // True while the splitter is being dragged.
    bool mbMoving() const { return moving_; }
    float splitterLeft() const { return splitterLeft_; }

private:
    void updateMinimumSize();

    frmmain& w_;
    bool moving_ = false;
    float splitterLeft_ = 2560;  // twips
};

} // namespace tovu::mainwindow
