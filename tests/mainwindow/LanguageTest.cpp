// The language menu and the captions: every text from its string id in the language in
// force, the tree rebuilt, and a locale without a library keeping what is shown.
#include "mainwindow/MainWindowFixture.h"

#include "app/items/RessourcesModule.h"
#include "app/mainwindow/CaptionTable.h"
#include "app/mainwindow/ReportWiring.h"
#include "app/reports/widgets/ReportFrame.h"
#include "platform/automation/Activator.h"

#include <QLabel>
#include <QPushButton>
#include <QToolBar>

namespace tovu::mainwindow::testing {
namespace {

class Language : public MainWindowFixture {
protected:
    // The texts of one language library, looked up on their own.
    QString text(const char* code, int id)
    {
        items::LanguageContext lang(activator);
        if (!lang.LoadResourceDll(QString::fromLatin1(code)))
            ADD_FAILURE() << "no library " << code;
        return lang.GetResString(id);
    }

    // Every caption that follows the language equals the text of its id in `code`.
    void expectCaptionsIn(const frmmain& w, const char* code)
    {
        items::LanguageContext lang(activator);
        ASSERT_TRUE(lang.LoadResourceDll(QString::fromLatin1(code)));
        for (const Caption& c : menuCaptions()) {
            EXPECT_FALSE(lang.GetResString(c.id).isEmpty()) << c.control << ": no table holds " << c.id;
            EXPECT_EQ(w.action(QString::fromLatin1(c.control))->text(), lang.GetResString(c.id)) << c.control;
        }
        for (int i = 0; i < kLanguages; ++i)
            EXPECT_EQ(const_cast<frmmain&>(w).menus().mnuMultSel[static_cast<std::size_t>(i)]->text(), lang.GetResString(50 + i));
        for (int i = 0; i < kComPorts; ++i)
            EXPECT_EQ(const_cast<frmmain&>(w).menus().mnuCom[static_cast<std::size_t>(i)]->text(),
                      lang.GetResString(548) + u' ' + QString::number(i + 1));
        for (int i = 0; i < kCopyOptions; ++i)
            EXPECT_EQ(const_cast<frmmain&>(w).menus().mnuCopyClipBoardOptions[static_cast<std::size_t>(i)]->text(),
                      lang.GetResString(copyOptionCaptionIds()[static_cast<std::size_t>(i)]));
        EXPECT_EQ(const_cast<frmmain&>(w).menus().mnuoptall[1]->text(), lang.GetResString(525));
        EXPECT_EQ(const_cast<frmmain&>(w).menus().mnuoptall[2]->text(), lang.GetResString(526));
        for (const Caption& c : noteCaptions())
            EXPECT_EQ(w.NotesSettingsTab()->findChild<QLabel*>(QString::fromLatin1(c.control))->text(), lang.GetResString(c.id));
        EXPECT_EQ(w.NotesSettingsTab()->tabText(kSettingsTab), lang.GetResString(140));
        EXPECT_EQ(w.NotesSettingsTab()->tabText(kNotesTab), lang.GetResString(141));
        EXPECT_EQ(w.NotesSettingsTab()->tabText(kMemoTab), lang.GetResString(ids::MemoTab));
        EXPECT_EQ(w.NotesSettingsTab()->currentIndex(), kSettingsTab);
        EXPECT_EQ(w.toolbarButton(17)->text(), lang.GetResString(ids::HelpButton));
        const reports::ReportFrame& frame = w.reportWiring().frame();
        EXPECT_EQ(frame.title(), lang.GetResString(ids::ReportControls));
        const QPushButton* buttons[] = {frame.Btn_WordExport(), frame.BtnExport_Current(), frame.BtnExportMulti(),
                                        frame.Btn_SaveClose(), frame.Btn_View_Word()};
        const int tips[] = {ids::ReportNew, ids::ReportAddShown, ids::ReportAddSelected, ids::ReportSaveClose,
                            ids::ReportShow};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(buttons[i]->toolTip(), lang.GetResString(tips[i])) << i;
        for (const Tooltip& t : toolbarTooltips())
            EXPECT_EQ(w.toolbarButton(t.position)->toolTip(), lang.GetResString(t.id)) << t.position;
        for (int p : {3, 5, 9, 13, 17})  // no tooltip of their own: Qt shows the button's text
            EXPECT_EQ(w.toolbarButton(p)->toolTip(), w.toolbarButton(p)->text()) << p;
        const display::SettingsGridModel& grid = const_cast<frmmain&>(w).NotesSettingsTab()->gridModel().grid();
        EXPECT_EQ(grid.text(0, 0), lang.GetResString(170));
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(grid.text(0, c), lang.GetResString(171) + QString::number(c));
        EXPECT_EQ(w.DFDTree()->caption(kPanelsNode), lang.GetResString(150));
        EXPECT_EQ(w.DFDTree()->caption(kALogsNode), lang.GetResString(151));
        EXPECT_EQ(w.DFDTree()->caption(2), lang.GetResString(152) + QStringLiteral(" 1"));
        EXPECT_EQ(w.DFDTree()->caption(122), lang.GetResString(153) + QStringLiteral(" 100"));
    }

