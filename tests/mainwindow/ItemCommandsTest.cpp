// The user's round trip against the simulated instrument: download by dropping tree nodes
// on the list, open and edit an item, save and open the file, upload by dropping list
// items on the tree; and the refusals and cancels on the way.
#include "mainwindow/MainWindowFixture.h"

#include "app/items/FileHandlingModule.h"
#include "app/mainwindow/DragDropWiring.h"
#include "app/mainwindow/MemoryTree.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QKeyEvent>

namespace tovu::mainwindow::testing {
namespace {

constexpr int kModel = 21;

// What typing does: one key press and release per character, delivered to the widget.
void typeKey(QWidget* w, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text)
        typeKey(w, c.toUpper().unicode(), QString(c));
}  // generation 1: 100 panels, 800 ALogs, banked

class ItemCommands : public MainWindowFixture {
protected:
    frmmain& connected()
    {
        startInstrument(kModel);
        frmmain& w = start();
        w.show();
        QApplication::processEvents();
        return w;
    }
    items::ItemStore& store() { return context().store; }

    void selectNodes(std::initializer_list<int> positions)
    {
        window().DFDTree()->clearSelection();
        for (int p : positions)
            window().DFDTree()->node(p)->setSelected(true);
    }
    void selectItems(int first, int last)
    {
        QListView* list = window().lvwPanelsALog();
        list->clearSelection();
        for (int k = first; k <= last; ++k)
            list->selectionModel()->select(window().listModel().index(k - 1), QItemSelectionModel::Select);
    }
    // Where a drag over the tree would be when it drops on the node.
    QPoint pointOf(int position)
    {
        MemoryTree* tree = window().DFDTree();
        tree->scrollToItem(tree->node(position));
        QApplication::processEvents();
        return tree->visualItemRect(tree->node(position)).center();
    }
    // Puts the same item into instrument ALog slots from..to.
    void fillALogSlots(int from, int to)
    {
        instrument->editState([&](sim::InstrumentState& s) {
            const sim::StoredItem model = s.alogs.begin()->second;
            for (int n = from; n <= to; ++n) {
                s.alogs[n] = model;
                s.alogs[n].settings.values["NL"] = "ITEM" + std::to_string(n);
            }
        });
    }
    void downloadALogs(std::initializer_list<int> offsets)
    {
        std::vector<int> nodes;
        selectNodes({});
        for (int o : offsets)
            window().DFDTree()->node(kALogsNode + o)->setSelected(true);
        window().transferCommands().lvwPanelsALog_DragDrop(QStringLiteral("DFDTree"));
    }
};

std::vector<int> inUse(const std::vector<items::DFDRecord>& v, int from, int to)
{
    std::vector<int> out;
    for (int i = from; i <= to; ++i)
        if (v.at(static_cast<std::size_t>(i)).InUse)
            out.push_back(i);
    return out;
}

// The saved-items lines in which two records differ: empty when the file holds the same.
std::string fileLineDiff(const items::DFDRecord& a, const items::DFDRecord& b)
{
    const auto lines = [](const items::DFDRecord& r) {
        platform::text::LineBuffer out(1252);
        items::WriteItemRecord(r, 1, items::ALogKind, out);
        return QString::fromLatin1(out.view().data(), out.view().size()).split(QStringLiteral("\r\n"));
    };
    const QStringList x = lines(a), y = lines(b);
    std::string diff;
    for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i)
        if (x.value(i) != y.value(i))
            diff += x.value(i).toStdString() + " | " + y.value(i).toStdString() + "\n";
    return diff;
}

// What a slot holds after an upload against what was downloaded from it: every setting
// the same, except that an item with DAC points is stored at its reference gain (the DAC
// group sets the instrument's gain to it). Empty when they agree.
std::string settingsDiff(const sim::Settings& a, const sim::Settings& b)
{
    std::string diff;
    sim::Settings expected = a;
    if (!a.dacPoints.empty())
        expected.values["GN"] = a.value("GR");
    if (expected.dacPoints != b.dacPoints || expected.tcgPoints != b.tcgPoints)
        diff += "curve points differ; ";
    for (const auto& [k, v] : expected.values)
        if (!b.values.count(k) || b.values.at(k) != v)
            diff += k + "=" + v + " | " + (b.values.count(k) ? b.values.at(k) : std::string("(none)")) + "; ";
    for (const auto& [k, v] : b.values)
        if (!a.values.count(k))
            diff += k + " only after; ";
    return diff;
}

