#pragma once

#include "platform/office/word/DocumentModel.h"

#include <QHash>
#include <optional>
#include <utility>

namespace tovu::platform::word {

// Where a document has heading styles: the outline level of each paragraph, read from its
// style (a style of the document's own style part with an outline level, or Word's
// built-in "heading 1" to "heading 9") or from an outline level set on the paragraph.
class HeadingLevels {
public:
    explicit HeadingLevels(const DocumentModel& model);

    // 1 to 9 for a heading, 0 for body text.
    int levelOf(const ParaFormat& format) const;

    // The main-text range [start, end) that \HeadingLevel names for a position: the heading
    // of the paragraph holding it, or else the last heading before it, with everything up
    // to the next heading of the same or a higher level. Nothing when no heading is found.
    std::optional<std::pair<int, int>> headingSpan(int position) const;

private:
    const DocumentModel& model_;
    QHash<QString, int> styleLevels_;  // by style id
};

}  // namespace tovu::platform::word
