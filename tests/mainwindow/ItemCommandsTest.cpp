// Opening and editing items in the window, with items downloaded from the simulated
// instrument: the one shown item, its notes, the selected range, saving and opening the
// file, compact, reorder and empty.
#include "mainwindow/ConnectedWindow.h"

#include "app/items/FileHandlingModule.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tovu::mainwindow::testing {
namespace {

using ItemCommands = ConnectedWindow;

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
    w.itemViews().mnuViewPanels_Click();
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
    w.itemViews().mnuViewPanels_Click();
    store().Panels[5].InUse = true;
    store().Panels[5].editSettings().NoteLabel = QStringLiteral("FIVE");
    w.itemViews().mnuViewPanels_Click();

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

} // namespace
} // namespace tovu::mainwindow::testing