// The waveform as the link carries it: points 0 to 254.
bool sameTrace(const sim::StoredItem& a, const sim::StoredItem& b)
{
    if (!a.trace || !b.trace)
        return false;
    return std::equal(a.trace->min.begin(), a.trace->min.begin() + 255, b.trace->min.begin()) &&
           std::equal(a.trace->max.begin(), a.trace->max.begin() + 255, b.trace->max.begin());
}

std::vector<int> occupied(const std::map<int, sim::StoredItem>& m, int from, int to)
{
    std::vector<int> out;
    for (const auto& [n, item] : m)
        if (n >= from && n <= to)
            out.push_back(n);
    return out;
}

TEST_F(ItemCommands, DroppingThePanelsNodeDownloadsEveryPanelAndMarksTheCaption)
{
    frmmain& w = connected();
    ASSERT_EQ(store().MemoryGeneration, 1);
    selectNodes({kPanelsNode});
    ui.answers = {Answer::Yes};
    w.transferCommands().lvwPanelsALog_DragDrop(QStringLiteral("DFDTree"));

    const Shown* q = ui.last(QStringLiteral("yesnocancel"));
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->text, QStringLiteral("Would you like to download all the Panels?"));
    EXPECT_EQ(q->title, QStringLiteral("ALOG Transfer"));
    const sim::InstrumentState st = instrument->state();
    const std::vector<int> expected = occupied(st.panels, 1, 100);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(inUse(store().Panels, 1, 100), expected);
    for (int n : expected)
        EXPECT_EQ(store().Panels[static_cast<std::size_t>(n)].settings().Range,
                  QString::fromStdString(st.panels.at(n).settings.values.at("RG")));
    EXPECT_TRUE(w.action(QStringLiteral("mnuViewPanels"))->isChecked());
    EXPECT_EQ(w.listModel().kind(), ListKind::Panels);
    EXPECT_EQ(w.listModel().count(), 100);
    EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral(" *")));
}

TEST_F(ItemCommands, ThePanelsQuestionsNoReadsThePageAndCancelNothing)
{
    frmmain& w = connected();
    w.pageMenus().mnuPanelMem_Click(2);
    selectNodes({kPanelsNode});
    ui.answers = {Answer::Cancel};
    w.transferCommands().lvwPanelsALog_DragDrop(QStringLiteral("DFDTree"));
    EXPECT_TRUE(inUse(store().Panels, 1, 100).empty());
    EXPECT_TRUE(w.action(QStringLiteral("mnuViewPanels"))->isChecked()) << "the checks name the dropped kind";

    ui.answers = {Answer::No};
    w.transferCommands().lvwPanelsALog_DragDrop(QStringLiteral("DFDTree"));
    EXPECT_EQ(inUse(store().Panels, 1, 100), occupied(instrument->state().panels, 21, 40));
}

TEST_F(ItemCommands, AGappedSelectionOfALogNodesDownloadsOnlyTheSelectedSlots)
{
    frmmain& w = connected();
    fillALogSlots(3, 6);
    downloadALogs({3, 5, 6});
    EXPECT_EQ(inUse(store().ALogs, 1, 800), (std::vector<int>{3, 5, 6}));
    const sim::InstrumentState st = instrument->state();
    for (int n : {3, 5, 6}) {
        const items::DFDRecord& r = store().ALogs[static_cast<std::size_t>(n)];
        EXPECT_EQ(r.settings().NoteLabel.trimmed(), QStringLiteral("ITEM%1").arg(n));
        EXPECT_EQ(r.curves().WaveMax, st.alogs.at(n).trace->max);
    }
    EXPECT_EQ(w.listModel().kind(), ListKind::ALogs);
    EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral(" *")));
}

