#pragma once
// An XML table file as the XML data source provider reads it: the child elements of the
// document element are the records. A record's attributes and its child elements that hold
// only text are its text fields; a child element that holds elements or attributes, or that
// occurs more than once in a record, is a chapter field whose value is a table of those
// elements, read by the same rules. Fields stand in the order they first appear; a record
// without a field has Null there. Every table ends with the field "$Text", the text the
// record element holds, its descendants' included.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace tovu::platform::ado {

inline constexpr std::int32_t adVarWChar = 202;
inline constexpr std::int32_t adChapter = 136;

struct XmlTable;

// One field value: Null, a text, or a chapter's rows.
using XmlValue = std::variant<std::monostate, QString, std::shared_ptr<XmlTable>>;

struct XmlTable {
    QStringList names;
    std::vector<std::int32_t> types;  // adVarWChar or adChapter
    std::vector<std::vector<XmlValue>> rows;
};

// The data sources of the provider, the XML control's class names, oldest first.
const QStringList& xmlDataSourceNames();

// The table of a file; the reason in `error` when it cannot be read or is not well-formed.
// Text made of white space alone, between elements, is no text; entities declared in the
// file are expanded and external ones never read.
std::optional<XmlTable> readXmlTableFile(const QString& path, QString& error);

} // namespace tovu::platform::ado
