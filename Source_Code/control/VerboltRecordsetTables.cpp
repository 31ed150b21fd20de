// Word tables from an open recordset and from a query on an ODBC data source: the rows as
// tab-delimited text from the recordset's GetString, under a line of field names when
// asked, written by TextToWordTable.
#include "control/HostMembers.h"
#include "control/Recordsets.h"
#include "control/TableWriter.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "control/clsConcat.h"

namespace tovu::control {

namespace {

using automation::Variant;

constexpr std::int32_t kClipString = 2;
constexpr std::int32_t kAllRows = -1;

// The recordset's rows from the current one, after a heading line of its field names when
// asked. The rows end with GetString's own delimiter, a carriage return.
QString recordsetTableText(const automation::DispatchRef& rs, bool headings)
{
    QString text = memberOf(rs, QStringLiteral("GetString"), {Variant(kClipString), Variant(kAllRows), Variant(QStringLiteral("\t"))})
                       .toString();
    if (!headings)
        return text;
    clsConcat builder;
    return recordLine(rs, true, QStringLiteral("\t"), false, builder) + QStringLiteral("\r\n") + text;
}

} // namespace

MethodStatus Verbolt::writeTextTable(QString text, const TableArgs& args)
{
    TableArgs a = args;
    return TextToWordTable(text, a.tableType, a.bold, a.font, a.size, a.spaceAfter, a.paragraphAlign, a.columnWidth,
                           a.borders, a.shading, a.applyFont, a.color, a.headingRows, a.lastRow, a.firstColumn,
                           a.lastColumn, a.autoFit, a.insertionPoint);
}

MethodStatus Verbolt::RecordsetToWordTable(
    automation::DispatchRef& objRecd, bool& blnIncludeHeadings, std::int32_t& lngTableType, bool& blnBold,
    QString& strFont, std::int16_t& intSize, std::int16_t& intSpaceAfter, std::int32_t& lngParagraphAlign,
    std::int16_t& intColumnWidth, bool& blnBorders, bool& blnShading, bool& blnFont, bool& blnColor,
    bool& blnHeadingRows, bool& blnLastRow, bool& blnFirstColumn, bool& blnLastColumn, bool& blnAutoFit,
    std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    const TableArgs args{lngTableType,   blnBold,        strFont,    intSize,        intSpaceAfter, lngParagraphAlign,
                         intColumnWidth, blnBorders,     blnShading, blnFont,        blnColor,      blnHeadingRows,
                         blnLastRow,     blnFirstColumn, blnLastColumn, blnAutoFit, lngInsertionPoint};
    const MethodStatus status = trapped<MethodStatus>(-3, [&] {
        memberOf(objRecd, QStringLiteral("MoveFirst"));
        return writeTextTable(recordsetTableText(objRecd, blnIncludeHeadings), args) == 1 ? MethodStatus{1}
                                                                                           : MethodStatus{-3};
    });
    // The caller's recordset is left on its first record, on success and failure alike.
    trapped(false, [&] {
        memberOf(objRecd, QStringLiteral("MoveFirst"));
        return true;
    });
    return status;
}

MethodStatus Verbolt::DatabaseTableToWordTable(
    QString& strDSN, QString& strSQL, QString& strUserID, QString& strPassword, bool& blnIncludeHeadings,
    std::int32_t& lngTableType, bool& blnBold, QString& strFont, std::int16_t& intSize, std::int16_t& intSpaceAfter,
    std::int32_t& lngParagraphAlign, std::int16_t& intColumnWidth, bool& blnBorders, bool& blnShading, bool& blnFont,
    bool& blnColor, bool& blnHeadingRows, bool& blnLastRow, bool& blnFirstColumn, bool& blnLastColumn,
    bool& blnAutoFit, std::int32_t& lngInsertionPoint)
{
    if (const MethodStatus failed = documentPrologue())
        return failed;
    const TableArgs args{lngTableType,   blnBold,        strFont,    intSize,        intSpaceAfter, lngParagraphAlign,
                         intColumnWidth, blnBorders,     blnShading, blnFont,        blnColor,      blnHeadingRows,
                         blnLastRow,     blnFirstColumn, blnLastColumn, blnAutoFit, lngInsertionPoint};
    automation::DispatchRef connection;
    const bool connected = trapped(false, [&] {
        connection = openDataSource(*this, strDSN, strUserID, strPassword);
        return true;
    });
    if (!connected)
        return -3;
    automation::DispatchRef records;
    const bool queried = trapped(false, [&] {
        records = openQuery(*this, connection, strSQL, kLockReadOnly);
        return true;
    });
    if (!queried) {
        closeQuietly(connection);
        return -4;
    }
    const MethodStatus status = trapped<MethodStatus>(-5, [&] {
        return writeTextTable(recordsetTableText(records, blnIncludeHeadings), args) == 1 ? MethodStatus{1}
                                                                                           : MethodStatus{-5};
    });
    // Nothing is left open behind the caller, whichever way the table went.
    closeQuietly(records);
    closeQuietly(connection);
    return status;
}

} // namespace tovu::control
