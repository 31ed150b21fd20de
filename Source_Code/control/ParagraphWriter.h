// The paragraph formatting that every text-writing method takes after its text, and the
// steps those methods share: go to the insertion point, add a paragraph, format it.
#pragma once

#include "platform/office/word/Document.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace tovu::control {

namespace word = tovu::platform::word;

struct TextFormat {
    bool bold = false;
    QString font = QStringLiteral("Times New Roman");
    std::int16_t size = 12;
    std::int16_t spaceAfter = 10;
    std::int32_t paragraphAlign = 0;
    std::int32_t color = 0;
    bool italic = false;
    bool underline = false;
    std::int32_t animation = 0;
    bool emboss = false;
    bool engrave = false;
    bool shadow = false;
    bool strikeThrough = false;
    std::int32_t insertionPoint = 0;
};

// GoTo the insertion point's bookmark, then add a paragraph to the document's content.
word::Paragraph addParagraphAt(word::Document& document, std::int32_t insertionPoint);

// The paragraph's alignment, then its font: bold, name, size, colour, italic, underline,
// animation, emboss, engrave, shadow, strikethrough, in that order.
void applyAlignmentAndFont(word::Paragraph& paragraph, const TextFormat& format);

// Resets the paragraph, its format and (unless told not to) its font.
void resetParagraph(word::Paragraph& paragraph, bool font = true);

// One formatted paragraph at the insertion point (a text of several lines gives every line
// the same alignment and font): its text, alignment and font, then
// (where given) whatever the caller adds to it, its space after, a paragraph behind it,
// and the resets that keep the next paragraph plain.
void writeParagraph(word::Document& document, const QString& text, const TextFormat& format,
                    const std::function<void(word::Paragraph&)>& beforeSpacing = {});
// The same with the text read from its source only once the paragraph has been added, so a
// source that fails leaves the empty paragraph behind.
void writeParagraph(word::Document& document, const std::function<QString()>& text, const TextFormat& format,
                    const std::function<void(word::Paragraph&)>& beforeSpacing = {});

} // namespace tovu::control
