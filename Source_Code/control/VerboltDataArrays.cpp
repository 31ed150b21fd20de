// Tabular data into the caller's two-dimensional array or a delimited text file: a query on
// an ODBC data source, an open recordset, the host's data grid and flex grids, and a tree
// view laid out as an outline. None of them needs Word. The caller's array is replaced only
// when the whole copy succeeded, so a failure leaves it as it was.
#include "control/DelimitedText.h"
#include "control/HostArrays.h"
#include "control/HostMembers.h"
#include "control/Recordsets.h"
#include "control/Trap.h"
#include "control/Verbolt.h"
#include "control/clsConcat.h"

namespace tovu::control {

namespace {

using automation::SafeArray;
using automation::Variant;

// The records from the current one on, sized by RecordCount, under a row of field names
// when asked. The field count is read again for every record.
SafeArray recordsetArray(const automation::DispatchRef& rs, bool headings)
{
    const std::int32_t records = memberOf(rs, QStringLiteral("RecordCount")).toLong();
    const auto fieldCount = [&] { return memberOf(objectOf(rs, QStringLiteral("Fields")), QStringLiteral("Count")).toLong(); };
    const std::int32_t columns = fieldCount();
    SafeArray array = sizedArray(std::int64_t{records} + (headings ? 1 : 0), columns);
    std::int32_t row = 0;
    if (headings) {
        for (std::int32_t f = 0; f < columns; ++f)
            array.set({0, f}, memberOf(recordsetField(rs, f), QStringLiteral("Name")));
        row = 1;
    }
    while (!memberOf(rs, QStringLiteral("EOF")).toBoolean()) {
        for (std::int32_t f = 0, count = fieldCount(); f < count; ++f)
            array.set({row, f}, memberOf(recordsetField(rs, f), QStringLiteral("Value")));
        ++row;
        memberOf(rs, QStringLiteral("MoveNext"));
    }
    return array;
}

// The lines of a text file from the records from the current one on, after a line of field
// names when asked.
QStringList recordsetLines(const automation::DispatchRef& rs, bool headings, const QString& delimiter, bool quotes)
{
    clsConcat builder;
    QStringList lines;
    if (headings)
        lines << recordLine(rs, true, delimiter, quotes, builder);
    while (!memberOf(rs, QStringLiteral("EOF")).toBoolean()) {
        lines << recordLine(rs, false, delimiter, quotes, builder);
        memberOf(rs, QStringLiteral("MoveNext"));
    }
    return lines;
}

void moveFirstQuietly(const automation::DispatchRef& rs)
{
    trapped(false, [&] {
        memberOf(rs, QStringLiteral("MoveFirst"));
        return true;
    });
}

// A query's connection and recordset, opened in turn; whichever is open is closed when the
// method ends.
struct OpenQuery {
    automation::DispatchRef connection;
    automation::DispatchRef records;
    ~OpenQuery()
    {
        if (records)
            closeQuietly(records);
        if (connection)
            closeQuietly(connection);
    }
};

// Opens the connection and then the query, and tells which step failed, if one did; a
// connection opened for a failed query is closed by OpenQuery.
enum class QueryStep { Connection, Query, Open };
QueryStep openQueryOf(Verbolt& control, OpenQuery& q, const QString& dsn, const QString& sql, const QString& user,
                      const QString& password)
{
    if (!trapped(false, [&] {
            q.connection = openDataSource(control, dsn, user, password);
            return true;
        })) {
        q.connection.reset();
        return QueryStep::Connection;
    }
    if (!trapped(false, [&] {
            q.records = openQuery(control, q.connection, sql, kLockReadOnly);
            return true;
        })) {
        q.records.reset();
        return QueryStep::Query;
    }
    return QueryStep::Open;
}

// The tree view walk: the current row and depth, and whether rows are suppressed.
struct TreeWalk {
    SafeArray& array;
    bool suppress;
    std::int32_t row = 0;
    std::int32_t depth = 0;
};

// Pre-order over a chain of siblings: each node's text goes to (row, depth); the row moves
// on after every node, or with suppression only after a leaf, so that a branch shares the
// row of its first leaf. The chain is followed by iteration, its children by recursion.
void WalkTreeNodes(automation::DispatchRef node, TreeWalk& walk)
{
    while (true) {
        walk.array.set({walk.row, walk.depth}, memberOf(node, QStringLiteral("Text")));
        const std::int32_t children = memberOf(node, QStringLiteral("Children")).toLong();
        if (!walk.suppress || children == 0)
            ++walk.row;
        if (children > 0) {
            ++walk.depth;
            WalkTreeNodes(objectOf(node, QStringLiteral("Child")), walk);
        }
        const Variant next = memberOf(node, QStringLiteral("Next"));
        if (!next.isObject() || next.isNothing()) {
            --walk.depth;
            return;
        }
        node = next.toObject();
    }
}

// The number of times c occurs in text.
std::int32_t CountChar(const QString& text, QChar c)
{
    return static_cast<std::int32_t>(text.count(c));
}

} // namespace

MethodStatus Verbolt::DatabaseTableToArray(QString& strDSN, QString& strSQL, automation::Variant& varArray,
                                           QString& strUserID, QString& strPassword, bool& blnIncludeHeadings)
{
    if (!varArray.isArray())
        return -1;
    OpenQuery q;
    switch (openQueryOf(*this, q, strDSN, strSQL, strUserID, strPassword)) {
    case QueryStep::Connection: return -2;
    case QueryStep::Query: return -3;
    case QueryStep::Open: break;
    }
    return trapped<MethodStatus>(-4, [&] {
        varArray = Variant(recordsetArray(q.records, blnIncludeHeadings));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::RecordsetToArray(automation::DispatchRef& objRecd, automation::Variant& varArray,
                                       bool& blnIncludeHeadings)
{
    if (!varArray.isArray())
        return -1;
    const MethodStatus status = trapped<MethodStatus>(-2, [&] {
        memberOf(objRecd, QStringLiteral("MoveFirst"));
        SafeArray array = recordsetArray(objRecd, blnIncludeHeadings);
        memberOf(objRecd, QStringLiteral("MoveFirst"));
        varArray = Variant(std::move(array));
        return MethodStatus{1};
    });
    if (status != 1)
        moveFirstQuietly(objRecd);
    return status;
}

MethodStatus Verbolt::RecordsetToTextFile(automation::DispatchRef& objRecd, QString& strTextFile,
                                          bool& blnIncludeHeadings, QString& strDelimiter, bool& blnQuotes)
{
    const MethodStatus status = trapped<MethodStatus>(-1, [&] {
        memberOf(objRecd, QStringLiteral("MoveFirst"));
        writeTextFileLines(strTextFile, recordsetLines(objRecd, blnIncludeHeadings, strDelimiter, blnQuotes));
        return MethodStatus{1};
    });
    // The recordset is left on its first record, whichever way the file went.
    moveFirstQuietly(objRecd);
    return status;
}

MethodStatus Verbolt::DatabaseTableToTextFile(QString& strDSN, QString& strSQL, QString& strTextFile,
                                              QString& strUserID, QString& strPassword, bool& blnIncludeHeadings,
                                              QString& strDelimiter, bool& blnQuotes)
{
    OpenQuery q;
    switch (openQueryOf(*this, q, strDSN, strSQL, strUserID, strPassword)) {
    case QueryStep::Connection: return -1;
    case QueryStep::Query: return -2;
    case QueryStep::Open: break;
    }
    return trapped<MethodStatus>(-3, [&] {
        writeTextFileLines(strTextFile, recordsetLines(q.records, blnIncludeHeadings, strDelimiter, blnQuotes));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::DataGridToArray(automation::DispatchRef& dg, automation::Variant& varArray,
                                      bool& blnIncludeHeadings)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        varArray = Variant(dataGridArray(dg, blnIncludeHeadings));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::FlexGridToArray(automation::DispatchRef& fg, automation::Variant& varArray,
                                      std::int32_t& lngStartRow, std::int32_t& lngStartCol, std::int32_t& lngEndRow,
                                      std::int16_t& lngEndCol)
{
    if (!varArray.isArray())
        return -1;
    return trapped<MethodStatus>(-2, [&] {
        varArray = Variant(flexGridArray(fg, lngStartRow, lngStartCol, lngEndRow, lngEndCol));
        return MethodStatus{1};
    });
}

MethodStatus Verbolt::HFlexGridToArray(automation::DispatchRef& fg, automation::Variant& varArray,
                                       std::int32_t& lngStartRow, std::int32_t& lngStartCol, std::int32_t& lngEndRow,
                                       std::int16_t& lngEndCol)
{
    return FlexGridToArray(fg, varArray, lngStartRow, lngStartCol, lngEndRow, lngEndCol);
}

MethodStatus Verbolt::TreeViewToTwoDArray(automation::DispatchRef& tv, automation::Variant& varArray,
                                          bool& blnSuppressRows)
{
    if (!varArray.isArray())
        return -1;
    const QChar marker(QLatin1Char('~'));
    QString separator;
    const bool separatorSet = trapped(false, [&] {
        separator = memberOf(tv, QStringLiteral("PathSeparator")).toString();
        assignMember(tv, QStringLiteral("PathSeparator"), Variant(QString(marker)));
        return true;
    });
    const MethodStatus status = trapped<MethodStatus>(-2, [&] {
        if (!separatorSet)
            return MethodStatus{-2};
        // Sizing pass: the level of a node is the number of separators in its full path.
        const automation::DispatchRef nodes = objectOf(tv, QStringLiteral("Nodes"));
        std::int32_t rows = 0, deepest = 0, previous = -1;
        for (std::int32_t k = 1, count = memberOf(nodes, QStringLiteral("Count")).toLong(); k <= count; ++k) {
            const automation::DispatchRef node = objectOf(nodes, QStringLiteral("Item"), {Variant(k)});
            const std::int32_t level = CountChar(memberOf(node, QStringLiteral("FullPath")).toString(), marker);
            deepest = std::max(deepest, level);
            if (!blnSuppressRows || level <= previous)
                ++rows;
            previous = level;
        }
        SafeArray array = sizedArray(std::int64_t{rows} + (blnSuppressRows ? 1 : 0), std::int64_t{deepest} + 1);
        TreeWalk walk{array, blnSuppressRows};
        std::vector<Variant> first{Variant(std::int32_t{1})};
        WalkTreeNodes(checkedObject(checkedObject(nodes)->invoke(automation::DispIdValue, first).toObject()), walk);
        varArray = Variant(std::move(array));
        return MethodStatus{1};
    });
    if (separatorSet)
        trapped(false, [&] {
            assignMember(tv, QStringLiteral("PathSeparator"), Variant(separator));
            return true;
        });
    return status;
}

} // namespace tovu::control
