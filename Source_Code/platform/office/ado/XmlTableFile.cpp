#include "platform/office/ado/XmlTableFile.h"

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>

namespace tovu::platform::ado {

namespace {

// An element as the table needs it: attributes in document order, child elements, and the
// text of the element and its descendants.
struct Element {
    QString name;
    std::vector<std::pair<QString, QString>> attributes;
    std::vector<Element> children;
    QString text;
};

// Reads the element the reader stands on, up to its end.
Element readElement(QXmlStreamReader& reader)
{
    Element e;
    e.name = reader.qualifiedName().toString();
    for (const QXmlStreamAttribute& a : reader.attributes())
        e.attributes.emplace_back(a.qualifiedName().toString(), a.value().toString());
    while (reader.readNext() != QXmlStreamReader::EndElement && !reader.hasError()) {
        if (reader.isStartElement()) {
            e.children.push_back(readElement(reader));
            e.text += e.children.back().text;
        } else if (reader.isCharacters() && !reader.isWhitespace()) {
            e.text += reader.text();
        } else if (reader.isEndDocument()) {
            break;
        }
    }
    return e;
}

bool isChapter(const Element& e)
{
    return !e.children.empty() || !e.attributes.empty();
}

XmlTable tableOf(const std::vector<const Element*>& records)
{
    // The fields in the order they first appear, each a chapter when any record makes it one.
    XmlTable table;
    const auto fieldAt = [&](const QString& name) {
        const auto at = std::find(table.names.begin(), table.names.end(), name);
        if (at != table.names.end())
            return static_cast<std::size_t>(at - table.names.begin());
        table.names << name;
        table.types.push_back(adVarWChar);
        return table.types.size() - 1;
    };
    std::vector<bool> fromAttribute;
    for (const Element* record : records) {
        for (const auto& [name, value] : record->attributes) {
            const std::size_t f = fieldAt(name);
            fromAttribute.resize(table.names.size());
            fromAttribute[f] = true;
        }
        for (const Element& child : record->children) {
            const std::size_t f = fieldAt(child.name);
            fromAttribute.resize(table.names.size());
            if (fromAttribute[f])
                continue;  // the attribute of that name is the field
            const auto same = std::count_if(record->children.begin(), record->children.end(),
                                            [&](const Element& c) { return c.name == child.name; });
            if (same > 1 || isChapter(child))
                table.types[f] = adChapter;
        }
    }
    table.names << QStringLiteral("$Text");
    table.types.push_back(adVarWChar);
    fromAttribute.resize(table.names.size());

    for (const Element* record : records) {
        std::vector<XmlValue> row(table.names.size());
        for (const auto& [name, value] : record->attributes)
            row[fieldAt(name)] = value;
        for (std::size_t f = 0; f + 1 < table.types.size(); ++f) {
            if (fromAttribute[f])
                continue;
            std::vector<const Element*> matching;
            for (const Element& child : record->children)
                if (child.name == table.names[static_cast<qsizetype>(f)])
                    matching.push_back(&child);
            if (table.types[f] == adChapter)
                row[f] = std::make_shared<XmlTable>(tableOf(matching));
            else if (!matching.empty())
                row[f] = matching.front()->text;
        }
        row.back() = record->text;
        table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace

const QStringList& xmlDataSourceNames()
{
    static const QStringList names = {QStringLiteral("MSXML2.DSOControl"), QStringLiteral("MSXML2.DSOControl.2.6"),
                                      QStringLiteral("MSXML2.DSOControl.3.0")};
    return names;
}

std::optional<XmlTable> readXmlTableFile(const QString& path, QString& error)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("The file %1 could not be opened.").arg(path);
        return std::nullopt;
    }
    QXmlStreamReader reader(&file);
    std::optional<Element> root;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && !root)
            root = readElement(reader);
    }
    if (reader.hasError() || !root) {
        error = reader.hasError() ? QStringLiteral("The XML file is not well-formed: %1 (line %2)")
                                        .arg(reader.errorString())
                                        .arg(reader.lineNumber())
                                  : QStringLiteral("The XML file holds no element.");
        return std::nullopt;
    }
    std::vector<const Element*> records;
    for (const Element& child : root->children)
        records.push_back(&child);
    return tableOf(records);
}

} // namespace tovu::platform::ado
