// Host controls, collections and dictionaries into arrays and two-column arrays into
// collections and dictionaries: what each copies, the class tests, and the statuses.
#include "ArrayValues.h"
#include "ControlFixture.h"
#include "HostFakes.h"
#include "platform/automation/Collection.h"
#include "platform/automation/DispatchTable.h"
#include "platform/automation/Dictionary.h"
#include "platform/controls/FlexGrid.h"
#include "platform/controls/ListControls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/TextControls.h"
#include "platform/controls/TreeView.h"

#include <set>

namespace tovu::control::testing {
namespace {

namespace controls = tovu::platform::controls;
using automation::SafeArray;

Variant text(const char* s) { return Variant(QString::fromUtf8(s)); }
Variant anArray() { return Variant(SafeArray::ofValues({text("old")})); }
Variant objectArg(automation::DispatchRef ref) { return Variant(std::move(ref)); }

std::vector<QString> elementsOf(const Variant& v)
{
    std::vector<QString> out;
    for (const Variant& e : v.array().elements())
        out.push_back(e.toString());
    return out;
}

class ControlArraysTest : public ControlTest {
protected:
    // Calls method(source, array, extra...); the array after the call.
    std::int16_t toArray(const char* method, automation::DispatchRef source, Variant& array, Args extra = {})
    {
        Args args{objectArg(std::move(source)), array};
        args.insert(args.end(), extra.begin(), extra.end());
        const std::int16_t s = call(method, args).toInteger();
        array = args[1];
        return s;
    }
};

TEST_F(ControlArraysTest, ListControlsGiveTheirEntriesFromZero)
{
    auto entries = std::make_shared<controls::MemoryList>(std::vector<QString>{"gain", "range", "delay"});
    Variant array = anArray();
    ASSERT_EQ(toArray("ComboBoxToOneDArray", controls::comboBoxDispatch(entries), array), 1);
    EXPECT_EQ(elementsOf(array), (std::vector<QString>{"gain", "range", "delay"}));
    EXPECT_EQ(array.array().lbound(1), 0);

    array = anArray();
    ASSERT_EQ(toArray("ListBoxToOneDArray", controls::listBoxDispatch(entries), array), 1);
    EXPECT_EQ(elementsOf(array), (std::vector<QString>{"gain", "range", "delay"}));

    entries->setSelected(0, true);
    entries->setSelected(2, true);
    array = anArray();
    ASSERT_EQ(toArray("ListBoxToOneDArray", controls::listBoxDispatch(entries), array, {Variant(true)}), 1);
    EXPECT_EQ(elementsOf(array), (std::vector<QString>{"gain", "delay"}));
}

TEST_F(ControlArraysTest, EmptyListsAndNothingSelectedFailAndLeaveTheArray)
{
    auto empty = std::make_shared<controls::MemoryList>();
    auto unselected = std::make_shared<controls::MemoryList>(std::vector<QString>{"a"});
    struct Case {
        const char* method;
        automation::DispatchRef source;
        Args extra;
    } cases[] = {
        {"ComboBoxToOneDArray", controls::comboBoxDispatch(empty), {}},
        {"ListBoxToOneDArray", controls::listBoxDispatch(empty), {}},
        {"ListBoxToOneDArray", controls::listBoxDispatch(unselected), {Variant(true)}},
        {"CollectionToOneDArray", std::make_shared<automation::Collection>(), {}},
    };
    for (const Case& c : cases) {
        Variant array = anArray();
        EXPECT_EQ(toArray(c.method, c.source, array, c.extra), -3) << c.method;
        EXPECT_EQ(array, anArray()) << c.method;
    }
    Variant array = anArray();
    EXPECT_EQ(toArray("DictionaryToArray", std::make_shared<automation::Dictionary>(), array), -2);
    EXPECT_EQ(array, anArray());
}

TEST_F(ControlArraysTest, ClassTestsComeFirstThenTheArrayTest)
{
    auto entries = std::make_shared<controls::MemoryList>(std::vector<QString>{"a"});
    auto box = std::make_shared<controls::MemoryText>(QStringLiteral("a"));
    const automation::DispatchRef list = controls::listBoxDispatch(entries);
    const automation::DispatchRef combo = controls::comboBoxDispatch(entries);
    const automation::DispatchRef textBox = controls::textBoxDispatch(box);
    const automation::DispatchRef collection = std::make_shared<automation::Collection>();
    struct Case {
        const char* method;
        automation::DispatchRef wrongClass, rightClass;
    } cases[] = {
        {"ComboBoxToOneDArray", list, combo},
        {"ListBoxToOneDArray", combo, list},
        {"TextBoxToOneDArray", controls::richTextBoxDispatch(box), textBox},
        {"CollectionToOneDArray", std::make_shared<automation::Dictionary>(), collection},
    };
    for (const Case& c : cases) {
        Variant notArray = text("x");
        EXPECT_EQ(toArray(c.method, c.wrongClass, notArray), -1) << c.method;
        EXPECT_EQ(toArray(c.method, nullptr, notArray), -1) << c.method;
        EXPECT_EQ(toArray(c.method, c.rightClass, notArray), -2) << c.method;
    }
    Variant notArray = text("x");
    EXPECT_EQ(toArray("RichTextBoxToOneDArray", textBox, notArray), -1);
    EXPECT_EQ(toArray("DictionaryToArray", collection, notArray), -1);
    EXPECT_EQ(toArray("ListViewToArray", collection, notArray), -1);
    Variant array = anArray();
    EXPECT_EQ(toArray("RichTextBoxToOneDArray", nullptr, array), -2);
    EXPECT_EQ(toArray("ListViewToArray", collection, array), -2) << "a collection has no list items";
}

TEST_F(ControlArraysTest, TextBoxesGiveOneElementPerLine)
{
    struct Case {
        const char* text;
        std::vector<QString> expected;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"", {""}},
        {"one\n\ntwo\r", {"one", "", "two"}},
    };
    for (const Case& c : cases) {
        auto box = std::make_shared<controls::MemoryText>(QString::fromUtf8(c.text));
        Variant array = anArray();
        ASSERT_EQ(toArray("TextBoxToOneDArray", controls::textBoxDispatch(box), array), 1) << c.text;
        EXPECT_EQ(elementsOf(array), c.expected) << c.text;
        array = anArray();
        ASSERT_EQ(toArray("RichTextBoxToOneDArray", controls::richTextBoxDispatch(box), array), 1) << c.text;
        EXPECT_EQ(elementsOf(array), c.expected) << c.text;
    }
}

TEST_F(ControlArraysTest, CollectionsAndDictionariesInTheirOrder)
{
    auto collection = std::make_shared<automation::Collection>();
    collection->add(text("first"));
    collection->add(Variant(std::int32_t{2}), text("k"));
    collection->add(text("zero"), Variant::missing(), Variant(std::int32_t{1}));
    Variant array = anArray();
    ASSERT_EQ(toArray("CollectionToOneDArray", collection, array), 1);
    EXPECT_EQ(array.array().elements(), (std::vector<Variant>{text("zero"), text("first"), Variant(std::int32_t{2})}));

    auto dictionary = std::make_shared<automation::Dictionary>();
    dictionary->add(text("b"), Variant(1.5));
    dictionary->add(Variant(std::int32_t{7}), text("seven"));
    array = anArray();
    ASSERT_EQ(toArray("DictionaryToArray", dictionary, array), 1);
    EXPECT_EQ(array.array().elements(), (std::vector<Variant>{Variant(1.5), text("seven")}));
    array = anArray();
    ASSERT_EQ(toArray("DictionaryToArray", dictionary, array, {Variant(true)}), 1);
    EXPECT_EQ(array, Variant(twoDArray({{0, 1}, {0, 1}}, {text("b"), Variant(1.5), Variant(std::int32_t{7}), text("seven")})));
}

TEST_F(ControlArraysTest, PairsGoToDictionariesAsKeyItemAndToCollectionsAsItemKey)
{
    const Variant fruit(twoDArray({{0, 1}, {0, 1}}, {text("apple"), text("red"), text("pear"), text("green")}));
    auto dictionary = std::make_shared<automation::Dictionary>();
    ASSERT_EQ(status("TwoDArrayToDictionary", {fruit, objectArg(dictionary)}), 1);
    EXPECT_EQ(dictionary->item(text("apple")), text("red"));
    EXPECT_EQ(dictionary->item(text("pear")), text("green"));

    auto collection = std::make_shared<automation::Collection>();
    ASSERT_EQ(status("TwoDArrayToCollection", {fruit, objectArg(collection)}), 1);
    EXPECT_EQ(collection->item(text("red")), text("apple"));
    EXPECT_EQ(collection->item(text("green")), text("pear"));

    // Rows from 1: the pair is still read from the array's own first two columns.
    const Variant numbered(twoDArray({{1, 2}, {0, 1}}, {Variant(std::int32_t{5}), Variant(2.5), text("x"), Variant(true)}));
    auto second = std::make_shared<automation::Dictionary>();
    ASSERT_EQ(status("TwoDArrayToDictionary", {numbered, objectArg(second)}), 1);
    EXPECT_EQ(second->item(Variant(std::int32_t{5})), text("2.5"));
    EXPECT_EQ(second->item(text("x")), text("True"));

    // A key met again stops the copy; what was added stays.
    const Variant twice(twoDArray({{0, 2}, {0, 1}}, {text("a"), text("1"), text("a"), text("2"), text("b"), text("3")}));
    auto third = std::make_shared<automation::Dictionary>();
    EXPECT_EQ(status("TwoDArrayToDictionary", {twice, objectArg(third)}), -2);
    EXPECT_EQ(third->count(), 1);
    const Variant keysTwice(twoDArray({{0, 1}, {0, 1}}, {text("1"), text("k"), text("2"), text("K")}));
    auto fourth = std::make_shared<automation::Collection>();
    EXPECT_EQ(status("TwoDArrayToCollection", {keysTwice, objectArg(fourth)}), -3);
    EXPECT_EQ(fourth->count(), 1);

    EXPECT_EQ(status("TwoDArrayToDictionary", {text("x"), objectArg(dictionary)}), -1);
    EXPECT_EQ(status("TwoDArrayToCollection", {text("x"), objectArg(collection)}), -1);
    EXPECT_EQ(status("TwoDArrayToCollection", {fruit, objectArg(dictionary)}), -2);
    EXPECT_EQ(status("TwoDArrayToDictionary", {Variant(SafeArray::ofValues({text("a")})), objectArg(dictionary)}), -2);
}

TEST_F(ControlArraysTest, ListViewRowsWithSubItemsSelectionAndHeadings)
{
    auto view = std::make_shared<controls::MemoryListView>(std::vector<QString>{"Name", "Value"});
    for (const char* name : {"Gain", "Range", "Delay"}) {
        const int k = view->addItem(QString::fromLatin1(name));
        view->setSubItem(k, 1, QStringLiteral("v%1").arg(k));
    }
    view->setItemSelected(2, true);
    const automation::DispatchRef lv = controls::listViewDispatch(view);
    Variant array = anArray();
    ASSERT_EQ(toArray("ListViewToArray", lv, array), 1);
    EXPECT_EQ(array, Variant(twoDArray({{0, 2}, {0, 1}}, {text("Gain"), text("v1"), text("Range"), text("v2"),
                                                            text("Delay"), text("v3")})));
    ASSERT_EQ(toArray("ListViewToArray", lv, array, {Variant(true), Variant(true)}), 1);
    EXPECT_EQ(array, Variant(twoDArray({{0, 1}, {0, 1}}, {text("Name"), text("Value"), text("Range"), text("v2")})));

    auto none = std::make_shared<controls::MemoryListView>(std::vector<QString>{"Name"});
    array = anArray();
    EXPECT_EQ(toArray("ListViewToArray", controls::listViewDispatch(none), array), -2);
    ASSERT_EQ(toArray("ListViewToArray", controls::listViewDispatch(none), array, {Variant(false), Variant(true)}), 1);
    EXPECT_EQ(array, Variant(twoDArray({{0, 0}, {0, 0}}, {text("Name")})));
}

} // namespace
} // namespace tovu::control::testing

