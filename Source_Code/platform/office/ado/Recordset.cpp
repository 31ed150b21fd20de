#include "platform/office/ado/Recordset.h"

#include "platform/automation/AutomationError.h"
#include "platform/office/ado/Connection.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlField>
#include <QSqlRecord>
#include <optional>

namespace tovu::platform::ado {

using automation::Args;
using automation::AutomationError;
using automation::Variant;

namespace {

const QString kSource = QStringLiteral("ADODB.Recordset");
constexpr std::int32_t kNoCurrentRecord = 3021;
constexpr std::int32_t kItemNotFound = 3265;
constexpr std::int32_t kClosedObject = 3704;
constexpr std::int32_t kWrongArguments = 3001;

// 1899-12-30, day 0 of automation dates.
const QDate kDayZero(1899, 12, 30);

Variant variantOf(const QVariant& v)
{
    if (v.isNull())
        return Variant::null();
    switch (v.metaType().id()) {
    case QMetaType::Bool: return Variant(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const qlonglong n = v.toLongLong();
        if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max())
            return Variant(static_cast<std::int32_t>(n));
        return Variant(static_cast<double>(n));
    }
    case QMetaType::Double:
    case QMetaType::Float: return Variant(v.toDouble());
    case QMetaType::QDate: return Variant(automation::Date{static_cast<double>(kDayZero.daysTo(v.toDate()))});
    case QMetaType::QDateTime: {
        const QDateTime t = v.toDateTime();
        return Variant(automation::Date{kDayZero.daysTo(t.date()) + t.time().msecsSinceStartOfDay() / 86400000.0});
    }
    default: return Variant(v.toString());
    }
}

QString textArg(const Args& a, std::size_t i, const QString& fallback)
{
    const Variant& v = automation::argumentAt(a, i);
    return v.isMissing() ? fallback : v.toString();
}

std::int32_t longArg(const Args& a, std::size_t i, std::int32_t fallback)
{
    const Variant& v = automation::argumentAt(a, i);
    return v.isMissing() || v.isEmpty() ? fallback : v.toLong();
}

// ADO's type of a column that the driver reports as this value type.
std::int32_t adoTypeOf(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Bool: return 11;  // adBoolean
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort: return 3;  // adInteger
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return 20;  // adBigInt
    case QMetaType::Double:
    case QMetaType::Float: return 5;  // adDouble
    case QMetaType::QDate: return 133;  // adDBDate
    case QMetaType::QDateTime: return 135;  // adDBTimeStamp
    case QMetaType::QByteArray: return 205;  // adLongVarBinary
    default: return adVarWChar;
    }
}

