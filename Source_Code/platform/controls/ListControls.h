#pragma once
// List-type host controls: the list box (List, ListCount, Selected, SelCount, ListIndex,
// Text, AddItem, Clear) and the combo box (the same without a selection of several
// entries; Text is the edit field). Entries are numbered from 0.

#include "platform/controls/ControlMembers.h"

#include <memory>
#include <vector>

namespace tovu::platform::controls {

class ListEntries {
public:
    virtual ~ListEntries() = default;
    virtual int count() const = 0;
    virtual QString item(int index) const = 0;
    virtual void setItem(int index, const QString& text) = 0;
    virtual bool selected(int index) const = 0;
    virtual void setSelected(int index, bool selected) = 0;
    // The current entry, -1 when none.
    virtual int current() const = 0;
    virtual void setCurrent(int index) = 0;
    // Inserts before index; index == count() appends.
    virtual void insert(int index, const QString& text) = 0;
    virtual void clear() = 0;
    // A combo box's edit text; a list box's current entry.
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

DispatchRef listBoxDispatch(std::shared_ptr<ListEntries> list);   // "ListBox"
DispatchRef comboBoxDispatch(std::shared_ptr<ListEntries> combo); // "ComboBox"

// Entries in memory. A list box's Text is its current entry; a combo box keeps its own
// edit text (comboText true).
class MemoryList final : public ListEntries {
public:
    explicit MemoryList(std::vector<QString> entries = {}, bool comboText = false);

    int count() const override { return static_cast<int>(entries_.size()); }
    QString item(int index) const override { return entries_.at(static_cast<std::size_t>(index)).text; }
    void setItem(int index, const QString& text) override { entries_.at(static_cast<std::size_t>(index)).text = text; }
    bool selected(int index) const override { return entries_.at(static_cast<std::size_t>(index)).selected; }
    void setSelected(int index, bool selected) override;
    int current() const override { return current_; }
    void setCurrent(int index) override;
    void insert(int index, const QString& text) override;
    void clear() override;
    QString text() const override;
    void setText(const QString& text) override;

private:
    struct Entry {
        QString text;
        bool selected = false;
    };
    std::vector<Entry> entries_;
    int current_ = -1;
    bool comboText_;
    QString editText_;
};

} // namespace tovu::platform::controls
