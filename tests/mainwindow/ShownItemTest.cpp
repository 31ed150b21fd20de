// One shown item: however an item is opened (a click, a double-click, a drop on the grid
// or on the picture), the picture, the grid, the notes, Save Individual and the Word
// report all show that item, and a re-layout (a resize, the report frame shown and
// hidden) keeps it.
#include "mainwindow/MainWindowFixture.h"

#include "app/mainwindow/DragDropWiring.h"
#include "app/mainwindow/ReportWiring.h"
#include "app/reports/widgets/ReportFrame.h"
#include "platform/metafile/MetafileFile.h"
#include "app/items/FileHandlingModule.h"
#include "platform/office/word/DocumentFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

namespace tovu::mainwindow::testing {
namespace {

namespace word = tovu::platform::word;

class ShownItemTest : public MainWindowFixture {
protected:
    // Four items with traces that draw differently: the fixture's first traced ALog and
    // copies of it with other traces and labels in empty slots.
    frmmain& ready()
    {
        items.clear();
        picture.clear();
        frmmain& w = startWithItems();
        auto& work = context().store.WorkItems;
        int source = 0;
        for (int k = 1; k <= w.listModel().count() && source == 0; ++k)
            if (work[static_cast<std::size_t>(k)].InUse && work[static_cast<std::size_t>(k)].WaveformPresent)
                source = k;
        EXPECT_NE(source, 0);
        items.push_back(source);
        for (int k = 1; k <= w.listModel().count() && items.size() < 4; ++k) {
            items::DFDRecord& r = work[static_cast<std::size_t>(k)];
            if (r.InUse || r.WaveformPresent)
                continue;
            r = work[static_cast<std::size_t>(source)];
            r.editSettings().NoteLabel = QStringLiteral("ITEM%1").arg(k);
            for (std::size_t i = 0; i < r.editCurves().WaveMax.size(); ++i)
                r.editCurves().WaveMax[i] = static_cast<std::int16_t>((i * (k + 3)) % 200);
            context().store.ALogs[static_cast<std::size_t>(k)] = r;
            items.push_back(k);
        }
        w.itemViews().FillItemList();
        // What each item's picture is, drawn on its own.
        for (int k : items) {
            context().display.DrawAScan(k);
            picture[k] = context().display.metafileBytes();
        }
        w.show();
        settle();
        return w;
    }
    void select(int k)
    {
        QListView* list = window().lvwPanelsALog();
        list->clearSelection();
        list->selectionModel()->select(window().listModel().index(k - 1), QItemSelectionModel::Select);
        list->setCurrentIndex(window().listModel().index(k - 1));
    }
    // A drop of the list's item as Qt delivers it, the command running after the drag.
    void dropOn(QWidget* target)
    {
        QMimeData data;
        data.setData(kDragSourceFormat, QByteArrayLiteral("lvwPanelsALog"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        ASSERT_TRUE(enter.isAccepted()) << target->objectName().toStdString();
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        settle();
    }
    // A click as the list reports it (the list's own hit test is Qt's).
    void click(int k)
    {
        select(k);
        emit window().lvwPanelsALog()->clicked(window().listModel().index(k - 1));
        settle();
    }
    // Everything that shows the item agrees on k.
    void expectShown(int k)
    {
        frmmain& w = window();
        EXPECT_EQ(w.itemCommands().shownItem().index, k);
        EXPECT_EQ(w.itemCommands().shownItem().array, ShownItem::Array::ALogs);
        EXPECT_EQ(context().display.metafileBytes(), picture[k]) << "the picture on screen";
        EXPECT_EQ(platform::metafile::loadMetafile(context().display.picturePath()).value_or(QByteArray()), picture[k])
            << "the picture file the report and the copy read";
        EXPECT_EQ(w.NotesSettingsTab()->NoteIndex()->text(), QString::number(k));
        EXPECT_EQ(w.NotesSettingsTab()->LabelText()->text(),
                  context().store.WorkItems[static_cast<std::size_t>(k)].settings().NoteLabel.trimmed());
        EXPECT_TRUE(w.action(QStringLiteral("mnuSaveIndividual"))->text().endsWith(QStringLiteral(" %1").arg(k)));
    }

    std::vector<int> items;
    std::map<int, QByteArray> picture;
};

TEST_F(ShownItemTest, EveryWayOfOpeningShowsOneItemThatARelayoutKeeps)
{
    frmmain& w = ready();
    ASSERT_EQ(items.size(), 4u);
    ASSERT_TRUE(w.wordAvailable());
    struct Route {
        const char* name;
        std::function<void(int)> open;
    };
    const Route routes[] = {
        {"double-click", [&](int k) { select(k); w.itemCommands().lvwPanelsALog_DblClick(); }},
        {"click", [&](int k) { click(k); }},
        {"drop on the grid", [&](int k) { select(k); dropOn(w.NotesSettingsTab()->GridSettings()->viewport()); }},
        {"drop on the picture", [&](int k) { select(k); dropOn(w.Picture1()); }},
    };
    std::size_t next = 0;
    for (const Route& route : routes) {
        // Each route opens another item than the one shown before.
        const int k = items[next++ % items.size()];
        SCOPED_TRACE(std::string(route.name) + " of item " + std::to_string(k));
        route.open(k);
        expectShown(k);
        // A re-layout: another size, the report frame shown and hidden.
        w.resize(1000, 700);
        settle();
        expectShown(k);
        w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
        settle();
        expectShown(k);
        w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
        w.resize(800, 600);
        settle();
        expectShown(k);
        // A view switch away and back leaves the shown item as it was.
        w.itemViews().mnuViewPanels_Click();
        w.resize(900, 650);
        settle();
        w.itemViews().mnuViewALogs_Click();
        expectShown(k);
    }
}

TEST_F(ShownItemTest, TheReportGetsThePictureOfTheShownItemAfterARelayout)
{
    frmmain& w = ready();
    ASSERT_GE(items.size(), 2u);
    const int first = items[0];
    const int shown = items[1];
    select(first);
    w.itemCommands().lvwPanelsALog_DblClick();
    click(shown);
    w.resize(1100, 760);
    w.Toolbar1_ButtonClick(QStringLiteral("wordIcon1"));
    settle();
    ASSERT_TRUE(w.Frm_Export()->isVisible());

    reports::ReportFrame& frame = w.reportWiring().frame();
    const QString doc = home.filePath(QStringLiteral("shown"));
    ui.inputs.push_back(QStringLiteral("Shown"));
    ui.fileNames.push_back(doc);
    frame.Btn_WordExport()->click();
    ASSERT_TRUE(frame.BtnExport_Current()->isEnabled());
    frame.BtnExport_Current()->click();
    frame.Btn_SaveClose()->click();
    EXPECT_EQ(ui.count(QStringLiteral("message")), 0);

    const std::unique_ptr<word::DocumentModel> model = word::readDocumentFile(doc + QStringLiteral(".docx"));
    ASSERT_NE(model, nullptr) << "the report got its .docx extension";
    std::vector<QByteArray> pictures;
    for (const auto& object : model->objects) {
        if (const auto* p = std::get_if<word::FloatingPicture>(&object))
            pictures.push_back(p->picture.bytes);
        else if (const auto* q = std::get_if<word::InlinePicture>(&object))
            pictures.push_back(q->picture.bytes);
    }
    ASSERT_FALSE(pictures.empty());
    EXPECT_EQ(pictures.back(), picture[shown]) << "the report holds the shown item's A-scan";
    EXPECT_NE(pictures.back(), picture[first]);
}

// A command that empties or refills the shown item's record (a file opened, moving,
// compacting, emptying the ALogs) leaves no trace of the old item: the item now in the
// record is shown, or the picture, the grid and the notes are cleared; then a resize
// keeps them clear and the report, the printout and both copies say that no item is
// selected instead of using what was shown.
TEST_F(ShownItemTest, AnItemEmptiedOrRefilledIsShownAnewOrCleared)
{
    struct Case {
        const char* name;
        std::function<void(frmmain&, int)> change;
    };
    // The records as a file would hold them, with ALog k emptied or holding another item.
    const auto openWith = [this](frmmain& w, int k, bool empty) {
        items::ItemStore file = context().store;
        items::DFDRecord& r = file.ALogs[static_cast<std::size_t>(k)];
        r = empty ? items::DFDRecord() : file.ALogs[static_cast<std::size_t>(items[0] == k ? items[1] : items[0])];
        const QString path = home.filePath(QStringLiteral("replaced.dfd"));
        ASSERT_TRUE(items::SaveItemsFile(file, path, w.languageCodePage()).ok);
        ui.fileNames.push_back(path);
        w.Toolbar1_ButtonClick(QStringLiteral("Open"));
        w.Toolbar1_ButtonClick(QStringLiteral("ViewAlogs"));
    };
    const Case cases[] = {
        {"File, Open of a file in which the item is empty", [&](frmmain& w, int k) { openWith(w, k, true); }},
        {"File, Open of a file in which another item stands there", [&](frmmain& w, int k) { openWith(w, k, false); }},
        {"moving it down", [&](frmmain& w, int k) { select(k); w.itemCommands().cmdMoveOrder_Click(1); }},
        {"moving the item below it up", [&](frmmain& w, int k) { select(k + 1); w.itemCommands().cmdMoveOrder_Click(0); }},
        {"Compact Memory, back to the ALogs", [&](frmmain& w, int) {
             w.itemCommands().mnuCompactMem_Click();
             w.itemViews().mnuViewALogs_Click();
         }},
        {"emptying the ALogs", [&](frmmain& w, int) {
             ui.answers.push_back(Answer::Yes);
             w.Toolbar1_ButtonClick(QStringLiteral("Recycle_Bin_Empty"));
         }},
    };
    for (const Case& c : cases) {
        frmmain& w = ready();
        const QString noItem = context().language.GetResString(ids::NoItemSelected);
        ASSERT_EQ(items.size(), 4u);
        const int k = items[3];
        SCOPED_TRACE(std::string(c.name) + ", item " + std::to_string(k));
        select(k);
        w.itemCommands().lvwPanelsALog_DblClick();
        expectShown(k);
        const items::DFDRecord before = context().store.ALogs[static_cast<std::size_t>(k)];
        c.change(w, k);
        settle();
        ASSERT_TRUE(w.itemViews().alogsShown());
        const items::DFDRecord& now = context().store.WorkItems[static_cast<std::size_t>(k)];
        ASSERT_FALSE(now == before) << "the case must change the shown item's record";
        w.resize(1000, 700);
        settle();
        const NotesPane& notes = *w.NotesSettingsTab();
        if (w.itemCommands().shownItemIndex()) {
            // Shown anew: what is on screen is the record as it is now.
            EXPECT_EQ(w.itemCommands().shownItem().index, k);
            ASSERT_TRUE(now.InUse || now.WaveformPresent);
            const QByteArray onScreen = context().display.metafileBytes();
            context().display.DrawAScan(k);
            EXPECT_EQ(onScreen, context().display.metafileBytes()) << "the picture of the record now there";
            if (now.InUse) {
                EXPECT_EQ(notes.LabelText()->text(), now.settings().NoteLabel.trimmed());
            }
            continue;
        }
        EXPECT_TRUE(context().display.drawing().empty()) << "the old picture stays on screen";
        EXPECT_EQ(const_cast<NotesPane&>(notes).gridModel().grid().rowCount(), 1) << "the grid keeps the old settings";
        EXPECT_TRUE(notes.NoteIndex()->text().isEmpty());
        for (const QLineEdit* box : {notes.LabelText(), notes.OperatorText(), notes.LocationText(), notes.ProbeText(),
                                     notes.NotesText()})
            EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        // Typing into the empty notes writes into no record.
        const items::DFDRecord held = now;
        const_cast<QLineEdit*>(notes.LabelText())->setText(QStringLiteral("typed"));
        emit const_cast<QLineEdit*>(notes.LabelText())->textEdited(QStringLiteral("typed"));
        EXPECT_TRUE(context().store.WorkItems[static_cast<std::size_t>(k)] == held);

        QApplication::clipboard()->setText(QStringLiteral("kept"));
        const std::function<void()> commands[] = {
            [&] { w.reportWiring().BtnExport_Current_Click(); },
            [&] { w.reportWiring().mnuPrint_Click(); },
            [&] { w.Toolbar1_ButtonClick(QStringLiteral("CopyPanel")); },
            [&] { w.Toolbar1_ButtonClick(QStringLiteral("CopyAlog")); },
        };
        for (const auto& command : commands) {
            const std::size_t shown = ui.shown.size();
            command();
            ASSERT_EQ(ui.shown.size(), shown + 1);
            EXPECT_EQ(ui.shown.back().text, noItem);
        }
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("kept"));
    }
}

} // namespace
} // namespace tovu::mainwindow::testing
