// The transfers the window runs against the simulated instrument: downloads by dropping
// tree nodes on the list, uploads by dropping list items on the tree, the live settings,
// the tree's slot commands; and the refusals and cancels on the way.
#include "mainwindow/ConnectedWindow.h"

#include "app/mainwindow/DragDropWiring.h"

#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>

namespace tovu::mainwindow::testing {
namespace {

using TransferCommands = ConnectedWindow;

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

TEST_F(TransferCommands, DroppingThePanelsNodeDownloadsEveryPanelAndMarksTheCaption)
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

TEST_F(TransferCommands, ThePanelsQuestionsNoReadsThePageAndCancelNothing)
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

TEST_F(TransferCommands, AGappedSelectionOfALogNodesDownloadsOnlyTheSelectedSlots)
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

TEST_F(TransferCommands, UploadedItemsLandInTheirSlotsAsDownloaded)
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
    w.itemViews().mnuViewALogs_Click();
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

TEST_F(TransferCommands, ItemsOfOneKindAreRefusedOnNodesOfTheOther)
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
    w.itemViews().mnuViewPanels_Click();
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

TEST_F(TransferCommands, CancellingADownloadKeepsThePCItems)
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

TEST_F(TransferCommands, DropsAreAcceptedOnlyWhereTheyDoSomething)
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

TEST_F(TransferCommands, LiveSettingsAreShownAsRecordZeroUnderTheModelsCaption)
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

TEST_F(TransferCommands, LiveSettingsWithoutAnAnsweringInstrumentShowTheErrorOnly)
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

// A refused read shows the record all the same, and one box that names the setting.
TEST_F(TransferCommands, LiveSettingsWithARefusedReadListItInOneBox)
{
    frmmain& w = connected();
    instrument->addFault(sim::FaultRule{"RGN", sim::FaultKind::Nak, 0});
    w.transferCommands().mnuGetCurrentSettings_Click();
    ASSERT_EQ(ui.count(QStringLiteral("message")), 1);
    EXPECT_EQ(ui.last(QStringLiteral("message"))->title, QStringLiteral("Get Current Settings completed with notes"));
    EXPECT_EQ(ui.last(QStringLiteral("message"))->text, QStringLiteral("Current settings read; the instrument refused: Gain [RGN]"));
    EXPECT_EQ(ui.last(QStringLiteral("message"))->icon, MessageIcon::Exclamation);
    EXPECT_EQ(store().WorkItems[0].settings().Gain, QStringLiteral("N/A"));
    EXPECT_EQ(w.itemCommands().shownItem().array, ShownItem::Array::Live);
}

// A drop delivered as Qt delivers it: the event on the list's viewport carries the source,
// and the download runs once the drag has ended.
TEST_F(TransferCommands, ADropEventOnTheListRunsTheDownloadAfterTheDrag)
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
    EXPECT_TRUE(waitUntil([&] { return store().ALogs[7].InUse; }));
    EXPECT_EQ(inUse(store().ALogs, 1, 800), (std::vector<int>{7}));
}

TEST_F(TransferCommands, TheTreesPopUpDeletesTheSlotOfTheNode)
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

// The AVG curve is read only for the AVG mode "5"; DAC and TCG curves follow their points.
TEST_F(TransferCommands, LiveSettingsReadTheAvgCurveOnlyInAvgMode)
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
