// Text, pictures, page breaks and search-and-replace in the held document.
#include "control/ParagraphWriter.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "platform/office/word/Find.h"

#include <optional>

namespace tovu::control {

namespace {
const QString kEndOfDoc = QStringLiteral("\\EndOfDoc");
// Word's replace-all and its continue-at-the-start wrap.
constexpr int kWrapContinue = 1;
} // namespace

MethodStatus Verbolt::TextToWord(QString& strText, bool& blnBold, QString& strFont, std::int16_t& intSize,
                                 std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign,
                                 std::int32_t& lngColor, bool& blnItalic, bool& blnUnderline,
                                 std::int32_t& lngAnimation, bool& blnEmboss, bool& blnEngrave, bool& blnShadow,
                                 bool& blnStrikeThrough, std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    const TextFormat format{blnBold,      strFont,     intSize,   intSpaceAfter, lngParagraphAlign,
                            lngColor,     blnItalic,   blnUnderline, lngAnimation, blnEmboss,
                            blnEngrave,   blnShadow,   blnStrikeThrough, lngInsertionPoint};
    return trapped<MethodStatus>(-3, [&] {
        writeParagraph(*heldDocument_, strText, format);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::ClipboardTextToWord(bool& blnBold, QString& strFont, std::int16_t& intSize,
                                          std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign,
                                          std::int32_t& lngColor, bool& blnItalic, bool& blnUnderline,
                                          std::int32_t& lngAnimation, bool& blnEmboss, bool& blnEngrave,
                                          bool& blnShadow, bool& blnStrikeThrough, std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    QString text = trapped<QString>(QString(), [&] { return clipboard_ ? clipboard_->text() : QString(); });
    const MethodStatus written = TextToWord(text, blnBold, strFont, intSize, intSpaceAfter, lngParagraphAlign,
                                            lngColor, blnItalic, blnUnderline, lngAnimation, blnEmboss, blnEngrave,
                                            blnShadow, blnStrikeThrough, lngInsertionPoint);
    return written == 1 ? 1 : -3;
}

MethodStatus Verbolt::InsertPageBreak()
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    StepErrors steps;
    std::optional<word::Range> end;
    steps([&] { end = heldDocument_->bookmarks().range(kEndOfDoc); });
    steps([&] { heldDocument_->content().paragraphs().add(); });
    steps([&] { end.value().insertBreak(word::BreakType::Page); });
    return steps.raised() ? -3 : 1;
}

MethodStatus Verbolt::insertPictureAtEnd(const QString& file, bool linked, float left, float top, float width,
                                         float height)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    StepErrors steps;
    std::optional<word::Range> anchor;
    steps([&] { anchor = heldDocument_->bookmarks().range(kEndOfDoc); });
    steps([&] { heldDocument_->content().paragraphs().add(); });
    // Position and size go to Word only where the caller gave them: the sums tell which.
    const float position = left + top;
    const float size = width + height;
    const float total = left + top + width + height;
    std::optional<double> l, t, w, h;
    if (total != 0) {
        const bool positionOnly = position > 0 && size == 0;
        const bool sizeOnly = position == 0 && size > 0;
        if (!sizeOnly) {
            l = left;
            t = top;
        }
        if (!positionOnly) {
            w = width;
            h = height;
        }
    }
    steps([&] { heldDocument_->shapes().addPicture(file, linked, true, l, t, w, h, anchor.value()); });
    return steps.raised() ? -3 : 1;
}

MethodStatus Verbolt::InsertPicture(QString& strFile, float& sngLeft, float& sngTop, float& sngWidth,
                                    float& sngHeight)
{
    return insertPictureAtEnd(strFile, false, sngLeft, sngTop, sngWidth, sngHeight);
}

MethodStatus Verbolt::InsertLinkedPicture(QString& strFile, float& sngLeft, float& sngTop, float& sngWidth,
                                          float& sngHeight)
{
    return insertPictureAtEnd(strFile, true, sngLeft, sngTop, sngWidth, sngHeight);
}

MethodStatus Verbolt::FindInDocumentAndReplace(QString& strTextToFind, QString& strReplaceWithText,
                                               bool& blnMatchCase, bool& blnMatchWholeWord)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        word::Find find = heldDocument_->content().find();
        find.clearFormatting();
        find.setText(strTextToFind);
        find.setForward(true);
        find.setWrap(kWrapContinue);
        find.replacement().clearFormatting();
        find.replacement().setText(strReplaceWithText);
        find.setMatchCase(blnMatchCase);
        find.setMatchWholeWord(blnMatchWholeWord);
        // Whether anything was found is not the caller's concern.
        find.execute(word::ReplaceMode::All);
        return MethodStatus{1};
    });
}

} // namespace tovu::control
