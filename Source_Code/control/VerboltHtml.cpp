// HTML tables and pages written by the control itself from one- and two-dimensional arrays.
#include "control/HtmlWriter.h"
#include "control/Trap.h"
#include "control/Verbolt.h"

namespace tovu::control {

namespace {

HtmlTableArgs tableArgs(std::int32_t align, const QString& background, const QString& backgroundColor,
                        std::int16_t border, const QString& borderColor, std::int16_t spacing,
                        std::int16_t padding, std::int16_t widthPct, std::int32_t cellAlign, bool wrap,
                        bool boldFirstRow, bool boldFirstColumn)
{
    return HtmlTableArgs{align,   background, backgroundColor, border, borderColor,  spacing,
                         padding, widthPct,   cellAlign,       wrap,   boldFirstRow, boldFirstColumn};
}

// The page steps both file methods share: the table text (empty when the table method did
// not give one), the page around it, the file.
MethodStatus writePage(const QString& table, const QString& file, const HtmlPageArgs& page)
{
    return trapped<MethodStatus>(-2, [&] {
        writeHtmlFile(file, htmlPage(table, page));
        return MethodStatus{1};
    });
}

} // namespace

MethodStatus Verbolt::OneDArrayToHTMLTable(automation::Variant& varArray, QString& strTable,
                                           std::int32_t& lngTableAlign, QString& strBackground,
                                           QString& strBackgroundColor, std::int16_t& intBorder,
                                           QString& strBorderColor, std::int16_t& intCellSpacing,
                                           std::int16_t& intCellPadding, std::int16_t& intWidthPct,
                                           std::int32_t& lngTableCellAlign, bool& blnWrapCellData,
                                           bool& blnBoldFirstRow)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        strTable = oneDArrayHtmlTable(varArray.array(),
                                      tableArgs(lngTableAlign, strBackground, strBackgroundColor, intBorder,
                                                strBorderColor, intCellSpacing, intCellPadding, intWidthPct,
                                                lngTableCellAlign, blnWrapCellData, blnBoldFirstRow, false));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::TwoDArrayToHTMLTable(automation::Variant& varArray, QString& strTable,
                                           std::int32_t& lngTableAlign, QString& strBackground,
                                           QString& strBackgroundColor, std::int16_t& intBorder,
                                           QString& strBorderColor, std::int16_t& intCellSpacing,
                                           std::int16_t& intCellPadding, std::int16_t& intWidthPct,
                                           std::int32_t& lngTableCellAlign, bool& blnWrapCellData,
                                           bool& blnBoldFirstRow, bool& blnBoldFirstColumn)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        strTable = twoDArrayHtmlTable(varArray.array(),
                                      tableArgs(lngTableAlign, strBackground, strBackgroundColor, intBorder,
                                                strBorderColor, intCellSpacing, intCellPadding, intWidthPct,
                                                lngTableCellAlign, blnWrapCellData, blnBoldFirstRow,
                                                blnBoldFirstColumn));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::OneDArrayToHTMLFile(automation::Variant& varArray, QString& strHTMLFile,
                                          QString& strPageHeading, QString& strPageTitle,
                                          QString& strPageBackground, QString& strPageBackgroundColor,
                                          std::int32_t& lngTableAlign, QString& strBackground,
                                          QString& strBackgroundColor, std::int16_t& intBorder,
                                          QString& strBorderColor, std::int16_t& intCellSpacing,
                                          std::int16_t& intCellPadding, std::int16_t& intWidthPct,
                                          std::int32_t& lngTableCellAlign, bool& blnWrapCellData,
                                          bool& blnBoldFirstRow)
{
    if (!varArray.isArray())
        return -1;
    QString table;
    OneDArrayToHTMLTable(varArray, table, lngTableAlign, strBackground, strBackgroundColor, intBorder,
                         strBorderColor, intCellSpacing, intCellPadding, intWidthPct, lngTableCellAlign,
                         blnWrapCellData, blnBoldFirstRow);
    return writePage(table, strHTMLFile,
                     {strPageHeading, strPageTitle, strPageBackground, strPageBackgroundColor});
}

MethodStatus Verbolt::TwoDArrayToHTMLFile(automation::Variant& varArray, QString& strHTMLFile,
                                          QString& strPageHeading, QString& strPageTitle,
                                          QString& strPageBackground, QString& strPageBackgroundColor,
                                          std::int32_t& lngTableAlign, QString& strBackground,
                                          QString& strBackgroundColor, std::int16_t& intBorder,
                                          QString& strBorderColor, std::int16_t& intCellSpacing,
                                          std::int16_t& intCellPadding, std::int16_t& intWidthPct,
                                          std::int32_t& lngTableCellAlign, bool& blnWrapCellData,
                                          bool& blnBoldFirstRow, bool& blnBoldFirstColumn)
{
    if (!varArray.isArray())
        return -1;
    QString table;
    TwoDArrayToHTMLTable(varArray, table, lngTableAlign, strBackground, strBackgroundColor, intBorder,
                         strBorderColor, intCellSpacing, intCellPadding, intWidthPct, lngTableCellAlign,
                         blnWrapCellData, blnBoldFirstRow, blnBoldFirstColumn);
    return writePage(table, strHTMLFile,
                     {strPageHeading, strPageTitle, strPageBackground, strPageBackgroundColor});
}

} // namespace tovu::control
