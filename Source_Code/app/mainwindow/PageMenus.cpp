// The page menus of the memory tree. One page state (PageState) serves the tree, the
// status read and the transfers; the menus only mirror it.
#include "app/mainwindow/PageMenus.h"

#include "app/resources/StringIds.h"

namespace tovu::mainwindow {

namespace ids = resources::ids;

PageMenus::PageMenus(MainMenus& menus, MemoryTree& tree, const items::StringSource& language, const ConnectCommand& connect,
                     RedrawTicks redrawTicks)
    : menus_(menus), tree_(tree), language_(language), redrawTicks_(std::move(redrawTicks))
{
    MainMenus& m = menus_;
    for (int i = 1; i <= kPanelPages; ++i)
        connect(m.mnuPanelMem[static_cast<std::size_t>(i)], [this, i] { mnuPanelMem_Click(i); });
    for (int i = 1; i <= kALogPages; ++i)
        connect(m.mnuAlogMem[static_cast<std::size_t>(i)], [this, i] { mnuAlogMem_Click(i); });
    for (int g = 1; g <= kThousandGroups; ++g)
        for (int i = 1; i <= kPagesPerGroup; ++i)
            connect(m.thousandPages[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)],
                              [this, g, i] { thousandsPage_Click(g, i); });
    // The first page of each page menu starts checked.
    showPageChecks();
}

void PageMenus::showPageChecks()
{
    MainMenus& m = menus_;
    for (int i = 1; i <= kPanelPages; ++i)
        m.mnuPanelMem[static_cast<std::size_t>(i)]->setChecked(i == pages_.panelPage);
    for (int i = 1; i <= kALogPages; ++i)
        m.mnuAlogMem[static_cast<std::size_t>(i)]->setChecked(i == pages_.alogBank + 1);
    // The thousands menus: group g, item i is bank (g - 1) * 10 + i - 1.
    for (int g = 1; g <= kThousandGroups; ++g)
        for (int i = 1; i <= kPagesPerGroup; ++i)
            m.thousandPages[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)]->setChecked(
                (g - 1) * kPagesPerGroup + i - 1 == pages_.alogBank);
}

// The slot nodes of one kind captioned with the slots of the page in work.
void PageMenus::captionPage(bool panels)
{
    const int first = panels ? pages_.firstPanelSlot() : pages_.firstALogSlot();
    const int firstNode = panels ? kFirstPanelNode : kFirstALogNode;
    const int endNode = panels ? kALogsNode : kTreeNodes;
    const QString caption = language_.GetResString(panels ? ids::PanelItem : ids::ALogItem);
    for (int p = firstNode; p < endNode; ++p)
        tree_.setCaption(p, caption + u' ' + QString::number(first + p - firstNode));
}

void PageMenus::relabelPages()
{
    captionPage(true);
    captionPage(false);
}

void PageMenus::mnuPanelMem_Click(int Index)
{
    pages_.panelPage = Index;
    showPageChecks();
    captionPage(true);
    redrawTicks_(QString::number(Index - 1), QString());
}

void PageMenus::relabelALogPage(int bank)
{
    pages_.alogBank = bank;
    showPageChecks();
    captionPage(false);
    redrawTicks_(QString(), QString::number(bank));
}

void PageMenus::mnuAlogMem_Click(int Index)
{
    relabelALogPage(Index - 1);
}

void PageMenus::thousandsPage_Click(int group, int Index)
{
    relabelALogPage((group - 1) * kPagesPerGroup + Index - 1);
}

} // namespace tovu::mainwindow
