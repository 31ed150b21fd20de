// Word tables from arrays and from tab-delimited text: the two core writers that every other
// table method ends in.
#include "control/TableWriter.h"
#include "control/Trap.h"
#include "control/Verbolt.h"

namespace tovu::control {

MethodStatus Verbolt::TwoDArrayToWordTable(
    automation::Variant& varArray, std::int32_t& lngTableType, bool& blnBold, QString& strFont,
    std::int16_t& intSize, std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth,
    bool& blnBorders, bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
    bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!varArray.isArray())
        return -3;
    const TableArgs args{lngTableType,   blnBold,        strFont,    intSize,        intSpaceAfter, lngParagraphAlign,
                         intColumnWidth, blnBorders,     blnShading, blnFont,        blnColor,      blnHeadingRows,
                         blnLastRow,     blnFirstColumn, blnLastColumn, blnAutoFit, lngInsertionPoint};
    return trapped<MethodStatus>(-4, [&] {
        writeWordTable(*heldDocument_, twoDArrayTableText(varArray.array()), args);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::OneDArrayToWordTable(
    automation::Variant& varArray, std::int32_t& lngTableType, bool& blnBold, QString& strFont,
    std::int16_t& intSize, std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth,
    bool& blnBorders, bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow,
    bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    if (!varArray.isArray())
        return -3;
    const TableArgs args{lngTableType,   blnBold,        strFont,    intSize,        intSpaceAfter, lngParagraphAlign,
                         intColumnWidth, blnBorders,     blnShading, blnFont,        blnColor,      blnHeadingRows,
                         blnLastRow,     blnFirstColumn, blnLastColumn, blnAutoFit, lngInsertionPoint};
    return trapped<MethodStatus>(-4, [&] {
        writeWordTable(*heldDocument_, oneDArrayTableText(varArray.array()), args);
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TextToWordTable(
    QString& strText, std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
    std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
    bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow, bool& blnFirstColumn,
    bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    const TableArgs args{lngTableType,   blnBold,        strFont,    intSize,        intSpaceAfter, lngParagraphAlign,
                         intColumnWidth, blnBorders,     blnShading, blnFont,        blnColor,      blnHeadingRows,
                         blnLastRow,     blnFirstColumn, blnLastColumn, blnAutoFit, lngInsertionPoint};
    return trapped<MethodStatus>(-3, [&] {
        writeWordTable(*heldDocument_, strText, args);
        return MethodStatus{1};
    });
}

} // namespace tovu::control
