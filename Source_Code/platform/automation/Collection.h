#pragma once
// The run-time's Collection: an ordered list of values, numbered from 1, each optionally
// under a text key that is unique without regard to case. Reached by callers by member
// name (Add, Item, Count, Remove; Item is the default member) and typed "Collection".

#include "platform/automation/DispatchTable.h"

#include <QSet>
#include <optional>

namespace tovu::platform::automation {

class Collection : public DispatchTable {
public:
    Collection();
    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;

    // Adds an item, under key when given, at the end or before / after the element named
    // by an index or a key. Duplicate key: 457; both before and after: 5.
    void add(Variant item, const Variant& key = Variant::missing(), const Variant& before = Variant::missing(),
             const Variant& after = Variant::missing());
    // The element at a 1-based index (Subscript out of range otherwise) or under a key
    // (Invalid procedure call when no element has it).
    const Variant& item(const Variant& indexOrKey) const;
    std::int32_t count() const { return static_cast<std::int32_t>(items_.size()); }
    void remove(const Variant& indexOrKey);

private:
    struct Element {
        Variant value;
        QString key;  // empty: none
    };
    std::vector<Element> items_;
    QSet<QString> keys_;  // case-folded, for the duplicate test

    std::size_t positionOf(const Variant& indexOrKey) const;
};

} // namespace tovu::platform::automation
