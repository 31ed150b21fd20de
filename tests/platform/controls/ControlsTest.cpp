// The host controls as the document control reaches them, by member name: each behaviour
// checked once over the in-memory control and once over the Qt widget adapter.
#include "platform/automation/AutomationError.h"
#include "platform/controls/DataGrid.h"
#include "platform/controls/FlexGrid.h"
#include "platform/controls/ListControls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/TextControls.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/widgets/WidgetControls.h"
#include "platform/controls/widgets/WidgetViews.h"
#include "support/AppEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

TOVU_TEST_APPLICATION(QApplication)

namespace tovu::platform::controls {
namespace {

using automation::AutomationError;
using automation::DispatchRef;
using automation::Variant;

Variant L(std::int32_t v) { return Variant(v); }

std::int32_t errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const AutomationError& e) {
        return e.number();
    }
    return 0;
}

// ---- Flex grid ----

void exerciseFlexGrid(const DispatchRef& g)
{
    EXPECT_EQ(g->typeName(), QStringLiteral("MSFlexGrid"));
    g->put(QStringLiteral("Rows"), L(3));
    g->put(QStringLiteral("cols"), L(4));
    EXPECT_EQ(g->get(QStringLiteral("ROWS")).toLong(), 3);
    EXPECT_EQ(g->get(QStringLiteral("Cols")).toLong(), 4);
    // Cells by row and column, and by number row * Cols + column, are the same cells.
    std::vector<Variant> put{L(1), L(2), Variant(QStringLiteral("b"))};
    g->invoke(g->dispIdOfName(QStringLiteral("TextMatrix")), put, automation::CallKind::PropertyPut);
    EXPECT_EQ(g->call(QStringLiteral("Textarray"), {L(1 * 4 + 2)}).toString(), QStringLiteral("b"));
    std::vector<Variant> put2{L(11), Variant(QStringLiteral("last"))};
    g->invoke(g->dispIdOfName(QStringLiteral("TextArray")), put2, automation::CallKind::PropertyPut);
    EXPECT_EQ(g->call(QStringLiteral("TextMatrix"), {L(2), L(3)}).toString(), QStringLiteral("last"));
    g->put(QStringLiteral("Row"), L(2));
    g->put(QStringLiteral("Col"), L(3));
    EXPECT_EQ(g->get(QStringLiteral("Text")).toString(), QStringLiteral("last"));
    std::vector<Variant> width{L(1), L(1500)};
    g->invoke(g->dispIdOfName(QStringLiteral("ColWidth")), width, automation::CallKind::PropertyPut);
    EXPECT_EQ(g->call(QStringLiteral("ColWidth"), {L(1)}).toLong(), 1500);
    // Outside the grid: Invalid property array index.
    EXPECT_EQ(errorOf([&] { g->call(QStringLiteral("TextMatrix"), {L(3), L(0)}); }), kInvalidIndex);
    EXPECT_EQ(errorOf([&] { g->call(QStringLiteral("Textarray"), {L(12)}); }), kInvalidIndex);
    EXPECT_EQ(errorOf([&] { g->call(QStringLiteral("Textarray"), {L(-1)}); }), kInvalidIndex);
    EXPECT_EQ(errorOf([&] { g->put(QStringLiteral("Rows"), L(-1)); }), kInvalidIndex);
    EXPECT_EQ(errorOf([&] { g->call(QStringLiteral("Nothing")); }), automation::ErrorNumber::MemberNotFound);
    // Shrinking keeps the cells that remain.
    g->put(QStringLiteral("Rows"), L(2));
    EXPECT_EQ(g->call(QStringLiteral("TextMatrix"), {L(1), L(2)}).toString(), QStringLiteral("b"));
}

TEST(FlexGrid, InMemory)
{
    exerciseFlexGrid(flexGridDispatch(std::make_shared<MemoryFlexGrid>()));
}

TEST(FlexGrid, OverATableWidget)
{
    QTableWidget table;
    exerciseFlexGrid(flexGridDispatch(&table));
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.item(1, 2)->text(), QStringLiteral("b"));
    EXPECT_EQ(table.columnWidth(1), 100);  // 1500 twips at 15 twips a pixel
}

// ---- Text box and label ----