TEST_F(ItemCommands, OpeningAnItemDrawsItListsItsSettingsAndShowsItsNotes)
{
    frmmain& w = connected();
    fillALogSlots(2, 2);
    downloadALogs({2});
    store().ALogs[2].editSettings().NoteLabel = QStringLiteral("  WELD  ");
    store().WorkItems[2].editSettings().NoteLabel = QStringLiteral("  WELD  ");
    selectItems(2, 2);
    w.itemCommands().lvwPanelsALog_DblClick();

    EXPECT_EQ(context().display.PreviousItem(), 2);
    EXPECT_FALSE(context().display.drawing().empty());
    EXPECT_EQ(w.NotesSettingsTab()->NoteIndex()->text(), QStringLiteral("2"));
    EXPECT_EQ(w.NotesSettingsTab()->LabelText()->text(), QStringLiteral("WELD"));
    EXPECT_EQ(store().ALogs[2].settings().NoteLabel, QStringLiteral("  WELD  ")) << "viewing writes nothing back";
    EXPECT_NE(w.NotesSettingsTab()->gridModel().rowCount(), 0);
    EXPECT_EQ(w.itemCommands().shownItem().array, ShownItem::Array::ALogs);
    EXPECT_EQ(w.itemCommands().shownItem().index, 2);

    // An empty item says so and leaves the picture alone.
    selectItems(9, 9);
    w.itemCommands().lvwPanelsALog_DblClick();
    ASSERT_NE(ui.last(QStringLiteral("message")), nullptr);
    EXPECT_EQ(ui.last(QStringLiteral("message"))->text, QStringLiteral("ALog  9 is Empty"));
    EXPECT_EQ(ui.last(QStringLiteral("message"))->title, QStringLiteral("DFD File"));
    EXPECT_EQ(context().display.PreviousItem(), 2);

    selectItems(4, 6);
    EXPECT_EQ(w.itemCommands().ListSelFirst(), 4);
    EXPECT_EQ(w.itemCommands().ListSelLast(), 6);

    // A drop on the picture shows the item there too, and Save Individual names it.
    selectItems(2, 2);
    w.itemCommands().Picture1_DragDrop();
    EXPECT_EQ(w.itemCommands().shownItem().index, 2);
    EXPECT_EQ(w.action(QStringLiteral("mnuSaveIndividual"))->text(), QStringLiteral("Save ALog   2"));
    w.itemCommands().lvwPanelsALog_ItemClick(12);
    EXPECT_EQ(w.action(QStringLiteral("mnuSaveIndividual"))->text(), QStringLiteral("Save ALog   12"));
}

TEST_F(ItemCommands, ADownloadIntoTheShownItemShowsTheNewItem)
{
    frmmain& w = connected();
    fillALogSlots(3, 4);
    downloadALogs({3, 4});
    selectItems(3, 3);
    w.itemCommands().lvwPanelsALog_DblClick();
    ASSERT_EQ(w.NotesSettingsTab()->LabelText()->text(), QStringLiteral("ITEM3"));
    // The instrument's slot 3 now holds another item; downloading it again refreshes
    // the picture, the grid and the notes, while the other slot's record is left alone.
    instrument->editState([](sim::InstrumentState& s) { s.alogs[3].settings.values["NL"] = "NEWER3"; });
    downloadALogs({3});
    EXPECT_EQ(store().ALogs[3].settings().NoteLabel.trimmed(), QStringLiteral("NEWER3"));
    EXPECT_EQ(w.NotesSettingsTab()->LabelText()->text(), QStringLiteral("NEWER3"));
    EXPECT_EQ(w.itemCommands().shownItem().index, 3);
    EXPECT_EQ(context().display.PreviousItem(), 3);
    // Downloading another slot leaves the shown item as drawn.
    selectItems(3, 3);
    downloadALogs({4});
    EXPECT_EQ(w.NotesSettingsTab()->LabelText()->text(), QStringLiteral("NEWER3"));
}

TEST_F(ItemCommands, NoteEditsGoToTheShownRecordAndMarkTheCaption)
{
    frmmain& w = connected();
    fillALogSlots(3, 3);
    downloadALogs({3});
    w.setModified(false);
    selectItems(3, 3);
    w.itemCommands().lvwPanelsALog_DblClick();
    // Switching the view does not redirect the edits to the panel of that number.
    w.mnuViewPanels_Click();
    const items::DFDRecord panelBefore = store().Panels[3];
    QLineEdit* label = w.NotesSettingsTab()->LabelText();
    label->setFocus();
    label->selectAll();
    typeText(label, QStringLiteral("PIPE"));
    EXPECT_EQ(store().ALogs[3].settings().NoteLabel, QStringLiteral("PIPE"));
    EXPECT_TRUE(store().Panels[3] == panelBefore);
    EXPECT_EQ(store().WorkItems[3], panelBefore) << "the working records show panels now";
    EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral(" *")));

    // The memo stores every change, pasted or typed, and takes no Enter.
    w.setModified(false);
    QPlainTextEdit* memo = w.NotesSettingsTab()->MemoText();
    memo->clear();
    typeText(memo, QStringLiteral("ab"));
    typeKey(memo, Qt::Key_Return, QStringLiteral("\r"));
    memo->insertPlainText(QStringLiteral("c"));
    typeKey(memo, Qt::Key_Backspace);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("ab"));
    EXPECT_EQ(store().ALogs[3].settings().Memo, QStringLiteral("ab"));
    EXPECT_TRUE(w.modified());
}

