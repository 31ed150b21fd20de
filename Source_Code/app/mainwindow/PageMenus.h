#pragma once
// The page menus of the memory tree and the one page state they mirror: the tree, the
// status read and the transfers all work on the page chosen here.

namespace tovu::mainwindow {

class frmmain;

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
    // Wires the window's page menu items to the handlers below.
    explicit PageMenus(frmmain& window);
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

    frmmain& w_;
    PageState pages_;
};

} // namespace tovu::mainwindow
