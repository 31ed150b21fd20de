#include "platform/office/excel/XlsxReader.h"

#include "platform/office/excel/ExcelError.h"
#include "platform/zip/ZipArchive.h"
#include "platform/zip/PartNames.h"
#include "platform/zip/ZipError.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <memory>

namespace tovu::platform::excel {

using zip::ZipError;
using zip::ZipReader;

namespace {

const QString kOpen = QStringLiteral("Workbooks.Open");

[[noreturn]] void fail(const QString& description)
{
    throw ExcelError(kOpen, description);
}

// Strings in the package escape characters XML cannot carry as _xHHHH_.
QString unescapeXString(const QString& text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('_') && i + 6 < text.size() && text[i + 1] == QLatin1Char('x') &&
            text[i + 6] == QLatin1Char('_')) {
            bool ok = false;
            const ushort code = text.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// The text of the element the reader stands on, with the texts of every <t> inside it
// except those of phonetic runs; the reader ends on the element's end.
QString stringItemText(QXmlStreamReader& xml)
{
    QString text;
    const QString outer = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (xml.name() == QLatin1String("t") && phonetic == 0)
                text += xml.readElementText();
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("rPh"))
                --phonetic;
            else if (xml.name() == outer)
                break;
        }
    }
    return unescapeXString(text);
}

void checked(const QXmlStreamReader& xml, const QString& part)
{
    if (xml.hasError())
        fail(QStringLiteral("%1 is damaged: %2").arg(part, xml.errorString()));
}

QString relationshipsPartOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

struct Relationship {
    QString type;
    QString target;
};

// Walks every start element of a part, calling f with the reader on it.
template <typename F>
void forEachElement(const QByteArray& data, const QString& part, F&& f)
{
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement())
            f(xml);
    }
    checked(xml, part);
}

QHash<QString, Relationship> readRelationships(const ZipReader& zip, const QString& part)
{
    QHash<QString, Relationship> rels;
    const QString relsPart = relationshipsPartOf(part);
    if (!zip.contains(relsPart))
        return rels;
    forEachElement(zip.read(relsPart), relsPart, [&](QXmlStreamReader& xml) {
        if (xml.name() != QLatin1String("Relationship"))
            return;
        const auto a = xml.attributes();
        if (a.value(QLatin1String("TargetMode")) != QLatin1String("External"))
            rels.insert(a.value(QLatin1String("Id")).toString(),
                        {a.value(QLatin1String("Type")).toString(),
                         zip::resolvePartName(part, a.value(QLatin1String("Target")).toString())});
    });
    return rels;
}

bool endsWithType(const QString& type, const char* last)
{
    return type.endsWith(QLatin1Char('/') + QLatin1String(last));
}

// "B12" -> (12, 2); false for anything that is no cell reference within the sheet.
bool parseReference(QStringView ref, std::int32_t& row, std::int32_t& col)
{
    qsizetype i = 0;
    std::int64_t c = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 128) {
        c = c * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        if (c > 16384)
            return false;
        ++i;
    }
    if (i == 0 || i == ref.size())
        return false;
    bool ok = false;
    const long long r = ref.mid(i).toLongLong(&ok);
    if (!ok || r < 1 || r > 1048576)
        return false;
    row = static_cast<std::int32_t>(r);
    col = static_cast<std::int32_t>(c);
    return true;
}

struct Styles {
    QHash<int, QString> customFormats;
    std::vector<int> cellFormatIds;  // numFmtId of each cellXfs entry

    QString formatOfStyle(int style) const
    {
        if (style < 0 || static_cast<std::size_t>(style) >= cellFormatIds.size())
            return QStringLiteral("General");
        const int id = cellFormatIds[static_cast<std::size_t>(style)];
        return customFormats.contains(id) ? customFormats.value(id) : builtInFormatCode(id);
    }
};