namespace tovu::control::testing {
namespace {

TEST_F(ControlArraysTest, FlexGridTakesTheUpperBoundsPlusOneAndTheCellsInTurn)
{
    auto grid = std::make_shared<controls::MemoryFlexGrid>(1, 1);
    const Variant rowsFromOne(twoDArray({{1, 3}, {0, 1}}, {text("a"), text("b"), text("c"), text("d"), Variant(true),
                                                          Variant(std::int32_t{6})}));
    ASSERT_EQ(status("TwoDArrayToFlexGrid", {rowsFromOne, objectArg(controls::flexGridDispatch(grid))}), 1);
    EXPECT_EQ(grid->rows(), 4);
    EXPECT_EQ(grid->cols(), 2);
    EXPECT_EQ(grid->textMatrix(0, 0), QStringLiteral("a"));
    EXPECT_EQ(grid->textMatrix(1, 1), QStringLiteral("d"));
    EXPECT_EQ(grid->textMatrix(2, 0), QStringLiteral("True"));
    EXPECT_EQ(grid->textMatrix(2, 1), QStringLiteral("6"));
    EXPECT_EQ(grid->textMatrix(3, 0), QString());

    EXPECT_EQ(status("TwoDArrayToFlexGrid", {text("x"), objectArg(controls::flexGridDispatch(grid))}), -1);
    EXPECT_EQ(status("TwoDArrayToFlexGrid", {Variant(SafeArray::ofValues({text("a")})),
                                             objectArg(controls::flexGridDispatch(grid))}),
              -2);
    EXPECT_EQ(status("TwoDArrayToFlexGrid", {rowsFromOne, objectArg(nullptr)}), -2);
}

TEST_F(ControlArraysTest, TreeViewOutlineByColumnDepth)
{
    auto tree = std::make_shared<controls::MemoryTreeView>();
    tree->addNode(0, QStringLiteral("existing"));
    const Variant outline(twoDArray({{0, 4}, {0, 2}}, {text("A"), Variant(), Variant(),       //
                                                       Variant(), text("B"), Variant(),       //
                                                       Variant(), Variant(), text("B1"),      //
                                                       Variant(), text("C"), Variant::null(), //
                                                       text("D"), Variant(), Variant()}));
    ASSERT_EQ(status("TwoDArrayToTreeView", {outline, objectArg(controls::treeViewDispatch(tree)), Variant(true)}), 1);
    ASSERT_EQ(tree->nodeCount(), 6);
    const std::vector<std::pair<QString, int>> expected = {{"existing", 0}, {"A", 0}, {"B", 2}, {"B1", 3}, {"C", 2}, {"D", 0}};
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(tree->nodeText(n), expected[static_cast<std::size_t>(n - 1)].first);
        EXPECT_EQ(tree->parentOf(n), expected[static_cast<std::size_t>(n - 1)].second) << n;
    }
    EXPECT_FALSE(tree->madeVisible(2)) << "root nodes are not made visible";
    EXPECT_TRUE(tree->madeVisible(3));
    EXPECT_TRUE(tree->madeVisible(4));
    EXPECT_EQ(tree->selectedNode(), 1);

