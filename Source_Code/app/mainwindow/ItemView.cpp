// The item list: filling it from WorkItems, the view kind and style, superimposition.
#include "app/mainwindow/frmmain.h"
#include "app/mainwindow/ItemCommands.h"

#include <QToolBar>

namespace tovu::mainwindow {

namespace {
constexpr int kSuperimposeButton = 12;
}

bool frmmain::alogsShown() const
{
    return !action(QStringLiteral("mnuViewPanels"))->isChecked();
}

void frmmain::FillItemList()
{
    const bool panels = !alogsShown();
    const int n = panels ? ctx_.store.MaxPanels : ctx_.store.MaxALogs;
    listModel_->fill(panels ? ListKind::Panels : ListKind::ALogs, n, ctx_.language.GetResString(panels ? ids::PanelItem : ids::ALogItem));
}

// Shows one kind: checks its view item, copies its records into WorkItems, refills the
// list; the ALog exports are offered only while ALogs are shown.
void frmmain::showKind(ListKind kind)
{
    const bool panels = kind == ListKind::Panels;
    action(QStringLiteral("mnuViewALogs"))->setChecked(!panels);
    action(QStringLiteral("mnuViewPanels"))->setChecked(panels);
    items::ItemStore& s = ctx_.store;
    const std::vector<items::DFDRecord>& source = panels ? s.Panels : s.ALogs;
    const int n = panels ? s.MaxPanels : s.MaxALogs;
    for (int k = 1; k <= n; ++k)
        s.WorkItems.at(static_cast<std::size_t>(k)) = source.at(static_cast<std::size_t>(k));
    FillItemList();
    action(QStringLiteral("mnuExport"))->setEnabled(!panels);
    items_->refreshShownItem();
}

void frmmain::mnuViewALogs_Click()
{
    showKind(ListKind::ALogs);
}

void frmmain::mnuViewPanels_Click()
{
    showKind(ListKind::Panels);
}

void frmmain::mnuLargeIcons_Click()
{
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(32, 32));
    list_->setWrapping(true);
}

void frmmain::mnuSmallIcons_Click()
{
    list_->setViewMode(QListView::ListMode);
    list_->setIconSize(QSize(16, 16));
    list_->setFlow(QListView::LeftToRight);
    list_->setWrapping(true);
}

void frmmain::mnuList_Click()
{
    list_->setViewMode(QListView::ListMode);
    list_->setIconSize(QSize(16, 16));
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
}

void frmmain::mnuSuperimpose_Click()
{
    QAction* item = action(QStringLiteral("mnuSuperimpose"));
    const bool checked = !item->isChecked();
    item->setChecked(checked);
    toolbarButton(kSuperimposeButton)->setChecked(checked);
    ascanMenus_->setSuperimposeChecked(checked);
}

} // namespace tovu::mainwindow
