// Small .xlsx workbooks for tests, written part by part as a spreadsheet program writes them
// (prefixed namespaces, relationships, shared strings, styles), so that the reader is tried
// on the package's own structure rather than on a shape of our choosing.
#pragma once

#include "platform/zip/ZipArchive.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace tovu::testing {

class XlsxWriter {
public:
    // Starts a worksheet; the cells that follow go into it.
    XlsxWriter& sheet(const QString& name)
    {
        sheets_.push_back({name, false, {}});
        return *this;
    }
    // A chart sheet: a sheet of the workbook that is no worksheet.
    XlsxWriter& chartSheet(const QString& name)
    {
        sheets_.push_back({name, true, {}});
        return *this;
    }
    // The style index of a cell format with this number format code (a custom one).
    int format(const QString& code)
    {
        const int id = 164 + static_cast<int>(customFormats_.size());
        customFormats_.push_back({id, code});
        cellFormats_.push_back(id);
        return static_cast<int>(cellFormats_.size()) - 1;
    }
    // The style index of a cell format with a built-in number format.
    int builtInFormat(int id)
    {
        cellFormats_.push_back(id);
        return static_cast<int>(cellFormats_.size()) - 1;
    }
    XlsxWriter& date1904()
    {
        date1904_ = true;
        return *this;
    }

    XlsxWriter& number(const QString& ref, const QString& value, int style = 0)
    {
        return cell(ref, {}, style, QStringLiteral("<x:v>%1</x:v>").arg(value));
    }
    XlsxWriter& shared(const QString& ref, const QString& text, int style = 0)
    {
        return sharedRich(ref, QStringLiteral("<x:t xml:space=\"preserve\">%1</x:t>").arg(escaped(text)), style);
    }
    // A shared string item given as its XML (runs, phonetic runs).
    XlsxWriter& sharedRich(const QString& ref, const QString& itemXml, int style = 0)
    {
        strings_ << itemXml;
        return cell(ref, QStringLiteral("s"), style, QStringLiteral("<x:v>%1</x:v>").arg(strings_.size() - 1));
    }
    XlsxWriter& inlineString(const QString& ref, const QString& text)
    {
        return cell(ref, QStringLiteral("inlineStr"), 0,
                    QStringLiteral("<x:is><x:t>%1</x:t></x:is>").arg(escaped(text)));
    }
    XlsxWriter& formulaString(const QString& ref, const QString& formula, const QString& cached)
    {
        return cell(ref, QStringLiteral("str"), 0,
                    QStringLiteral("<x:f>%1</x:f><x:v>%2</x:v>").arg(escaped(formula), escaped(cached)));
    }
    XlsxWriter& boolean(const QString& ref, bool value)
    {
        return cell(ref, QStringLiteral("b"), 0, QStringLiteral("<x:v>%1</x:v>").arg(value ? 1 : 0));
    }
    XlsxWriter& error(const QString& ref, const QString& text)
    {
        return cell(ref, QStringLiteral("e"), 0, QStringLiteral("<x:f>1/0</x:f><x:v>%1</x:v>").arg(text));
    }
    // A cell with a style and no value, as a formatted empty cell is stored.
    XlsxWriter& styledEmpty(const QString& ref, int style) { return cell(ref, {}, style, {}); }
    // Raw row XML, for rows and cells written without references.
    XlsxWriter& rawRow(int row, const QString& xml)
    {
        sheets_.back().rows[row] += xml;
        return *this;
    }

