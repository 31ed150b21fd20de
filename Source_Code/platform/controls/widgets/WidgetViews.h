#pragma once
// The item views among the host controls over Qt widgets: a tree widget with one level
// as a list view (its header labels are the column headers), a tree widget as a tree
// view, and an item model as a data grid (its horizontal header gives the captions).

#include "platform/controls/DataGrid.h"
#include "platform/controls/ListView.h"
#include "platform/controls/TreeView.h"

class QAbstractItemModel;
class QTreeWidget;
class QTableView;

namespace tovu::platform::controls {

std::shared_ptr<ListViewItems> listViewOf(QTreeWidget* tree);
// Nodes already in the tree are numbered in pre-order; nodes added later after them.
std::shared_ptr<TreeNodes> treeNodesOf(QTreeWidget* tree);
// The grid shows visibleRows records at a time.
std::shared_ptr<DataGridSource> dataGridOf(QAbstractItemModel* model, int visibleRows);

DispatchRef listViewDispatch(QTreeWidget* tree);
DispatchRef treeViewDispatch(QTreeWidget* tree);

} // namespace tovu::platform::controls
