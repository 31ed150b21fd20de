#include "LinkFixture.h"

#include "app/link/SlotOperations.h"

using namespace tovu::link;
using namespace tovu::link::test;

struct SlotTest : LinkFixture {
    void SetUp() override { openPort(); }
    void refuse(const QByteArray& cmd, int times)
    {
        for (int i = 0; i < times; ++i)
            instrument.once[cmd].push_back(QByteArray(1, NAK) + '\r');
    }
};

TEST_F(SlotTest, WithAListNothingIsSent)
{
    EXPECT_TRUE(PanelSlotUsed(ctx, 3, QStringLiteral("APL,3,5")));
    EXPECT_FALSE(ALogSlotUsed(ctx, 35, QStringLiteral("AWL,3,5")));
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(SlotTest, WithoutAListTheInstrumentIsAsked)
{
    EXPECT_TRUE(PanelSlotUsed(ctx, 5, QStringLiteral("x")));  // one character counts as no list
    instrument.once["RAT"].push_back("AT,0\r");
    EXPECT_FALSE(ALogSlotUsed(ctx, 12, QString()));
    refuse("WAS", 1);  // a refused selection is asked again, not taken for an empty location
    EXPECT_TRUE(ALogSlotUsed(ctx, 13, QString()));
    EXPECT_EQ(sent(), (QStringList{"WPS 5", "RST", "WAS 12", "RAT", "WAS 13", "WAS 13", "RAT"}));
}

TEST_F(SlotTest, ThePanelSlotTestGivesUpOnARefusingInstrument)
{
    refuse("WPS", 2);
    EXPECT_TRUE(PanelSlotUsed(ctx, 7, QString()));
    EXPECT_EQ(sent(), (QStringList{"WPS 7", "WPS 7", "WPS 7", "RST"}));
    port.clearTranscript();
    refuse("WPS", 10);
    const LinkError e = expectLinkError([&] { PanelSlotUsed(ctx, 7, QString()); }, LinkErrorKind::NotAcknowledged);
    EXPECT_EQ(e.Source(), QStringLiteral("PanelSlotUsed"));
    EXPECT_EQ(sent().size(), kSelectTries);
}

TEST_F(SlotTest, PanelRecallReadsGateAIntoNoRecordOfMemory)
{
    for (int i = 0; i < static_cast<int>(store.WorkItems.size()); i += 97)
        rec(i).editSettings().Gates[0].Level = QStringLiteral("mine");
    rec(5).editSettings().Gates[0].Level = QStringLiteral("mine");
    PanelMemoryAction(ctx, MemoryAction::RECALL, 5);
    EXPECT_EQ(sent(), (QStringList{"WPS 5", "RLA", "RSA", "RGA", "RWA", "WSM 1", "ADP", "RLA", "RSA", "RGA", "RWA"}));
    EXPECT_EQ(rec(5).settings().Gates[0].Level, QStringLiteral("mine"));
}

TEST_F(SlotTest, PanelActionRefusedThreeRoundsIsAnErrorAndNothingMoreIsSent)
{
    refuse("WSM", 2);
    PanelMemoryAction(ctx, MemoryAction::STORE, 2);  // succeeds in the third round
    EXPECT_EQ(sent().filter(QStringLiteral("WSM")).size(), 3);
    port.clearTranscript();
    refuse("WSM", 3);
    const LinkError e = expectLinkError([&] { PanelMemoryAction(ctx, MemoryAction::STORE, 2); },
                                        LinkErrorKind::NotAcknowledged);
    EXPECT_EQ(e.Source(), QStringLiteral("PanelMemoryAction"));
    EXPECT_EQ(e.Description(), QStringLiteral("Instrument did not acknowledge WSM 0 (STORE of panel 2)"));
    EXPECT_FALSE(sent().contains(QStringLiteral("ADP")));
}

TEST_F(SlotTest, AnUnacknowledgedCompletionIsAFailedStore)
{
    instrument.once["ADP"] = {QByteArray(1, NAK) + '\r'};
    PanelMemoryAction(ctx, MemoryAction::STORE, 1);  // one refusal earns one more send
    EXPECT_EQ(sent().filter(QStringLiteral("ADP")).size(), 2);
    instrument.once["ADP"] = {QByteArray(1, NAK) + '\r', QByteArray(1, NAK) + '\r'};
    expectLinkError([&] { PanelMemoryAction(ctx, MemoryAction::STORE, 1); }, LinkErrorKind::NotAcknowledged);
    instrument.silent << "ADP";
    expectLinkError([&] { PanelMemoryAction(ctx, MemoryAction::RECALL, 1); }, LinkErrorKind::Timeout);
}

TEST_F(SlotTest, ALogStoreUploadsTheWaveformThenCompletes)
{
    ALogMemoryAction(ctx, MemoryAction::STORE, 9, 1);
    const QStringList s = sent();
    ASSERT_EQ(s.size(), 5);
    EXPECT_EQ(s[0], QStringLiteral("WAS 9"));
    EXPECT_EQ(s[1], QStringLiteral("WAM 0"));
    EXPECT_TRUE(s[2].startsWith(QStringLiteral("AWS,0,0,")));
    EXPECT_EQ(s.mid(3), (QStringList{"ADA", "WFP 0"}));

    port.clearTranscript();
    ALogMemoryAction(ctx, MemoryAction::DELETE, 9, 1);
    EXPECT_EQ(sent(), (QStringList{"WAS 9", "WAM 2", "ADA"}));
}

TEST_F(SlotTest, ALogActionsAreBoundedEverywhere)
{
    struct Case {
        QByteArray refused;
        int times;
        const char* failedStep;
    };
    const Case cases[] = {{"WAS", 3, "WAM 0"}, {"WAM", 3, "WAM 0"}, {"AWS", 6, "AWS"}};
    for (const Case& c : cases) {
        instrument.once.clear();
        refuse(c.refused, c.times);
        const LinkError e = expectLinkError([&] { ALogMemoryAction(ctx, MemoryAction::STORE, 4, 1); },
                                            LinkErrorKind::NotAcknowledged);
        EXPECT_EQ(e.Description(), QStringLiteral("Instrument did not acknowledge %1 (STORE of ALog 4)").arg(QLatin1String(c.failedStep)))
            << c.refused.toStdString();
    }
    // After an acknowledged "ADA" the item is stored: a screen that stays frozen is noted.
    instrument.once.clear();
    refuse("WFP", 5);
    port.clearTranscript();
    ALogMemoryAction(ctx, MemoryAction::STORE, 4, 1);
    EXPECT_EQ(sent().filter(QStringLiteral("WFP")).size(), 5);
    EXPECT_EQ(ctx.refused, QStringList{"WFP"});
}
