#pragma once

#include "platform/office/word/PageSetup.h"
#include "platform/office/word/Range.h"

namespace tovu::platform::word {

// Page numbers of a header or footer: a frame holding the PAGE field.
class PageNumbers {
public:
    PageNumbers(StatePtr state, bool header, HeaderFooterIndex index)
        : state_(std::move(state)), header_(header), index_(index) {}
    // A value outside 0 to 4 throws. Without firstPage the first page shows no number
    // (the section gets a first-page header and footer of its own).
    void add(PageNumberAlignment alignment = PageNumberAlignment::Right, bool firstPage = true);
    int count() const;

private:
    StatePtr state_;
    bool header_;
    HeaderFooterIndex index_;
};

class HeaderFooter {
public:
    HeaderFooter(StatePtr state, bool header, HeaderFooterIndex index)
        : state_(std::move(state)), header_(header), index_(index) {}
    Range range() const;
    PageNumbers pageNumbers() const { return PageNumbers(state_, header_, index_); }
    bool exists() const;

private:
    HeaderFooterModel& get() const;
    StatePtr state_;
    bool header_;
    HeaderFooterIndex index_;
};

class Section {
public:
    explicit Section(StatePtr state) : state_(std::move(state)) {}
    int index() const { return 1; }
    Range range() const;
    PageSetup pageSetup() const { return PageSetup(state_); }
    HeaderFooter headers(HeaderFooterIndex index = HeaderFooterIndex::Primary) const;
    HeaderFooter footers(HeaderFooterIndex index = HeaderFooterIndex::Primary) const;
    HeaderFooter headers(int index) const;
    HeaderFooter footers(int index) const;

private:
    StatePtr state_;
};

// The document's sections: this model keeps one.
class Sections {
public:
    explicit Sections(StatePtr state) : state_(std::move(state)) {}
    int count() const;
    Section item(int index) const;
    Section first() const { return item(1); }
    Section last() const { return item(count()); }

private:
    StatePtr state_;
};

}  // namespace tovu::platform::word
