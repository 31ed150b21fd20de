// The status display and the page menus: one page state for the tree, the status read and
// the transfers; an instrument of another memory size is not allowed to empty memory
// without asking.
#include "mainwindow/MainWindowFixture.h"

#include "app/mainwindow/MemoryTree.h"
#include "app/mainwindow/ReportStatusDialog.h"

#include <QLabel>

namespace tovu::mainwindow::testing {
namespace {

using StatusPages = MainWindowFixture;

TEST_F(StatusPages, PanelPageBeforeAnyStatusReadShowsEmptySlots)
{
    mapComToNothing();
    frmmain& w = start();
    w.pageMenus().mnuPanelMem_Click(3);
    EXPECT_EQ(treeCaptions(w, 2, 21).front(), QStringLiteral("Panel 41"));
    EXPECT_EQ(treeCaptions(w, 2, 21).back(), QStringLiteral("Panel 60"));
    for (int p = 2; p <= 21; ++p) {
        EXPECT_EQ(w.DFDTree()->picture(p), kEmptyPicture);
        EXPECT_EQ(w.DFDTree()->textColour(p), MemoryTree::greyText());
    }
    EXPECT_EQ(w.pageMenus().pages().panelPage, 3);
    EXPECT_EQ(w.pageMenus().pages().firstPanelSlot(), 41);
    for (int i = 1; i <= kPanelPages; ++i)
        EXPECT_EQ(w.menus().mnuPanelMem[static_cast<std::size_t>(i)]->isChecked(), i == 3);
}

TEST_F(StatusPages, PageMenusRelabelAndRecolourFromTheOccupancy)
{
    mapComToNothing();
    frmmain& w = start();
    items::ItemStore& s = context().store;
    s.ALogOccupied[805] = true;
    s.ALogOccupied[1001] = true;
    s.PanelOccupied[62] = true;

    w.pageMenus().mnuAlogMem_I_Click(9);
    EXPECT_EQ(w.DFDTree()->caption(23), QStringLiteral("ALog 801"));
    EXPECT_EQ(w.DFDTree()->caption(122), QStringLiteral("ALog 900"));
    EXPECT_EQ(w.DFDTree()->picture(27), kUsedPicture);
    EXPECT_EQ(w.DFDTree()->picture(28), kEmptyPicture);
    EXPECT_TRUE(w.menus().thousandPages[1][9]->isChecked());

    w.pageMenus().thousandsPage_Click(2, 1);  // "1001 - 1100" of mnuAlogMem_1000
    EXPECT_EQ(w.DFDTree()->caption(23), QStringLiteral("ALog 1001"));
    EXPECT_EQ(w.DFDTree()->caption(122), QStringLiteral("ALog 1100"));
    EXPECT_EQ(w.DFDTree()->picture(23), kUsedPicture);
    EXPECT_EQ(w.pageMenus().pages().alogBank, 10) << "the shown page is the page in work";
    EXPECT_EQ(w.pageMenus().pages().firstALogSlot(), 1001);
    EXPECT_FALSE(w.menus().thousandPages[1][9]->isChecked());
    EXPECT_TRUE(w.menus().thousandPages[2][1]->isChecked());
    for (int i = 1; i <= kALogPages; ++i)
        EXPECT_FALSE(w.menus().mnuAlogMem[static_cast<std::size_t>(i)]->isChecked());

    w.pageMenus().mnuPanelMem_Click(4);
    EXPECT_EQ(w.DFDTree()->caption(2), QStringLiteral("Panel 61"));
    EXPECT_EQ(w.DFDTree()->picture(3), kUsedPicture);

    w.statusDisplay().DFD_Tick(5);
    EXPECT_EQ(w.DFDTree()->picture(5), kUsedPicture);
    EXPECT_EQ(w.DFDTree()->textColour(5), QColor(Qt::black));
    EXPECT_THROW(w.statusDisplay().RE_DRAW_TICKS_ON_PANEL(QStringLiteral("x"), QString()), std::invalid_argument);
    EXPECT_THROW(w.statusDisplay().RE_DRAW_TICKS_ON_PANEL(QString(), QStringLiteral("100")), std::out_of_range);
}

// Generation 2: the page chosen in the thousands menus is the page the status read asks.
TEST_F(StatusPages, ScanOfTheShownThousandsPageReadsThoseSlots)
{
    VirtualInstrument& sim = startInstrument(37);
    sim.editState([](sim::InstrumentState& st) {
        st.alogs.erase(st.alogs.lower_bound(1001), st.alogs.lower_bound(1101));
        st.alogs[1005] = sim::StoredItem{};
        st.alogs[1100] = sim::StoredItem{};
    });
    frmmain& w = start();
    ASSERT_TRUE(w.action("mnuAlogMemSelect2")->isVisible());
    w.pageMenus().thousandsPage_Click(2, 1);
    w.DFDTree()->setCurrentItem(w.DFDTree()->node(kALogsNode));
    w.statusDisplay().mnuScanCurrent_Click();
    EXPECT_EQ(ui.count("message"), 0);
    for (int k = 1; k <= 100; ++k)
        EXPECT_EQ(w.DFDTree()->picture(22 + k), (k == 5 || k == 100) ? kUsedPicture : kEmptyPicture) << k;
    EXPECT_EQ(w.DFDTree()->caption(27), QStringLiteral("ALog 1005"));
    EXPECT_TRUE(context().store.ALogOccupied[1005]);
    EXPECT_FALSE(context().store.ALogOccupied[1006]);
    ASSERT_NE(w.statusDisplay().lastStatusReport(), nullptr);
    EXPECT_EQ(w.statusDisplay().lastStatusReport()->ALogReportLbl()->text(), QStringLiteral("Number of Valid ALogs :   2"));
    EXPECT_EQ(ui.count("modal"), 1);
}

TEST_F(StatusPages, StatusReportFromTheMenus)
{
    VirtualInstrument& sim = startInstrument(21);
    frmmain& w = start();
    w.action("mnuOptionsCheckDFDStatus")->trigger();
    ASSERT_EQ(ui.count("modal"), 1);
    EXPECT_EQ(ui.last("modal")->title, QStringLiteral("Status Report"));
    const ReportStatusDialog* r = w.statusDisplay().lastStatusReport();
    ASSERT_NE(r, nullptr);
    const sim::InstrumentState st = sim.state();
    int panels = 0;
    for (const auto& [slot, item] : st.panels)
        panels += slot <= 20;
    EXPECT_EQ(r->PanelReportLbl()->text(), QStringLiteral("Number of Valid Panels :   %1").arg(panels));
    EXPECT_EQ(r->ProgramLbl()->text(), QStringLiteral("Program :  ") + QString::fromStdString(st.program));
    EXPECT_EQ(r->ModelIDserialLbl()->text(), context().store.workItem(0).settings().IdentText);
    EXPECT_FALSE(context().port.portOpen());
    EXPECT_FALSE(w.menus().mnuCopyClipBoardOptions[12]->isChecked());
    EXPECT_TRUE(w.menus().mnuCopyClipBoardOptions[12]->isEnabled()) << "model 21 has the AGC menu";
}

TEST_F(StatusPages, UnsupportedModelIsNamedAndNotRead)
{
    startInstrument(19);
    frmmain& w = start();
    const Shown* m = ui.last("message");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->text, QStringLiteral("Veltris 123W are not supported by TOVU2"));
    EXPECT_EQ(w.DFDTree()->caption(kRootNode), QStringLiteral("VELTRIS 123W"));
    EXPECT_EQ(w.DFDTree()->picture(2), 0) << "no slot was read";
    // The AGC option follows the model code rule (11 and above), unchecked.
    EXPECT_TRUE(w.menus().mnuCopyClipBoardOptions[12]->isEnabled());
    EXPECT_FALSE(w.menus().mnuCopyClipBoardOptions[12]->isChecked());
}

TEST_F(StatusPages, AnotherMemoryGenerationAsksBeforeDiscardingHeldItems)
{
    startInstrument(21);
    frmmain& w = start();
    items::ItemStore& s = context().store;
    ASSERT_EQ(s.MaxALogs, 800);
    s.ALogs[1].InUse = true;
    s.WorkItems[1].InUse = true;
    w.setModified(true);
    startInstrument(37);  // a 10000-ALog instrument on the same port

    ui.answers = {Answer::No};
    w.statusDisplay().mnuStatus_Click();
    ASSERT_NE(ui.last("yesno"), nullptr);
    EXPECT_TRUE(s.ALogs[1].InUse) << "nothing discarded after No";
    EXPECT_EQ(s.MaxALogs, 800);
    EXPECT_TRUE(w.modified());
    ASSERT_NE(ui.last("message"), nullptr);
    EXPECT_EQ(ui.last("message")->title, QStringLiteral("Status Error Handle"));
    EXPECT_EQ(ui.count("modal"), 0);

    ui.answers = {Answer::Yes};
    w.statusDisplay().mnuStatus_Click();
    EXPECT_EQ(s.MaxALogs, 10000);
    EXPECT_FALSE(s.ALogs[1].InUse);
    EXPECT_FALSE(w.modified());
    EXPECT_EQ(ui.count("modal"), 1);
    EXPECT_TRUE(w.action("mnuAlogMemSelect2")->isVisible());
}

TEST_F(StatusPages, CancelDuringTheReadIsReportedAndClosesTheLink)
{
    startInstrument(1);  // generation 0: every slot asked on its own, plenty of waits
    frmmain& w = start();
    waitHook = [&] {
        if (auto* d = context().link.transferDialog(); d && context().link.Active)
            context().link.Active = false;  // as the dialog's CANCEL does
    };
    w.statusDisplay().mnuStatus_Click();
    waitHook = nullptr;
    const Shown* m = ui.last("message");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->title, QStringLiteral("Status Error Handle"));
    EXPECT_EQ(m->text, QStringLiteral("Transfer Error:\nTransfer Interrupted By User "));
    EXPECT_EQ(m->icon, MessageIcon::Critical);
    EXPECT_TRUE(context().link.Active);
    EXPECT_FALSE(context().port.portOpen());
    EXPECT_EQ(context().link.transferDialog(), nullptr);
    EXPECT_EQ(ui.count("modal"), 0);
}

} // namespace
} // namespace tovu::mainwindow::testing
