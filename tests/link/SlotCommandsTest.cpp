// Erase, delete and recall against the simulator's instrument logic, and their failures.
#include "TransferFixture.h"

#include "app/link/SlotCommands.h"

#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;

namespace {

struct SlotCommands : TransferFixture {
    SlotCommands() : TransferFixture(21) {}
    void SetUp() override { connect(); }
};

} // namespace

TEST_F(SlotCommands, EraseAnsweredNoSendsNothing)
{
    dialogs.answers = {false};
    EXPECT_FALSE(MnuEraseALOGS_Click(env));
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("string 129"));
    EXPECT_EQ(dialogs.questions[0].title, kAlogEraseTitle);
    EXPECT_TRUE(port.transcript().isEmpty());
    EXPECT_FALSE(instrument.state.alogs.empty());
}

TEST_F(SlotCommands, EraseEmptiesTheMemoryOfItsKindOnly)
{
    const auto alogs = instrument.state.alogs;
    ASSERT_TRUE(MnuErasePanels_Click(env));
    EXPECT_EQ(dialogs.questions[0].title, kPanelEraseTitle);
    EXPECT_TRUE(instrument.state.panels.empty());
    EXPECT_EQ(instrument.state.alogs, alogs);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(port.portOpen());
}

TEST_F(SlotCommands, DeleteActsOnTheSlotOfTheShownPageAndGreysTheNode)
{
    host.panelPage = 2;
    instrument.state.panels[23] = instrument.state.panels.at(1);
    store.PanelOccupied[23] = true;
    ASSERT_TRUE(PopUpmnuDeleteItem_Click(env, 4));  // node 4: position 3 on page 2
    EXPECT_EQ(instrument.state.panels.count(23), 0u);
    EXPECT_EQ(instrument.state.panels.count(1), 1u);
    EXPECT_EQ(host.emptied, (std::vector<int>{4}));
    EXPECT_FALSE(store.PanelOccupied[23]);
}

TEST_F(SlotCommands, DeleteOfAnEmptySlotSendsNoActionButGreysTheNode)
{
    instrument.state.alogs.erase(5);
    ASSERT_TRUE(PopUpmnuDeleteItem_Click(env, 27));  // ALog position 5
    EXPECT_TRUE(sent().filter(QStringLiteral("WAM")).isEmpty());
    EXPECT_EQ(host.emptied, (std::vector<int>{27}));
}

TEST_F(SlotCommands, RecallMakesTheSlotLiveAndLeavesTheTree)
{
    instrument.state.panels[3] = instrument.state.panels.at(1);
    instrument.state.panels[3].settings.values["GN"] = "55.5";
    ASSERT_TRUE(PopUpmnuRecallItem_Click(env, 4));
    EXPECT_EQ(instrument.state.live.value("GN"), "55.5");
    EXPECT_TRUE(host.emptied.empty());
    EXPECT_TRUE(PopUpmnuRecallItem_Click(env, 1) == false);  // PANELS is no slot
}

TEST_F(SlotCommands, ASilentInstrumentGivesOneBoxClosesTheLinkAndDoesNotHang)
{
    instrument.state.panels[3] = instrument.state.panels.at(1);
    instrument.fault = [](const QByteArray& line, tovu::platform::serial::MemoryPort&) { return line.startsWith("WSM"); };
    const std::int64_t start = clock.now;
    EXPECT_FALSE(PopUpmnuDeleteItem_Click(env, 4));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, LinkIcon::Critical);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("WriteComm\r\nCommunication error executing WSM 2"));
    EXPECT_TRUE(host.emptied.empty());
    EXPECT_EQ(instrument.state.panels.count(3), 1u);
    EXPECT_FALSE(port.portOpen());
    EXPECT_LT(clock.now - start, 30000);
}

TEST_F(SlotCommands, ARefusedRecallIsReported)
{
    instrument.state.panels[3] = instrument.state.panels.at(1);
    instrument.fault = [](const QByteArray& line, tovu::platform::serial::MemoryPort& p) {
        if (!line.startsWith("WSM"))
            return false;
        p.feed(QByteArray(1, NAK) + '\r');
        return true;
    };
    EXPECT_FALSE(PopUpmnuRecallItem_Click(env, 4));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QLatin1String("PanelMemoryAction\r\n")));
    EXPECT_TRUE(ctx.Active);
}