    platform::automation::Activator activator{platform::automation::ServerLocations{
        home.filePath(QStringLiteral("lookup-classes.ini")), QStringLiteral(TOVU_BIN_DIR)}};
};

TEST_F(Language, StartsInTheUsersLocaleWithEveryCaptionFromItsId)
{
    mapComToNothing();
    options.lcid = 0x407;
    frmmain& w = start();
    ASSERT_NE(text("407", 101), text("809", 101)) << "the German library must differ from English for this test";
    expectCaptionsIn(w, "407");
    EXPECT_EQ(w.DFDTree()->caption(kRootNode), text("407", 154));
    EXPECT_TRUE(w.helpMenu().helpFile().endsWith(QStringLiteral("TOVUHelp407.chm")));
}

TEST_F(Language, UserLocaleWithoutALibraryStartsInTheProgramsOwnTexts)
{
    mapComToNothing();
    options.lcid = 0x415;  // Polish: no library
    frmmain& w = start();
    EXPECT_EQ(context().language.LanguageCode(), QStringLiteral("415"));
    EXPECT_TRUE(w.helpMenu().helpFile().endsWith(QStringLiteral("TOVUHelp415.chm")));
    EXPECT_EQ(w.action("mnuFile")->text(), QStringLiteral("File "));
    EXPECT_EQ(const_cast<frmmain&>(w).menus().mnuCom[0]->text(), QStringLiteral("COM  1"));
    EXPECT_EQ(w.toolbarButton(1)->toolTip(), QStringLiteral("Open a DFD File"));
}

TEST_F(Language, SwitchingRebuildsTheTreeAndKeepsTheModifiedMark)
{
    startInstrument(21);
    frmmain& w = start();
    ASSERT_EQ(w.DFDTree()->caption(kRootNode), QStringLiteral("VELTRIS 150"));
    w.pageMenus().mnuPanelMem_Click(3);
    w.setModified(true);

    w.mnuMultSel_Click(2);  // German
    expectCaptionsIn(w, "407");
    EXPECT_EQ(w.DFDTree()->caption(kRootNode), text("407", 154)) << "the model name is gone until the next status read";
    EXPECT_EQ(w.DFDTree()->nodeCount(), kTreeNodes);
    for (int p = 2; p < kTreeNodes; ++p)
        EXPECT_EQ(w.DFDTree()->picture(p), 0) << p;
    EXPECT_EQ(w.pageMenus().pages().panelPage, 1) << "the tree shows the first page again, and that page is the one in work";
    EXPECT_TRUE(const_cast<frmmain&>(w).menus().mnuPanelMem[1]->isChecked());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVU *"));
    EXPECT_TRUE(const_cast<frmmain&>(w).menus().mnuMultSel[2]->isChecked());
    EXPECT_EQ(setting("Application", "Language"), QStringLiteral("407"));
    EXPECT_TRUE(w.helpMenu().helpFile().endsWith(QStringLiteral("TOVUHelp407.chm")));
}

TEST_F(Language, ALocaleWithoutALibraryKeepsEveryText)
{
    mapComToNothing();
    frmmain& w = start();
    w.mnuMultSel_Click(2);  // German
    w.mnuMultSel_Click(8);  // Chinese: no library
    expectCaptionsIn(w, "407");
    EXPECT_TRUE(const_cast<frmmain&>(w).menus().mnuMultSel[8]->isChecked());
    EXPECT_FALSE(const_cast<frmmain&>(w).menus().mnuMultSel[2]->isChecked());
    EXPECT_EQ(setting("Application", "Language"), QStringLiteral("804"));
    EXPECT_TRUE(w.helpMenu().helpFile().endsWith(QStringLiteral("TOVUHelp804.chm")));
}

TEST_F(Language, ItemsWithoutTheirOwnLibraryUseEnglishUK)
{
    struct Case {
        int item;
        const char* code;
    };
    mapComToNothing();
    frmmain& w = start();
    for (const Case c : {Case{5, "809"}, Case{7, "809"}, Case{1, "40C"}, Case{3, "40A"}, Case{4, "409"}, Case{6, "419"},
                         Case{0, "809"}}) {
        SCOPED_TRACE(c.item);
        w.mnuMultSel_Click(c.item);
        EXPECT_EQ(context().language.LanguageCode(), QString::fromLatin1(c.code));
        EXPECT_EQ(setting("Application", "Language"), QString::fromLatin1(c.code));
        expectCaptionsIn(w, c.code);
    }
}

} // namespace
} // namespace tovu::mainwindow::testing
