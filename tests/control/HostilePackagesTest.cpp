// Documents a host may be handed by anyone: damaged and hostile packages are refused with
// the method's status, the process and the control carry on.
#include "ControlFixture.h"
#include "platform/zip/ZipArchive.h"

#include <QFile>
#include <functional>

namespace tovu::control::testing {
namespace {

namespace zip = platform::zip;

class HostilePackagesTest : public ControlTest {
protected:
    // OpenDocument with a file, Word hidden.
    std::int16_t open(const QString& path)
    {
        return status("OpenDocument", {Variant(path), Variant(false), Variant(QString()), Variant(QString()),
                                       Variant(QString()), Variant(true)});
    }

    // A clean document's package with its parts changed by edit (name -> bytes; an empty
    // value takes the part out), written to a file of its own.
    QString variant(const QString& name, const std::function<void(QMap<QString, QByteArray>&)>& edit)
    {
        QFile clean(makeDocx(QStringLiteral("clean.docx")));
        EXPECT_TRUE(clean.open(QIODevice::ReadOnly));
        const zip::ZipReader reader(clean.readAll());
        QStringList order = reader.names();
        QMap<QString, QByteArray> parts;
        for (const QString& part : order)
            parts[part] = reader.read(part);
        edit(parts);
        zip::ZipWriter writer;
        for (const QString& part : parts.keys())
            if (!order.contains(part))
                order << part;
        for (const QString& part : order)
            if (!parts.value(part).isEmpty())
                writer.add(part, parts.value(part));
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(writer.finish());
        return out.fileName();
    }
};

// One more relationship in a part's relationships.
void addRelationship(QMap<QString, QByteArray>& parts, const QString& relsPart, const QByteArray& type, const QByteArray& target)
{
    QByteArray& rels = parts[relsPart];
    rels.replace("</Relationships>", "<Relationship Id=\"rIdHostile\" Type=\"http://schemas.openxmlformats.org/"
                                     "officeDocument/2006/relationships/" + type + "\" Target=\"" + target +
                                         "\"/></Relationships>");
}

TEST_F(HostilePackagesTest, DamagedAndHostilePackagesGiveMinusTwoWithoutACrash)
{
    const QString docRels = QStringLiteral("word/_rels/document.xml.rels");
    const QString pkgRels = QStringLiteral("_rels/.rels");
    const QString main = QStringLiteral("word/document.xml");
    struct Case {
        const char* name;
        std::function<void(QMap<QString, QByteArray>&)> edit;
    };
    const Case cases[] = {
        {"image above the root.docx", [&](auto& p) { addRelationship(p, docRels, "image", "../../../../../etc/passwd"); }},
        {"header above the root.docx", [&](auto& p) { addRelationship(p, docRels, "header", "../../header1.xml"); }},
        {"absolute above the root.docx", [&](auto& p) { addRelationship(p, docRels, "image", "/../../etc/passwd"); }},
        {"package relationship above.docx", [&](auto& p) { addRelationship(p, pkgRels, "custom-properties", "../../../x.xml"); }},
        {"main part above the root.docx",
         [&](auto& p) {
             p[pkgRels].replace("Target=\"word/document.xml\"", "Target=\"../../word/document.xml\"");
         }},
        {"main part missing.docx", [&](auto& p) { p.remove(main); }},
        {"no content types.docx", [&](auto& p) { p.remove(QStringLiteral("[Content_Types].xml")); }},
        {"no relationships.docx", [&](auto& p) { p.remove(pkgRels); }},
        {"damaged text.docx", [&](auto& p) { p[main].replace("</w:body>", "<w:p></w:body>"); }},
        {"damaged relationships.docx", [&](auto& p) { p[docRels] = "<Relationships><Relationship"; }},
        {"entity expansion.docx",
         [&](auto& p) {
             QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE w:document [<!ENTITY a \"aaaaaaaaaa\">";
             for (char c = 'b'; c <= 'j'; ++c)
                 laughs += QByteArray("<!ENTITY ") + c + " \"" + QByteArray(10, '&').replace("&", QByteArray("&") + char(c - 1) + ";") + "\">";
             laughs += "]>";
             p[main] = laughs + p[main].mid(p[main].indexOf("<w:document")).replace("content", "&j;");
         }},
    };
    for (const Case& c : cases) {
        const QString path = variant(QLatin1String(c.name), c.edit);
        EXPECT_EQ(open(path), -2) << c.name;
    }
    QFile truncated(file(QStringLiteral("truncated.docx")));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    QFile clean(file(QStringLiteral("clean.docx")));
    ASSERT_TRUE(clean.open(QIODevice::ReadOnly));
    truncated.write(clean.readAll().left(300));
    truncated.close();
    EXPECT_EQ(open(truncated.fileName()), -2);
    // The control still opens a sound document.
    EXPECT_EQ(open(makeDocx(QStringLiteral("sound.docx"))), 1);
    EXPECT_EQ(status("DocumentCount"), 1);
}

}  // namespace
}  // namespace tovu::control::testing
