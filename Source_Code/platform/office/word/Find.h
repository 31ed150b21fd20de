#pragma once

#include "platform/office/word/Range.h"

namespace tovu::platform::word {

enum class ReplaceMode : int { None = 0, One = 1, All = 2 };

class Replacement {
public:
    void clearFormatting() {}
    QString text() const { return text_; }
    void setText(const QString& text) { text_ = text; }

private:
    QString text_;
};

// Range.Find: plain-text search and replace over the range (the text of objects such as
// pictures and tables is not searched).
class Find {
public:
    explicit Find(Range range) : range_(std::move(range)) {}

    void clearFormatting();
    QString text() const { return text_; }
    void setText(const QString& text) { text_ = text; }
    void setForward(bool forward) { forward_ = forward; }
    void setWrap(int wrap) { wrap_ = wrap; }
    void setMatchCase(bool on) { matchCase_ = on; }
    void setMatchWholeWord(bool on) { matchWholeWord_ = on; }
    Replacement& replacement() { return replacement_; }

    // Runs the search; with a replace mode, replaces the first or every match. Answers
    // whether anything was found.
    bool execute(ReplaceMode replace = ReplaceMode::None);

private:
    bool matchAt(int pos) const;
    Range range_;
    QString text_;
    Replacement replacement_;
    bool forward_ = true;
    int wrap_ = 0;
    bool matchCase_ = false;
    bool matchWholeWord_ = false;
};

}  // namespace tovu::platform::word
