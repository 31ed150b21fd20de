#pragma once

#include "platform/office/word/Range.h"

namespace tovu::platform::word {

// The document's bookmarks. Besides the user's own, the predefined names resolve:
// "\StartOfDoc", "\EndOfDoc", "\Doc", "\Section", "\Sel", "\StartOfSel", "\EndOfSel",
// "\Char", "\Para", "\Line" and "\Page" (the last two from the page layout). A document
// without headings has no "\HeadingLevel"; asking for it fails.
class Bookmarks {
public:
    explicit Bookmarks(StatePtr state) : state_(std::move(state)) {}

    int count() const;  // the user's bookmarks
    bool exists(const QString& name) const;
    Range range(const QString& name) const;
    // Adds or moves a user bookmark (names start with a letter; letters, digits, '_').
    void add(const QString& name, const Range& range);
    void remove(const QString& name);
    QStringList names() const;

    static bool isPredefined(const QString& name);

private:
    StatePtr state_;
};

}  // namespace tovu::platform::word
