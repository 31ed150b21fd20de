#pragma once
// The page menus of the memory tree and the one page state they mirror: the tree, the
// status read and the transfers all work on the page chosen here.

#include "app/items/StringSource.h"
#include "app/mainwindow/MainMenus.h"
#include "app/mainwindow/MemoryTree.h"

#include <QString>
#include <functional>

namespace tovu::mainwindow {

// The panel page (1..5, 20 slots each) and the ALog bank (0-based, 100 slots each: 0..7 on
// an 800-ALog instrument, 0..99 on a 10000-ALog one).
struct PageState {
    int panelPage = 1;
    int alogBank = 0;
    int firstPanelSlot() const { return (panelPage - 1) * 20 + 1; }
    int firstALogSlot() const { return alogBank * 100 + 1; }
};

class PageMenus {
public:
    // Redraws the slot ticks of a page chosen here: the panel page or the ALog bank given
    // (0-based, as text), the other empty. The window gives it the status display's drawing.
    using RedrawTicks = std::function<void(const QString& panelPage, const QString& alogBank)>;

    // Runs a handler through the window's busy guard whenever the item is triggered.
    using ConnectCommand = std::function<void(QAction* item, std::function<void()> handler)>;

    // Wires the page menu items to the handlers below; captions come from language.
    PageMenus(MainMenus& menus, MemoryTree& tree, const items::StringSource& language, const ConnectCommand& connect,
              RedrawTicks redrawTicks);
    PageMenus(const PageMenus&) = delete;
    PageMenus& operator=(const PageMenus&) = delete;

    const PageState& pages() const { return pages_; }

    void mnuPanelMem_Click(int Index);
    void mnuAlogMem_Click(int Index);
    void mnuAlogMem_I_Click(int Index) { thousandsPage_Click(1, Index); }
    // Group 2..10: mnuAlogMem_1000_Click ... mnuAlogMem_9000_Click.
    void thousandsPage_Click(int group, int Index);
    // The slot captions of the pages in work in the language now loaded; the slots keep
    // their marks.
    void relabelPages();

private:
    void showPageChecks();
    void relabelALogPage(int bank);
    void captionPage(bool panels);

    MainMenus& menus_;
    MemoryTree& tree_;
    const items::StringSource& language_;
    RedrawTicks redrawTicks_;
    PageState pages_;
};

} // namespace tovu::mainwindow
