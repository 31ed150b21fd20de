#include "control/ParagraphWriter.h"

#include "control/InsertionPoint.h"

namespace tovu::control {

namespace {
// Word's go-to kind for a bookmark.
constexpr int kGoToBookmark = -1;
}

word::Paragraph addParagraphAt(word::Document& document, std::int32_t insertionPoint)
{
    document.goTo(kGoToBookmark, GetInsertionPointBookmark(insertionPoint));
    return document.content().paragraphs().add();
}

namespace {
void applyFont(word::Font font, const TextFormat& f)
{
    font.setBold(f.bold);
    font.setName(f.font);
    font.setSize(f.size);
    font.setColor(f.color);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setAnimation(f.animation);
    font.setEmboss(f.emboss);
    font.setEngrave(f.engrave);
    font.setShadow(f.shadow);
    font.setStrikeThrough(f.strikeThrough);
}
} // namespace

void applyAlignmentAndFont(word::Paragraph& paragraph, const TextFormat& f)
{
    paragraph.setAlignment(static_cast<word::Alignment>(f.paragraphAlign));
    applyFont(paragraph.range().font(), f);
}

void resetParagraph(word::Paragraph& paragraph, bool font)
{
    paragraph.reset();
    paragraph.format().reset();
    if (font)
        paragraph.range().font().reset();
}

} // namespace tovu::control

namespace tovu::control {

void writeParagraph(word::Document& document, const QString& text, const TextFormat& format,
                    const std::function<void(word::Paragraph&)>& beforeSpacing)
{
    writeParagraph(document, std::function<QString()>([&text] { return text; }), format, beforeSpacing);
}

void writeParagraph(word::Document& document, const std::function<QString()>& text, const TextFormat& format,
                    const std::function<void(word::Paragraph&)>& beforeSpacing)
{
    word::Paragraph paragraph = addParagraphAt(document, format.insertionPoint);
    word::Range written = paragraph.range();
    const QString content = text();
    written.setText(content);
    applyAlignmentAndFont(paragraph, format);
    // A text of several lines puts paragraphs of its own before this one's mark; they are
    // part of what was written and take the same look.
    if (content.contains(QLatin1Char('\r')) || content.contains(QLatin1Char('\n'))) {
        written.paragraphFormat().setAlignment(static_cast<word::Alignment>(format.paragraphAlign));
        applyFont(written.font(), format);
    }
    if (beforeSpacing)
        beforeSpacing(paragraph);
    paragraph.format().setSpaceAfter(format.spaceAfter);
    paragraph.range().insertParagraphAfter();
    resetParagraph(paragraph);
}

} // namespace tovu::control
