// XMLFileToTreeView through the dispatch interface: the node tree in a host tree view (in
// memory and over a Qt tree widget), expansion, the class names tried and every status.
#include "ControlFixture.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/widgets/WidgetViews.h"
#include "platform/office/xml/DomDocument.h"

#include <QFile>
#include <QTreeWidget>

namespace tovu::control::testing {
namespace {

namespace controls = tovu::platform::controls;

class XmlTreeTest : public ControlTest {
protected:
    std::shared_ptr<controls::MemoryTreeView> tree = std::make_shared<controls::MemoryTreeView>();
    automation::DispatchRef tv = controls::treeViewDispatch(tree);

    QString xmlFile(const QByteArray& bytes)
    {
        QFile f(file(QStringLiteral("t.xml")));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    // Every node as depth-indented text.
    QStringList nodes() const
    {
        QStringList out;
        for (int n = 1; n <= tree->nodeCount(); ++n) {
            int depth = 0;
            for (int p = tree->parentOf(n); p; p = tree->parentOf(p))
                ++depth;
            out << QString(depth * 2, QLatin1Char(' ')) + tree->nodeText(n);
        }
        return out;
    }
};

TEST_F(XmlTreeTest, ElementsInBracketsTextsAsTextAttributesLeftOut)
{
    const QString path = xmlFile("<?xml version=\"1.0\"?>\r\n<a id=\"7\">\r\n <b>hi</b>\r\n <!--c-->\r\n"
                                 " <d>x &amp; &#233;<e/></d>\r\n</a>\r\n");
    ASSERT_EQ(status("XMLFileToTreeView", {Variant(path), Variant(tv)}), 1);
    EXPECT_EQ(nodes(), QStringList({"<a>", "  <b>", "    hi", "  <#comment>", "  <d>", QStringLiteral("    x & \u00e9"),
                                    "    <e>"}));
    for (int n = 1; n <= tree->nodeCount(); ++n)
        EXPECT_FALSE(tree->isExpanded(n)) << n;
}

TEST_F(XmlTreeTest, ExpandAllAndNodesAlreadyThereStay)
{
    tree->addNode(0, QStringLiteral("old"));
    ASSERT_EQ(status("XMLFileToTreeView", {Variant(xmlFile("<a><b>hi</b></a>")), Variant(tv), Variant(true)}), 1);
    EXPECT_EQ(nodes(), QStringList({"old", "<a>", "  <b>", "    hi"}));
    EXPECT_FALSE(tree->isExpanded(1));
    for (int n = 2; n <= 4; ++n)
        EXPECT_TRUE(tree->isExpanded(n)) << n;
}

TEST_F(XmlTreeTest, OverAQtTreeWidget)
{
    ensureGui();
    QTreeWidget widget;
    ASSERT_EQ(status("XMLFileToTreeView", {Variant(xmlFile("<a><b>hi</b><c/></a>")),
                                           Variant(controls::treeViewDispatch(&widget)), Variant(true)}),
              1);
    ASSERT_EQ(widget.topLevelItemCount(), 1);
    QTreeWidgetItem* a = widget.topLevelItem(0);
    EXPECT_EQ(a->text(0), QStringLiteral("<a>"));
    ASSERT_EQ(a->childCount(), 2);
    EXPECT_EQ(a->child(0)->child(0)->text(0), QStringLiteral("hi"));
    EXPECT_TRUE(a->isExpanded());
}

TEST_F(XmlTreeTest, StatusCodes)
{
    EXPECT_EQ(status("XMLFileToTreeView", {Variant(file(QStringLiteral("none.xml"))), Variant(tv)}), -2);
    EXPECT_EQ(status("XMLFileToTreeView", {Variant(xmlFile("<a><b></a>")), Variant(tv)}), -3);
    EXPECT_EQ(tree->nodeCount(), 0);
    // No tree view given: the file still loads, adding fails step by step.
    EXPECT_EQ(status("XMLFileToTreeView", {Variant(xmlFile("<a/>")), Variant::nothing()}), 1);
}

TEST_F(XmlTreeTest, ClassNamesTriedInOrderUntilOneCanBeCreated)
{
    QStringList tried;
    control.setObjectCreator([&](const QString& progId) {
        tried << progId;
        if (progId != QLatin1String("Msxml2.DOMDocument.2.6"))
            throw automation::AutomationError::standard(automation::ErrorNumber::CannotCreateObject);
        return platform::xml::createDomDocument();
    });
    ASSERT_EQ(status("XMLFileToTreeView", {Variant(xmlFile("<a/>")), Variant(tv)}), 1);
    EXPECT_EQ(tried, QStringList({"Msxml2.DOMDocument.4.0", "Msxml2.DOMDocument.3.0", "Msxml2.DOMDocument.2.6"}));
    EXPECT_EQ(nodes(), QStringList({"<a>"}));

    tried.clear();
    control.setObjectCreator([&](const QString& progId) -> automation::DispatchRef {
        tried << progId;
        throw automation::AutomationError::standard(automation::ErrorNumber::CannotCreateObject);
    });
    EXPECT_EQ(status("XMLFileToTreeView", {Variant(xmlFile("<a/>")), Variant(tv)}), -1);
    EXPECT_EQ(tried.size(), 4);
    EXPECT_EQ(tried.last(), QStringLiteral("Msxml.DOMDocument"));
}

} // namespace
} // namespace tovu::control::testing
