#pragma once

#include "platform/office/word/DocumentModel.h"

#include <QHash>
#include <optional>
#include <utility>

namespace tovu::platform::word {

// Where a document has heading styles: the outline level of each paragraph, set on the
// paragraph itself or read from its style in the styles part of the file: the style's
// outline level, else its built-in name "heading 1" to "heading 9" whatever its id, else
// its base style's level. A style id the file does not define counts by Word's built-in
// ids ("Heading1").
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
    void readStyles(const QByteArray& xml);

    const DocumentModel& model_;
    QHash<QString, int> styleLevels_;  // of every paragraph style, by id
    int defaultLevel_ = 0;             // of paragraphs that name no style
};

}  // namespace tovu::platform::word
