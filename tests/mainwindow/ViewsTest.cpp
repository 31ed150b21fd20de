// The item list on its model, the view commands, the pane layout and splitter, the
// clipboard options, the About box and help.
#include "mainwindow/MainWindowFixture.h"

#include "app/items/RessourcesModule.h"
#include "app/mainwindow/ItemListModel.h"
#include "platform/help/RecordingHelpViewer.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

namespace tovu::mainwindow::testing {
namespace {

class Views : public MainWindowFixture {
protected:
    void SetUp() override
    {
        mapComToNothing();
        start();
    }
};

TEST_F(Views, ItemListTextsAndImagesByKind)
{
    frmmain& w = window();
    items::ItemStore& s = context().store;
    s.ALogs[8].InUse = true;
    s.ALogs[8].editSettings().SlotText = QStringLiteral("8");
    s.ALogs[150].InUse = true;
    s.Panels[2].InUse = true;
    s.Panels[2].editSettings().SlotText = QStringLiteral("2");

    w.itemViews().mnuViewALogs_Click();
    const ItemListModel& m = w.listModel();
    EXPECT_EQ(m.rowCount(), 10000);
    EXPECT_EQ(m.itemText(7), QStringLiteral("ALog  7"));
    EXPECT_EQ(m.itemText(8), QStringLiteral("ALog 8"));
    EXPECT_EQ(m.imageIndex(7), 1);
    EXPECT_EQ(m.imageIndex(8), 2);
    EXPECT_EQ(m.data(m.index(7), Qt::DisplayRole).toString(), QStringLiteral("ALog 8"));
    EXPECT_TRUE(w.action("mnuExport")->isEnabled());
    EXPECT_TRUE(w.itemViews().alogsShown());

    w.itemViews().mnuViewPanels_Click();
    EXPECT_EQ(m.rowCount(), 100);
    EXPECT_EQ(m.itemText(2), QStringLiteral("Panel 2"));
    EXPECT_EQ(m.itemText(3), QStringLiteral("Panel  3"));
    EXPECT_EQ(m.imageIndex(2), 4);
    EXPECT_EQ(m.imageIndex(3), 3);
    EXPECT_FALSE(w.action("mnuExport")->isEnabled());
    EXPECT_TRUE(w.action("mnuViewPanels")->isChecked());
    EXPECT_FALSE(w.action("mnuViewALogs")->isChecked());
    EXPECT_FALSE(s.WorkItems[8].InUse) << "record 8 is panel 8 now";
    EXPECT_TRUE(s.WorkItems[150].InUse) << "records above the panels keep their ALog copies";
}

// Emptying the list empties the shown kind whole, arrays included, so that a later Save
// cannot bring the items back; it asks first.
TEST_F(Views, ToolbarEmptiesTheShownKindAfterAsking)
{
    frmmain& w = window();
    items::ItemStore& s = context().store;
    for (int k : {5, 900, 901}) {
        s.ALogs[static_cast<std::size_t>(k)].InUse = true;
        s.ALogs[static_cast<std::size_t>(k)].editSettings().SlotText = QString::number(k);
    }
    s.Panels[5].InUse = true;
    w.itemViews().mnuViewALogs_Click();
    ui.answers = {Answer::Yes};
    w.toolbarButton(13)->trigger();
    EXPECT_EQ(ui.count("yesno"), 1);
    for (int k : {5, 900, 901}) {
        EXPECT_FALSE(s.WorkItems[static_cast<std::size_t>(k)].InUse) << k;
        EXPECT_FALSE(s.ALogs[static_cast<std::size_t>(k)].InUse) << k;
    }
    EXPECT_TRUE(s.Panels[5].InUse) << "only the shown kind";
    EXPECT_EQ(w.listModel().itemText(901), QStringLiteral("ALog  901"));
    EXPECT_TRUE(w.modified());
    w.Toolbar1_ButtonClick(QStringLiteral("recycle_bin_empty"));  // keys match with case only
    EXPECT_EQ(ui.count("yesno"), 1);
}

TEST_F(Views, SuperimposeTogglesTheMenuAndTheButtonTogether)
{
    frmmain& w = window();
    QAction* item = w.action("mnuSuperimpose");
    QAction* button = w.toolbarButton(12);
    EXPECT_FALSE(item->isChecked());
    button->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(context().display.view.superimpose);
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(context().display.view.superimpose);
}

TEST_F(Views, ViewStylesOfTheList)
{
    frmmain& w = window();
    w.action("mnuLargeIcons")->trigger();
    EXPECT_EQ(w.lvwPanelsALog()->viewMode(), QListView::IconMode);
    w.action("mnuSmallIcons")->trigger();
    EXPECT_EQ(w.lvwPanelsALog()->viewMode(), QListView::ListMode);
    EXPECT_EQ(w.lvwPanelsALog()->flow(), QListView::LeftToRight);
    w.action("mnuList")->trigger();
    EXPECT_EQ(w.lvwPanelsALog()->flow(), QListView::TopToBottom);
}

TEST_F(Views, LayoutAroundTheSplitter)
{
    frmmain& w = window();
    w.show();
    w.resize(9750 / kTwipsPerPixel, 7365 / kTwipsPerPixel);
    float x = 2000;
    w.paneLayout().ResizeControls(x);
    EXPECT_EQ(x, 2560.0f) << "raised to the least position, and the caller sees it";
    const int W = w.frameGeometry().width() * kTwipsPerPixel;
    EXPECT_EQ(w.lvwPanelsALog()->width(), (W / 2 - (2400 + 720)) / kTwipsPerPixel);
    EXPECT_EQ(w.DFDTree()->width(), 2400 / kTwipsPerPixel);
    EXPECT_EQ(w.NotesSettingsTab()->x(), (W / 2 + 120) / kTwipsPerPixel);
    EXPECT_EQ(w.Picture1()->x(), w.NotesSettingsTab()->x());
    EXPECT_EQ(w.cmdMoveOrder(0)->x(), w.lvwPanelsALog()->geometry().right() + 1 + 50 / kTwipsPerPixel);

    // The splitter bar stays between 400 twips and the width less 5760.
    w.paneLayout().imgSplitter_MouseDown(0);
    EXPECT_TRUE(w.paneLayout().mbMoving());
    EXPECT_TRUE(w.picSplitter()->isVisible());
    w.paneLayout().imgSplitter_MouseMove(-100000);
    EXPECT_EQ(w.picSplitter()->x(), 400 / kTwipsPerPixel);
    w.paneLayout().imgSplitter_MouseMove(100000);
    EXPECT_EQ(w.picSplitter()->x(), (W - 5760) / kTwipsPerPixel);
    w.paneLayout().imgSplitter_MouseUp(0);
    EXPECT_FALSE(w.paneLayout().mbMoving());
    EXPECT_FALSE(w.picSplitter()->isVisible());
    // Laid out there, or left of it where the item list would otherwise be squeezed away.
    EXPECT_LE(w.imgSplitter()->x(), (W - 5760) / kTwipsPerPixel);
    EXPECT_GE(w.lvwPanelsALog()->width(), 60);
    EXPECT_LT(w.DFDTree()->geometry().right(), w.imgSplitter()->x());
    EXPECT_LT(w.imgSplitter()->geometry().right(), w.lvwPanelsALog()->x());

    // A window narrower than its least size is not possible.
    w.resize(100, 100);
    EXPECT_GE(w.width(), 9750 / kTwipsPerPixel);
    EXPECT_GE(w.height(), 7365 / kTwipsPerPixel);
}

TEST_F(Views, ClipboardOptionMask)
{
    frmmain& w = window();
    w.clipboardOptions().mnuoptall_Click(1);
    EXPECT_EQ(setting("Clipboard", "Copy Options"), QStringLiteral("8191"));
    EXPECT_TRUE(w.menus().mnuoptall[1]->isChecked());
    EXPECT_FALSE(w.menus().mnuoptall[2]->isChecked());
    w.menus().mnuCopyClipBoardOptions[5]->trigger();
    EXPECT_EQ(setting("Clipboard", "Copy Options"), QString::number(8191 - 32));
    EXPECT_FALSE(w.menus().mnuCopyClipBoardOptions[5]->isChecked());
    EXPECT_FALSE(w.menus().mnuoptall[1]->isChecked());
    EXPECT_FALSE(w.menus().mnuoptall[2]->isChecked());
    w.clipboardOptions().mnuoptall_Click(2);
    EXPECT_EQ(setting("Clipboard", "Copy Options"), QStringLiteral("0"));
    EXPECT_EQ(w.clipboardOptions().copyOptionsMask(), 0);
    EXPECT_TRUE(w.menus().mnuoptall[2]->isChecked());
}

TEST_F(Views, AboutShowsTheSerialSettingsAndIsUnloadedByOK)
{
    frmmain& w = window();
    ui.onModal = [&](QDialog& d) {
        auto* about = qobject_cast<frmAbout*>(&d);
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(about->cmdOK()->isVisibleTo(about));
        EXPECT_TRUE(about->BaudData()->isVisibleTo(about));
        EXPECT_EQ(about->BaudData()->text(), QStringLiteral("Baud Rate Information :( 115200,N,8,1 )"));
        EXPECT_EQ(about->windowTitle(), QStringLiteral("About TOVU"));
        EXPECT_EQ(about->lblTitle()->text(), QStringLiteral("TOVU"));
        EXPECT_EQ(about->lblVersion()->text(), QStringLiteral("Version 2.0.0"));
        EXPECT_EQ(about->lblDescription()->text(), context().language.GetResString(558) + u'\n'
                                                       + context().language.GetResString(559) + u'\n'
                                                       + context().language.GetResString(560));
    };
    w.action("mnuAbout")->trigger();
    EXPECT_EQ(ui.count("modal"), 1);
    EXPECT_EQ(w.aboutBox(), nullptr);
}

// Help, with the help files a test puts in place: the language's own file, else the
// English one; a missing file or viewer is said once, in the language in use.
class Help : public Views {
protected:
    void SetUp() override
    {
        Views::SetUp();
        auto viewer = std::make_unique<platform::help::RecordingHelpViewer>();
        viewer_ = viewer.get();
        context().help = std::move(viewer);
    }
    // The program's folder holds exactly these help files.
    void shipHelpFor(std::initializer_list<const char*> codes)
    {
        const QString folder = home.filePath(QStringLiteral("program"));
        QDir().mkpath(folder);
        context().paths.programFolder = folder;
        context().paths.assetFolders = {folder};
        for (const char* code : codes) {
            QFile f(QDir(folder).filePath(helpFileName(QString::fromLatin1(code))));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("ITSF");
        }
    }
    QString shipped(const char* code)
    {
        return QDir(context().paths.programFolder).filePath(helpFileName(QString::fromLatin1(code)));
    }

