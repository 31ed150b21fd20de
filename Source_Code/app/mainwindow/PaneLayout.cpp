// The layout of the panes around the splitter position, in twips (15 to a pixel), and
// the splitter drag.
#include "app/mainwindow/PaneLayout.h"

#include "app/display/Canvas.h"
#include "app/mainwindow/SplitterHandle.h"
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/NotesPane.h"
#include "app/display/widgets/AScanWidget.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QPushButton>
#include <QResizeEvent>

namespace tovu::mainwindow {

namespace {

// Design positions in twips, relative to the window's client area.
constexpr int kTop = 120;
constexpr int kTreeLeft = 120;
constexpr int kMoveButtonTop[2] = {1200, 1800};
constexpr int kMoveButtonSize = 360;
constexpr int kMinimumSplitter = 2560;
constexpr int kSplitterMin = 400;
constexpr int kSplitterRightMargin = 5760;
constexpr int kExportFrameHeight = 1600;
constexpr int kListMinimumWidth = 60;  // pixels
constexpr int kBottomMargin = 120;      // the least room below the tab

int px(double twips)
{
    return static_cast<int>(twips / kTwipsPerPixel);
}

int twips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

// Negative sizes are skipped as the design's runtime skipped the failing statement.
void place(QWidget* w, double left, double top, double width, double height)
{
    if (!w || width < 0 || height < 0)
        return;
    w->setGeometry(px(left), px(top), px(width), px(height));
}

} // namespace

PaneLayout::PaneLayout(frmmain& window) : w_(window)
{
    SplitterHandle& handle = w_.splitterHandle();
    handle.onMouseDown = [this](int x) { imgSplitter_MouseDown(x); };
    handle.onMouseMove = [this](int x) { imgSplitter_MouseMove(x); };
    handle.onMouseUp = [this](int x) { imgSplitter_MouseUp(x); };
}

// The panes are laid out by the twips rules below, then held to what they need to stay
// readable: the picture never below its drawing's size, the tab never below what its
// notes page needs, the item list never squeezed away by the splitter.
void PaneLayout::ResizeControls(float& position)
{
    QWidget* exportFrame = w_.Frm_Export();
    NotesPane* notes = w_.NotesSettingsTab();
    QListView* list = w_.lvwPanelsALog();
    display::AScanWidget* picture = w_.Picture1();
    if (position < kMinimumSplitter)
        position = kMinimumSplitter;
    const double W = twips(w_.frameGeometry().width());
    const double H = twips(w_.frameGeometry().height());
    const double S = twips(w_.centralWidget()->height());
    // The splitter stops where the list would become narrower than its minimum.
    const double maxSplitter = W / 2 - 160 - 240 - 480 - twips(kListMinimumWidth);
    if (position > maxSplitter && maxSplitter >= kMinimumSplitter)
        position = static_cast<float>(maxSplitter);
    const double X = position;

    const double treeWidth = X - 160;
    const double listLeft = X + 100;
    const double tabWidth = std::max(W / 2 - 360, double(twips(display::kLogicalWidth)));
    const double listWidth = W / 2 - (treeWidth + 240 + 480);
    const double tabLeft = W / 2 + 120;
    double treeHeight = S - 1000;
    if (exportFrame->isVisible() && w_.wordAvailable()) {
        treeHeight = S - 2700;
        place(exportFrame, kTreeLeft, kTop + treeHeight + 240, listLeft + listWidth - kTreeLeft, kExportFrameHeight);
    } else {
        exportFrame->hide();
    }
    // The picture takes what the tab leaves, within its own minimum; where the window is
    // too low for the rules' bottom margin, the tab gives up that margin first.
    const double tabMinimum = twips(notes->minimumSizeHint().height());
    double pictureHeight = H / 2 - 1480;
    pictureHeight = std::min(pictureHeight, S - 1000 - tabMinimum);
    pictureHeight = std::max(pictureHeight, double(twips(display::kLogicalHeight)));
    const double tabTop = kTop + pictureHeight + 120;
    double tabHeight = S - pictureHeight - 1000;
    if (tabHeight < tabMinimum)
        tabHeight = std::min(tabMinimum, S - tabTop - kBottomMargin);
    place(w_.DFDTree(), kTreeLeft, kTop, treeWidth, treeHeight);
    place(w_.imgSplitter(), X, kTop, 100, treeHeight);
    place(list, listLeft, kTop, listWidth, treeHeight);
    place(notes, tabLeft, tabTop, tabWidth, tabHeight);
    place(picture, tabLeft, kTop, tabWidth, pictureHeight);
    // The grid and the memo fill their tab pages, so their sizes follow the tab's.
    for (int i = 0; i < 2; ++i)
        place(w_.cmdMoveOrder(i), listLeft + listWidth + 50, kMoveButtonTop[i], kMoveButtonSize,
              kMoveButtonSize);
    list->viewport()->update();
    // The picture keeps the drawing of the shown item and stretches it to its new size;
    // drawing anew would superimpose the item on itself and rewrite the picture file.
    picture->update();
}

// The window's least size follows from what the panes need: the picture's drawing size
// and the notes page beside the half that holds the tree, the list and the report frame,
// the toolbar's buttons and the rules' own least size (9750 x 7365 twips).
void PaneLayout::updateMinimumSize()
{
    const QWidget* toolbar = w_.Toolbar1();
    // The menu bar, the toolbar and the status bar above and below the panes.
    int chromeHeight = 0;
    for (const QWidget* bar : {static_cast<const QWidget*>(w_.menuBar()), toolbar,
                               static_cast<const QWidget*>(w_.statusBar())})
        if (bar && !bar->isHidden())
            chromeHeight += bar->sizeHint().height();
    // Client height: the picture, the tab's least height, the gaps above, between and below.
    const int clientHeight =
        px(kTop + 120 + kBottomMargin) + display::kLogicalHeight + w_.NotesSettingsTab()->minimumSizeHint().height() + 1;
    // Width: the right half holds the picture (W / 2 - 360 twips wide); the left half
    // the tree, the list and the report frame's buttons.
    const int rightHalf = display::kLogicalWidth + px(360);
    const int leftHalf = std::max(px(kMinimumSplitter + 100 + 720) + kListMinimumWidth,
                                  px(kTreeLeft + 460) + w_.Frm_Export()->minimumSizeHint().width());
    const int toolbarWidth = toolbar->sizeHint().width();
    const int w = std::max({9750 / kTwipsPerPixel, 2 * std::max(rightHalf, leftHalf), toolbarWidth});
    const int h = std::max(7365 / kTwipsPerPixel, clientHeight + chromeHeight);
    if (w_.minimumSize() != QSize(w, h))
        w_.setMinimumSize(w, h);
}

void PaneLayout::Form_Resize()
{
    if (w_.isMinimized())
        return;
    updateMinimumSize();
    float x = splitterLeft_;
    ResizeControls(x);
    splitterLeft_ = x;
}

void PaneLayout::imgSplitter_MouseDown(int)
{
    QWidget* picSplitter = w_.picSplitter();
    const QRect h = w_.imgSplitter()->geometry();
    picSplitter->setGeometry(h.x(), h.y(), std::max(1, h.width() / 2), std::max(1, h.height() - px(20)));
    picSplitter->show();
    picSplitter->raise();
    moving_ = true;
}

void PaneLayout::imgSplitter_MouseMove(int X)
{
    if (!moving_)
        return;
    QWidget* picSplitter = w_.picSplitter();
    const int p = twips(w_.imgSplitter()->x()) + X;
    const int width = twips(w_.frameGeometry().width());
    int left = p;
    if (p < kSplitterMin)
        left = kSplitterMin;
    else if (p > width - kSplitterRightMargin)
        left = width - kSplitterRightMargin;
    picSplitter->move(px(left), picSplitter->y());
}

void PaneLayout::imgSplitter_MouseUp(int)
{
    QWidget* picSplitter = w_.picSplitter();
    float x = static_cast<float>(twips(picSplitter->x()));
    if (!picSplitter->isVisible())
        x = static_cast<float>(twips(w_.imgSplitter()->x()));
    ResizeControls(x);
    splitterLeft_ = x;
    picSplitter->hide();
    moving_ = false;
}

} // namespace tovu::mainwindow
