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

void PageMenus::showFirstPages()
{
    pages_ = PageState{};
    showPageChecks();
}

void PageMenus::mnuPanelMem_Click(int Index)
{
    pages_.panelPage = Index;
    showPageChecks();
    const int first = (Index - 1) * kPanelsPerPage;
    MemoryTree& tree = tree_;
    const QString caption = language_.GetResString(ids::PanelItem);
    for (int p = kFirstPanelNode; p < kALogsNode; ++p)
        tree.setCaption(p, caption + u' ' + QString::number(first + p - kPanelsNode));
    redrawTicks_(QString::number(Index - 1), QString());
}

void PageMenus::relabelALogPage(int bank)
{
    pages_.alogBank = bank;
    showPageChecks();
    const int first = bank * kALogsPerPage;
    MemoryTree& tree = tree_;
    const QString caption = language_.GetResString(ids::ALogItem);
    for (int p = kFirstALogNode; p < kTreeNodes; ++p)
        tree.setCaption(p, caption + u' ' + QString::number(first + p - kALogsNode));
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
