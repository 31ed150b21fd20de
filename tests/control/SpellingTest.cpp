// The spell checks of host texts and of the held document, through the dispatch interface.
// The scripted dialog stands in for the user: it answers each unknown word in turn, and
// afterwards tells which words it was asked about.
#include "ArrayValues.h"
#include "ControlFixture.h"
#include "platform/automation/Collection.h"
#include "platform/automation/Dictionary.h"
#include "platform/controls/DataGrid.h"
#include "platform/controls/FlexGrid.h"
#include "platform/controls/ListControls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/TextControls.h"
#include "platform/office/word/ProofingSettings.h"
#include "platform/spelling/CustomDictionary.h"
#include "platform/spelling/ScriptedSpellingDialog.h"

namespace tovu::control::testing {
namespace {

namespace controls = tovu::platform::controls;
namespace spelling = tovu::platform::spelling;
using automation::SafeArray;
using spelling::Decision;

// The events in the order raised, "row 1", "column 2", "field Name". A script can move
// the value the host is handed.
class EventLog : public VerboltEvents {
public:
    void CurrentRow(std::int32_t& row) override
    {
        log << QStringLiteral("row %1").arg(row);
        if (moveRow)
            moveRow(row);
    }
    void CurrentColumn(std::int32_t& column) override { log << QStringLiteral("column %1").arg(column); }
    void CurrentField(QString& field) override { log << QStringLiteral("field ") + field; }
    QStringList log;
    std::function<void(std::int32_t&)> moveRow;
};

class SpellingTest : public ControlTest {
protected:
    void SetUp() override
    {
        environment.proofing().setLanguage(QStringLiteral("en_US"));
        environment.proofing().setDictionaryFolder(dir.path());
        environment.proofing().setDialog(dialog);
        control.setEventSink(&events);
        hooks().setRecording(true);
    }
    void TearDown() override
    {
        // Every check quits the Word it started, whatever happened.
        EXPECT_EQ(environment.runningCount(), 0);
    }
    bool wordStarted() { return !recorded({QStringLiteral("Application.Create")}).isEmpty(); }