    auto plain = std::make_shared<controls::MemoryTreeView>();
    ASSERT_EQ(status("TwoDArrayToTreeView", {outline, objectArg(controls::treeViewDispatch(plain))}), 1);
    EXPECT_FALSE(plain->madeVisible(2));

    auto orphan = std::make_shared<controls::MemoryTreeView>();
    EXPECT_EQ(status("TwoDArrayToTreeView", {Variant(twoDArray({{0, 0}, {0, 1}}, {Variant(), text("x")})),
                                             objectArg(controls::treeViewDispatch(orphan))}),
              -2) << "a child with no node above it";
    EXPECT_EQ(status("TwoDArrayToTreeView", {text("x"), objectArg(controls::treeViewDispatch(orphan))}), -1);
}

} // namespace
} // namespace tovu::control::testing

namespace tovu::control::testing {
namespace {

TEST_F(ControlArraysTest, ListViewGetsItemsAfterItsOwnAndSelectsByText)
{
    auto view = std::make_shared<controls::MemoryListView>(std::vector<QString>{"Name", "Value", "Unit"});
    view->addItem(QStringLiteral("existing"));
    view->setItemSelected(1, true);
    const automation::DispatchRef lv = controls::listViewDispatch(view);
    const Variant rows(twoDArray({{1, 2}, {1, 3}}, {text("Gain"), text("20"), text("dB"), text("Range"),
                                                   Variant(std::int32_t{100}), text("mm")}));
    ASSERT_EQ(status("TwoDArrayToListView", {rows, objectArg(lv), Variant(SafeArray::ofValues({text("RANGE"), text("none")}))}), 1);
    ASSERT_EQ(view->itemCount(), 3);
    EXPECT_EQ(view->itemText(2), QStringLiteral("Gain"));
    EXPECT_EQ(view->subItem(2, 1), QStringLiteral("20"));
    EXPECT_EQ(view->subItem(3, 2), QStringLiteral("mm"));
    EXPECT_FALSE(view->itemSelected(1)) << "item 1 is deselected";
    EXPECT_FALSE(view->itemSelected(2));
    EXPECT_TRUE(view->itemSelected(3));
    EXPECT_EQ(view->focusCount, 1);

    ASSERT_EQ(status("TwoDArrayToListView", {rows, objectArg(lv), text("gain")}), 1);
    EXPECT_TRUE(view->itemSelected(2)) << "the first item with the text";
    EXPECT_FALSE(view->itemSelected(4));
    ASSERT_EQ(status("TwoDArrayToListView", {rows, objectArg(lv), text("nothing like it")}), 1);
    EXPECT_EQ(view->itemCount(), 7);

    EXPECT_EQ(status("TwoDArrayToListView", {text("x"), objectArg(lv)}), -1);
    EXPECT_EQ(status("TwoDArrayToListView", {rows, objectArg(std::make_shared<automation::Collection>())}), -2);
}

} // namespace
} // namespace tovu::control::testing