Styles readStyles(const ZipReader& zip, const QString& part)
{
    Styles styles;
    if (part.isEmpty() || !zip.contains(part))
        return styles;
    bool inCellXfs = false;
    QXmlStreamReader xml(zip.read(part));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto a = xml.attributes();
            if (xml.name() == QLatin1String("numFmt"))
                styles.customFormats.insert(a.value(QLatin1String("numFmtId")).toInt(),
                                            a.value(QLatin1String("formatCode")).toString());
            else if (xml.name() == QLatin1String("cellXfs"))
                inCellXfs = true;
            else if (inCellXfs && xml.name() == QLatin1String("xf"))
                styles.cellFormatIds.push_back(a.value(QLatin1String("numFmtId")).toInt());
        } else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = false;
        }
    }
    checked(xml, part);
    return styles;
}

std::vector<QString> readSharedStrings(const ZipReader& zip, const QString& part)
{
    std::vector<QString> strings;
    if (part.isEmpty() || !zip.contains(part))
        return strings;
    forEachElement(zip.read(part), part, [&](QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("si"))
            strings.push_back(stringItemText(xml));
    });
    return strings;
}

void readSheet(const ZipReader& zip, const QString& part, const std::vector<QString>& shared,
               const Styles& styles, SheetData& sheet)
{
    QXmlStreamReader xml(zip.read(part));
    std::int32_t row = 0;
    std::int32_t col = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("row")) {
            // Rows and cells without a reference follow the one before.
            const int r = a.value(QLatin1String("r")).toInt();
            row = r > 0 ? r : row + 1;
            col = 0;
            continue;
        }
        if (xml.name() != QLatin1String("c"))
            continue;
        std::int32_t r = row;
        std::int32_t c = col + 1;
        const auto ref = a.value(QLatin1String("r"));
        if (!ref.isEmpty() && !parseReference(ref, r, c))
            fail(QStringLiteral("%1 holds a bad cell reference").arg(part));
        row = r;
        col = c;
        const QString type = a.value(QLatin1String("t")).toString();
        CellData cell;
        cell.formatCode = styles.formatOfStyle(a.value(QLatin1String("s")).toInt());
        QString value;
        bool hasValue = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("v")) {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.isStartElement() && xml.name() == QLatin1String("is")) {
                value = stringItemText(xml);
                hasValue = true;
            } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
                break;
            }
        }
        if (!hasValue)
            continue;  // a cell with a style only is empty
        bool ok = true;
        if (type == QLatin1String("s")) {
            const long long index = value.toLongLong(&ok);
            if (!ok || index < 0 || static_cast<std::size_t>(index) >= shared.size())
                fail(QStringLiteral("%1 refers to a shared string that does not exist").arg(part));
            cell.kind = CellData::Kind::String;
            cell.text = shared[static_cast<std::size_t>(index)];
        } else if (type == QLatin1String("inlineStr") || type == QLatin1String("str")) {
            cell.kind = CellData::Kind::String;
            cell.text = type == QLatin1String("str") ? unescapeXString(value) : value;
        } else if (type == QLatin1String("b")) {
            cell.kind = CellData::Kind::Boolean;
            cell.number = value.trimmed() == QLatin1String("1") ? 1.0 : 0.0;
        } else if (type == QLatin1String("e")) {
            cell.kind = CellData::Kind::Error;
            cell.text = value.trimmed();
        } else {
            cell.number = value.trimmed().toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("%1 holds a number that cannot be read").arg(part));
        }
        sheet.cells[{r, c}] = std::move(cell);
    }
    checked(xml, part);
}

}  // namespace