TEST(TextControls, TextAndCaptionByTheirClassesMembers)
{
    QLineEdit edit(QStringLiteral("typed"));
    QTextEdit rich;
    rich.setPlainText(QStringLiteral("line 1\nline 2"));
    QLabel label(QStringLiteral("Gain"));
    struct Case {
        DispatchRef object;
        QString type;
        QString member;
        QString text;
    };
    const Case cases[] = {
        {textBoxDispatch(&edit), QStringLiteral("TextBox"), QStringLiteral("Text"), QStringLiteral("typed")},
        {richTextBoxDispatch(&rich), QStringLiteral("RichTextBox"), QStringLiteral("Text"), QStringLiteral("line 1\nline 2")},
        {labelDispatch(&label), QStringLiteral("Label"), QStringLiteral("Caption"), QStringLiteral("Gain")},
        {maskedEditDispatch(std::make_shared<MemoryText>(QStringLiteral("12:30"))), QStringLiteral("MaskEdBox"),
         QStringLiteral("text"), QStringLiteral("12:30")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type.toStdString());
        EXPECT_EQ(c.object->typeName(), c.type);
        EXPECT_EQ(c.object->get(c.member).toString(), c.text);
        c.object->put(c.member, Variant(QStringLiteral("new")));
        EXPECT_EQ(c.object->get(c.member).toString(), QStringLiteral("new"));
        // A label has no Text, a text box no Caption.
        const QString other = c.member.compare(QStringLiteral("Caption"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Text")
                                                                                                  : QStringLiteral("Caption");
        EXPECT_EQ(errorOf([&] { c.object->get(other); }), automation::ErrorNumber::MemberNotFound);
    }
    EXPECT_EQ(edit.text(), QStringLiteral("new"));
    EXPECT_EQ(label.text(), QStringLiteral("new"));
}

TEST(TextControls, AWidgetThatIsGoneRaisesObjectRequired)
{
    DispatchRef box;
    {
        QLineEdit edit;
        box = textBoxDispatch(&edit);
    }
    EXPECT_EQ(errorOf([&] { box->get(QStringLiteral("Text")); }), automation::ErrorNumber::ObjectRequired);
}

// ---- List box and combo box ----

void exerciseListBox(const DispatchRef& l)
{
    EXPECT_EQ(l->typeName(), QStringLiteral("ListBox"));
    l->call(QStringLiteral("AddItem"), {Variant(QStringLiteral("A"))});
    l->call(QStringLiteral("AddItem"), {Variant(QStringLiteral("C"))});
    l->call(QStringLiteral("AddItem"), {Variant(QStringLiteral("B")), L(1)});
    EXPECT_EQ(l->get(QStringLiteral("ListCount")).toLong(), 3);
    QStringList entries;
    for (std::int32_t i = 0; i < 3; ++i)
        entries << l->call(QStringLiteral("List"), {L(i)}).toString();
    EXPECT_EQ(entries, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    std::vector<Variant> select{L(2), Variant(true)};
    l->invoke(l->dispIdOfName(QStringLiteral("Selected")), select, automation::CallKind::PropertyPut);
    EXPECT_TRUE(l->call(QStringLiteral("Selected"), {L(2)}).toBoolean());
    EXPECT_FALSE(l->call(QStringLiteral("Selected"), {L(0)}).toBoolean());
    EXPECT_EQ(l->get(QStringLiteral("SelCount")).toLong(), 1);
    EXPECT_EQ(errorOf([&] { l->call(QStringLiteral("List"), {L(3)}); }), kInvalidIndex);
    l->call(QStringLiteral("Clear"));
    EXPECT_EQ(l->get(QStringLiteral("ListCount")).toLong(), 0);
}

TEST(ListControls, ListBoxInMemory)
{
    exerciseListBox(listBoxDispatch(std::make_shared<MemoryList>()));
}

TEST(ListControls, ListBoxOverAListWidget)
{
    QListWidget list;
    list.setSelectionMode(QAbstractItemView::MultiSelection);
    exerciseListBox(listBoxDispatch(&list));
}

TEST(ListControls, ComboBoxTextAndEntries)
{
    QComboBox widget;
    widget.setEditable(true);
    for (const DispatchRef& combo : {comboBoxDispatch(std::make_shared<MemoryList>(std::vector<QString>{}, true)),
                                     comboBoxDispatch(&widget)}) {
        EXPECT_EQ(combo->typeName(), QStringLiteral("ComboBox"));
        combo->call(QStringLiteral("AddItem"), {Variant(QStringLiteral("mm"))});
        combo->call(QStringLiteral("AddItem"), {Variant(QStringLiteral("in"))});
        combo->put(QStringLiteral("ListIndex"), L(1));
        EXPECT_EQ(combo->get(QStringLiteral("Text")).toString(), QStringLiteral("in"));
        combo->put(QStringLiteral("Text"), Variant(QStringLiteral("typed")));
        EXPECT_EQ(combo->get(QStringLiteral("Text")).toString(), QStringLiteral("typed"));
        EXPECT_EQ(combo->get(QStringLiteral("ListCount")).toLong(), 2);
        EXPECT_EQ(errorOf([&] { combo->get(QStringLiteral("SelCount")); }), automation::ErrorNumber::MemberNotFound);
    }
}

// ---- List view ----

void exerciseListView(const DispatchRef& v)
{
    EXPECT_EQ(v->typeName(), QStringLiteral("ListView"));
    const DispatchRef items = v->get(QStringLiteral("ListItems")).toObject();
    for (const char* text : {"first", "second"}) {
        const DispatchRef item = items->call(QStringLiteral("Add"), {Variant::missing(), Variant::missing(),
                                                                     Variant(QString::fromLatin1(text))}).toObject();
        std::vector<Variant> sub{L(1), Variant(QString::fromLatin1(text) + QStringLiteral(" sub"))};
        item->invoke(item->dispIdOfName(QStringLiteral("SubItems")), sub, automation::CallKind::PropertyPut);
    }
    EXPECT_EQ(items->get(QStringLiteral("Count")).toLong(), 2);
    const DispatchRef second = items->call(QStringLiteral("Item"), {L(2)}).toObject();
    EXPECT_EQ(second->get(QStringLiteral("Text")).toString(), QStringLiteral("second"));
    EXPECT_EQ(second->call(QStringLiteral("SubItems"), {L(1)}).toString(), QStringLiteral("second sub"));
    second->put(QStringLiteral("Selected"), Variant(true));
    EXPECT_TRUE(v->get(QStringLiteral("ListItems")).toObject()->call(QStringLiteral("Item"), {L(2)}).toObject()
                    ->get(QStringLiteral("Selected")).toBoolean());
    const DispatchRef headers = v->get(QStringLiteral("ColumnHeaders")).toObject();
    EXPECT_EQ(headers->get(QStringLiteral("Count")).toLong(), 2);
    EXPECT_EQ(headers->call(QStringLiteral("Item"), {L(2)}).toObject()->get(QStringLiteral("Text")).toString(),
              QStringLiteral("Value"));
    EXPECT_EQ(errorOf([&] { items->call(QStringLiteral("Item"), {L(3)}); }), kInvalidIndex);
    EXPECT_EQ(errorOf([&] { items->call(QStringLiteral("Item"), {L(0)}); }), kInvalidIndex);
    v->call(QStringLiteral("SetFocus"));
}

TEST(ListView, InMemory)
{
    auto view = std::make_shared<MemoryListView>(std::vector<QString>{QStringLiteral("Name"), QStringLiteral("Value")});
    exerciseListView(listViewDispatch(view));
    EXPECT_EQ(view->focusCount, 1);
}

TEST(ListView, OverATreeWidget)
{
    QTreeWidget tree;
    tree.setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    tree.setSelectionMode(QAbstractItemView::MultiSelection);
    exerciseListView(listViewDispatch(&tree));
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(tree.topLevelItem(0)->text(1), QStringLiteral("first sub"));
}

// ---- Tree view ----

void exerciseTreeView(const DispatchRef& t)
{
    EXPECT_EQ(t->typeName(), QStringLiteral("TreeView"));
    const DispatchRef nodes = t->get(QStringLiteral("Nodes")).toObject();
    const DispatchRef a = nodes->call(QStringLiteral("Add"), {Variant::missing(), Variant::missing(), Variant::missing(),
                                                              Variant(QStringLiteral("A"))}).toObject();
    const DispatchRef b = nodes->call(QStringLiteral("Add"), {Variant(a), L(tvwChild), Variant(QString()),
                                                              Variant(QStringLiteral("B"))}).toObject();
    nodes->call(QStringLiteral("Add"), {L(2), L(tvwNext), Variant(QString()), Variant(QStringLiteral("C"))});  // B's sibling
    nodes->call(QStringLiteral("Add"), {Variant::missing(), Variant::missing(), Variant::missing(), Variant(QStringLiteral("D"))});
    EXPECT_EQ(nodes->get(QStringLiteral("Count")).toLong(), 4);
    const DispatchRef c = nodes->call(QStringLiteral("Item"), {L(3)}).toObject();
    EXPECT_EQ(c->get(QStringLiteral("Text")).toString(), QStringLiteral("C"));
    EXPECT_EQ(c->get(QStringLiteral("Parent")).toObject()->get(QStringLiteral("Text")).toString(), QStringLiteral("A"));
    EXPECT_TRUE(nodes->call(QStringLiteral("Item"), {L(4)}).toObject()->get(QStringLiteral("Parent")).isNothing());
    b->call(QStringLiteral("EnsureVisible"));
    a->put(QStringLiteral("Expanded"), Variant(true));
    EXPECT_TRUE(a->get(QStringLiteral("Expanded")).toBoolean());
    EXPECT_FALSE(b->get(QStringLiteral("Expanded")).toBoolean());
    a->put(QStringLiteral("Expanded"), Variant(false));
    EXPECT_FALSE(a->get(QStringLiteral("Expanded")).toBoolean());
    nodes->call(QStringLiteral("Item"), {L(1)}).toObject()->put(QStringLiteral("Selected"), Variant(true));
    EXPECT_EQ(t->get(QStringLiteral("SelectedItem")).toObject()->get(QStringLiteral("Index")).toLong(), 1);
    EXPECT_EQ(errorOf([&] { nodes->call(QStringLiteral("Add"), {L(9), L(tvwChild), Variant(QString()), Variant(QStringLiteral("X"))}); }),
              kInvalidIndex);
}

TEST(TreeView, InMemory)
{
    auto tree = std::make_shared<MemoryTreeView>();
    exerciseTreeView(treeViewDispatch(tree));
    EXPECT_TRUE(tree->madeVisible(2));
    EXPECT_FALSE(tree->madeVisible(3));
}

TEST(TreeView, OverATreeWidget)
{
    QTreeWidget widget;
    exerciseTreeView(treeViewDispatch(&widget));
    ASSERT_EQ(widget.topLevelItemCount(), 2);
    EXPECT_EQ(widget.topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(widget.topLevelItem(0)->child(1)->text(0), QStringLiteral("C"));
    EXPECT_EQ(widget.currentItem(), widget.topLevelItem(0));
}

// ---- Data grid ----

// The document control's walk of a data grid: the first VisibleRows records from the
// visible rows in turn, then each further record with the last visible row made current.
std::vector<QStringList> walk(const DispatchRef& dg)
{
    const DispatchRef columns = dg->get(QStringLiteral("Columns")).toObject();
    const int C = columns->get(QStringLiteral("Count")).toLong() - 1;
    const int R = dg->get(QStringLiteral("approxcount")).toLong() - 1;
    const int V = dg->get(QStringLiteral("VisibleRows")).toLong();
    std::vector<QStringList> rows;
    QStringList heading;
    for (int c = 0; c <= C; ++c)
        heading << columns->call(QStringLiteral("Item"), {L(c)}).toObject()->get(QStringLiteral("Caption")).toString();
    rows.push_back(heading);
    int v = 0;
    for (int record = 0; record <= R; ++record) {
        if (v == V)
            v = V - 1;
        else if (dg->get(QStringLiteral("VisibleRows")).toLong() != V)
            v = 0;
        dg->put(QStringLiteral("row"), L(v));
        ++v;
        QStringList row;
        for (int c = 0; c <= C; ++c) {
            dg->put(QStringLiteral("col"), L(c));
            row << dg->get(QStringLiteral("Text")).toString();
        }
        rows.push_back(row);
    }
    dg->call(QStringLiteral("Scroll"), {L(0), L(-R)});
    return rows;
}

TEST(DataGrid, TheWalkReadsEveryRecordOnceAlsoPastTheVisibleRows)
{
    std::vector<std::vector<QString>> records;
    for (int i = 1; i <= 7; ++i)
        records.push_back({QString::number(i), QStringLiteral("r%1").arg(i)});
    QStandardItemModel model(7, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("Id"), QStringLiteral("Name")});
    for (int i = 0; i < 7; ++i)
        for (int c = 0; c < 2; ++c)
            model.setItem(i, c, new QStandardItem(records[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)]));
    for (const DispatchRef& dg : {dataGridDispatch(std::make_shared<MemoryDataGrid>(
                                      std::vector<QString>{QStringLiteral("Id"), QStringLiteral("Name")}, records, 3)),
                                  dataGridDispatch(dataGridOf(&model, 3))}) {
        EXPECT_EQ(dg->typeName(), QStringLiteral("DataGrid"));
        const std::vector<QStringList> rows = walk(dg);
        ASSERT_EQ(rows.size(), 8u);
        EXPECT_EQ(rows[0], (QStringList{QStringLiteral("Id"), QStringLiteral("Name")}));
        for (int i = 1; i <= 7; ++i)
            EXPECT_EQ(rows[static_cast<std::size_t>(i)], (QStringList{QString::number(i), QStringLiteral("r%1").arg(i)}));
        // The closing scroll brings the first record back to the top.
        dg->put(QStringLiteral("row"), L(0));
        dg->put(QStringLiteral("col"), L(0));
        EXPECT_EQ(dg->get(QStringLiteral("Text")).toString(), QStringLiteral("1"));
        EXPECT_EQ(errorOf([&] { dg->put(QStringLiteral("row"), L(3)); }), kInvalidIndex);
    }
}

} // namespace
} // namespace tovu::platform::controls
