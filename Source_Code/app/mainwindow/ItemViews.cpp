#include "app/mainwindow/ItemViews.h"

#include "app/resources/StringIds.h"

namespace tovu::mainwindow {

namespace ids = resources::ids;

bool ItemViews::alogsShown() const
{
    return !menus_.action(QStringLiteral("mnuViewPanels"))->isChecked();
}

void ItemViews::FillItemList()
{
    const bool panels = !alogsShown();
    const int n = panels ? ctx_.store.MaxPanels : ctx_.store.MaxALogs;
    model_.fill(panels ? ListKind::Panels : ListKind::ALogs, n, ctx_.language.GetResString(panels ? ids::PanelItem : ids::ALogItem));
}

// Shows one kind: checks its view item, copies its records into WorkItems, refills the
// list; the ALog exports are offered only while ALogs are shown.
void ItemViews::showKind(ListKind kind)
{
    const bool panels = kind == ListKind::Panels;
    menus_.action(QStringLiteral("mnuViewALogs"))->setChecked(!panels);
    menus_.action(QStringLiteral("mnuViewPanels"))->setChecked(panels);
    items::ItemStore& s = ctx_.store;
    const std::vector<items::DFDRecord>& source = panels ? s.Panels : s.ALogs;
    const int n = panels ? s.MaxPanels : s.MaxALogs;
    for (int k = 1; k <= n; ++k)
        s.WorkItems.at(static_cast<std::size_t>(k)) = source.at(static_cast<std::size_t>(k));
    FillItemList();
    menus_.action(QStringLiteral("mnuExport"))->setEnabled(!panels);
    refreshShownItem_();
}

void ItemViews::mnuViewALogs_Click()
{
    showKind(ListKind::ALogs);
}

void ItemViews::mnuViewPanels_Click()
{
    showKind(ListKind::Panels);
}

void ItemViews::mnuLargeIcons_Click()
{
    list_.setViewMode(QListView::IconMode);
    list_.setIconSize(QSize(32, 32));
    list_.setWrapping(true);
}

void ItemViews::mnuSmallIcons_Click()
{
    list_.setViewMode(QListView::ListMode);
    list_.setIconSize(QSize(16, 16));
    list_.setFlow(QListView::LeftToRight);
    list_.setWrapping(true);
}

void ItemViews::mnuList_Click()
{
    list_.setViewMode(QListView::ListMode);
    list_.setIconSize(QSize(16, 16));
    list_.setFlow(QListView::TopToBottom);
    list_.setWrapping(true);
}

void ItemViews::mnuSuperimpose_Click()
{
    QAction* item = menus_.action(QStringLiteral("mnuSuperimpose"));
    const bool checked = !item->isChecked();
    item->setChecked(checked);
    superimposeButton_.setChecked(checked);
    ascanMenus_.setSuperimposeChecked(checked);
}

} // namespace tovu::mainwindow