TEST_F(ItemCommands, SavedFileReadsBackAndOpensWithoutLosingMemoryOnFailure)
{
    frmmain& w = connected();
    fillALogSlots(1, 4);
    downloadALogs({1, 2, 3, 4});
    selectNodes({kPanelsNode});
    ui.answers = {Answer::No};
    w.transferCommands().lvwPanelsALog_DragDrop(QStringLiteral("DFDTree"));
    const std::vector<items::DFDRecord> panels = store().Panels;
    const std::vector<items::DFDRecord> alogs = store().ALogs;

    const QString chosen = home.filePath(QStringLiteral("items"));
    ui.fileNames = {chosen};
    ASSERT_TRUE(w.fileMenus().mnuSave_Click());
    EXPECT_EQ(ui.lastDialog.Filter, QStringLiteral("DFD Files|*.dfd"));
    EXPECT_FALSE(w.windowTitle().contains(u'*'));
    const QString file = chosen + QStringLiteral(".dfd");
    ASSERT_TRUE(QFileInfo::exists(file));

    items::ItemStore fresh;
    fresh.RecreateArrays(1);
    ASSERT_TRUE(items::LoadItemsFile(fresh, file, 1252).ok);
    for (int n = 1; n <= 100; ++n)
        EXPECT_EQ(fileLineDiff(fresh.Panels[static_cast<std::size_t>(n)], panels[static_cast<std::size_t>(n)]), "") << "panel " << n;
    for (int n = 1; n <= 800; ++n)
        EXPECT_EQ(fileLineDiff(fresh.ALogs[static_cast<std::size_t>(n)], alogs[static_cast<std::size_t>(n)]), "") << "ALog " << n;

    // A cancelled dialog or a file that cannot be read changes nothing in memory.
    ui.fileNames = {std::nullopt};
    EXPECT_FALSE(w.fileMenus().mnuOpen_Click());
    const QString bad = home.filePath(QStringLiteral("bad.dfd"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("TS,now\r\nRG,not a record\r\nAS,99999\r\n");  // no record that can be read
    }
    ui.fileNames = {bad};
    EXPECT_FALSE(w.fileMenus().mnuOpen_Click());
    EXPECT_EQ(ui.last(QStringLiteral("message"))->icon, MessageIcon::Exclamation);
    EXPECT_TRUE(store().ALogs == alogs);

    // Unsaved changes are asked about first; Cancel keeps everything.
    store().ALogs[1].editSettings().NoteText = QStringLiteral("changed");
    w.setModified(true);
    ui.answers = {Answer::Cancel};
    ui.fileNames = {file};
    EXPECT_FALSE(w.fileMenus().mnuOpen_Click());
    EXPECT_EQ(store().ALogs[1].settings().NoteText, QStringLiteral("changed"));

    ui.answers = {Answer::No};
    ASSERT_TRUE(w.fileMenus().mnuOpen_Click());
    // The items come back; the records without one are reset as Open resets them.
    EXPECT_EQ(inUse(store().Panels, 1, 100), inUse(panels, 1, 100));
    EXPECT_EQ(inUse(store().ALogs, 1, 800), inUse(alogs, 1, 800));
    for (int n : inUse(panels, 1, 100))
        EXPECT_EQ(fileLineDiff(store().Panels[static_cast<std::size_t>(n)], panels[static_cast<std::size_t>(n)]), "") << n;
    for (int n : inUse(alogs, 1, 800))
        EXPECT_EQ(fileLineDiff(store().ALogs[static_cast<std::size_t>(n)], alogs[static_cast<std::size_t>(n)]), "") << n;
    EXPECT_EQ(w.listModel().kind(), ListKind::Panels);
    EXPECT_EQ(setting(QStringLiteral("Application"), QStringLiteral("Path")), home.path());
}

TEST_F(ItemCommands, UploadedItemsLandInTheirSlotsAsDownloaded)
{
    frmmain& w = connected();
    fillALogSlots(1, 3);
    downloadALogs({1, 2, 3});
    const sim::InstrumentState before = instrument->state();
    // What goes back is what came through the file: saved, emptied from memory, opened.
    const QString file = home.filePath(QStringLiteral("round.dfd"));
    ui.fileNames = {file, file};
    ASSERT_TRUE(w.fileMenus().mnuSave_Click());
    ui.answers = {Answer::Yes};
    w.Toolbar1_ButtonClick(QStringLiteral("Recycle_Bin_Empty"));
    ASSERT_TRUE(inUse(store().ALogs, 1, 800).empty());
    ui.answers = {Answer::No};
    ASSERT_TRUE(w.fileMenus().mnuOpen_Click());
    w.mnuViewALogs_Click();
    ASSERT_EQ(inUse(store().WorkItems, 1, 800), (std::vector<int>{1, 2, 3}));
    instrument->editState([](sim::InstrumentState& s) {
        for (int n = 1; n <= 3; ++n)
            s.alogs.erase(n);
        s.alogs.erase(57);
    });

    // One item into another slot: ALog 2 onto the node of slot 57 (page 1).
    selectItems(2, 2);
    ui.shown.clear();
    ui.answers = {Answer::Yes};
    w.transferCommands().DFDTree_DragDrop(QStringLiteral("lvwPanelsALog"), pointOf(kALogsNode + 57));
    const Shown* q = ui.last(QStringLiteral("yesno"));
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->text, QStringLiteral(" About to write AScan 2 into AScan  57 of the ") +
                           context().link.ModelNames.at(static_cast<std::size_t>(store().WorkItems[0].ModelIndex)));
    sim::InstrumentState st = instrument->state();
    for (const Shown& m : ui.shown)
        if (m.kind == QStringLiteral("message"))
            ADD_FAILURE() << "message: " << m.title.toStdString() << ": " << m.text.toStdString();
    ASSERT_EQ(st.alogs.count(57), 1u);
    EXPECT_EQ(settingsDiff(before.alogs.at(2).settings, st.alogs.at(57).settings), "");
    EXPECT_TRUE(sameTrace(st.alogs.at(57), before.alogs.at(2)));
    EXPECT_EQ(w.DFDTree()->picture(kALogsNode + 57), kUsedPicture);

    // Several items, each into the slot of its own number, on any ALog node.
    selectItems(1, 3);
    ui.answers = {Answer::Yes, Answer::Yes};
    w.transferCommands().DFDTree_DragDrop(QStringLiteral("lvwPanelsALog"), pointOf(kALogsNode + 40));
    st = instrument->state();
    for (int n = 1; n <= 3; ++n) {
        ASSERT_EQ(st.alogs.count(n), 1u) << n;
        EXPECT_EQ(settingsDiff(before.alogs.at(n).settings, st.alogs.at(n).settings), "") << n;
        EXPECT_TRUE(sameTrace(st.alogs.at(n), before.alogs.at(n))) << n;
        EXPECT_EQ(w.DFDTree()->picture(kALogsNode + n), kUsedPicture);
    }
}