QString builtInFormatCode(int id)
{
    switch (id) {
    case 1: return QStringLiteral("0");
    case 2: return QStringLiteral("0.00");
    case 3: return QStringLiteral("#,##0");
    case 4: return QStringLiteral("#,##0.00");
    case 5: return QStringLiteral("\"$\"#,##0_);\\(\"$\"#,##0\\)");
    case 6: return QStringLiteral("\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)");
    case 7: return QStringLiteral("\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)");
    case 8: return QStringLiteral("\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)");
    case 9: return QStringLiteral("0%");
    case 10: return QStringLiteral("0.00%");
    case 11: return QStringLiteral("0.00E+00");
    case 12: return QStringLiteral("# ?/?");
    case 13: return QStringLiteral("# ?\?/?\?");
    case 14: return QStringLiteral("m/d/yyyy");
    case 15: return QStringLiteral("d-mmm-yy");
    case 16: return QStringLiteral("d-mmm");
    case 17: return QStringLiteral("mmm-yy");
    case 18: return QStringLiteral("h:mm AM/PM");
    case 19: return QStringLiteral("h:mm:ss AM/PM");
    case 20: return QStringLiteral("h:mm");
    case 21: return QStringLiteral("h:mm:ss");
    case 22: return QStringLiteral("m/d/yyyy h:mm");
    case 37: return QStringLiteral("#,##0 ;(#,##0)");
    case 38: return QStringLiteral("#,##0 ;[Red](#,##0)");
    case 39: return QStringLiteral("#,##0.00;(#,##0.00)");
    case 40: return QStringLiteral("#,##0.00;[Red](#,##0.00)");
    case 41: return QStringLiteral("_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)");
    case 42: return QStringLiteral("_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)");
    case 43: return QStringLiteral("_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"??_);_(@_)");
    case 44: return QStringLiteral("_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)");
    case 45: return QStringLiteral("mm:ss");
    case 46: return QStringLiteral("[h]:mm:ss");
    case 47: return QStringLiteral("mm:ss.0");
    case 48: return QStringLiteral("##0.0E+0");
    case 49: return QStringLiteral("@");
    default: return QStringLiteral("General");
    }
}

WorkbookData readXlsx(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("the file \"%1\" cannot be opened").arg(path));
    std::unique_ptr<ZipReader> zip;
    try {
        zip = std::make_unique<ZipReader>(file.readAll());
    } catch (const ZipError&) {
        fail(QStringLiteral("\"%1\" is not a workbook this program can read").arg(path));
    }
    try {
        QString workbookPart = QStringLiteral("xl/workbook.xml");
        for (const Relationship& rel : readRelationships(*zip, QString()))
            if (endsWithType(rel.type, "officeDocument"))
                workbookPart = rel.target;
        if (!zip->contains(workbookPart))
            fail(QStringLiteral("\"%1\" holds no workbook").arg(path));

        const auto rels = readRelationships(*zip, workbookPart);
        QString stylesPart, stringsPart;
        for (const Relationship& rel : rels) {
            if (endsWithType(rel.type, "styles"))
                stylesPart = rel.target;
            else if (endsWithType(rel.type, "sharedStrings"))
                stringsPart = rel.target;
        }
        const Styles styles = readStyles(*zip, stylesPart);
        const std::vector<QString> shared = readSharedStrings(*zip, stringsPart);

        WorkbookData book;
        std::vector<std::pair<QString, QString>> sheets;  // name, part
        forEachElement(zip->read(workbookPart), workbookPart, [&](QXmlStreamReader& xml) {
            const auto a = xml.attributes();
            if (xml.name() == QLatin1String("workbookPr")) {
                const auto v = a.value(QLatin1String("date1904"));
                book.date1904 = v == QLatin1String("1") || v == QLatin1String("true");
            } else if (xml.name() == QLatin1String("sheet")) {
                QString id;
                for (const auto& attr : a)
                    if (attr.name() == QLatin1String("id"))
                        id = attr.value().toString();
                const auto rel = rels.constFind(id);
                // Chart sheets are sheets but not worksheets.
                if (rel != rels.constEnd() && endsWithType(rel->type, "worksheet"))
                    sheets.emplace_back(a.value(QLatin1String("name")).toString(), rel->target);
            }
        });
        for (const auto& [name, part] : sheets) {
            SheetData sheet;
            sheet.name = name;
            if (!zip->contains(part))
                fail(QStringLiteral("the sheet \"%1\" is missing from the file").arg(name));
            readSheet(*zip, part, shared, styles, sheet);
            book.worksheets.push_back(std::move(sheet));
        }
        return book;
    } catch (const ZipError& e) {
        fail(e.description());
    }
}

}  // namespace tovu::platform::excel
