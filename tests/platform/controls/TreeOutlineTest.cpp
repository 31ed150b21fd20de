// The tree view's outline members (PathSeparator, FullPath, Children, Child, Next), over the
// in-memory tree and over a tree widget, which may already hold nodes.
#include "platform/controls/TreeView.h"
#include "platform/controls/widgets/WidgetViews.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

namespace tovu::platform::controls {
namespace {

QString textOf(const Variant& node)
{
    return node.isNothing() ? QStringLiteral("Nothing") : node.toObject()->get(QStringLiteral("Text")).toString();
}

// A with children B (child D) and C, then E at the top: added B, C, E, D in that order, so
// D comes last in the collection although it sits under B.
void checkOutline(const DispatchRef& tv)
{
    const DispatchRef nodes = tv->get(QStringLiteral("Nodes")).toObject();
    const auto add = [&](std::int32_t parent, const char* text) {
        return nodes->call(QStringLiteral("Add"), {parent ? Variant(parent) : Variant::missing(),
                                                   Variant(std::int32_t{tvwChild}), Variant(QString()),
                                                   Variant(QString::fromLatin1(text))});
    };
    add(0, "A"), add(1, "B"), add(1, "C"), add(0, "E"), add(2, "D");
    const auto node = [&](std::int32_t k) { return nodes->call(QStringLiteral("Item"), {Variant(k)}).toObject(); };

    EXPECT_EQ(tv->get(QStringLiteral("PathSeparator")).toString(), QStringLiteral("\\"));
    EXPECT_EQ(node(5)->get(QStringLiteral("FullPath")).toString(), QStringLiteral("A\\B\\D"));
    tv->put(QStringLiteral("PathSeparator"), Variant(QStringLiteral("~")));
    EXPECT_EQ(node(5)->get(QStringLiteral("FullPath")).toString(), QStringLiteral("A~B~D"));
    EXPECT_EQ(node(4)->get(QStringLiteral("FullPath")).toString(), QStringLiteral("E"));

    EXPECT_EQ(node(1)->get(QStringLiteral("Children")).toLong(), 2);
    EXPECT_EQ(node(2)->get(QStringLiteral("Children")).toLong(), 1);
    EXPECT_EQ(node(5)->get(QStringLiteral("Children")).toLong(), 0);
    EXPECT_EQ(textOf(node(1)->get(QStringLiteral("Child"))), QStringLiteral("B"));
    EXPECT_EQ(textOf(node(2)->get(QStringLiteral("Child"))), QStringLiteral("D"));
    EXPECT_EQ(textOf(node(3)->get(QStringLiteral("Child"))), QStringLiteral("Nothing"));
    EXPECT_EQ(textOf(node(1)->get(QStringLiteral("Next"))), QStringLiteral("E"));
    EXPECT_EQ(textOf(node(2)->get(QStringLiteral("Next"))), QStringLiteral("C"));
    EXPECT_EQ(textOf(node(3)->get(QStringLiteral("Next"))), QStringLiteral("Nothing"));
    EXPECT_EQ(textOf(node(4)->get(QStringLiteral("Next"))), QStringLiteral("Nothing"));
}

TEST(TreeOutline, InMemory)
{
    checkOutline(treeViewDispatch(std::make_shared<MemoryTreeView>()));
}

TEST(TreeOutline, OverATreeWidget)
{
    QTreeWidget widget;
    checkOutline(treeViewDispatch(&widget));
    // A widget that already holds its items is numbered in outline order.
    QTreeWidget filled;
    auto* top = new QTreeWidgetItem(&filled, QStringList{QStringLiteral("root")});
    new QTreeWidgetItem(top, QStringList{QStringLiteral("leaf 1")});
    new QTreeWidgetItem(top, QStringList{QStringLiteral("leaf 2")});
    const DispatchRef nodes = treeViewDispatch(&filled)->get(QStringLiteral("Nodes")).toObject();
    const DispatchRef leaf = nodes->call(QStringLiteral("Item"), {Variant(std::int32_t{2})}).toObject();
    EXPECT_EQ(leaf->get(QStringLiteral("FullPath")).toString(), QStringLiteral("root\\leaf 1"));
    EXPECT_EQ(textOf(leaf->get(QStringLiteral("Next"))), QStringLiteral("leaf 2"));
}

} // namespace
} // namespace tovu::platform::controls
