#pragma once
// The scripting run-time's Dictionary: values under unique keys, kept in the order they
// were added. Keys are any value but arrays; numbers are the same key whatever their kind
// (1 as Integer, Long or Double), texts are compared exactly or, with CompareMode 1,
// without regard to case, objects by identity. Reached by callers by member name (Add,
// Item, Key, Exists, Keys, Items, Count, Remove, RemoveAll, CompareMode; Item is the
// default member) and typed "Dictionary".

#include "platform/automation/DispatchTable.h"
#include "platform/automation/SafeArray.h"

#include <QHash>

namespace tovu::platform::automation {

class Dictionary : public DispatchTable {
public:
    enum CompareMode : std::int32_t { BinaryCompare = 0, TextCompare = 1 };

    Dictionary();
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    // Duplicate key: 457.
    void add(const Variant& key, Variant item);
    bool exists(const Variant& key) const;
    // Reading a key that is not there adds it with an Empty item, as the run-time does.
    Variant item(const Variant& key);
    void setItem(const Variant& key, Variant item);
    // Renames a key; "Element not found" when it is not there, 457 when the new one is.
    void renameKey(const Variant& key, const Variant& newKey);
    // Element not found (32811) when the key is not there.
    void remove(const Variant& key);
    void removeAll();
    std::int32_t count() const { return static_cast<std::int32_t>(entries_.size()); }
    // Arrays from 0 to Count - 1, in the order of adding.
    SafeArray keys() const;
    SafeArray items() const;
    // May change only while the dictionary is empty (Invalid procedure call otherwise).
    void setCompareMode(std::int32_t mode);
    std::int32_t compareMode() const { return compareMode_; }

private:
    struct Entry {
        Variant key;
        Variant item;
    };
    std::vector<Entry> entries_;
    QHash<QString, std::size_t> index_;  // identity of a key -> its entry
    std::int32_t compareMode_ = BinaryCompare;

    QString identityOf(const Variant& key) const;
    void reindexFrom(std::size_t first);
};

} // namespace tovu::platform::automation
