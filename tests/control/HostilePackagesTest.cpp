// Documents a host may be handed by anyone: damaged and hostile packages are refused with
// the method's status, the process and the control carry on.
#include "ControlFixture.h"
#include "support/PackageEdit.h"

#include <QFile>
#include <functional>

namespace tovu::control::testing {
namespace {

class HostilePackagesTest : public ControlTest {
protected:
    // OpenDocument with a file, Word hidden.
    std::int16_t open(const QString& path)
    {
        return status("OpenDocument", {Variant(path), Variant(false), Variant(QString()), Variant(QString()),
                                       Variant(QString()), Variant(true)});
    }

    // A clean document's package with its parts changed by edit, written to a file of its own.
    QString variant(const QString& name, const std::function<void(QMap<QString, QByteArray>&)>& edit)
    {
        QFile clean(makeDocx(QStringLiteral("clean.docx")));
        EXPECT_TRUE(clean.open(QIODevice::ReadOnly));
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(tovu::testing::editedPackage(clean.readAll(), edit));
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
        {"entry above the root.docx", [&](auto& p) { p[QStringLiteral("../../evil.xml")] = "<x/>"; }},
        {"main part missing.docx", [&](auto& p) { p.remove(main); }},
        {"no content types.docx", [&](auto& p) { p.remove(QStringLiteral("[Content_Types].xml")); }},
        {"no relationships.docx", [&](auto& p) { p.remove(pkgRels); }},
        {"damaged text.docx", [&](auto& p) { p[main].replace("</w:body>", "<w:p></w:body>"); }},
        {"damaged relationships.docx", [&](auto& p) { p[docRels] = "<Relationships><Relationship"; }},
        {"entity expansion.docx",
         [&](auto& p) {
             // Ten to the tenth laughs if every entity were expanded.
             QByteArray dtd = "<?xml version=\"1.0\"?><!DOCTYPE w:document [<!ENTITY e0 \"laugh\">";
             for (int i = 1; i <= 10; ++i)
                 dtd += "<!ENTITY e" + QByteArray::number(i) + " \"" + ("&e" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
             p[main] = dtd + "]>" + p[main].mid(p[main].indexOf("<w:document")).replace("content", "&e10;");
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