    std::shared_ptr<spelling::ScriptedSpellingDialog> dialog = std::make_shared<spelling::ScriptedSpellingDialog>();
    EventLog events;
};

Variant text(const char* s) { return Variant(QString::fromUtf8(s)); }

TEST_F(SpellingTest, ATextBoxGetsTheCorrectedTextInAHiddenWordOfItsOwn)
{
    auto box = std::make_shared<controls::MemoryText>(QStringLiteral("The huose is old"));
    dialog->answer(Decision::change(QStringLiteral("house")));
    EXPECT_EQ(status("SpellCheckTextBox", {Variant(controls::textBoxDispatch(box))}), 1);
    EXPECT_EQ(box->text(), QStringLiteral("The house is old"));
    EXPECT_EQ(dialog->askedWords(), QStringList{QStringLiteral("huose")});
    EXPECT_TRUE(events.log.isEmpty());
    EXPECT_EQ(recorded({QStringLiteral("Application.Create"), QStringLiteral("Application.Documents.Add"),
                        QStringLiteral("Application.SetDisplayAlerts"), QStringLiteral("Application.Top"),
                        QStringLiteral("Application.SetWindowState"), QStringLiteral("Application.SetTop"),
                        QStringLiteral("Application.Dialog.Show"), QStringLiteral("Document.Close"),
                        QStringLiteral("Application.Quit")}),
              (QStringList{QStringLiteral("Application.Create"), QStringLiteral("Application.Documents.Add"),
                           QStringLiteral("Application.SetDisplayAlerts(0)"), QStringLiteral("Application.Top"),
                           QStringLiteral("Application.SetWindowState(0)"), QStringLiteral("Application.SetTop(-3000)"),
                           QStringLiteral("Application.Dialog.Show(828)"), QStringLiteral("Document.Close(false)"),
                           QStringLiteral("Application.SetTop(0)"), QStringLiteral("Application.Quit(false)")}));
    // The control's own Word is untouched: the check held none.
    EXPECT_EQ(control.heldApplication(), nullptr);
}

TEST_F(SpellingTest, TheClassIsTestedBeforeWordStarts)
{
    const Variant label(controls::labelDispatch(std::make_shared<controls::MemoryText>(QStringLiteral("huose"))));
    const Variant textBox(controls::textBoxDispatch(std::make_shared<controls::MemoryText>(QStringLiteral("huose"))));
    EXPECT_EQ(status("SpellCheckTextBox", {label}), -1);
    EXPECT_EQ(status("SpellCheckLabel", {textBox}), -1);
    EXPECT_EQ(status("SpellCheckListBox", {textBox}), -1);
    EXPECT_EQ(status("SpellCheckComboBox", {textBox}), -1);
    EXPECT_EQ(status("SpellCheckCollection", {textBox}), -1);
    EXPECT_EQ(status("SpellCheckOneDArray", {text("huose")}), -1);
    EXPECT_EQ(status("SpellCheckTwoDArray", {text("huose")}), -1);
    EXPECT_EQ(status("SpellCheckThreeDArray", {text("huose")}), -1);
    EXPECT_FALSE(wordStarted());
    EXPECT_TRUE(dialog->asked().empty());
    // The rich text box takes any object with a Text.
    dialog->answer(Decision::change(QStringLiteral("house")));
    auto box = std::make_shared<controls::MemoryText>(QStringLiteral("huose"));
    EXPECT_EQ(status("SpellCheckRichTextBox", {Variant(controls::textBoxDispatch(box))}), 1);
    EXPECT_EQ(box->text(), QStringLiteral("house"));
}

// The single-text members: what is written back after the user's answers.
struct OneTextCase {
    const char* name;
    const char* method;
    QString before;
    std::vector<Decision> answers;
    bool noChanges;
    QString after;
};

class OneTextTest : public SpellingTest, public ::testing::WithParamInterface<OneTextCase> {};

TEST_P(OneTextTest, WritesBackWhatTheUserChose)
{
    const OneTextCase& c = GetParam();
    auto value = std::make_shared<controls::MemoryText>(c.before);
    Args args;
    const QString method = QString::fromLatin1(c.method);
    if (method == QLatin1String("SpellCheckText"))
        args = {Variant(c.before)};
    else if (method == QLatin1String("SpellCheckLabel"))
        args = {Variant(controls::labelDispatch(value))};
    else if (method == QLatin1String("SpellCheckRichTextBox"))
        args = {Variant(controls::richTextBoxDispatch(value))};
    else
        args = {Variant(controls::textBoxDispatch(value))};
    args.push_back(Variant(c.noChanges));
    for (const Decision& d : c.answers)
        dialog->answer(d);
    EXPECT_EQ(call(c.method, args).toInteger(), 1);
    EXPECT_EQ(method == QLatin1String("SpellCheckText") ? args[0].toString() : value->text(), c.after);
}

const Decision kHouse = Decision::change(QStringLiteral("house"));
const Decision kCancel = Decision::cancel();

INSTANTIATE_TEST_SUITE_P(
    Members, OneTextTest,
    ::testing::Values(
        OneTextCase{"textBox", "SpellCheckTextBox", QStringLiteral("a huose"), {kHouse}, false, QStringLiteral("a house")},
        OneTextCase{"noChanges", "SpellCheckTextBox", QStringLiteral("a huose"), {kHouse}, true, QStringLiteral("a huose")},
        OneTextCase{"blankShowsNoDialog", "SpellCheckTextBox", QStringLiteral("   "), {}, false, QStringLiteral("   ")},
        // A cancel puts back the text as it was, corrections made before included.
        OneTextCase{"cancelMidText", "SpellCheckTextBox", QStringLiteral("teh huose stood"),
                    {Decision::change(QStringLiteral("the")), kCancel}, false, QStringLiteral("teh huose stood")},
        // Cancelled on the last word: the selection then starts with the paragraph mark,
        // which the text box would otherwise have been given.
        OneTextCase{"cancelOnLastWord", "SpellCheckTextBox", QStringLiteral("the huose"), {kCancel}, false,
                    QStringLiteral("the huose")},
        OneTextCase{"cancelBeforeComma", "SpellCheckRichTextBox", QStringLiteral("huose, garden"), {kCancel}, false,
                    QStringLiteral("huose, garden")},
        // A text that starts with a blank reads as cancelled even when checked to the end.
        OneTextCase{"leadingBlankCountsAsCancel", "SpellCheckTextBox", QStringLiteral(" a huose"), {kHouse}, false,
                    QStringLiteral(" a huose")},
        OneTextCase{"multiLineKeepsItsLineEnds", "SpellCheckTextBox", QStringLiteral("line one\r\nsecnd line\r\n"),
                    {Decision::change(QStringLiteral("second"))}, false, QStringLiteral("line one\r\nsecond line\r\n")},
        OneTextCase{"richTextBox", "SpellCheckRichTextBox", QStringLiteral("huose"), {kHouse}, false, QStringLiteral("house")},
        OneTextCase{"label", "SpellCheckLabel", QStringLiteral("huose"), {kHouse}, false, QStringLiteral("house")},
        OneTextCase{"labelCancel", "SpellCheckLabel", QStringLiteral("huose"), {kCancel}, false, QStringLiteral("huose")},
        OneTextCase{"text", "SpellCheckText", QStringLiteral("huose"), {kHouse}, false, QStringLiteral("house")},
        OneTextCase{"textCancel", "SpellCheckText", QStringLiteral("huose"), {kCancel}, false, QStringLiteral("huose")},
        OneTextCase{"textNoChanges", "SpellCheckText", QStringLiteral("huose"), {kHouse}, true, QStringLiteral("huose")}),
    [](const ::testing::TestParamInfo<OneTextCase>& info) { return std::string(info.param.name); });

TEST_F(SpellingTest, AnEmptyTextBoxStillRunsTheSessionAndShowsNoDialog)
{
    auto box = std::make_shared<controls::MemoryText>();
    EXPECT_EQ(status("SpellCheckTextBox", {Variant(controls::textBoxDispatch(box))}), 1);
    EXPECT_TRUE(wordStarted());
    EXPECT_TRUE(recorded({QStringLiteral("Application.Dialog.Show")}).isEmpty());
}

TEST_F(SpellingTest, AListBoxIsWalkedEntryByEntryAndACancelEndsTheWalk)
{
    auto list = std::make_shared<controls::MemoryList>(std::vector<QString>{
        QStringLiteral("huose"), QStringLiteral("42"), QStringLiteral("  "), QStringLiteral("wrld"), QStringLiteral("teh")});
    dialog->answer(kHouse);
    dialog->answer(kCancel);
    EXPECT_EQ(status("SpellCheckListBox", {Variant(controls::listBoxDispatch(list))}), 1);
    EXPECT_EQ(list->item(0), QStringLiteral("house"));
    EXPECT_EQ(list->item(3), QStringLiteral("wrld"));
    EXPECT_EQ(list->item(4), QStringLiteral("teh"));
    EXPECT_EQ(dialog->askedWords(), (QStringList{QStringLiteral("huose"), QStringLiteral("wrld")}));
    EXPECT_EQ(events.log, (QStringList{QStringLiteral("column 1"), QStringLiteral("row 1"), QStringLiteral("row 2"),
                                       QStringLiteral("row 3"), QStringLiteral("row 4")}));
}

TEST_F(SpellingTest, AListOfNumbersRaisesItsEventsAndShowsNoDialog)
{
    auto list = std::make_shared<controls::MemoryList>(
        std::vector<QString>{QStringLiteral("1"), QStringLiteral("2.5"), QStringLiteral(" 7 ")});
    EXPECT_EQ(status("SpellCheckComboBox", {Variant(controls::comboBoxDispatch(list))}), 1);
    EXPECT_EQ(events.log, (QStringList{QStringLiteral("column 1"), QStringLiteral("row 1"), QStringLiteral("row 2"),
                                       QStringLiteral("row 3")}));
    EXPECT_TRUE(recorded({QStringLiteral("Application.Dialog.Show")}).isEmpty());
}

TEST_F(SpellingTest, SelectedOnlyChecksTheSelectedEntries)
{
    auto list = std::make_shared<controls::MemoryList>(
        std::vector<QString>{QStringLiteral("huose"), QStringLiteral("wrld"), QStringLiteral("teh")});
    list->setSelected(1, true);
    dialog->answer(Decision::change(QStringLiteral("world")));
    EXPECT_EQ(status("SpellCheckListBox", {Variant(controls::listBoxDispatch(list)), Variant(true)}), 1);
    EXPECT_EQ(dialog->askedWords(), QStringList{QStringLiteral("wrld")});
    EXPECT_EQ(list->item(1), QStringLiteral("world"));
    EXPECT_EQ(list->item(0), QStringLiteral("huose"));
}

TEST_F(SpellingTest, ACollectionKeepsItsOrderButNotTheKeysOfCorrectedItems)
{
    auto cl = std::make_shared<automation::Collection>();
    for (const char* s : {"one", "twoo", "three", "four", "fiev"})
        cl->add(text(s), text(s));
    cl->add(Variant(std::int32_t{6}));
    dialog->answer(Decision::change(QStringLiteral("two")));
    dialog->answer(Decision::change(QStringLiteral("five")));
    EXPECT_EQ(status("SpellCheckCollection", {Variant(automation::DispatchRef(cl))}), 1);
    QStringList items;
    for (std::int32_t i = 1; i <= cl->count(); ++i)
        items << cl->item(Variant(i)).toString();
    EXPECT_EQ(items, (QStringList{"one", "two", "three", "four", "five", "6"}));
    EXPECT_THROW(cl->item(text("twoo")), automation::AutomationError);
    EXPECT_EQ(cl->item(text("three")).toString(), QStringLiteral("three"));

    // The last item corrected is appended.
    auto last = std::make_shared<automation::Collection>();
    last->add(text("fine"));
    last->add(text("fiev"));
    dialog->answer(Decision::change(QStringLiteral("five")));
    events.log.clear();
    EXPECT_EQ(status("SpellCheckCollection", {Variant(automation::DispatchRef(last))}), 1);
    EXPECT_EQ(last->count(), 2);
    EXPECT_EQ(last->item(Variant(std::int32_t{2})).toString(), QStringLiteral("five"));
    EXPECT_EQ(events.log, (QStringList{QStringLiteral("column 1"), QStringLiteral("row 1"), QStringLiteral("row 2")}));
}

TEST_F(SpellingTest, TheHostMovesTheLoopOfACollectionThroughItsCounter)
{
    auto cl = std::make_shared<automation::Collection>();
    for (const char* s : {"huose", "wrld", "teh", "fiev"})
        cl->add(text(s));
    // Handed row 1, the host jumps to row 3: the next item checked is the fourth.
    events.moveRow = [](std::int32_t& row) {
        if (row == 1)
            row = 3;
    };
    EXPECT_EQ(status("SpellCheckCollection", {Variant(automation::DispatchRef(cl))}), 1);
    EXPECT_EQ(dialog->askedWords(), (QStringList{QStringLiteral("teh"), QStringLiteral("fiev")}));
}

TEST_F(SpellingTest, ADictionaryIsCheckedInKeyOrderAndKeepsItsKeys)
{
    auto dt = std::make_shared<automation::Dictionary>();
    dt->add(text("b"), text("huose"));
    dt->add(Variant(std::int32_t{1}), text("wrld"));
    dt->add(text("a"), Variant(2.5));
    dialog->answer(kHouse);
    dialog->answer(Decision::change(QStringLiteral("world")));
    EXPECT_EQ(status("SpellCheckDictionary", {Variant(automation::DispatchRef(dt))}), 1);
    EXPECT_EQ(dt->item(text("b")).toString(), QStringLiteral("house"));
    // A number key is looked up as the number it is: no entry is added under its text.
    EXPECT_EQ(dt->item(Variant(std::int32_t{1})).toString(), QStringLiteral("world"));
    EXPECT_EQ(dt->count(), 3);
    EXPECT_FALSE(dt->exists(text("1")));
    EXPECT_EQ(events.log, (QStringList{QStringLiteral("column 1"), QStringLiteral("row 1"), QStringLiteral("row 2"),
                                       QStringLiteral("row 3")}));
}

TEST_F(SpellingTest, ArraysAreWrittenBackElementByElement)
{
    SafeArray one({{0, 3}});
    one.set({0}, text("huose"));
    one.set({1}, Variant(std::int32_t{5}));
    one.set({2}, text("wrld"));
    one.set({3}, text("teh"));
    dialog->answer(kHouse);
    dialog->answer(Decision::change(QStringLiteral("world")));
    dialog->answer(kCancel);
    Args args{Variant(one)};
    EXPECT_EQ(call("SpellCheckOneDArray", args).toInteger(), 1);
    const SafeArray& after = args[0].array();
    EXPECT_EQ(after.get({0}).toString(), QStringLiteral("house"));
    EXPECT_EQ(after.get({1}).toLong(), 5);
    EXPECT_EQ(after.get({2}).toString(), QStringLiteral("world"));
    EXPECT_EQ(after.get({3}).toString(), QStringLiteral("teh"));
    EXPECT_EQ(events.log, (QStringList{"column 1", "row 1", "row 2", "row 3", "row 4"}));
}

TEST_F(SpellingTest, ATwoDimensionalArrayRaisesRowsAndColumnsAndACancelFinishesAtOnce)
{
    Args args{Variant(twoDArray({{1, 2}, {0, 1}}, {text("huose"), text("good"), text("wrld"), text("teh")}))};
    dialog->answer(kHouse);
    dialog->answer(kCancel);
    EXPECT_EQ(call("SpellCheckTwoDArray", args).toInteger(), 1);
    const SafeArray& after = args[0].array();
    EXPECT_EQ(after.get({1, 0}).toString(), QStringLiteral("house"));
    EXPECT_EQ(after.get({2, 0}).toString(), QStringLiteral("wrld"));
    EXPECT_EQ(dialog->askedWords(), (QStringList{QStringLiteral("huose"), QStringLiteral("wrld")}));
    EXPECT_EQ(events.log, (QStringList{"row 2", "column 1", "column 2", "row 3", "column 1"}));
}

TEST_F(SpellingTest, AThreeDimensionalArrayWalksItsThirdDimensionOutermost)
{
    SafeArray cube({{0, 1}, {0, 0}, {0, 1}});
    cube.set({0, 0, 0}, text("aa1"));
    cube.set({1, 0, 0}, text("huose"));
    cube.set({0, 0, 1}, text("wrld"));
    cube.set({1, 0, 1}, Variant::null());
    dialog->answer(kHouse);
    dialog->answer(Decision::change(QStringLiteral("world")));
    Args args{Variant(cube)};
    EXPECT_EQ(call("SpellCheckThreeDArray", args).toInteger(), 1);
    EXPECT_EQ(args[0].array().get({1, 0, 0}).toString(), QStringLiteral("house"));
    EXPECT_EQ(args[0].array().get({0, 0, 1}).toString(), QStringLiteral("world"));
    EXPECT_EQ(events.log, (QStringList{"row 1", "column 1", "row 2", "column 1", "row 1", "column 1", "row 2", "column 1"}));
}

TEST_F(SpellingTest, AFlexGridIsCheckedCellByCellFixedCellsIncluded)
{
    auto grid = std::make_shared<controls::MemoryFlexGrid>(2, 2);
    grid->setTextMatrix(0, 0, QStringLiteral("Nmae"));
    grid->setTextMatrix(0, 1, QStringLiteral("12"));
    grid->setTextMatrix(1, 1, QStringLiteral("huose"));
    dialog->answer(Decision::change(QStringLiteral("Name")));
    dialog->answer(kHouse);
    Args args{Variant(controls::flexGridDispatch(grid))};
    EXPECT_EQ(call("SpellCheckFlexGrid", args).toInteger(), 1);
    EXPECT_EQ(grid->textMatrix(0, 0), QStringLiteral("Name"));
    EXPECT_EQ(grid->textMatrix(1, 1), QStringLiteral("house"));
    EXPECT_EQ(events.log, (QStringList{"row 1", "column 1", "column 2", "row 2", "column 1", "column 2"}));

    // A range of the hierarchical grid; the end row and column go by value.
    grid->setTextMatrix(1, 0, QStringLiteral("wrld"));
    grid->setTextMatrix(1, 1, QStringLiteral("teh"));
    dialog->answer(Decision::change(QStringLiteral("world")));
    Args range{Variant(controls::flexGridDispatch(grid)), Variant(std::int32_t{1}), Variant(std::int32_t{0}),
               Variant(std::int32_t{1}), Variant(std::int32_t{0})};
    EXPECT_EQ(call("SpellCheckHFlexGrid", range).toInteger(), 1);
    EXPECT_EQ(grid->textMatrix(1, 0), QStringLiteral("world"));
    EXPECT_EQ(grid->textMatrix(1, 1), QStringLiteral("teh"));
    EXPECT_EQ(range[3].toLong(), 1);
    EXPECT_EQ(call("SpellCheckFlexGrid", {Variant()}).toInteger(), -1);
}

TEST_F(SpellingTest, ADataGridIsWalkedPastItsVisibleRowsAndTheStartColumnComesBack)
{
    auto grid = std::make_shared<controls::MemoryDataGrid>(
        std::vector<QString>{QStringLiteral("id"), QStringLiteral("a"), QStringLiteral("b")},
        std::vector<std::vector<QString>>{{"1", "huose", "x"}, {"2", "good", "wrld"}, {"3", "teh", "fine"}}, 2);
    dialog->answer(kHouse);
    dialog->answer(Decision::change(QStringLiteral("world")));
    dialog->answer(Decision::change(QStringLiteral("the")));
    Args args{Variant(controls::dataGridDispatch(grid)), Variant(std::int32_t{2})};
    EXPECT_EQ(call("SpellCheckDataGrid", args).toInteger(), 1);
    EXPECT_EQ(args[1].toLong(), 1);
    EXPECT_EQ(grid->cell(0, 1), QStringLiteral("house"));
    EXPECT_EQ(grid->cell(1, 2), QStringLiteral("world"));
    EXPECT_EQ(grid->cell(2, 1), QStringLiteral("the"));
    EXPECT_EQ(dialog->askedWords(), (QStringList{"huose", "wrld", "teh"}));
    EXPECT_EQ(events.log, (QStringList{"row 1", "column 2", "column 3", "row 2", "column 2", "column 3", "row 3",
                                       "column 2", "column 3"}));
}

TEST_F(SpellingTest, ADataGridCellGoesBackOnCancel)
{
    auto grid = std::make_shared<controls::MemoryDataGrid>(
        std::vector<QString>{QStringLiteral("a")}, std::vector<std::vector<QString>>{{"teh huose"}, {"wrld"}}, 5);
    dialog->answer(Decision::change(QStringLiteral("the")));
    dialog->answer(kCancel);
    Args args{Variant(controls::dataGridDispatch(grid)), Variant(std::int32_t{3})};
    EXPECT_EQ(call("SpellCheckDataGrid", args).toInteger(), 1);
    EXPECT_EQ(args[1].toLong(), 2);
    EXPECT_EQ(grid->cell(0, 0), QStringLiteral("teh huose"));
    EXPECT_EQ(grid->cell(1, 0), QStringLiteral("wrld"));
}

TEST_F(SpellingTest, AListViewChecksHeadingsItemsAndTheirSubItems)
{
    auto view = std::make_shared<controls::MemoryListView>(std::vector<QString>{"Nmae", "123", "Nots"});
    view->addItem(QStringLiteral("probe"));
    view->setSubItem(1, 1, QStringLiteral("huose"));
    view->setSubItem(1, 2, QStringLiteral("7"));
    view->addItem(QStringLiteral("99"));
    view->setSubItem(2, 1, QStringLiteral("wrld"));
    view->addItem(QStringLiteral("gaet"));
    dialog->answer(Decision::change(QStringLiteral("Name")));
    dialog->answer(Decision::ignore());  // "Nots"
    dialog->answer(kHouse);
    dialog->answer(Decision::change(QStringLiteral("gate")));
    EXPECT_EQ(status("SpellCheckListView", {Variant(controls::listViewDispatch(view)), Variant(false), Variant(true)}), 1);
    EXPECT_EQ(view->columnText(1), QStringLiteral("Name"));
    EXPECT_EQ(view->subItem(1, 1), QStringLiteral("house"));
    // The sub-items of an item whose own text is a number are not checked.
    EXPECT_EQ(view->subItem(2, 1), QStringLiteral("wrld"));
    EXPECT_EQ(view->itemText(3), QStringLiteral("gate"));
    EXPECT_EQ(dialog->askedWords(), (QStringList{"Nmae", "Nots", "huose", "gaet"}));
    EXPECT_EQ(events.log, (QStringList{"row 0", "column 1", "column 2", "column 3", "row 1", "column 1", "column 2",
                                       "row 2", "row 3", "column 1", "column 2"}));
}

TEST_F(SpellingTest, ACustomDictionaryLiesBesideTheActiveOneAndGetsItsExtension)
{
    spelling::CustomDictionary(dir.filePath(QStringLiteral("probes.dic"))).add(QStringLiteral("transducr"));
    spelling::CustomDictionary(dir.filePath(QStringLiteral("Gates.DIC"))).add(QStringLiteral("gaet"));
    auto box = std::make_shared<controls::MemoryText>(QStringLiteral("transducr gaet huose"));
    EXPECT_EQ(status("SpellCheckTextBox", {Variant(controls::textBoxDispatch(box)), Variant(false), text(" probes ")}), 1);
    EXPECT_EQ(status("SpellCheckTextBox", {Variant(controls::textBoxDispatch(box)), Variant(false), text("Gates.DIC")}), 1);
    EXPECT_EQ(dialog->askedWords(), (QStringList{"gaet", "huose", "transducr", "huose"}));
    EXPECT_EQ(recorded({QStringLiteral("Application.CustomDictionaries.Add")}),
              (QStringList{QStringLiteral("Application.CustomDictionaries.Add(%1/probes.dic)").arg(QDir::cleanPath(dir.path())),
                           QStringLiteral("Application.CustomDictionaries.Add(%1/Gates.DIC)").arg(QDir::cleanPath(dir.path()))}));
    // A word added from the dialog lands in the named dictionary.
    dialog->answer(Decision::addToDictionary());
    box->setText(QStringLiteral("zorkle"));
    EXPECT_EQ(status("SpellCheckTextBox", {Variant(controls::textBoxDispatch(box)), Variant(false), text("probes")}), 1);
    EXPECT_EQ(spelling::CustomDictionary(dir.filePath(QStringLiteral("probes.dic"))).words(),
              (QStringList{"transducr", "zorkle"}));
}

// Any failure once Word is started gives the member's error code, and Word still quits.
struct FailureCase {
    const char* method;
    const char* failingStep;
    std::int16_t expected;
};

class SpellingFailureTest : public SpellingTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SpellingFailureTest, GivesTheMembersCodeAndQuitsWord)
{
    const FailureCase& c = GetParam();
    const QString m = QString::fromLatin1(c.method);
    auto value = std::make_shared<controls::MemoryText>(QStringLiteral("huose"));
    auto list = std::make_shared<controls::MemoryList>(std::vector<QString>{QStringLiteral("huose")});
    auto cl = std::make_shared<automation::Collection>();
    cl->add(text("huose"));
    auto dt = std::make_shared<automation::Dictionary>();
    dt->add(text("k"), text("huose"));
    auto grid = std::make_shared<controls::MemoryFlexGrid>(1, 1);
    grid->setTextMatrix(0, 0, QStringLiteral("huose"));
    auto dg = std::make_shared<controls::MemoryDataGrid>(std::vector<QString>{"a"},
                                                          std::vector<std::vector<QString>>{{"huose"}}, 3);
    auto view = std::make_shared<controls::MemoryListView>(std::vector<QString>{"a"});
    view->addItem(QStringLiteral("huose"));
    SafeArray one({{0, 0}});
    one.set({0}, text("huose"));
    Variant source;
    if (m == "SpellCheckTextBox") source = Variant(controls::textBoxDispatch(value));
    else if (m == "SpellCheckRichTextBox") source = Variant(controls::richTextBoxDispatch(value));
    else if (m == "SpellCheckLabel") source = Variant(controls::labelDispatch(value));
    else if (m == "SpellCheckText") source = text("huose");
    else if (m == "SpellCheckListBox") source = Variant(controls::listBoxDispatch(list));
    else if (m == "SpellCheckComboBox") source = Variant(controls::comboBoxDispatch(list));
    else if (m == "SpellCheckCollection") source = Variant(automation::DispatchRef(cl));
    else if (m == "SpellCheckDictionary") source = Variant(automation::DispatchRef(dt));
    else if (m == "SpellCheckOneDArray") source = Variant(one);
    else if (m == "SpellCheckTwoDArray") source = Variant(twoDArray({{0, 0}, {0, 0}}, {text("huose")}));
    else if (m == "SpellCheckThreeDArray") { SafeArray cube({{0, 0}, {0, 0}, {0, 0}}); cube.set({0, 0, 0}, text("huose")); source = Variant(cube); }
    else if (m == "SpellCheckFlexGrid" || m == "SpellCheckHFlexGrid") source = Variant(controls::flexGridDispatch(grid));
    else if (m == "SpellCheckDataGrid") source = Variant(controls::dataGridDispatch(dg));
    else if (m == "SpellCheckListView") source = Variant(controls::listViewDispatch(view));
    hooks().failOn(QString::fromLatin1(c.failingStep));
    EXPECT_EQ(call(c.method, {source}).toInteger(), c.expected);
    EXPECT_TRUE(wordStarted() || QLatin1String(c.failingStep) == QLatin1String("Application.Create"));
}

std::vector<FailureCase> failureCases()
{
    const std::pair<const char*, std::int16_t> members[] = {
        {"SpellCheckTextBox", -2},    {"SpellCheckRichTextBox", -1}, {"SpellCheckLabel", -2},
        {"SpellCheckText", -1},       {"SpellCheckListBox", -2},     {"SpellCheckComboBox", -2},
        {"SpellCheckCollection", -2}, {"SpellCheckDictionary", -1},  {"SpellCheckOneDArray", -2},
        {"SpellCheckTwoDArray", -2},  {"SpellCheckThreeDArray", -2}, {"SpellCheckFlexGrid", -1},
        {"SpellCheckHFlexGrid", -1},  {"SpellCheckDataGrid", -1},    {"SpellCheckListView", -1}};
    std::vector<FailureCase> cases;
    for (const auto& [method, code] : members)
        for (const char* step : {"Application.Create", "Application.Documents.Add", "Application.SetTop", "Application.Dialog.Show",
                                 "Selection.Delete", "Document.Close"})
            cases.push_back({method, step, code});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryMember, SpellingFailureTest, ::testing::ValuesIn(failureCases()),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                             QString step = QString::fromLatin1(info.param.failingStep);
                             step.remove(QLatin1Char('.'));
                             return std::string(info.param.method) + "_" + step.toStdString();
                         });

