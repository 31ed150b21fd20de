#pragma once
// The query result as the document control reads it: "ADODB.Recordset" with
// CursorLocation, CacheSize, CursorType, LockType, Open(Source, ActiveConnection,
// CursorType, LockType), Close, MoveFirst, MoveNext, MovePrevious, MoveLast, EOF, BOF,
// RecordCount, Fields (Count, Item(index or name) with Name, Value and Type), the default
// member (a field by index), ActiveConnection and GetString. The rows are fetched when the
// query opens, so a client-side cursor knows its RecordCount and moves both ways; a
// forward-only cursor on the server side answers -1, as ODBC reports no count.
//
// An ActiveConnection of the XML data source provider ("Provider=MSDAOSP; Data
// Source=<class>;") makes Open read its source as an XML table file (XmlTableFile.h): its
// text fields are Strings, its chapter fields recordsets of their own, and it always knows
// its RecordCount.

#include "platform/automation/DispatchTable.h"
#include "platform/office/ado/XmlTableFile.h"

#include <QSqlDatabase>
#include <QStringList>
#include <memory>
#include <vector>

namespace tovu::platform::ado {

namespace automation = tovu::platform::automation;

inline constexpr std::int32_t adUseServer = 2;
inline constexpr std::int32_t adUseClient = 3;
inline constexpr std::int32_t adOpenForwardOnly = 0;
inline constexpr std::int32_t adClipString = 2;

class Recordset : public automation::DispatchTable, public std::enable_shared_from_this<Recordset> {
public:
    Recordset();

    // Runs the query on an open connection object of ours, or on a connection string
    // opened for the recordset alone; without one, on the ActiveConnection set before.
    void open(const QString& sql, const automation::Variant& activeConnection, std::int32_t cursorType,
              std::int32_t lockType);
    // Sets the connection Open uses when it is given none. A connection string is opened at
    // once, and one of the XML provider is accepted only for a data source class this
    // machine has (xmlDataSources); each raises the provider's error when it fails.
    void setActiveConnection(const automation::Variant& connection);
    const automation::Variant& activeConnection() const { return activeConnection_; }
    // The XML data source classes taken for installed.
    QStringList xmlDataSources = xmlDataSourceNames();
    void close();
    bool isOpen() const { return open_; }

    std::int32_t cursorLocation = adUseServer;
    std::int32_t cacheSize = 1;
    std::int32_t cursorType = adOpenForwardOnly;
    std::int32_t lockType = 1;

    std::int32_t recordCount() const;
    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    int fieldCount() const;
    QString fieldName(int field) const;
    // The field's data type, ADO's numbering (adVarWChar, adChapter, adInteger ...).
    std::int32_t fieldType(int field) const;
    // The value of a field of the current record; raises 3021 at BOF or EOF.
    automation::Variant value(int field) const;
    // The field numbered or named; raises 3265 ("Item cannot be found") when none is.
    int fieldIndex(const automation::Variant& indexOrName) const;

    // The rows from the current one on (all when rows is -1), each field's text followed
    // by the column delimiter except the last, each row by the row delimiter; a Null is
    // nullText. The cursor ends after the last row taken.
    QString getString(std::int32_t format, std::int32_t rows, const QString& columnDelimiter,
                      const QString& rowDelimiter, const QString& nullText);

    // A field of the current record assigned (Value) and the record written back (Update):
    // an UPDATE of the query's one table that finds the row by all the values it was read
    // with. A read-only recordset, one of the XML provider and one over more than one table
    // raise 3251; a row that is no longer there as it was read raises the provider's error.
    void setValue(int field, const automation::Variant& value);
    void update();

private:
    void requireOpen() const;
    // Writes the edited record, if there is one: the moves do so before they leave it.
    void writePendingEdit();
    // Whether the connection is a string of the XML provider; raises when it names a data
    // source class this machine lacks.
    bool isXmlConnection(const automation::Variant& connection) const;
    void openXmlFile(const QString& path);
    void takeTable(const XmlTable& table);
    void requireRecord() const;
    automation::DispatchRef fieldsObject();
    automation::DispatchRef fieldObject(int field);

    bool open_ = false;
    QStringList names_;
    std::vector<std::int32_t> types_;
    bool countKnown_ = false;  // the XML provider's rowsets count on any cursor
    automation::Variant activeConnection_ = automation::Variant::nothing();
    std::vector<std::vector<automation::Variant>> rows_;
    int position_ = 0;  // -1 BOF, rows_.size() EOF
    std::shared_ptr<automation::Dispatch> ownConnection_;
    // The one table a query selects from, "" when it joins or names none.
    static QString updatableTable(const QString& sql);
    QSqlDatabase database_;  // where Update writes, and the one table it writes
    QString table_;
    std::vector<automation::Variant> original_;  // the edited record as read, while edited
    int editedRow_ = -1;
};

} // namespace tovu::platform::ado
