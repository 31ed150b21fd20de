// Hyperlinks and blank lines in the held document.
#include "control/ParagraphWriter.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "platform/automation/SafeArray.h"

namespace tovu::control {

namespace {

// A table of links: two dimensions, the second holding the text at 0 and the address at 1.
bool isLinkTable(const automation::Variant& value)
{
    if (!value.isArray())
        return false;
    const automation::SafeArray& array = value.array();
    return array.dims() == 2 && array.lbound(2) <= 0 && array.ubound(2) >= 1;
}

// Makes the paragraph's text a link to address.
void addLink(word::Paragraph& paragraph, const QString& address)
{
    word::Range range = paragraph.range();
    range.hyperlinks().add(range, address);
}

} // namespace

MethodStatus Verbolt::InsertHyperlink(QString& strText, QString& strHTTP, bool& blnBold, QString& strFont,
                                      std::int16_t& intSize, std::int16_t& intSpaceAfter,
                                      std::int32_t& lngParagraphAlign, std::int32_t& lngColor, bool& blnItalic,
                                      bool& blnUnderline, std::int32_t& lngAnimation, bool& blnEmboss,
                                      bool& blnEngrave, bool& blnShadow, bool& blnStrikeThrough,
                                      std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    const TextFormat format{blnBold,    strFont,   intSize,      intSpaceAfter, lngParagraphAlign,
                            lngColor,   blnItalic, blnUnderline, lngAnimation,  blnEmboss,
                            blnEngrave, blnShadow, blnStrikeThrough, lngInsertionPoint};
    return trapped<MethodStatus>(-3, [&] {
        writeParagraph(*heldDocument_, strText, format, [&](word::Paragraph& paragraph) { addLink(paragraph, strHTTP); });
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::InsertHyperlinks(automation::Variant& varArray, bool& blnBold, QString& strFont,
                                       std::int16_t& intSize, std::int16_t& intSpaceAfter,
                                       std::int32_t& lngParagraphAlign, std::int32_t& lngColor, bool& blnItalic,
                                       bool& blnUnderline, std::int32_t& lngAnimation, bool& blnEmboss,
                                       bool& blnEngrave, bool& blnShadow, bool& blnStrikeThrough,
                                       std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    // The shape is checked before anything is written, so a wrong one leaves no paragraph.
    if (!trapped(false, [&] { return isLinkTable(varArray); }))
        return -3;
    const TextFormat format{blnBold,    strFont,   intSize,      intSpaceAfter, lngParagraphAlign,
                            lngColor,   blnItalic, blnUnderline, lngAnimation,  blnEmboss,
                            blnEngrave, blnShadow, blnStrikeThrough, lngInsertionPoint};
    return trapped<MethodStatus>(-4, [&] {
        const automation::SafeArray& links = varArray.array();
        word::Paragraph paragraph = addParagraphAt(*heldDocument_, format.insertionPoint);
        // The one paragraph added serves every row: each row's link closes it and moves it on.
        for (std::int32_t i = links.lbound(1); i <= links.ubound(1); ++i) {
            paragraph.range().setText(links.get({i, 0}).toString());
            applyAlignmentAndFont(paragraph, format);
            addLink(paragraph, links.get({i, 1}).toString());
            paragraph.format().setSpaceAfter(format.spaceAfter);
            paragraph.range().insertParagraphAfter();
        }
        resetParagraph(paragraph);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::InsertBlankLines(std::int16_t& intLines, std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (intLines <= 0)
        return -3;
    return trapped<MethodStatus>(-4, [&] {
        word::Paragraph paragraph = addParagraphAt(*heldDocument_, lngInsertionPoint);
        for (int k = 1; k <= intLines - 1; ++k)
            paragraph.range().setText(QStringLiteral("\r\n"));
        paragraph.format().setSpaceAfter(0);
        paragraph.range().insertParagraphAfter();
        resetParagraph(paragraph, false);
        return MethodStatus{1};
    });
}

} // namespace tovu::control
