// The Tools menu's service windows reach the instrument: the terminal, the thickness log
// and the privileges window, each opened from its menu item against a simulator.
#include "mainwindow/MainWindowFixture.h"

#include "app/link/forms/PrivilegesFrm.h"
#include "app/link/forms/frmThickness.h"
#include "app/link/forms/frmTerminal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tovu::mainwindow::testing {
namespace {

using ServiceWindows = MainWindowFixture;

TEST_F(ServiceWindows, TerminalTakesThePlaceOfTheWindowAndShowsTheInstrumentsReply)
{
    startInstrument(21);
    options.commandLine = QStringLiteral("/Z");  // the terminal is a service window
    frmmain& w = start();
    w.show();
    bool windowHiddenWhileOpen = false;
    QString reply;
    ui.onModal = [&](QDialog& d) {
        auto* terminal = qobject_cast<link::frmTerminal*>(&d);
        ASSERT_NE(terminal, nullptr);
        windowHiddenWhileOpen = !w.isVisible();
        terminal->Text1()->setText(QStringLiteral("RGN"));
        terminal->Command1()->click();
        reply = terminal->Text2()->text();
        terminal->cmdOK()->click();
    };
    w.action("mnuTerminal")->trigger();
    EXPECT_EQ(ui.count("modal"), 1);
    EXPECT_TRUE(windowHiddenWhileOpen);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ui.count("message"), 0);
    EXPECT_FALSE(reply.isEmpty());
    EXPECT_TRUE(instrument->transcript().size() > 0);
}

TEST_F(ServiceWindows, PrivilegesWindowShowsTheLimitsTheInstrumentHolds)
{
    VirtualInstrument& sim = startInstrument(21);
    sim.editState([](sim::InstrumentState& s) {
        s.panelLimit = 4;
        s.alogLimit = 30;
    });
    frmmain& w = start();
    int panelRestricted = -1, panelFree = -1, alogRestricted = -1, alogFree = -1;
    ui.onModal = [&](QDialog& d) {
        auto* window = qobject_cast<link::PrivilegesFrm*>(&d);
        ASSERT_NE(window, nullptr);
        panelRestricted = link::PrivilegesFrm::colourValue(window->PanelLbl(4));
        panelFree = link::PrivilegesFrm::colourValue(window->PanelLbl(5));
        alogRestricted = link::PrivilegesFrm::colourValue(window->AlogLbl(30));
        alogFree = link::PrivilegesFrm::colourValue(window->AlogLbl(31));
    };
    w.action("mnuSetPrivilege")->trigger();
    ASSERT_EQ(ui.count("modal"), 1);
    EXPECT_NE(panelRestricted, panelFree);
    EXPECT_EQ(panelRestricted, alogRestricted);
    EXPECT_EQ(panelFree, alogFree);
}

TEST_F(ServiceWindows, ThicknessWindowDownloadsTheInstrumentsReadingsAndKeepsThem)
{
    VirtualInstrument& sim = startInstrument(21);
    const std::size_t held = sim.state().thickness.size();
    ASSERT_GT(held, 0u);
    frmmain& w = start();
    QString info;
    ui.onModal = [&](QDialog& d) {
        auto* window = qobject_cast<link::frmThickness*>(&d);
        ASSERT_NE(window, nullptr);
        window->Command1()->click();
        info = window->lblInfo()->text();
    };
    w.action("mnuThickness")->trigger();
    ASSERT_EQ(ui.count("modal"), 1);
    EXPECT_EQ(info, QStringLiteral("Download Complete..."));

    // The readings stay with the window for the next showing: saving needs no download.
    ui.onModal = [&](QDialog& d) {
        auto* window = qobject_cast<link::frmThickness*>(&d);
        ASSERT_NE(window, nullptr);
        window->mnuSave()->trigger();
    };
    ui.fileNames.push_back(home.filePath(QStringLiteral("log.csv")));
    w.action("mnuThickness")->trigger();
    QFile saved(home.filePath(QStringLiteral("log.csv")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_GT(saved.size(), 0);
}

} // namespace
} // namespace tovu::mainwindow::testing
