// Compacting the PC's records, moving one record up or down the list, and emptying the
// shown list. All three change items held on the PC, so they set the modified mark.
#include "app/mainwindow/frmmain.h"

#include <QItemSelectionModel>

namespace tovu::mainwindow {

namespace {

// Items to the front in their order, numbered 1..n; true when any record moved.
bool compact(std::vector<items::DFDRecord>& records, int count)
{
    std::vector<items::DFDRecord> work(static_cast<std::size_t>(count) + 1);
    int k = 1;
    for (int i = 1; i <= count; ++i) {
        const items::DFDRecord& r = records.at(static_cast<std::size_t>(i));
        if (!r.InUse)
            continue;
        items::DFDRecord& moved = work[static_cast<std::size_t>(k)];
        moved = r;
        moved.editSettings().SlotText = QString::number(k);
        moved.InUse = true;
        ++k;
    }
    bool changed = false;
    for (int j = 1; j <= count; ++j) {
        items::DFDRecord& target = records.at(static_cast<std::size_t>(j));
        if (!(target == work[static_cast<std::size_t>(j)])) {
            target = std::move(work[static_cast<std::size_t>(j)]);
            changed = true;
        }
    }
    return changed;
}

} // namespace

void frmmain::mnuCompactMem_Click()
{
    items::ItemStore& s = ctx_.store;
    const bool panels = compact(s.Panels, s.MaxPanels);
    const bool alogs = compact(s.ALogs, s.MaxALogs);
    mnuViewPanels_Click();
    if (panels || alogs)
        setModified(true);
}

void frmmain::cmdMoveOrder_Click(int Index)
{
    const std::optional<int> selected = selectedItemIndex();
    if (!selected)
        return;
    const bool alogs = alogsShown();
    items::ItemStore& store = ctx_.store;
    std::vector<items::DFDRecord>& records = alogs ? store.ALogs : store.Panels;
    const int n = alogs ? store.MaxALogs : store.MaxPanels;
    const int s = *selected;
    if (s < 1 || s > n)
        return;
    int d = Index == 0 ? s - 1 : s + 1;
    if (d < 1 || d > n)
        d = s;
    std::swap(records.at(static_cast<std::size_t>(s)), records.at(static_cast<std::size_t>(d)));
    records[static_cast<std::size_t>(s)].editSettings().SlotText = QString::number(s);
    records[static_cast<std::size_t>(d)].editSettings().SlotText = QString::number(d);
    if (alogs)
        mnuViewALogs_Click();
    else
        mnuViewPanels_Click();
    list_->selectionModel()->select(listModel_->index(d - 1), QItemSelectionModel::ClearAndSelect);
    list_->setCurrentIndex(listModel_->index(d - 1));
    setModified(true);
}

// Empties the records of the shown kind, on the PC only; the user confirms first.
void frmmain::Recycle_Bin_Empty()
{
    const bool alogs = alogsShown();
    const QString kind = ctx_.language.GetResString(alogs ? ids::ALogsNode : ids::PanelsNode);
    if (ctx_.ui.askYesNo(ctx_.language.GetResString(ids::RecycleQuestion).arg(kind.trimmed()),
                         ctx_.language.GetResString(ids::ProgramTitle), MessageIcon::Question) != Answer::Yes)
        return;
    items::ItemStore& store = ctx_.store;
    std::vector<items::DFDRecord>& records = alogs ? store.ALogs : store.Panels;
    const int n = alogs ? store.MaxALogs : store.MaxPanels;
    bool changed = false;
    for (int i = 1; i <= n; ++i) {
        changed = changed || records.at(static_cast<std::size_t>(i)).InUse;
        records[static_cast<std::size_t>(i)] = items::DFDRecord();
        store.WorkItems.at(static_cast<std::size_t>(i)) = items::DFDRecord();
    }
    FillItemList();
    if (changed)
        setModified(true);
}

} // namespace tovu::mainwindow
