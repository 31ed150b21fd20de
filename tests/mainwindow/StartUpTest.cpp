// Start-up against the simulated instrument, without an instrument, and the service switch.
#include "mainwindow/MainWindowFixture.h"

#include "app/items/ModelTable.h"
#include "app/mainwindow/MemoryTree.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tovu::mainwindow::testing {
namespace {

using StartUp = MainWindowFixture;

// Expected slot state of the first page of each kind on the instrument.
void expectTicks(const frmmain& w, const sim::InstrumentState& st)
{
    for (int k = 1; k <= kPanelsPerPage; ++k) {
        const bool used = st.panels.count(k) > 0;
        EXPECT_EQ(w.DFDTree()->picture(k + kPanelsNode), used ? kUsedPicture : kEmptyPicture) << "panel " << k;
        EXPECT_EQ(w.DFDTree()->textColour(k + kPanelsNode), used ? QColor(Qt::black) : MemoryTree::greyText());
    }
    for (int k = 1; k <= kALogsPerPage; ++k)
        EXPECT_EQ(w.DFDTree()->picture(k + kALogsNode), st.alogs.count(k) ? kUsedPicture : kEmptyPicture) << "ALog " << k;
}

TEST_F(StartUp, FindsTheInstrumentAtTheRateItAnswersAndReadsItsSlots)
{
    VirtualInstrument& sim = startInstrument(21, 38400);
    QStringList captions;
    frmmain* w = nullptr;
    waitHook = [&] {
        if (w && w->aboutBox() && w->aboutBox()->isVisible()
            && (captions.isEmpty() || captions.back() != w->aboutBox()->windowTitle()))
            captions << w->aboutBox()->windowTitle();
    };
    // The window exists before Form_Load runs, so the hook can look at its About box.
    MainContext ctx(options, ui);
    frmmain window(ctx);
    w = &window;
    window.Form_Load();

    EXPECT_EQ(captions, (QStringList{"About TOVU... SCANNING 115K2", "About TOVU... SCANNING 57K6",
                                     "About TOVU... SCANNING 38K4"}));
    ASSERT_NE(window.aboutBox(), nullptr);
    EXPECT_FALSE(window.aboutBox()->isVisible());
    EXPECT_EQ(window.aboutBox()->windowTitle(), QStringLiteral("About TOVU"));

    const sim::InstrumentState st = sim.state();
    EXPECT_EQ(window.DFDTree()->caption(kRootNode), items::makeModelNames()[21]);
    EXPECT_EQ(ctx.store.workItem(0).ModelIndex, 21);
    expectTicks(window, st);
    for (int slot = 1; slot <= 100; ++slot)
        EXPECT_EQ(ctx.store.PanelOccupied[static_cast<std::size_t>(slot)], st.panels.count(slot) > 0) << slot;
    for (int slot = 1; slot <= 800; ++slot)
        EXPECT_EQ(ctx.store.ALogOccupied[static_cast<std::size_t>(slot)], st.alogs.count(slot) > 0) << slot;

    EXPECT_EQ(setting("Com", "Port"), QStringLiteral("1"));
    EXPECT_TRUE(window.menus().mnuCom[0]->isChecked());
    EXPECT_FALSE(ctx.port.portOpen());
    EXPECT_EQ(ctx.port.settings(), QStringLiteral("38400,N,8,1"));
    EXPECT_EQ(ui.count("modal"), 0) << "the start-up shows no status report";
    EXPECT_EQ(ui.count("message"), 0);
    // The start-up read ends on the first page of each kind.
    EXPECT_TRUE(window.menus().mnuPanelMem[1]->isChecked());
    EXPECT_TRUE(window.menus().mnuAlogMem[1]->isChecked());
    EXPECT_EQ(window.listModel().rowCount(), 0) << "nothing fills the item list at start-up";
    // An 800-ALog instrument: the eight-page menu, not the thousands.
    EXPECT_TRUE(window.action("mnuAlogMemSelect")->isVisible());
    EXPECT_FALSE(window.action("mnuAlogMemSelect2")->isVisible());
}

TEST_F(StartUp, WithoutAnInstrumentFallsBackTo115200AndShowsTheDefaultTree)
{
    startInstrument(21, 115200, /*silent=*/true);
    frmmain& w = start();
    EXPECT_EQ(context().port.settings(), QStringLiteral("115200,N,8,1"));
    EXPECT_FALSE(context().port.portOpen());
    EXPECT_EQ(w.DFDTree()->nodeCount(), kTreeNodes);
    EXPECT_EQ(w.DFDTree()->caption(kRootNode), QStringLiteral("Ultrasonic Flaw Detector"));
    EXPECT_EQ(w.DFDTree()->caption(kPanelsNode), QStringLiteral("PANELS"));
    EXPECT_EQ(w.DFDTree()->caption(kALogsNode), QStringLiteral("ALOGS"));
    EXPECT_EQ(w.DFDTree()->caption(2), QStringLiteral("Panel 1"));
    EXPECT_EQ(w.DFDTree()->caption(21), QStringLiteral("Panel 20"));
    EXPECT_EQ(w.DFDTree()->caption(23), QStringLiteral("ALog 1"));
    EXPECT_EQ(w.DFDTree()->caption(122), QStringLiteral("ALog 100"));
    EXPECT_EQ(w.DFDTree()->picture(2), 0) << "no slot is marked before a status read";
    EXPECT_EQ(w.DFDTree()->node(5)->parent(), w.DFDTree()->node(kPanelsNode));
    EXPECT_EQ(w.DFDTree()->node(50)->parent(), w.DFDTree()->node(kALogsNode));
    EXPECT_EQ(ui.count("message"), 0) << "a silent instrument is no error";
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVU"));
    EXPECT_FALSE(w.Frm_Export()->isVisible());
    EXPECT_EQ(context().store.MaxALogs, 10000);
    EXPECT_EQ(context().store.WorkItems.size(), 10101u);
    EXPECT_EQ(context().language.LanguageCode(), QStringLiteral("809"));
    EXPECT_TRUE(w.helpMenu().helpFile().endsWith(QStringLiteral("/TOVUHelp809.chm")));
}

QStringList& loggedWarnings()
{
    static QStringList warnings;
    return warnings;
}

TEST_F(StartUp, AStepThatFailsIsSkippedAndLoggedUnderItsName)
{
    // A program folder without the document control: creating it fails.
    mapComToNothing();
    options.programFolder = home.filePath(QStringLiteral("program-without-control"));
    QDir().mkpath(options.programFolder);
    loggedWarnings().clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
        if (type == QtWarningMsg)
            loggedWarnings() << m;
    });
    frmmain& w = start();
    qInstallMessageHandler(previous);

    const QStringList failed = loggedWarnings().filter(QStringLiteral("start-up step"));
    ASSERT_EQ(failed.size(), 1) << failed.join(u'|').toStdString();
    EXPECT_TRUE(failed[0].startsWith(QStringLiteral("start-up step create the document control failed: ")))
        << failed[0].toStdString();
    EXPECT_GT(failed[0].size(), QStringLiteral("start-up step create the document control failed: ").size())
        << "the reason is logged";
    // The steps after it ran.
    EXPECT_FALSE(w.wordAvailable());
    EXPECT_EQ(w.DFDTree()->caption(kPanelsNode), QStringLiteral("PANELS"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TOVU"));
    EXPECT_EQ(ui.count("message"), 0);
}

TEST_F(StartUp, ServiceSwitchInTheFirstTwoCharacters)
{
    struct Case {
        const char* commandLine;
        bool service;
    };
    for (const Case c : {Case{"/Z", true}, Case{"/z", true}, Case{"/zap file.dfd", true}, Case{" /Z", false},
                         Case{"Z", false}, Case{"", false}, Case{"/X", false}}) {
        SCOPED_TRACE(c.commandLine);
        mapComToNothing();
        options.commandLine = QString::fromLatin1(c.commandLine);
        frmmain& w = start();
        EXPECT_EQ(w.serviceMode(), c.service);
        for (const char* name : {"mnuTerminal", "mnuPrint"}) {
            EXPECT_EQ(w.action(name)->isVisible(), c.service) << name;
            EXPECT_EQ(w.action(name)->isEnabled(), c.service) << name;
        }
        EXPECT_EQ(w.NotesSettingsTab()->memoTabShown(), c.service);
        EXPECT_EQ(w.NotesSettingsTab()->tabText(kMemoTab), QStringLiteral("Memo"));
    }
}

TEST_F(StartUp, SavedPortNumberSelectsTheComItem)
{
    struct Case {
        const char* saved;  // nullptr: nothing saved
        int checked;
        const char* stored;
    };
    for (const Case c : {Case{nullptr, 0, "1"}, Case{"0", 0, "1"}, Case{"-3", 0, "1"}, Case{"4", 3, "4"},
                         Case{"junk", 0, "1"}}) {
        SCOPED_TRACE(c.saved ? c.saved : "(none)");
        QTemporaryDir settings;
        options.settingsFolder = settings.path();
        mapComToNothing();
        mapCom(4, home.filePath("no-such-device"));
        if (c.saved)
            saveSetting("Com", "Port", c.saved);
        frmmain& w = start();
        for (int i = 0; i < kComPorts; ++i)
            EXPECT_EQ(w.menus().mnuCom[static_cast<std::size_t>(i)]->isChecked(), i == c.checked) << i;
        EXPECT_EQ(setting("Com", "Port"), QString::fromLatin1(c.stored));
        EXPECT_EQ(context().port.commPort(), c.checked + 1);
    }
}

TEST_F(StartUp, RestoresClipboardOptionsAndPictureType)
{
    struct Case {
        const char* mask;
        const char* exportType;
        int expectedMask;
        bool bitmap;
    };
    for (const Case c : {Case{"8191", "bitmap", 8191, true}, Case{nullptr, "Bitmap", 0, false},
                         Case{"5", nullptr, 5, false}, Case{"x", "metafile", 0, false}}) {
        SCOPED_TRACE(c.mask ? c.mask : "(none)");
        QTemporaryDir settings;
        options.settingsFolder = settings.path();
        mapComToNothing();
        if (c.mask)
            saveSetting("Clipboard", "Copy Options", c.mask);
        if (c.exportType)
            saveSetting("Clipboard", "Export", c.exportType);
        frmmain& w = start();
        EXPECT_EQ(w.clipboardOptions().copyOptionsMask(), c.expectedMask);
        EXPECT_EQ(w.action("mnuPictureBitmap")->isChecked(), c.bitmap);
        EXPECT_EQ(w.action("mnuPictureMetafile")->isChecked(), !c.bitmap);
    }
}

// Generation 0 asks every slot on its own; generation 2 offers the thousands menus.
TEST_F(StartUp, GenerationDecidesThePageMenusAndTheTicks)
{
    struct Case {
        int model;
        bool eightPages;
        bool thousands;
    };
    for (const Case c : {Case{1, true, false}, Case{21, true, false}, Case{37, false, true}}) {
        SCOPED_TRACE(c.model);
        VirtualInstrument& sim = startInstrument(c.model);
        frmmain& w = start();
        EXPECT_EQ(w.DFDTree()->caption(kRootNode), items::makeModelNames()[static_cast<std::size_t>(c.model)]);
        EXPECT_EQ(w.action("mnuAlogMemSelect")->isVisible(), c.eightPages);
        EXPECT_EQ(w.action("mnuAlogMemSelect2")->isVisible(), c.thousands);
        expectTicks(w, sim.state());
    }
}

// Choosing another port from the menu saves it and scans it at once.
TEST_F(StartUp, ComMenuSelectsSavesAndScansThePort)
{
    mapComToNothing();
    frmmain& w = start();
    ASSERT_EQ(w.DFDTree()->caption(kRootNode), QStringLiteral("Ultrasonic Flaw Detector"));
    startInstrument(21, 19200);
    mapCom(1, home.filePath("no-such-device"));
    mapCom(2, VirtualInstrument::devicePath());
    w.menus().mnuCom[1]->trigger();
    EXPECT_EQ(setting("Com", "Port"), QStringLiteral("2"));
    for (int i = 0; i < kComPorts; ++i)
        EXPECT_EQ(w.menus().mnuCom[static_cast<std::size_t>(i)]->isChecked(), i == 1) << i;
    EXPECT_EQ(context().port.commPort(), 2);
    EXPECT_EQ(context().port.settings(), QStringLiteral("19200,N,8,1"));
    EXPECT_EQ(w.DFDTree()->caption(kRootNode), QStringLiteral("VELTRIS 150"));
    EXPECT_FALSE(context().port.portOpen());
    EXPECT_FALSE(w.aboutBox()->isVisible());
}

// The Word probe goes through the control's dispatch interface; without the control's
// library the program simply has no Word.
TEST_F(StartUp, WordProbeThroughTheControl)
{
    mapComToNothing();
    frmmain& w = start();
    ASSERT_NE(w.verbolt(), nullptr) << "the control is created by its ProgID from the program's folder";
    EXPECT_TRUE(w.wordAvailable()) << "the word processor stand-in answers the probe";

    QTemporaryDir bare;  // a program folder without the control (and without languages)
    options.programFolder = bare.path();
    frmmain& without = start();
    EXPECT_EQ(without.verbolt(), nullptr);
    EXPECT_FALSE(without.wordAvailable());
    EXPECT_EQ(without.action("mnuFile")->text(), QStringLiteral("File ")) << "the program's own texts";
    EXPECT_EQ(ui.count("message"), 0);
}

// The program's folder may be read-only: what the program writes goes to the user's folder.
TEST_F(StartUp, PictureFileGoesToTheUsersDataFolder)
{
    mapComToNothing();
    frmmain& w = start();
    w.show();
    ASSERT_TRUE(context().display.DrawAScan(0));
    EXPECT_EQ(context().display.picturePath(), home.filePath(QStringLiteral("data/MetaTest.emf")));
    EXPECT_TRUE(QFileInfo::exists(home.filePath(QStringLiteral("data/MetaTest.emf"))));
}

} // namespace
} // namespace tovu::mainwindow::testing