    platform::help::RecordingHelpViewer* viewer_ = nullptr;
};

TEST_F(Help, OpensTheLanguagesOwnFileElseTheEnglishOne)
{
    struct Case {
        std::initializer_list<const char*> files;
        int languageItem;  // of the language menu
        const char* opened;
    };
    const Case cases[] = {
        {{"809", "407"}, 2, "407"},  // German has its own
        {{"809"}, 2, "809"},         // German without its own: English
        {{"809", "407"}, 1, "809"},  // French: English
        {{"809", "407"}, 8, "809"},  // Chinese, no library either: English
        {{"809", "407"}, 0, "809"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opened);
        shipHelpFor(c.files);
        window().mnuMultSel_Click(c.languageItem);
        viewer_->opened.clear();
        window().action("mnuhelp")->trigger();
        EXPECT_EQ(viewer_->opened, QStringList{shipped(c.opened)});
        EXPECT_EQ(ui.count("message"), 0);
        for (const char* code : c.files)
            QFile::remove(shipped(code));
    }
    // The toolbar's help button is the same command.
    shipHelpFor({"809"});
    viewer_->opened.clear();
    window().toolbarButton(17)->trigger();
    EXPECT_EQ(viewer_->opened, QStringList{shipped("809")});
}

TEST_F(Help, AMissingFileOrViewerIsSaidOnceInTheLanguageInUse)
{
    frmmain& w = window();
    shipHelpFor({});
    w.mnuMultSel_Click(2);  // German
    w.helpMenu().mnuhelp_Click();
    ASSERT_EQ(ui.count("message"), 1);
    const items::LanguageContext& language = context().language;
    EXPECT_EQ(ui.last("message")->text, language.GetResString(ids::HelpFileMissing) + u'\n'
                                            + QDir::toNativeSeparators(shipped("407")))
        << "the language's own file is the one named";
    EXPECT_EQ(ui.last("message")->title, QStringLiteral("TOVU"));
    ASSERT_NE(language.GetResString(ids::HelpFileMissing), items::OwnResString(ids::HelpFileMissing).value_or(QString())) << "said in German";

    shipHelpFor({"809"});
    viewer_->viewerInstalled = false;
    w.helpMenu().mnuhelp_Click();
    ASSERT_EQ(ui.count("message"), 2);
    EXPECT_EQ(ui.last("message")->text, language.GetResString(ids::HelpViewerMissing) + u'\n'
                                            + QDir::toNativeSeparators(shipped("809")));
    EXPECT_TRUE(viewer_->opened.isEmpty());
}

TEST_F(Help, TheBuildShipsEnglishAndGermanHelpBesideTheProgram)
{
    // The window's own paths: the program's folder of the build.
    frmmain& w = window();
    w.mnuMultSel_Click(2);
    w.helpMenu().mnuhelp_Click();
    w.mnuMultSel_Click(1);  // French: no help of its own
    w.helpMenu().mnuhelp_Click();
    const QDir bin(QStringLiteral(TOVU_BIN_DIR));
    EXPECT_EQ(viewer_->opened, (QStringList{QDir::cleanPath(bin.filePath(QStringLiteral("TOVUHelp407.chm"))),
                                            QDir::cleanPath(bin.filePath(QStringLiteral("TOVUHelp809.chm")))}));
    EXPECT_EQ(ui.count("message"), 0);
}

} // namespace
} // namespace tovu::mainwindow::testing
