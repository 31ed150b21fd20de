#pragma once

#include "platform/office/word/Range.h"

namespace tovu::platform::word {

// The insertion point or selection of a document's main text.
class Selection {
public:
    explicit Selection(StatePtr state) : state_(std::move(state)) {}
    int start() const;
    int end() const;
    void setRange(int start, int end);
    Range range() const;
    // The selected text; of an insertion point, the one character behind it.
    QString text() const;
    // Replaces the selection with text, which is then selected.
    void setText(const QString& text);
    // Deletes the selection; of an insertion point, the character behind it (never the
    // final paragraph mark).
    void deleteText();
    // Replaces the selection with text and leaves the insertion point after it.
    void typeText(const QString& text);
    void typeParagraph();

private:
    StatePtr state_;
};

}  // namespace tovu::platform::word
