// Word tables from the host's grids and list views: each source is copied into a
// two-dimensional array (lower bounds 0, first index the row), which TwoDArrayToWordTable
// writes. Any failure, the core writer's included, is the source method's -3.
#include "control/HostArrays.h"
#include "control/TableWriter.h"
#include "control/Trap.h"
#include "control/Verbolt.h"

namespace tovu::control {

using automation::Variant;

MethodStatus Verbolt::writeArrayTable(const std::function<automation::SafeArray()>& source, const TableArgs& args)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    return trapped<MethodStatus>(-3, [&] {
        Variant array(source());
        TableArgs a = args;
        const MethodStatus written = TwoDArrayToWordTable(
            array, a.tableType, a.bold, a.font, a.size, a.spaceAfter, a.paragraphAlign, a.columnWidth, a.borders,
            a.shading, a.applyFont, a.color, a.headingRows, a.lastRow, a.firstColumn, a.lastColumn, a.autoFit,
            a.insertionPoint);
        return written == 1 ? MethodStatus{1} : MethodStatus{-3};
    });
}

MethodStatus Verbolt::FlexGridToWordTable(
    automation::DispatchRef& fg, std::int32_t& lngStartRow, std::int32_t& lngStartCol, std::int32_t& lngEndRow,
    std::int32_t& lngEndCol, std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
    std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
    bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow, bool& blnFirstColumn,
    bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint)
{
    return writeArrayTable(
        [&] { return flexGridArray(fg, lngStartRow, lngStartCol, lngEndRow, lngEndCol); },
        TableArgs{lngTableType, blnBold, strFont, intSize, intSpaceAfter, lngParagraphAlign, intColumnWidth,
                  blnBorders, blnShading, blnFont, blnColor, blnHeadingRows, blnLastRow, blnFirstColumn,
                  blnLastColumn, blnAutoFit, lngInsertionPoint});
}

MethodStatus Verbolt::HFlexGridToWordTable(
    automation::DispatchRef& fg, std::int32_t& lngStartRow, std::int32_t& lngStartCol, std::int32_t& lngEndRow,
    std::int32_t& lngEndCol, std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize,
    std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders,
    bool& blnShading, bool& blnFont, bool& blnColor, bool& blnHeadingRows, bool& blnLastRow, bool& blnFirstColumn,
    bool& blnLastColumn, bool& blnAutoFit, std::int32_t& lngInsertionPoint)
{
    return FlexGridToWordTable(fg, lngStartRow, lngStartCol, lngEndRow, lngEndCol, lngTableType, blnBold, strFont,
                               intSize, intSpaceAfter, lngParagraphAlign, intColumnWidth, blnBorders, blnShading,
                               blnFont, blnColor, blnHeadingRows, blnLastRow, blnFirstColumn, blnLastColumn,
                               blnAutoFit, lngInsertionPoint);
}

MethodStatus Verbolt::ListViewToWordTable(
    automation::DispatchRef& lv, bool& blnSelectedOnly, bool& blnIncludeHeadings, std::int32_t& lngTableType,
    bool& blnBold, QString& strFont, std::int16_t& intSize, std::int16_t& intSpaceAfter,
    std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders, bool& blnShading, bool& blnFont,
    bool& blnColor, bool& blnHeadingRows, bool& blnLastRow, bool& blnFirstColumn, bool& blnLastColumn,
    bool& blnAutoFit, std::int32_t& lngInsertionPoint)
{
    return writeArrayTable(
        [&] { return listViewArray(lv, blnSelectedOnly, blnIncludeHeadings); },
        TableArgs{lngTableType, blnBold, strFont, intSize, intSpaceAfter, lngParagraphAlign, intColumnWidth,
                  blnBorders, blnShading, blnFont, blnColor, blnHeadingRows, blnLastRow, blnFirstColumn,
                  blnLastColumn, blnAutoFit, lngInsertionPoint});
}

MethodStatus Verbolt::DataGridToWordTable(
    automation::DispatchRef& dg, bool& blnIncludeHeadings, std::int32_t& lngTableType, bool& blnBold,
    QString& strFont, std::int16_t& intSize, std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign,
    std::int16_t& intColumnWidth, bool& blnBorders, bool& blnShading, bool& blnFont, bool& blnColor,
    bool& blnHeadingRows, bool& blnLastRow, bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit,
    std::int32_t& lngInsertionPoint)
{
    return writeArrayTable(
        [&] { return dataGridArray(dg, blnIncludeHeadings); },
        TableArgs{lngTableType, blnBold, strFont, intSize, intSpaceAfter, lngParagraphAlign, intColumnWidth,
                  blnBorders, blnShading, blnFont, blnColor, blnHeadingRows, blnLastRow, blnFirstColumn,
                  blnLastColumn, blnAutoFit, lngInsertionPoint});
}

} // namespace tovu::control
