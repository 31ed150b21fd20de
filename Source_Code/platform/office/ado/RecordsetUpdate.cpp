// Writing a recordset's current record back into its table.
#include "platform/office/ado/Connection.h"
#include "platform/office/ado/Recordset.h"

#include "platform/automation/AutomationError.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace tovu::platform::ado {

namespace {

using automation::AutomationError;
using automation::Variant;

const QString kSource = QStringLiteral("ADODB.Recordset");
constexpr std::int32_t kNotUpdatable = 3251;
constexpr std::int32_t adLockReadOnly = 1;

[[noreturn]] void raiseNotUpdatable()
{
    throw AutomationError(kNotUpdatable, kSource,
                          QStringLiteral("Current Recordset does not support updating. This may be a limitation of "
                                         "the provider, or of the selected locktype."));
}

QVariant sqlValue(const Variant& value)
{
    if (value.isNull() || value.isEmpty())
        return {};
    switch (value.type()) {
    case automation::VarType::Integer:
    case automation::VarType::Long:
    case automation::VarType::Byte:
        return value.toLong();
    case automation::VarType::Single:
    case automation::VarType::Double:
        return value.toDouble();
    case automation::VarType::Boolean:
        return value.toBoolean();
    default:
        return value.toString();
    }
}

QString quotedName(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

QString Recordset::updatableTable(const QString& sql)
{
    static const QRegularExpression from(
        QStringLiteral("\\bFROM\\s+(\\[[^\\]]+\\]|\"[^\"]+\"|[A-Za-z_][\\w.]*)\\s*(\\bWHERE\\b|\\bORDER\\b|\\bGROUP\\b|;|$)"),
        QRegularExpression::CaseInsensitiveOption);
    if (sql.contains(QRegularExpression(QStringLiteral("\\bJOIN\\b|\\bUNION\\b"), QRegularExpression::CaseInsensitiveOption)))
        return {};
    const QRegularExpressionMatch m = from.match(sql.trimmed());
    if (!m.hasMatch())
        return {};
    QString table = m.captured(1);
    if (table.startsWith(QLatin1Char('[')) || table.startsWith(QLatin1Char('"')))
        table = table.mid(1, table.size() - 2);
    return table;
}

void Recordset::setValue(int field, const Variant& value)
{
    requireRecord();
    if (lockType == adLockReadOnly || table_.isEmpty())
        raiseNotUpdatable();
    // An edit of another record still pending is written first, as leaving it would.
    if (editedRow_ != position_)
        writePendingEdit();
    auto& row = rows_.at(static_cast<std::size_t>(position_));
    if (original_.empty()) {
        original_ = row;
        editedRow_ = position_;
    }
    row.at(static_cast<std::size_t>(field)) = value;
}

void Recordset::writePendingEdit()
{
    // Leaving an edited record writes it, as immediate updates do; a failure leaves the
    // recordset on that record.
    if (!original_.empty())
        update();
}

void Recordset::update()
{
    requireOpen();
    if (lockType == adLockReadOnly || table_.isEmpty())
        raiseNotUpdatable();
    if (original_.empty())
        return;
    auto& row = rows_.at(static_cast<std::size_t>(editedRow_));
    QStringList sets;
    QStringList where;
    QVariantList values;
    for (std::size_t f = 0; f < row.size(); ++f)
        if (!(row[f] == original_[f])) {
            sets << quotedName(names_[static_cast<int>(f)]) + QStringLiteral(" = ?");
            values << sqlValue(row[f]);
        }
    for (std::size_t f = 0; f < original_.size(); ++f) {
        if (original_[f].isNull()) {
            where << quotedName(names_[static_cast<int>(f)]) + QStringLiteral(" IS NULL");
        } else {
            where << quotedName(names_[static_cast<int>(f)]) + QStringLiteral(" = ?");
            values << sqlValue(original_[f]);
        }
    }
    if (sets.isEmpty()) {
        original_.clear();
        return;
    }
    QSqlQuery query(database_);
    query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                      .arg(quotedName(table_), sets.join(QStringLiteral(", ")), where.join(QStringLiteral(" AND "))));
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        raiseProviderError(kSource, query.lastError().text());
    if (query.numRowsAffected() == 0)
        raiseProviderError(kSource, QStringLiteral("Row cannot be located for updating. Some values may have been "
                                                   "changed since it was last read."));
    original_.clear();
}

} // namespace tovu::platform::ado
