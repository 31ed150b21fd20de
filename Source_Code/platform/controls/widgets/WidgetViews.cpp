#include "platform/controls/widgets/WidgetViews.h"

#include "platform/controls/widgets/WidgetControls.h"

#include <QAbstractItemModel>
#include <QPointer>
#include <QTreeWidget>

namespace tovu::platform::controls {

namespace {

class TreeListView final : public ListViewItems {
public:
    explicit TreeListView(QTreeWidget* w) : w_(w) {}
    int itemCount() const override { return aliveWidget(w_)->topLevelItemCount(); }
    QString itemText(int k) const override { return item(k)->text(0); }
    void setItemText(int k, const QString& t) override { item(k)->setText(0, t); }
    bool itemSelected(int k) const override { return item(k)->isSelected(); }
    void setItemSelected(int k, bool s) override { item(k)->setSelected(s); }
    QString subItem(int k, int sub) const override { return item(k)->text(sub); }
    void setSubItem(int k, int sub, const QString& t) override { item(k)->setText(sub, t); }
    int addItem(const QString& text) override
    {
        auto* added = new QTreeWidgetItem(aliveWidget(w_), QStringList{text});
        Q_UNUSED(added);
        return itemCount();
    }
    int columnCount() const override { return aliveWidget(w_)->columnCount(); }
    QString columnText(int c) const override { return aliveWidget(w_)->headerItem()->text(c - 1); }
    void setColumnText(int c, const QString& t) override { aliveWidget(w_)->headerItem()->setText(c - 1, t); }
    void setFocus() override { aliveWidget(w_)->setFocus(); }

private:
    QTreeWidgetItem* item(int k) const { return aliveWidget(w_)->topLevelItem(k - 1); }
    QPointer<QTreeWidget> w_;
};

class TreeWidgetNodes final : public TreeNodes {
public:
    explicit TreeWidgetNodes(QTreeWidget* w) : w_(w)
    {
        for (int i = 0; i < w->topLevelItemCount(); ++i)
            number(w->topLevelItem(i));
    }
    int nodeCount() const override { alive(); return static_cast<int>(nodes_.size()); }
    QString nodeText(int n) const override { return node(n)->text(0); }
    void setNodeText(int n, const QString& t) override { node(n)->setText(0, t); }
    int parentOf(int n) const override
    {
        QTreeWidgetItem* parent = node(n)->parent();
        for (std::size_t i = 0; parent && i < nodes_.size(); ++i)
            if (nodes_[i] == parent)
                return static_cast<int>(i) + 1;
        return 0;
    }
    int addNode(int parent, const QString& text) override
    {
        QTreeWidgetItem* item = parent ? new QTreeWidgetItem(node(parent), QStringList{text})
                                       : new QTreeWidgetItem(aliveWidget(w_), QStringList{text});
        nodes_.push_back(item);
        return static_cast<int>(nodes_.size());
    }
    void ensureVisible(int n) override { aliveWidget(w_)->scrollToItem(node(n)); }
    bool isExpanded(int n) const override { return node(n)->isExpanded(); }
    void setExpanded(int n, bool expanded) override { node(n)->setExpanded(expanded); }
    int selectedNode() const override
    {
        QTreeWidgetItem* current = aliveWidget(w_)->currentItem();
        for (std::size_t i = 0; current && i < nodes_.size(); ++i)
            if (nodes_[i] == current)
                return static_cast<int>(i) + 1;
        return 0;
    }
    void selectNode(int n) override { aliveWidget(w_)->setCurrentItem(n ? node(n) : nullptr); }

private:
    void alive() const { aliveWidget(w_); }
    QTreeWidgetItem* node(int n) const
    {
        alive();
        return nodes_.at(static_cast<std::size_t>(n - 1));
    }
    void number(QTreeWidgetItem* item)
    {
        nodes_.push_back(item);
        for (int i = 0; i < item->childCount(); ++i)
            number(item->child(i));
    }
    QPointer<QTreeWidget> w_;
    std::vector<QTreeWidgetItem*> nodes_;  // owned by the tree
};

class ModelDataGrid final : public DataGridSource {
public:
    ModelDataGrid(QAbstractItemModel* m, int visibleRows) : m_(m), visible_(visibleRows) {}
    int columnCount() const override { return aliveWidget(m_)->columnCount(); }
    QString columnCaption(int c) const override { return aliveWidget(m_)->headerData(c, Qt::Horizontal).toString(); }
    int recordCount() const override { return aliveWidget(m_)->rowCount(); }
    QString cell(int r, int c) const override { return aliveWidget(m_)->index(r, c).data().toString(); }
    void setCell(int r, int c, const QString& t) override
    {
        if (!aliveWidget(m_)->setData(m_->index(r, c), t))
            raiseReadOnly(QStringLiteral("DataGrid"));
    }
    int visibleRows() const override { return visible_; }

private:
    QPointer<QAbstractItemModel> m_;
    int visible_;
};

} // namespace

std::shared_ptr<ListViewItems> listViewOf(QTreeWidget* tree) { return std::make_shared<TreeListView>(tree); }
std::shared_ptr<TreeNodes> treeNodesOf(QTreeWidget* tree) { return std::make_shared<TreeWidgetNodes>(tree); }
std::shared_ptr<DataGridSource> dataGridOf(QAbstractItemModel* model, int visibleRows)
{
    return std::make_shared<ModelDataGrid>(model, visibleRows);
}

DispatchRef listViewDispatch(QTreeWidget* tree) { return listViewDispatch(listViewOf(tree)); }
DispatchRef treeViewDispatch(QTreeWidget* tree) { return treeViewDispatch(treeNodesOf(tree)); }

} // namespace tovu::platform::controls
