#pragma once

#include "platform/office/word/Range.h"

namespace tovu::platform::word {

struct HyperlinkInfo {
    QString address;
    QString subAddress;
    QString text;
};

// The hyperlinks of the document's main text.
class Hyperlinks {
public:
    explicit Hyperlinks(StatePtr state) : state_(std::move(state)) {}

    int count() const;
    HyperlinkInfo item(int index) const;  // 1-based, in text order
    // Makes the anchor's text a link to address. A collapsed anchor, or a text to
    // display, puts that text (or the address) in at the anchor.
    HyperlinkInfo add(Range anchor, const QString& address, const QString& subAddress = {},
                      const QString& textToDisplay = {});

private:
    std::vector<std::pair<int, int>> spans() const;
    StatePtr state_;
};

}  // namespace tovu::platform::word