TEST_F(ItemCommands, ItemsOfOneKindAreRefusedOnNodesOfTheOther)
{
    frmmain& w = connected();
    fillALogSlots(1, 1);
    downloadALogs({1});
    instrument->clearTranscript();
    struct Case {
        int first, last, node;
        bool refused;
    };
    for (const Case c : {Case{1, 1, kFirstPanelNode + 4, true}, Case{1, 2, kALogsNode, true}, Case{1, 1, kRootNode, true}}) {
        selectItems(c.first, c.last);
        ui.shown.clear();
        w.transferCommands().DFDTree_DragDrop(QStringLiteral("lvwPanelsALog"), pointOf(c.node));
        ASSERT_NE(ui.last(QStringLiteral("message")), nullptr) << c.node;
        EXPECT_EQ(ui.last(QStringLiteral("message"))->text, QStringLiteral("Incompatible Target Type"));
        EXPECT_EQ(ui.last(QStringLiteral("message"))->icon, MessageIcon::Exclamation);
        EXPECT_EQ(ui.count(QStringLiteral("yesno")), 0);
    }
    // One panel on the PANELS node is refused, several there are offered.
    w.mnuViewPanels_Click();
    selectItems(4, 4);
    ui.shown.clear();
    w.transferCommands().DFDTree_DragDrop(QStringLiteral("lvwPanelsALog"), pointOf(kPanelsNode));
    EXPECT_EQ(ui.last(QStringLiteral("message"))->text, QStringLiteral("Incompatible Target Type"));
    selectItems(4, 5);
    ui.shown.clear();
    ui.answers = {Answer::No};
    w.transferCommands().DFDTree_DragDrop(QStringLiteral("lvwPanelsALog"), pointOf(kPanelsNode));
    ASSERT_NE(ui.last(QStringLiteral("yesno")), nullptr);
    EXPECT_TRUE(ui.last(QStringLiteral("yesno"))->text.startsWith(QStringLiteral(" About to write Panels Settings  4- 5")));
    EXPECT_TRUE(instrument->transcript().empty()) << "nothing reached the instrument";
}

