// The language menu and the captions: every text from its string id in the language in
// force, the tree rebuilt, and a locale without a library keeping what is shown.
#include "mainwindow/MainWindowFixture.h"

#include "app/items/RessourcesModule.h"
#include "app/mainwindow/CaptionTable.h"
#include "app/mainwindow/ReportWiring.h"
#include "app/reports/widgets/ReportFrame.h"
#include "platform/automation/Activator.h"

#include <QCoreApplication>
#include <QLabel>
#include <algorithm>
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
            EXPECT_EQ(const_cast<frmmain&>(w).menus().mnuMultSel[static_cast<std::size_t>(i)]->text(),
                      lang.GetResString(languageCaptionIds()[static_cast<std::size_t>(i)]));
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
        // The slots keep the numbers of the pages in work.
        const PageState& pages = w.pageMenus().pages();
        EXPECT_EQ(w.DFDTree()->caption(2), lang.GetResString(152) + u' ' + QString::number(pages.firstPanelSlot()));
        EXPECT_EQ(w.DFDTree()->caption(122), lang.GetResString(153) + u' ' + QString::number(pages.firstALogSlot() + 99));
    }

    // The text of id in the library alone (no fall-back on the program's own table).
    std::optional<QString> libraryText(const char* code, int id)
    {
        items::LanguageContext lang(activator);
        if (!lang.LoadResourceDll(QString::fromLatin1(code)))
            return std::nullopt;
        try {
            std::vector<platform::automation::Variant> args{platform::automation::Variant(static_cast<std::int32_t>(id))};
            return lang.LanguageResources()->call(QStringLiteral("GetresourceString"), args).toString();
        } catch (const std::exception&) {
            return std::nullopt;
        }
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

// In a translated language every text the window shows comes from that language's own
// table, and Qt's own dialog texts (the file dialogs' captions and buttons) are in it too.
// The toolbar's tooltips are the exception: only the program's own table holds them.
TEST_F(Language, ATranslatedLanguageShowsOnlyItsOwnTexts)
{
    std::vector<int> shown;
    for (const Caption& c : menuCaptions())
        shown.push_back(c.id);
    for (const Caption& c : noteCaptions())
        shown.push_back(c.id);
    for (int id : copyOptionCaptionIds())
        shown.push_back(id);
    for (int i = 0; i < kLanguages; ++i)
        shown.push_back(languageCaptionIds()[static_cast<std::size_t>(i)]);
    for (int id : {kComCaptionId, kSettingsTabCaptionId, kNotesTabCaptionId, kSelectAllOptionsId, kDeleteAllOptionsId,
                   170, 171, 150, 151, 152, 153, 154})
        shown.push_back(id);
    struct Case {
        const char* code;
        int item;
        const char* qt;  // the file dialog's "Look in:" in that language
    };
    for (const Case c : {Case{"407", 2, "Suchen in:"}, Case{"40C", 1, "Voir dans :"}, Case{"40A", 3, "Ver en:"},
                         Case{"419", 6, "Перейти к:"}}) {
        SCOPED_TRACE(c.code);
        for (int id : shown)
            EXPECT_TRUE(libraryText(c.code, id).has_value()) << "the table lacks " << id;
        mapComToNothing();
        frmmain& w = start();
        w.mnuMultSel_Click(c.item);
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString::fromUtf8(c.qt));
        EXPECT_EQ(w.qtDialogTexts().language(), tableLanguageOf(QString::fromLatin1(c.code)));
    }
    // Back in English, Qt speaks English again.
    window().mnuMultSel_Click(0);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}

// At start the item of the user's language carries the check.
TEST_F(Language, TheUsersLanguageIsCheckedAtStart)
{
    struct Case {
        std::uint32_t lcid;
        int item;  // -1: none
        const char* qt;
    };
    for (const Case c : {Case{0x407, 2, "de"}, Case{0x809, 0, "en"}, Case{0x409, 4, "en"}, Case{0x40B, 5, "en"},
                         Case{0x415, 7, "en"}, Case{0x419, 6, "ru"}, Case{0x411, -1, "en"}}) {
        SCOPED_TRACE(c.lcid);
        mapComToNothing();
        options.lcid = c.lcid;
        frmmain& w = start();
        for (int i = 0; i < kLanguages; ++i)
            EXPECT_EQ(w.menus().mnuMultSel[static_cast<std::size_t>(i)]->isChecked(), i == c.item) << i;
        EXPECT_EQ(w.qtDialogTexts().language(), QString::fromLatin1(c.qt));
    }
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

// The status read stays through a change of language: the model at the root, the marks of
// the slots, the page in work and its numbering; only the words change.
TEST_F(Language, SwitchingKeepsTheStatusReadThePageAndTheModifiedMark)
{
    startInstrument(21);
    frmmain& w = start();
    ASSERT_EQ(w.DFDTree()->caption(kRootNode), QStringLiteral("VELTRIS 150"));
    w.pageMenus().mnuPanelMem_Click(3);
    w.setModified(true);
    std::vector<int> pictures;
    std::vector<QColor> colours;
    for (int p = 0; p < kTreeNodes; ++p) {
        pictures.push_back(w.DFDTree()->picture(p));
        colours.push_back(w.DFDTree()->textColour(p));
    }
    ASSERT_NE(std::count(pictures.begin(), pictures.end(), kUsedPicture), 0) << "the status read marks used slots";
    ASSERT_NE(std::count(pictures.begin(), pictures.end(), kEmptyPicture), 0) << "and empty ones";

    w.mnuMultSel_Click(2);  // German
    expectCaptionsIn(w, "407");
    EXPECT_EQ(w.DFDTree()->caption(kRootNode), QStringLiteral("VELTRIS 150")) << "the model read stays at the root";
    EXPECT_EQ(w.DFDTree()->nodeCount(), kTreeNodes);
    for (int p = 0; p < kTreeNodes; ++p) {
        EXPECT_EQ(w.DFDTree()->picture(p), pictures[static_cast<std::size_t>(p)]) << p;
        EXPECT_EQ(w.DFDTree()->textColour(p), colours[static_cast<std::size_t>(p)]) << p;
    }
    EXPECT_EQ(w.pageMenus().pages().panelPage, 3) << "the page in work stays";
    EXPECT_TRUE(const_cast<frmmain&>(w).menus().mnuPanelMem[3]->isChecked());
    EXPECT_EQ(w.DFDTree()->caption(2), text("407", 152) + QStringLiteral(" 41"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVU *"));
    EXPECT_TRUE(const_cast<frmmain&>(w).menus().mnuMultSel[2]->isChecked());
    EXPECT_EQ(setting("Application", "Language"), QStringLiteral("407"));
    EXPECT_TRUE(w.helpMenu().helpFile().endsWith(QStringLiteral("TOVUHelp407.chm")));

    // And back: the same status in the first language's words.
    w.mnuMultSel_Click(0);
    expectCaptionsIn(w, "809");
    EXPECT_EQ(w.DFDTree()->caption(kRootNode), QStringLiteral("VELTRIS 150"));
    EXPECT_EQ(w.DFDTree()->caption(21), text("809", 152) + QStringLiteral(" 60"));
}

TEST_F(Language, ALocaleWithoutALibraryKeepsEveryText)
{
    mapComToNothing();
    frmmain& w = start();
    w.mnuMultSel_Click(2);  // German
    EXPECT_EQ(w.DFDTree()->caption(kRootNode), text("407", 154)) << "no model read: the generic name, in German";
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