// The data source class of an XML provider connection string; none for another provider.
std::optional<QString> xmlDataSourceOf(const QString& connectionString)
{
    QString provider, source;
    for (const auto& [key, value] : connectionStringParts(connectionString)) {
        if (key == QLatin1String("PROVIDER"))
            provider = value;
        else if (key == QLatin1String("DATA SOURCE"))
            source = value;
    }
    if (provider.compare(QLatin1String("MSDAOSP"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return source;
}

} // namespace

Recordset::Recordset()
    : DispatchTable(
          {
              {QStringLiteral("Fields"), automation::DispIdValue,
               [this](Args& a) {
                   if (a.empty() || a[0].isMissing())
                       return Variant(fieldsObject());
                   return Variant(fieldObject(fieldIndex(a[0])));
               }},
              {QStringLiteral("Open"), 1,
               [this](Args& a) {
                   open(textArg(a, 0, QString()), automation::argumentAt(a, 1), longArg(a, 2, cursorType),
                        longArg(a, 3, lockType));
                   return Variant();
               },
               {}, {QStringLiteral("Source"), QStringLiteral("ActiveConnection"), QStringLiteral("CursorType"),
                    QStringLiteral("LockType"), QStringLiteral("Options")}},
              {QStringLiteral("Close"), 2, [this](Args&) { requireOpen(); close(); return Variant(); }},
              {QStringLiteral("EOF"), 3, [this](Args&) { return Variant(eof()); }},
              {QStringLiteral("BOF"), 4, [this](Args&) { return Variant(bof()); }},
              {QStringLiteral("MoveFirst"), 5, [this](Args&) { moveFirst(); return Variant(); }},
              {QStringLiteral("MoveNext"), 6, [this](Args&) { moveNext(); return Variant(); }},
              {QStringLiteral("MovePrevious"), 7, [this](Args&) { movePrevious(); return Variant(); }},
              {QStringLiteral("MoveLast"), 8, [this](Args&) { moveLast(); return Variant(); }},
              {QStringLiteral("RecordCount"), 9, [this](Args&) { return Variant(recordCount()); }},
              {QStringLiteral("GetString"), 10,
               [this](Args& a) {
                   return Variant(getString(longArg(a, 0, adClipString), longArg(a, 1, -1),
                                            textArg(a, 2, QStringLiteral("\t")), textArg(a, 3, QStringLiteral("\r")),
                                            textArg(a, 4, QString())));
               },
               {}, {QStringLiteral("StringFormat"), QStringLiteral("NumRows"), QStringLiteral("ColumnDelimeter"),
                    QStringLiteral("RowDelimeter"), QStringLiteral("NullExpr")}},
              {QStringLiteral("CursorLocation"), 11, [this](Args&) { return Variant(cursorLocation); },
               [this](Args& a) { cursorLocation = a.back().toLong(); return Variant(); }},
              {QStringLiteral("CacheSize"), 12, [this](Args&) { return Variant(cacheSize); },
               [this](Args& a) { cacheSize = a.back().toLong(); return Variant(); }},
              {QStringLiteral("CursorType"), 13, [this](Args&) { return Variant(cursorType); },
               [this](Args& a) { cursorType = a.back().toLong(); return Variant(); }},
              {QStringLiteral("LockType"), 14, [this](Args&) { return Variant(lockType); },
               [this](Args& a) { lockType = a.back().toLong(); return Variant(); }},
              {QStringLiteral("State"), 15, [this](Args&) { return Variant(open_ ? adStateOpen : adStateClosed); }},
              {QStringLiteral("ActiveConnection"), 16, [this](Args&) { return activeConnection_; },
               [this](Args& a) { setActiveConnection(a.back()); return Variant(); }},
              {QStringLiteral("Update"), 17, [this](Args&) { update(); return Variant(); }},
          },
          QStringLiteral("Recordset"))
{
}

bool Recordset::isXmlConnection(const Variant& connection) const
{
    if (!connection.isString())
        return false;
    const std::optional<QString> source = xmlDataSourceOf(connection.toString());
    if (!source)
        return false;
    if (!xmlDataSources.contains(*source, Qt::CaseInsensitive))
        raiseProviderError(kSource, QStringLiteral("The data source %1 could not be created.").arg(*source));
    return true;
}

void Recordset::setActiveConnection(const Variant& connection)
{
    if (open_)
        raiseProviderError(kSource, QStringLiteral("Operation is not allowed when the object is open."));
    if (connection.isString()) {
        if (isXmlConnection(connection)) {
            activeConnection_ = connection;
            return;
        }
        auto opened = std::make_shared<Connection>();
        opened->open(connection.toString());
        activeConnection_ = Variant(automation::DispatchRef(opened));
        return;
    }
    if (!connection.isObject() || (connection.toObject() && !dynamic_cast<Connection*>(connection.toObject().get())))
        throw AutomationError(kWrongArguments, kSource,
                              QStringLiteral("Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another."));
    activeConnection_ = connection;
}

void Recordset::open(const QString& sql, const Variant& givenConnection, std::int32_t cursor, std::int32_t lock)
{
    if (open_)
        raiseProviderError(kSource, QStringLiteral("Operation is not allowed when the object is open."));
    const Variant& activeConnection =
        givenConnection.isMissing() || givenConnection.isEmpty() ? activeConnection_ : givenConnection;
    if (isXmlConnection(activeConnection)) {
        table_.clear();
        openXmlFile(sql);
        cursorType = cursor;
        lockType = lock;
        return;
    }
    Connection* connection = nullptr;
    std::shared_ptr<automation::Dispatch> own;
    if (activeConnection.isObject())
        connection = dynamic_cast<Connection*>(activeConnection.toObject().get());
    else if (activeConnection.isString()) {
        auto opened = std::make_shared<Connection>();
        opened->open(activeConnection.toString());
        connection = opened.get();
        own = opened;
    }
    if (!connection)
        throw AutomationError(kWrongArguments, kSource,
                              QStringLiteral("Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another."));

    QSqlQuery query(connection->database());
    query.setForwardOnly(true);
    if (!query.exec(sql))
        raiseProviderError(kSource, query.lastError().text());
    QStringList names;
    std::vector<std::int32_t> types;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i) {
        names << record.fieldName(i);
        types.push_back(adoTypeOf(record.field(i).metaType()));
    }
    std::vector<std::vector<Variant>> rows;
    while (query.next()) {
        std::vector<Variant> row;
        row.reserve(static_cast<std::size_t>(record.count()));
        for (int i = 0; i < record.count(); ++i)
            row.push_back(variantOf(query.value(i)));
        rows.push_back(std::move(row));
    }
    if (query.lastError().isValid())
        raiseProviderError(kSource, query.lastError().text());

    names_ = std::move(names);
    types_ = std::move(types);
    rows_ = std::move(rows);
    countKnown_ = false;
    cursorType = cursor;
    lockType = lock;
    position_ = 0;
    ownConnection_ = std::move(own);
    database_ = connection->database();
    table_ = updatableTable(sql);
    original_.clear();
    open_ = true;
}

void Recordset::openXmlFile(const QString& path)
{
    QString error;
    const std::optional<XmlTable> table = readXmlTableFile(path, error);
    if (!table)
        raiseProviderError(kSource, error);
    takeTable(*table);
}

void Recordset::takeTable(const XmlTable& table)
{
    names_ = table.names;
    types_ = table.types;
    rows_.clear();
    for (const auto& source : table.rows) {
        std::vector<Variant> row;
        for (const XmlValue& value : source) {
            if (const auto* text = std::get_if<QString>(&value)) {
                row.emplace_back(*text);
            } else if (const auto* chapter = std::get_if<std::shared_ptr<XmlTable>>(&value)) {
                auto child = std::make_shared<Recordset>();
                child->takeTable(**chapter);
                row.emplace_back(automation::DispatchRef(child));
            } else {
                row.push_back(Variant::null());
            }
        }
        rows_.push_back(std::move(row));
    }
    countKnown_ = true;
    position_ = 0;
    ownConnection_.reset();
    open_ = true;
}

void Recordset::close()
{
    open_ = false;
    countKnown_ = false;
    types_.clear();
    names_.clear();
    rows_.clear();
    position_ = 0;
    ownConnection_.reset();
}

void Recordset::requireOpen() const
{
    if (!open_)
        throw AutomationError(kClosedObject, kSource, QStringLiteral("Operation is not allowed when the object is closed."));
}

void Recordset::requireRecord() const
{
    requireOpen();
    if (eof() || bof())
        throw AutomationError(kNoCurrentRecord, kSource,
                              QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                                             "Requested operation requires a current record."));
}