TEST_F(ItemCommands, CancellingADownloadKeepsThePCItems)
{
    frmmain& w = connected();
    fillALogSlots(1, 1);
    downloadALogs({1});
    const std::vector<items::DFDRecord> alogs = store().ALogs;
    int waits = 0;
    waitHook = [&] {
        if (++waits == 200 && context().link.transferDialog())
            context().link.Active = false;
    };
    selectNodes({kALogsNode});
    ui.answers = {Answer::No};
    w.transferCommands().lvwPanelsALog_DragDrop(QStringLiteral("DFDTree"));
    waitHook = nullptr;
    ASSERT_NE(ui.last(QStringLiteral("message")), nullptr);
    EXPECT_EQ(ui.last(QStringLiteral("message"))->title, QStringLiteral("Get All Alogs Error"));
    EXPECT_TRUE(ui.last(QStringLiteral("message"))->text.contains(QStringLiteral("Interrupted")))
        << ui.last(QStringLiteral("message"))->text.toStdString();
    EXPECT_TRUE(store().ALogs == alogs);
}

TEST_F(ItemCommands, DropsAreAcceptedOnlyWhereTheyDoSomething)
{
    mapComToNothing();
    frmmain& w = start();
    const QString list = QStringLiteral("lvwPanelsALog");
    const QString tree = QStringLiteral("DFDTree");
    struct Case {
        QWidget* target;
        QString source;
        bool accepted;
    };
    const Case cases[] = {
        {w.lvwPanelsALog()->viewport(), tree, true},  {w.lvwPanelsALog()->viewport(), list, false},
        {w.DFDTree()->viewport(), list, true},        {w.DFDTree()->viewport(), tree, true},
        {w.Picture1(), list, true},                   {w.Picture1(), tree, false},
        {w.NotesSettingsTab()->GridSettings()->viewport(), list, true},
        {w.NotesSettingsTab()->GridSettings()->viewport(), tree, false},
        {w.lvwPanelsALog()->viewport(), QString(), false},
    };
    for (const Case& c : cases) {
        QMimeData data;
        data.setData(kDragSourceFormat, c.source.toUtf8());
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(c.target, &enter);
        EXPECT_EQ(enter.isAccepted(), c.accepted) << c.target->objectName().toStdString() << " " << c.source.toStdString();
    }
}

TEST_F(ItemCommands, CompactMoveAndEmptyChangeThePCItemsAndMarkThem)
{
    mapComToNothing();
    frmmain& w = start();
    for (int n : {3, 7}) {
        store().Panels[static_cast<std::size_t>(n)].InUse = true;
        store().Panels[static_cast<std::size_t>(n)].editSettings().SlotText = QString::number(n);
        store().Panels[static_cast<std::size_t>(n)].editSettings().NoteLabel = QStringLiteral("P%1").arg(n);
    }
    w.itemCommands().mnuCompactMem_Click();
    EXPECT_EQ(inUse(store().Panels, 1, 100), (std::vector<int>{1, 2}));
    EXPECT_EQ(store().Panels[2].settings().NoteLabel, QStringLiteral("P7"));
    EXPECT_EQ(store().Panels[2].settings().SlotText, QStringLiteral("2"));
    EXPECT_TRUE(store().Panels[3] == items::DFDRecord());
    EXPECT_TRUE(w.modified());

    w.setModified(false);
    selectItems(1, 2);  // only the first selected moves
    w.itemCommands().cmdMoveOrder_Click(1);
    EXPECT_EQ(store().Panels[2].settings().NoteLabel, QStringLiteral("P3"));
    EXPECT_EQ(store().Panels[1].settings().SlotText, QStringLiteral("1"));
    EXPECT_EQ(w.itemCommands().selectedItemIndex(), 2);
    EXPECT_EQ(w.lvwPanelsALog()->selectionModel()->selectedIndexes().size(), 1);
    EXPECT_TRUE(w.modified());
    selectItems(1, 1);
    w.itemCommands().cmdMoveOrder_Click(0);  // the first cannot go up
    EXPECT_EQ(store().Panels[1].settings().NoteLabel, QStringLiteral("P7"));

    // Emptying the list asks, then empties the shown kind so that Save cannot bring it back.
    w.setModified(false);
    ui.answers = {Answer::No};
    w.Toolbar1_ButtonClick(QStringLiteral("Recycle_Bin_Empty"));
    EXPECT_EQ(inUse(store().Panels, 1, 100).size(), 2u);
    ui.answers = {Answer::Yes};
    w.Toolbar1_ButtonClick(QStringLiteral("Recycle_Bin_Empty"));
    EXPECT_TRUE(inUse(store().Panels, 1, 100).empty());
    EXPECT_TRUE(inUse(store().WorkItems, 1, 100).empty());
    EXPECT_TRUE(w.modified());
    w.Toolbar1_ButtonClick(QStringLiteral("recycle_bin_empty"));  // keys are exact
    EXPECT_EQ(ui.count(QStringLiteral("yesno")), 2);
}

