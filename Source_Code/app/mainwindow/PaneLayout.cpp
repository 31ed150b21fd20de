// The layout of the panes around the splitter position, in twips (15 to a pixel), and
// the splitter drag.
#include "app/mainwindow/frmmain.h"

#include "app/mainwindow/SplitterHandle.h"

#include <QGroupBox>
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

void frmmain::ResizeControls(float& position)
{
    if (position < kMinimumSplitter)
        position = kMinimumSplitter;
    const double X = position;
    const double W = twips(frameGeometry().width());
    const double H = twips(frameGeometry().height());
    const double S = twips(centralWidget()->height());

    const double treeWidth = X - 160;
    const double listLeft = X + 100;
    const double tabWidth = W / 2 - 360;
    const double listWidth = W / 2 - (treeWidth + 240 + 480);
    const double tabLeft = W / 2 + 120;
    double treeHeight = S - 1000;
    if (exportFrame_->isVisible() && WordAvailable) {
        treeHeight = S - 2700;
        place(exportFrame_, kTreeLeft, kTop + treeHeight + 240, listLeft + listWidth - kTreeLeft, 1600);
    } else {
        exportFrame_->hide();
    }
    const double pictureHeight = H / 2 - 1480;
    const double tabTop = kTop + pictureHeight + 120;
    const double tabHeight = S - pictureHeight - 1000;

    place(tree_, kTreeLeft, kTop, treeWidth, treeHeight);
    place(imgSplitter_, X, kTop, 100, treeHeight);
    place(list_, listLeft, kTop, listWidth, treeHeight);
    place(notes_, tabLeft, tabTop, tabWidth, tabHeight);
    place(picture_, tabLeft, kTop, tabWidth, pictureHeight);
    // The grid and the memo fill their tab pages, so their sizes follow the tab's.
    for (int i = 0; i < 2; ++i)
        place(moveOrder_[static_cast<std::size_t>(i)], listLeft + listWidth + 50, kMoveButtonTop[i], kMoveButtonSize,
              kMoveButtonSize);
    list_->viewport()->update();
    picture_->update();
    try {
        ctx_.display.DrawAScan(miPictureItem);
    } catch (...) {
    }
}

void frmmain::Form_Resize()
{
    if (isMinimized())
        return;
    float x = splitterLeft;
    ResizeControls(x);
    splitterLeft = x;
}

void frmmain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmmain::imgSplitter_MouseDown(int)
{
    const QRect h = imgSplitter_->geometry();
    picSplitter_->setGeometry(h.x(), h.y(), std::max(1, h.width() / 2), std::max(1, h.height() - px(20)));
    picSplitter_->show();
    picSplitter_->raise();
    mbMoving = true;
}

void frmmain::imgSplitter_MouseMove(int X)
{
    if (!mbMoving)
        return;
    const int p = twips(imgSplitter_->x()) + X;
    const int width = twips(frameGeometry().width());
    int left = p;
    if (p < kSplitterMin)
        left = kSplitterMin;
    else if (p > width - kSplitterRightMargin)
        left = width - kSplitterRightMargin;
    picSplitter_->move(px(left), picSplitter_->y());
}

void frmmain::imgSplitter_MouseUp(int)
{
    float x = static_cast<float>(twips(picSplitter_->x()));
    if (!picSplitter_->isVisible())
        x = static_cast<float>(twips(imgSplitter_->x()));
    ResizeControls(x);
    splitterLeft = x;
    picSplitter_->hide();
    mbMoving = false;
}

} // namespace tovu::mainwindow