namespace tovu::control::testing {
namespace {

TEST_F(ControlArraysTest, FolderDriveAndFileListBoxes)
{
    Variant array = anArray();
    const auto folders = fileSystemList("DirListBox", {"/", "home", "data", "scans"}, -2);
    ASSERT_EQ(toArray("DirListBoxToOneDArray", folders, array), 1);
    EXPECT_EQ(elementsOf(array), (std::vector<QString>{"data", "scans"})) << "only the entries from 0";
    array = anArray();
    ASSERT_EQ(toArray("DriveListBoxToOneDArray", fileSystemList("DriveListBox", {"a:", "c:"}), array), 1);
    EXPECT_EQ(elementsOf(array), (std::vector<QString>{"a:", "c:"}));

    const auto files = fileSystemList("FileListBox", {"one.dat", "two.dat", "three.dat"}, 0, {1, 2});
    array = Variant(SafeArray({{0, 9}}));
    ASSERT_EQ(toArray("FileListBoxToOneDArray", files, array), 1);
    EXPECT_EQ(elementsOf(array), (std::vector<QString>{"one.dat", "two.dat", "three.dat"}));
    ASSERT_EQ(toArray("FileListBoxToOneDArray", files, array, {Variant(true)}), 1);
    EXPECT_EQ(elementsOf(array), (std::vector<QString>{"two.dat", "three.dat"}));

    struct Empty {
        const char* method;
        const char* className;
        std::int16_t expected;
    } empties[] = {{"DirListBoxToOneDArray", "DirListBox", -3},
                   {"DriveListBoxToOneDArray", "DriveListBox", -3},
                   {"FileListBoxToOneDArray", "FileListBox", 1}};
    for (const Empty& e : empties) {
        array = anArray();
        EXPECT_EQ(toArray(e.method, fileSystemList(e.className, {}), array), e.expected) << e.method;
        EXPECT_EQ(array, anArray()) << e.method;
        EXPECT_EQ(toArray(e.method, fileSystemList("ListBox", {"x"}), array), -1) << e.method;
        Variant notArray = text("x");
        EXPECT_EQ(toArray(e.method, fileSystemList(e.className, {"x"}), notArray), -2) << e.method;
    }
}

} // namespace
} // namespace tovu::control::testing
