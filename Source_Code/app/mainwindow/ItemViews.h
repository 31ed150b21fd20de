#pragma once
// The item list's views: the kind shown (panels or ALogs, copied into the working records),
// the list filled from them, its icon and list styles, and superimposition.

#include "app/display/AScanMenuController.h"
#include "app/mainwindow/ItemListModel.h"
#include "app/mainwindow/MainContext.h"
#include "app/mainwindow/MainMenus.h"

#include <QAction>
#include <QListView>
#include <functional>

namespace tovu::mainwindow {

class ItemViews {
public:
    // refreshShownItem: the shown item follows the kind shown (the item commands').
    ItemViews(MainContext& ctx, MainMenus& menus, QListView& list, ItemListModel& model, QAction& superimposeButton,
              display::AScanMenuController& ascanMenus, std::function<void()> refreshShownItem)
        : ctx_(ctx), menus_(menus), list_(list), model_(model), superimposeButton_(superimposeButton),
          ascanMenus_(ascanMenus), refreshShownItem_(std::move(refreshShownItem))
    {
    }

    bool alogsShown() const;
    void FillItemList();
    void mnuViewALogs_Click();
    void mnuViewPanels_Click();
    void mnuLargeIcons_Click();
    void mnuSmallIcons_Click();
    void mnuList_Click();
    void mnuSuperimpose_Click();

private:
    void showKind(ListKind kind);

    MainContext& ctx_;
    MainMenus& menus_;
    QListView& list_;
    ItemListModel& model_;
    QAction& superimposeButton_;
    display::AScanMenuController& ascanMenus_;
    std::function<void()> refreshShownItem_;
};

} // namespace tovu::mainwindow