std::int32_t Recordset::recordCount() const
{
    requireOpen();
    if (!countKnown_ && cursorLocation != adUseClient && cursorType == adOpenForwardOnly)
        return -1;
    return static_cast<std::int32_t>(rows_.size());
}

bool Recordset::eof() const
{
    requireOpen();
    return position_ >= static_cast<int>(rows_.size());
}

bool Recordset::bof() const
{
    requireOpen();
    return position_ < 0 || rows_.empty();
}

void Recordset::moveFirst()
{
    requireOpen();
    writePendingEdit();
    position_ = 0;
}

void Recordset::moveNext()
{
    requireOpen();
    if (eof())
        requireRecord();
    writePendingEdit();
    ++position_;
}

void Recordset::movePrevious()
{
    requireOpen();
    if (bof())
        requireRecord();
    writePendingEdit();
    --position_;
}

void Recordset::moveLast()
{
    requireOpen();
    writePendingEdit();
    position_ = static_cast<int>(rows_.size()) - 1;
    if (rows_.empty())
        position_ = 0;
}

int Recordset::fieldCount() const
{
    requireOpen();
    return static_cast<int>(names_.size());
}

QString Recordset::fieldName(int field) const
{
    requireOpen();
    return names_.at(field);
}

std::int32_t Recordset::fieldType(int field) const
{
    requireOpen();
    return types_.at(static_cast<std::size_t>(field));
}