TEST_F(SpellingTest, WithoutADialogToShowTheCheckFails)
{
    environment.proofing().setDialog(nullptr);
    auto box = std::make_shared<controls::MemoryText>(QStringLiteral("huose"));
    EXPECT_EQ(status("SpellCheckTextBox", {Variant(controls::textBoxDispatch(box))}), -2);
    EXPECT_EQ(box->text(), QStringLiteral("huose"));
    EXPECT_EQ(status("SpellCheckText", {text("huose")}), -1);
}

TEST_F(SpellingTest, TheHeldDocumentIsCheckedInWordAndGrammarCannotBe)
{
    EXPECT_EQ(status("CheckSpelling"), -1);
    EXPECT_EQ(status("CheckGrammar"), -1);
    ASSERT_EQ(openBlank(), 1);
    control.heldDocument()->content().insertAfter(QStringLiteral("The huose report"));
    dialog->answer(kHouse);
    EXPECT_EQ(status("CheckSpelling"), 1);
    EXPECT_EQ(heldText(), QStringLiteral("The house report\r"));
    // There is no grammar checker here: the check fails rather than pass unchecked.
    EXPECT_EQ(status("CheckGrammar"), -3);
    environment.proofing().setDialog(nullptr);
    EXPECT_EQ(status("CheckSpelling"), -3);
    control.heldDocument()->close(false);
    EXPECT_EQ(status("CheckSpelling"), -2);
    EXPECT_EQ(status("CheckGrammar"), -2);
    bool save = false;
    control.CloseWord(save);
}

} // namespace
} // namespace tovu::control::testing
