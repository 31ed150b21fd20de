// Privileges read, shown and written back, against the simulator's instrument logic.
#include "TransferFixture.h"

#include "app/link/Privileges.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;

namespace {

struct Privileges : TransferFixture {
    Privileges() : TransferFixture(21) {}
    void SetUp() override { connect(); }
    std::vector<int> restricted(const PrivilegesState& s, bool panels) const
    {
        std::vector<int> v;
        const int n = panels ? s.panelLabels() : s.alogLabels();
        for (int i = 1; i <= n; ++i)
            if ((panels ? s.panelColour(i) : s.alogColour(i)) == kRestrictedColour)
                v.push_back(i);
        return v;
    }
    static std::vector<int> upTo(int n)
    {
        std::vector<int> v;
        for (int i = 1; i <= n; ++i)
            v.push_back(i);
        return v;
    }
};

} // namespace

TEST_F(Privileges, TheSettingsAreReadShownClampedAndWrittenBack)
{
    instrument.state.panelLimit = 5;
    instrument.state.alogLimit = 20;
    instrument.state.privilegeLevel = 10;
    PrivilegesState state(0, 0);
    int shown = 0;
    mnuSetPrivilege_Click(env, state, [&](PrivilegesState& s) {
        ++shown;
        EXPECT_EQ(s.PanelLimit, QStringLiteral("5"));
        EXPECT_EQ(s.AlogLimit, QStringLiteral("20"));
        EXPECT_EQ(s.PrivilegeLevel, QStringLiteral("10"));
        EXPECT_EQ(s.selectedOption(), 0);
        EXPECT_TRUE(s.applyEnabled);
        // 100 panels and 800 ALogs, but the window holds 20 and 100 labels.
        EXPECT_EQ(s.panelLabels(), 20);
        EXPECT_EQ(s.alogLabels(), 100);
        EXPECT_EQ(restricted(s, true), upTo(5));
        EXPECT_EQ(restricted(s, false), upTo(20));
        s.PanelLbl_Click(7);
        EXPECT_EQ(s.PanelLimit, QStringLiteral(" 7"));
        s.AlogLbl_Click(0);
        EXPECT_TRUE(restricted(s, false).empty());
        s.OptionPrivilege_Click(1);
        EXPECT_TRUE(applyPrivileges(ctx, dialogs, s, {}));
        EXPECT_FALSE(s.applyEnabled);
    });
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(instrument.state.panelLimit, 7);
    EXPECT_EQ(instrument.state.alogLimit, 0);
    EXPECT_EQ(instrument.state.privilegeLevel, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(wait.log, (QStringList{"message string 564", "show", "hide"}));
    EXPECT_FALSE(port.portOpen());
    const QStringList writes = sent().filter(QRegularExpression(QStringLiteral("^W(AR|SR|ZZ)")));
    EXPECT_EQ(writes, (QStringList{"WAR 0", "WSR 7", "WZZ0"}));
}

TEST(PrivilegeColours, LimitsBeyondTheLabelsAreHeldToThem)
{
    struct Case {
        const char* limit;
        int labels;
        int red;
    } cases[] = {{"0", 20, 0}, {"20", 20, 20}, {"5", 20, 5}, {"250", 100, 100}, {"-3", 20, 0},
                 {"N/A", 20, 0}, {"2.5", 20, 2}, {"3.5", 20, 4}, {"", 100, 0}};
    for (const Case& c : cases) {
        const std::vector<int> colours = restrictionColours(QLatin1String(c.limit), c.labels);
        ASSERT_EQ(colours.size(), static_cast<std::size_t>(c.labels) + 1) << c.limit;
        const auto red = std::count(colours.begin() + 1, colours.end(), kRestrictedColour);
        EXPECT_EQ(red, c.red) << c.limit;
        for (int i = 1; i <= c.red; ++i)
            EXPECT_EQ(colours[static_cast<std::size_t>(i)], kRestrictedColour) << c.limit << " " << i;
    }
}

TEST(PrivilegeLevels, TenIsSupervisorEverythingElseOperatorStoredAsZero)
{
    for (const char* level : {"10", "0", "5", "N/A"}) {
        PrivilegesState s(20, 100);
        s.setToSend(QStringLiteral("0"), QStringLiteral("0"), QLatin1String(level));
        s.Form_Load();
        const bool supervisor = QLatin1String(level) == QLatin1String("10");
        EXPECT_EQ(s.selectedOption(), supervisor ? 0 : 1) << level;
        EXPECT_EQ(s.PrivilegeLevel, supervisor ? QStringLiteral("10") : QStringLiteral("0")) << level;
    }
}

namespace {

struct NoPrivileges : TransferFixture {
    NoPrivileges() : TransferFixture(5) {}
};

} // namespace

TEST_F(NoPrivileges, AnInstrumentWithoutThemGetsTheMessageAndNoWindow)
{
    connect();
    PrivilegesState state(0, 0);
    bool shown = false;
    mnuSetPrivilege_Click(env, state, [&](PrivilegesState&) { shown = true; });
    EXPECT_FALSE(shown);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("string 565"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("string 130"));
    EXPECT_EQ(dialogs.messages[0].icon, LinkIcon::Information);
    EXPECT_FALSE(port.portOpen());
}

TEST_F(Privileges, AFailedApplyShowsItsBoxClosesTheLinkAndKeepsApplyEnabled)
{
    PrivilegesState s(20, 100);
    s.setToSend(QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("10"));
    s.Form_Load();
    instrument.fault = [](const QByteArray& line, tovu::platform::serial::MemoryPort&) { return line.startsWith("WSR"); };
    EXPECT_FALSE(applyPrivileges(ctx, dialogs, s, {}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, kApplyButtonError);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("WriteComm\r\nCommunication error executing WSR3"));
    EXPECT_TRUE(s.applyEnabled);
    EXPECT_FALSE(port.portOpen());
}

TEST_F(Privileges, ACancelDuringApplyEndsQuietlyWithOneBox)
{
    PrivilegesState s(20, 100);
    s.setToSend(QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("10"));
    bool pressed = false;
    pump.onYield = [&](int) {
        if (!pressed && sent().contains(QStringLiteral("WAR4"))) {
            pressed = true;
            ctx.Active = false;
        }
    };
    EXPECT_NO_THROW(EXPECT_FALSE(applyPrivileges(ctx, dialogs, s, {})));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Transfer Error:\r\nTransfer Interrupted By User "));
    EXPECT_FALSE(port.portOpen());
    EXPECT_TRUE(ctx.Active);
}

TEST_F(Privileges, AReadFailureShowsSetPrivesError)
{
    instrument.fault = [](const QByteArray& line, tovu::platform::serial::MemoryPort&) { return line.startsWith("RSR"); };
    PrivilegesState state(0, 0);
    bool shown = false;
    mnuSetPrivilege_Click(env, state, [&](PrivilegesState&) { shown = true; });
    EXPECT_FALSE(shown);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, kSetPrivesError);
    EXPECT_EQ(wait.log.last(), QStringLiteral("hide"));
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(host.events.last(), QStringLiteral("idle"));
}
