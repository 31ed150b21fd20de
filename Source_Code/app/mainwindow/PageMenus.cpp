// The page menus of the memory tree. One page state (PageState) serves the tree, the
// status read and the transfers; the menus only mirror it.
#include "app/mainwindow/frmmain.h"

namespace tovu::mainwindow {

void frmmain::showPageChecks()
{
    for (int i = 1; i <= kPanelPages; ++i)
        menus_.mnuPanelMem[static_cast<std::size_t>(i)]->setChecked(i == pages_.panelPage);
    for (int i = 1; i <= kALogPages; ++i)
        menus_.mnuAlogMem[static_cast<std::size_t>(i)]->setChecked(i == pages_.alogBank + 1);
    // The thousands menus: group g, item i is bank (g - 1) * 10 + i - 1.
    for (int g = 1; g <= kThousandGroups; ++g)
        for (int i = 1; i <= kPagesPerGroup; ++i)
            menus_.thousandPages[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)]->setChecked(
                (g - 1) * kPagesPerGroup + i - 1 == pages_.alogBank);
}

void frmmain::mnuPanelMem_Click(int Index)
{
    pages_.panelPage = Index;
    showPageChecks();
    const int first = (Index - 1) * kPanelsPerPage;
    for (int p = kFirstPanelNode; p < kALogsNode; ++p)
        tree_->setCaption(p, ctx_.language.GetResString(ids::PanelItem) + u' ' + QString::number(first + p - kPanelsNode));
    RE_DRAW_TICKS_ON_PANEL(QString::number(Index - 1), QString());
}

void frmmain::relabelALogPage(int bank)
{
    pages_.alogBank = bank;
    showPageChecks();
    const int first = bank * kALogsPerPage;
    for (int p = kFirstALogNode; p < kTreeNodes; ++p)
        tree_->setCaption(p, ctx_.language.GetResString(ids::ALogItem) + u' ' + QString::number(first + p - kALogsNode));
    RE_DRAW_TICKS_ON_PANEL(QString(), QString::number(bank));
}

void frmmain::mnuAlogMem_Click(int Index)
{
    relabelALogPage(Index - 1);
}

void frmmain::thousandsPage_Click(int group, int Index)
{
    relabelALogPage((group - 1) * kPagesPerGroup + Index - 1);
}

} // namespace tovu::mainwindow