TEST_F(ItemCommands, SaveIndividualWritesTheClickedItemAndCancelWritesNothing)
{
    mapComToNothing();
    frmmain& w = start();
    w.mnuViewPanels_Click();
    store().Panels[5].InUse = true;
    store().Panels[5].editSettings().NoteLabel = QStringLiteral("FIVE");
    w.mnuViewPanels_Click();

    EXPECT_FALSE(w.fileMenus().mnuSaveIndividual_Click());  // the start-up caption names no item
    EXPECT_EQ(ui.last(QStringLiteral("message"))->text, QStringLiteral("No File is Selected OR It's Empty!"));

    w.itemCommands().lvwPanelsALog_ItemClick(5);
    const QString earlier = home.filePath(QStringLiteral("earlier.dfd"));
    w.commonDialog().FileName = earlier;
    ui.fileNames = {std::nullopt};
    EXPECT_FALSE(w.fileMenus().mnuSaveIndividual_Click());
    EXPECT_FALSE(QFileInfo::exists(earlier));

    ui.fileNames = {home.filePath(QStringLiteral("five"))};
    ASSERT_TRUE(w.fileMenus().mnuSaveIndividual_Click());
    EXPECT_EQ(ui.last(QStringLiteral("save"))->title, QStringLiteral("Save Individual Memory Item"));
    QFile f(home.filePath(QStringLiteral("five.dfd")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.startsWith("PS,5\r\n")) << text.left(20).toStdString();
    EXPECT_TRUE(text.contains("FIVE"));
}

} // namespace
} // namespace tovu::mainwindow::testing