Variant Recordset::value(int field) const
{
    requireRecord();
    return rows_.at(static_cast<std::size_t>(position_)).at(static_cast<std::size_t>(field));
}

int Recordset::fieldIndex(const Variant& indexOrName) const
{
    requireOpen();
    if (indexOrName.isString()) {
        const QString name = indexOrName.toString();
        for (int at = 0; at < names_.size(); ++at)
            if (names_[at].compare(name, Qt::CaseInsensitive) == 0)
                return at;
    } else {
        const std::int32_t i = indexOrName.toLong();
        if (i >= 0 && i < names_.size())
            return i;
    }
    throw AutomationError(kItemNotFound, kSource,
                          QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
}

QString Recordset::getString(std::int32_t format, std::int32_t rows, const QString& columnDelimiter,
                             const QString& rowDelimiter, const QString& nullText)
{
    requireOpen();
    if (format != adClipString)
        throw AutomationError(kWrongArguments, kSource,
                              QStringLiteral("Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another."));
    requireRecord();
    QString text;
    for (std::int32_t taken = 0; !eof() && (rows < 0 || taken < rows); ++taken, ++position_) {
        const auto& row = rows_[static_cast<std::size_t>(position_)];
        for (std::size_t f = 0; f < row.size(); ++f) {
            text += row[f].isNull() ? nullText : row[f].toString();
            if (f + 1 < row.size())
                text += columnDelimiter;
        }
        text += rowDelimiter;
    }
    return text;
}

automation::DispatchRef Recordset::fieldObject(int field)
{
    // The field reads the recordset's current record when it is asked, as ADO's does, and
    // keeps a shared recordset alive.
    const std::shared_ptr<Recordset> keep = weak_from_this().lock();
    return automation::makeDispatch(
        {
            {QStringLiteral("Value"), automation::DispIdValue, [this, keep, field](Args&) { return value(field); },
             [this, keep, field](Args& a) { setValue(field, a.back()); return Variant(); }},
            {QStringLiteral("Name"), 1, [this, keep, field](Args&) { return Variant(fieldName(field)); }},
            {QStringLiteral("Type"), 2, [this, keep, field](Args&) { return Variant(fieldType(field)); }},
        },
        QStringLiteral("Field"));
}

automation::DispatchRef Recordset::fieldsObject()
{
    const std::shared_ptr<Recordset> keep = weak_from_this().lock();
    return automation::makeDispatch(
        {
            {QStringLiteral("Item"), automation::DispIdValue,
             [this, keep](Args& a) { return Variant(fieldObject(fieldIndex(automation::argumentAt(a, 0)))); }},
            {QStringLiteral("Count"), 1, [this, keep](Args&) { return Variant(std::int32_t{fieldCount()}); }},
        },
        QStringLiteral("Fields"));
}

} // namespace tovu::platform::ado
