#pragma once

#include "platform/office/word/Range.h"

namespace tovu::platform::word {

// A paragraph, followed by its paragraph mark: when text is inserted or the paragraph is
// split, the object stays with the paragraph that its mark closes.
class Paragraph {
public:
    Paragraph(StatePtr state, Story* story, int markPosition);

    Range range() const;
    ParagraphFormat format() const;
    Alignment alignment() const;
    void setAlignment(Alignment alignment);
    void setSpaceAfter(double points);
    // Removes the paragraph's own formatting.
    void reset();

private:
    int mark() const;
    StatePtr state_;
    Story* story_;
    std::shared_ptr<Anchor> mark_;
};

// The paragraphs a range touches.
class Paragraphs {
public:
    explicit Paragraphs(Range range) : range_(std::move(range)) {}

    int count() const;
    Paragraph item(int index) const;  // 1-based
    Paragraph first() const { return item(1); }
    Paragraph last() const { return item(count()); }
    // A new, empty paragraph at the end of the range (at the end of the document for the
    // document's content); it takes the formatting of the paragraph it follows.
    Paragraph add();

private:
    std::vector<std::pair<int, int>> spans() const;
    Range range_;
};

}  // namespace tovu::platform::word
