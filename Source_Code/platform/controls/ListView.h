#pragma once
// The list view as the document control reads and fills it: ListItems (Count, Item(k),
// Add) whose items have Text, Selected and SubItems(c); ColumnHeaders (Count, Item(k)
// with Text); SetFocus. Items and headers are numbered from 1, sub-items from 1 (column
// c + 1 of the report view).

#include "platform/controls/ControlMembers.h"

#include <memory>
#include <vector>

namespace tovu::platform::controls {

class ListViewItems {
public:
    virtual ~ListViewItems() = default;
    virtual int itemCount() const = 0;
    virtual QString itemText(int item) const = 0;            // item 1..itemCount
    virtual void setItemText(int item, const QString& text) = 0;
    virtual bool itemSelected(int item) const = 0;
    virtual void setItemSelected(int item, bool selected) = 0;
    virtual QString subItem(int item, int sub) const = 0;    // sub 1..columnCount - 1
    virtual void setSubItem(int item, int sub, const QString& text) = 0;
    // Appends an item; returns its number.
    virtual int addItem(const QString& text) = 0;
    virtual int columnCount() const = 0;
    virtual QString columnText(int column) const = 0;        // column 1..columnCount
    // A view whose headings cannot be written raises Property is read-only.
    virtual void setColumnText(int column, const QString& text);
    virtual void setFocus() = 0;
};

DispatchRef listViewDispatch(std::shared_ptr<ListViewItems> view);  // "ListView"

class MemoryListView final : public ListViewItems {
public:
    explicit MemoryListView(std::vector<QString> columns = {});

    int itemCount() const override { return static_cast<int>(items_.size()); }
    QString itemText(int item) const override { return at(item).text; }
    void setItemText(int item, const QString& text) override { at(item).text = text; }
    bool itemSelected(int item) const override { return at(item).selected; }
    void setItemSelected(int item, bool selected) override { at(item).selected = selected; }
    QString subItem(int item, int sub) const override;
    void setSubItem(int item, int sub, const QString& text) override;
    int addItem(const QString& text) override;
    int columnCount() const override { return static_cast<int>(columns_.size()); }
    QString columnText(int column) const override { return columns_.at(static_cast<std::size_t>(column - 1)); }
    void setColumnText(int column, const QString& text) override { columns_.at(static_cast<std::size_t>(column - 1)) = text; }
    void setFocus() override { ++focusCount; }

    int focusCount = 0;

private:
    struct Item {
        QString text;
        bool selected = false;
        std::vector<QString> subItems;
    };
    Item& at(int item) { return items_.at(static_cast<std::size_t>(item - 1)); }
    const Item& at(int item) const { return items_.at(static_cast<std::size_t>(item - 1)); }
    std::vector<QString> columns_;
    std::vector<Item> items_;
};

} // namespace tovu::platform::controls
