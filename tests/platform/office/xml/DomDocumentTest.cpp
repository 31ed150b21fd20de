// The XML document object by member name: loading, parse errors, the node tree with its
// names and texts, entities expanded and external ones never read.
#include "platform/automation/AutomationError.h"
#include "platform/office/xml/DomDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovu::platform::xml {
namespace {

using automation::DispatchRef;
using automation::Variant;

class DomTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    DispatchRef doc = createDomDocument();

    QString write(const QByteArray& bytes)
    {
        const QString path = dir.filePath(QStringLiteral("f.xml"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    bool load(const QByteArray& bytes) { return doc->call(QStringLiteral("Load"), {Variant(write(bytes))}).toBoolean(); }
    std::int32_t errorCode()
    {
        return doc->get(QStringLiteral("parseError")).toObject()->get(QStringLiteral("errorCode")).toLong();
    }
    // The node tree below node as "name[children]" text, texts as their values.
    QString outline(const DispatchRef& node)
    {
        const QString name = node->get(QStringLiteral("nodeName")).toString();
        QString out = name == QLatin1String("#text") ? node->get(QStringLiteral("nodeTypedValue")).toString() : name;
        const DispatchRef kids = node->get(QStringLiteral("childNodes")).toObject();
        const int n = kids->get(QStringLiteral("length")).toLong();
        if (n == 0)
            return out;
        out += QLatin1Char('[');
        for (int i = 0; i < n; ++i)
            out += (i ? QStringLiteral(",") : QString()) + outline(kids->call(QStringLiteral("Item"), {Variant(i)}).toObject());
        return out + QLatin1Char(']');
    }
};

TEST_F(DomTest, TheClassNamesAreTheDomDocumentsOnly)
{
    for (const char* name : {"Msxml2.DOMDocument.4.0", "msxml2.domdocument.3.0", "Msxml2.DOMDocument.2.6", "Msxml.DOMDocument"})
        EXPECT_TRUE(isDomDocumentClass(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(isDomDocumentClass(QStringLiteral("Msxml2.DOMDocument.5.0")));
    EXPECT_FALSE(isDomDocumentClass(QStringLiteral("ADODB.Recordset")));
}

TEST_F(DomTest, TreeOfElementsTextsCommentsAndInstructions)
{
    doc->put(QStringLiteral("async"), Variant(false));
    ASSERT_TRUE(load("<?xml version=\"1.0\"?>\n<a x=\"1\">\n  <b>hi &amp; &lt;there&gt;</b>\n  <!-- note -->\n"
                     "  <?pi data?>\n  <c/><![CDATA[raw <x>]]></a>\n"));
    EXPECT_EQ(errorCode(), 0);
    EXPECT_EQ(doc->get(QStringLiteral("readyState")).toLong(), 4);
    EXPECT_EQ(outline(doc->get(QStringLiteral("documentElement")).toObject()),
              QStringLiteral("a[b[hi & <there>],#comment,pi,c,#cdata-section]"));
    const DispatchRef kids = doc->get(QStringLiteral("documentElement")).toObject()->get(QStringLiteral("childNodes")).toObject();
    EXPECT_TRUE(kids->call(QStringLiteral("Item"), {Variant(99)}).isNothing());
}

TEST_F(DomTest, NotWellFormedLoadsNothingAndAMissingFileRaises)
{
    EXPECT_FALSE(load("<a><b></a>"));
    EXPECT_NE(errorCode(), 0);
    EXPECT_TRUE(doc->get(QStringLiteral("documentElement")).isNothing());
    EXPECT_TRUE(load("<a/>"));
    EXPECT_EQ(errorCode(), 0);
    EXPECT_THROW(doc->call(QStringLiteral("Load"), {Variant(dir.filePath(QStringLiteral("none.xml")))}),
                 automation::AutomationError);
}

TEST_F(DomTest, ExternalEntitiesAreNeverRead)
{
    const QString secret = dir.filePath(QStringLiteral("secret.txt"));
    QFile s(secret);
    ASSERT_TRUE(s.open(QIODevice::WriteOnly));
    s.write("SECRET");
    s.close();
    const QByteArray xml = "<!DOCTYPE a [<!ENTITY e SYSTEM \"file://" + secret.toUtf8() + "\">]><a>&e;</a>";
    load(xml);
    const DispatchRef root = doc->get(QStringLiteral("documentElement")).toObject();
    if (root) {
        EXPECT_FALSE(outline(root).contains(QStringLiteral("SECRET")));
    }
}

} // namespace
} // namespace tovu::platform::xml
