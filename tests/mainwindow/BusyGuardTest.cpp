// While a command uses the link, user commands and closing the window are refused; the
// event loop still runs inside the link's waits.
#include "mainwindow/MainWindowFixture.h"

namespace tovu::mainwindow::testing {
namespace {

using BusyGuard = MainWindowFixture;

TEST_F(BusyGuard, RefusesCommandsAndClosingDuringTheStartUpScan)
{
    startInstrument(21, 38400);
    frmmain& w = create();
    w.show();
    int tries = 0;
    int closedInside = 0;
    int ranInside = 0;
    waitHook = [&] {
        if (!w.busy() || tries >= 3)
            return;
        ++tries;
        closedInside += w.close() ? 1 : 0;
        ranInside += w.runCommand([] {}) ? 1 : 0;
        w.action("mnuStatus")->trigger();  // refused as well: no second status read
    };
    w.Form_Load();
    waitHook = nullptr;
    EXPECT_EQ(tries, 3);
    EXPECT_EQ(closedInside, 0);
    EXPECT_EQ(ranInside, 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ui.count("modal"), 0) << "the refused status command showed no report";
    EXPECT_FALSE(w.busy());
    EXPECT_TRUE(w.runCommand([] {}));
    EXPECT_TRUE(w.close());
}

TEST_F(BusyGuard, ASecondCommandDuringAStatusReadIsRefused)
{
    startInstrument(21);
    frmmain& w = start();
    bool secondRan = false;
    bool tried = false;
    waitHook = [&] {
        if (tried)
            return;
        tried = true;
        w.action("mnuScanCurrent")->trigger();
        w.runCommand([&] { secondRan = true; });
    };
    w.action("mnuStatus")->trigger();
    waitHook = nullptr;
    EXPECT_TRUE(tried);
    EXPECT_FALSE(secondRan);
    EXPECT_EQ(ui.count("modal"), 1) << "one status report, of the first command";
}

} // namespace
} // namespace tovu::mainwindow::testing