    QByteArray package() const
    {
        const QString main = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
        const QString rel = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
        const QString pkg = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
        platform::zip::ZipWriter zip;
        QString types = QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
            "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>");
        zip.add(QStringLiteral("[Content_Types].xml"), types.toUtf8());
        zip.add(QStringLiteral("_rels/.rels"),
                QStringLiteral("<?xml version=\"1.0\"?><Relationships xmlns=\"%1\"><Relationship Id=\"rId1\" "
                               "Type=\"%2/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>")
                    .arg(pkg, rel)
                    .toUtf8());
        QString sheetList, rels;
        for (std::size_t i = 0; i < sheets_.size(); ++i) {
            const Sheet& s = sheets_[i];
            const QString id = QStringLiteral("rId%1").arg(i + 1);
            const QString part = s.chart ? QStringLiteral("chartsheets/sheet%1.xml").arg(i + 1)
                                         : QStringLiteral("worksheets/sheet%1.xml").arg(i + 1);
            sheetList += QStringLiteral("<x:sheet name=\"%1\" sheetId=\"%2\" r:id=\"%3\"/>").arg(escaped(s.name)).arg(i + 1).arg(id);
            rels += QStringLiteral("<Relationship Id=\"%1\" Type=\"%2/%3\" Target=\"%4\"/>")
                        .arg(id, rel, s.chart ? QStringLiteral("chartsheet") : QStringLiteral("worksheet"), part);
            QString body;
            if (s.chart) {
                body = QStringLiteral("<x:chartsheet xmlns:x=\"%1\"><x:sheetViews/></x:chartsheet>").arg(main);
            } else {
                QString rows;
                for (const auto& [row, cells] : s.rows)
                    rows += row > 0 ? QStringLiteral("<x:row r=\"%1\">%2</x:row>").arg(row).arg(cells)
                                    : cells;  // raw rows without a reference
                body = QStringLiteral("<x:worksheet xmlns:x=\"%1\" xmlns:r=\"%2\"><x:dimension ref=\"A1\"/>"
                                      "<x:sheetData>%3</x:sheetData></x:worksheet>")
                           .arg(main, rel, rows);
            }
            zip.add(QStringLiteral("xl/") + part, (QStringLiteral("<?xml version=\"1.0\"?>") + body).toUtf8());
        }
        const std::size_t n = sheets_.size();
        rels += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"%2/styles\" Target=\"styles.xml\"/>").arg(n + 1).arg(rel);
        rels += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"%2/sharedStrings\" Target=\"/xl/sharedStrings.xml\"/>")
                    .arg(n + 2)
                    .arg(rel);
        zip.add(QStringLiteral("xl/workbook.xml"),
                QStringLiteral("<?xml version=\"1.0\"?><x:workbook xmlns:x=\"%1\" xmlns:r=\"%2\">"
                               "<x:workbookPr%3/><x:sheets>%4</x:sheets></x:workbook>")
                    .arg(main, rel, date1904_ ? QStringLiteral(" date1904=\"1\"") : QString(), sheetList)
                    .toUtf8());
        zip.add(QStringLiteral("xl/_rels/workbook.xml.rels"),
                QStringLiteral("<?xml version=\"1.0\"?><Relationships xmlns=\"%1\">%2</Relationships>").arg(pkg, rels).toUtf8());
        QString formats, xfs;
        for (const auto& [id, code] : customFormats_)
            formats += QStringLiteral("<x:numFmt numFmtId=\"%1\" formatCode=\"%2\"/>").arg(id).arg(escaped(code));
        for (int id : cellFormats_)
            xfs += QStringLiteral("<x:xf numFmtId=\"%1\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>").arg(id);
        zip.add(QStringLiteral("xl/styles.xml"),
                QStringLiteral("<?xml version=\"1.0\"?><x:styleSheet xmlns:x=\"%1\"><x:numFmts count=\"%2\">%3</x:numFmts>"
                               "<x:cellStyleXfs count=\"1\"><x:xf numFmtId=\"0\"/></x:cellStyleXfs>"
                               "<x:cellXfs count=\"%4\">%5</x:cellXfs></x:styleSheet>")
                    .arg(main)
                    .arg(customFormats_.size())
                    .arg(formats)
                    .arg(cellFormats_.size())
                    .arg(xfs)
                    .toUtf8());
        QString items;
        for (const QString& s : strings_)
            items += QStringLiteral("<x:si>%1</x:si>").arg(s);
        zip.add(QStringLiteral("xl/sharedStrings.xml"),
                QStringLiteral("<?xml version=\"1.0\"?><x:sst xmlns:x=\"%1\" count=\"%2\">%3</x:sst>")
                    .arg(main)
                    .arg(strings_.size())
                    .arg(items)
                    .toUtf8());
        return zip.finish();
    }

    void save(const QString& path) const
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(package()) < 0)
            throw std::runtime_error("the test workbook cannot be written");
    }

    static QString escaped(const QString& text) { return text.toHtmlEscaped(); }

private:
    struct Sheet {
        QString name;
        bool chart;
        std::map<int, QString> rows;
    };
    std::vector<Sheet> sheets_;
    QStringList strings_;
    std::vector<std::pair<int, QString>> customFormats_;
    std::vector<int> cellFormats_{0};  // style 0: General
    bool date1904_ = false;

    XlsxWriter& cell(const QString& ref, const QString& type, int style, const QString& inner)
    {
        int row = 0;
        for (QChar c : ref)
            if (c.isDigit())
                row = row * 10 + c.digitValue();
        QString attrs = QStringLiteral(" r=\"%1\"").arg(ref);
        if (style)
            attrs += QStringLiteral(" s=\"%1\"").arg(style);
        if (!type.isEmpty())
            attrs += QStringLiteral(" t=\"%1\"").arg(type);
        sheets_.back().rows[row] += inner.isEmpty() ? QStringLiteral("<x:c%1/>").arg(attrs)
                                                    : QStringLiteral("<x:c%1>%2</x:c>").arg(attrs, inner);
        return *this;
    }
};

}  // namespace tovu::testing