namespace tovu::mainwindow::testing {
namespace {

TEST_F(ItemCommands, LiveSettingsAreShownAsRecordZeroUnderTheModelsCaption)
{
    frmmain& w = connected();
    w.setModified(true);
    w.transferCommands().mnuGetCurrentSettings_Click();
    const items::DFDRecord& live = store().WorkItems[0];
    EXPECT_TRUE(store().LiveSettingsShown);
    EXPECT_TRUE(live.InUse);
    EXPECT_TRUE(live.WaveformPresent);
    EXPECT_EQ(live.settings().SlotText, QStringLiteral(" 0"));
    EXPECT_EQ(live.settings().Range, QString::fromStdString(instrument->state().live.value("RG")));
    EXPECT_EQ(live.DacCurvePresent, live.DacPresent);
    EXPECT_EQ(context().display.PreviousItem(), 0);
    EXPECT_EQ(w.itemCommands().shownItem().array, ShownItem::Array::Live);
    const QString model = context().link.ModelNames.at(static_cast<std::size_t>(live.ModelIndex));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVU ") + model + QStringLiteral(" *")) << "unsaved items keep their mark";
    EXPECT_EQ(ui.count(QStringLiteral("message")), 0);

    // A note typed for the live settings stays in record 0 and marks nothing.
    w.setModified(false);
    w.NotesSettingsTab()->LabelText()->setFocus();
    typeText(w.NotesSettingsTab()->LabelText(), QStringLiteral("X"));
    EXPECT_TRUE(store().WorkItems[0].settings().NoteLabel.endsWith(u'X'));
    EXPECT_FALSE(store().ALogs[0].settings().NoteLabel.endsWith(u'X'));
    EXPECT_FALSE(w.modified());
}

TEST_F(ItemCommands, LiveSettingsWithoutAnAnsweringInstrumentShowTheErrorOnly)
{
    frmmain& w = connected();
    instrument->addFault(sim::FaultRule{"*", sim::FaultKind::Silence, 0});
    const QString title = w.windowTitle();
    const QString picture = context().display.drawing().dump();
    w.transferCommands().mnuGetCurrentSettings_Click();
    ASSERT_NE(ui.last(QStringLiteral("message")), nullptr);
    EXPECT_EQ(ui.last(QStringLiteral("message"))->title, QStringLiteral("Get All Alogs Error"));
    EXPECT_EQ(ui.last(QStringLiteral("message"))->icon, MessageIcon::Critical);
    EXPECT_EQ(w.windowTitle(), title);
    EXPECT_EQ(context().display.drawing().dump(), picture) << "nothing drawn";
    EXPECT_FALSE(context().port.portOpen());
}

TEST_F(ItemCommands, ADropOnTheGridOpensTheSelectedItemAndNamesItsModel)
{
    frmmain& w = connected();
    fillALogSlots(4, 4);
    downloadALogs({4});
    selectItems(4, 4);
    w.itemCommands().GridSettings_DragDrop();
    const QString model = context().link.ModelNames.at(static_cast<std::size_t>(store().WorkItems[4].ModelIndex));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVU") + model + QStringLiteral(" *"));
    EXPECT_EQ(context().display.PreviousItem(), 4);
    EXPECT_EQ(w.NotesSettingsTab()->LabelText()->text(), QStringLiteral("ITEM4"));
}

// A drop delivered as Qt delivers it: the event on the list's viewport carries the source,
// and the download runs once the drag has ended.
TEST_F(ItemCommands, ADropEventOnTheListRunsTheDownloadAfterTheDrag)
{
    frmmain& w = connected();
    fillALogSlots(7, 7);
    selectNodes({kALogsNode + 7});
    QMimeData data;
    data.setData(kDragSourceFormat, QByteArrayLiteral("DFDTree"));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.lvwPanelsALog()->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.lvwPanelsALog()->viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted()) << DragDropWiring::sourceName(drop).toStdString();
    EXPECT_FALSE(store().ALogs[7].InUse) << "not inside the drag";
    for (int i = 0; i < 50 && !store().ALogs[7].InUse; ++i)
        QApplication::processEvents();
    EXPECT_EQ(inUse(store().ALogs, 1, 800), (std::vector<int>{7}));
}

TEST_F(ItemCommands, TheTreesPopUpDeletesTheSlotOfTheNode)
{
    frmmain& w = connected();
    fillALogSlots(8, 8);
    w.statusDisplay().mnuStatus_Click();
    ASSERT_EQ(w.DFDTree()->picture(kALogsNode + 8), kUsedPicture);
    w.DFDTree()->setCurrentItem(w.DFDTree()->node(kALogsNode + 8));
    ui.answers = {Answer::Yes, Answer::Yes};
    w.transferCommands().PopUpmnuDeleteItem_Click();
    EXPECT_EQ(instrument->state().alogs.count(8), 0u);
    EXPECT_EQ(w.DFDTree()->picture(kALogsNode + 8), kEmptyPicture);
}

} // namespace
} // namespace tovu::mainwindow::testing

namespace tovu::mainwindow::testing {
namespace {

// The AVG curve is read only for the AVG mode "5"; DAC and TCG curves follow their points.
TEST_F(ItemCommands, LiveSettingsReadTheAvgCurveOnlyInAvgMode)
{
    frmmain& w = connected();
    for (const char* mode : {"5", "0", "4"}) {
        instrument->editState([&](sim::InstrumentState& s) { s.live.values["EN"] = mode; });
        instrument->clearTranscript();
        w.transferCommands().mnuGetCurrentSettings_Click();
        bool avgRead = false;
        for (const auto& e : instrument->transcript())
            avgRead = avgRead || e.received.rfind("AAC", 0) == 0;
        const bool on = std::string(mode) == "5";
        EXPECT_EQ(store().WorkItems[0].settings().AvgMode == u"5", on) << mode;
        EXPECT_EQ(avgRead, on) << mode;
        EXPECT_EQ(store().WorkItems[0].AvgCurvePresent, on) << mode;
    }
}

} // namespace
} // namespace tovu::mainwindow::testing
