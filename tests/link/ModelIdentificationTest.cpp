#include "LinkFixture.h"

#include "app/link/ModelIdentification.h"

using namespace tovu::link;
using namespace tovu::link::test;

TEST(NumericValue, KeepsOnlyPointSlashAndDigits)
{
    EXPECT_DOUBLE_EQ(NumericValue(QStringLiteral("V2.05")), 2.05);
    EXPECT_DOUBLE_EQ(NumericValue(QStringLiteral("2.10/03")), 2.1);
    EXPECT_DOUBLE_EQ(NumericValue(QStringLiteral("no digits")), 0);
    EXPECT_DOUBLE_EQ(NumericValue(QString()), 0);
    EXPECT_DOUBLE_EQ(NumericValue(QStringLiteral("-3")), 3);  // the sign is not among the kept characters
}

TEST(FirmwareFigure, TakesTheFirstTokenAfterTrimming)
{
    EXPECT_DOUBLE_EQ(firmwareFigure(QStringLiteral("V3.00 2009")), 3.0);
    EXPECT_DOUBLE_EQ(firmwareFigure(QStringLiteral(" V3.00")), 3.0);  // a leading blank is no token
    EXPECT_DOUBLE_EQ(firmwareFigure(QStringLiteral("    ")), 0.0);
}

TEST(ModelOfIdent, HighestMatchingCodeWins)
{
    const auto names = tovu::items::makeModelNames();
    EXPECT_EQ(modelOfIdent(names, QStringLiteral("TL125 LCD V1")), 18);  // holds "TL125" too
    EXPECT_EQ(modelOfIdent(names, QStringLiteral("TOLVANE 125")), 20);
    EXPECT_EQ(modelOfIdent(names, QStringLiteral("nothing known")), 0);
    EXPECT_EQ(modelOfIdent(names, QStringLiteral("veltris d-20")), 0);  // case matters
}

struct IdentifyTest : LinkFixture {
    void SetUp() override
    {
        openPort();
        ctx.onMemoryMenus = [this](const MemoryMenus& m) { menus.push_back(m); };
    }
    std::vector<MemoryMenus> menus;
};

TEST_F(IdentifyTest, TheFirstIdentificationAppliesGenerationZeroCounts)
{
    instrument.ident = "KORAVEL 330 V1.0";
    instrument.firmware = "V2.10";
    EXPECT_EQ(GetInstrumentModel(ctx, 0), 4);
    EXPECT_EQ(store.MaxPanels, 20);
    EXPECT_EQ(store.MaxALogs, 100);
    EXPECT_EQ(store.WorkItems.size(), 121u);
    EXPECT_EQ(store.FirmwareVersion, 2);
    EXPECT_EQ(rec(0).DataVersion, 2.0);
    EXPECT_EQ(rec(0).settings().IdentText, QStringLiteral("KORAVEL 330 V1.0"));
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].eraseMemory, false);
    EXPECT_EQ(sent(), (QStringList{"AMD", "AMF"}));

    // The same generation again re-creates nothing.
    rec(5).InUse = true;
    GetInstrumentModel(ctx, 0);
    EXPECT_TRUE(rec(5).InUse);
    EXPECT_EQ(menus.size(), 1u);
}

TEST_F(IdentifyTest, GenerationOneAsksForTheEraseMenuFigure)
{
    instrument.ident = "VELTRIS 150";
    instrument.firmware = "V3.20";
    EXPECT_EQ(GetInstrumentModel(ctx, 0), 21);
    EXPECT_EQ(store.MaxALogs, 800);
    EXPECT_EQ(sent(), (QStringList{"AMD", "RMF", "AMF"}));
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0], (MemoryMenus{true, true, false}));
}

TEST_F(IdentifyTest, ModelElevenBecomes35WhenItsFirmwareIsNotOneX)
{
    instrument.ident = "VELTRIS 140";
    instrument.firmware = "V1.05";
    EXPECT_EQ(GetInstrumentModel(ctx, 0), 11);
    instrument.firmware = "V2.00";
    ctx.approveDiscard = [](int) { return true; };
    EXPECT_EQ(GetInstrumentModel(ctx, 0), 35);
    EXPECT_EQ(store.MemoryGeneration, 1);
}

TEST_F(IdentifyTest, DiscardingHeldItemsNeedsTheCallersConsent)
{
    store.ALogs[7].InUse = true;
    instrument.ident = "VELTRIS D-10";
    const LinkError e = expectLinkError([&] { GetInstrumentModel(ctx, 0); }, LinkErrorKind::InstrumentChanged);
    EXPECT_EQ(e.Source(), QStringLiteral("GetInstrumentModel"));
    EXPECT_TRUE(store.ALogs[7].InUse);  // kept
    EXPECT_FALSE(ctx.GenerationIdentified);

    int asked = -1;
    ctx.approveDiscard = [&](int g) {
        asked = g;
        return true;
    };
    EXPECT_EQ(GetInstrumentModel(ctx, 0), 36);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(store.ALogs[7].InUse);
    EXPECT_EQ(store.MaxALogs, 10000);
}

TEST_F(IdentifyTest, AGenerationChangeInsideATransferAbortsIt)
{
    GetInstrumentModel(ctx, 0);  // generation 2, before the transfer
    TransferScope transfer(ctx);
    EXPECT_EQ(GetInstrumentModel(ctx, 0), 37);  // same generation: fine
    instrument.ident = "QMR400";
    rec(3).InUse = true;
    expectLinkError([&] { GetInstrumentModel(ctx, 3); }, LinkErrorKind::InstrumentChanged);
    EXPECT_TRUE(rec(3).InUse);
    EXPECT_EQ(store.MemoryGeneration, 2);
}

TEST_F(IdentifyTest, FirmwareFromTheAMFReply)
{
    const std::pair<const char*, int> cases[] = {{"V3.00", 3}, {" V3.00", 3}, {"V2.99", 2}, {"3", 3}};
    for (const auto& [reply, version] : cases) {
        instrument.firmware = reply;
        GetInstrumentModel(ctx, 0);
        EXPECT_EQ(store.FirmwareVersion, version) << reply;
        EXPECT_EQ(rec(0).DataVersion, version) << reply;
    }
    // One refusal or one empty answer is asked again.
    instrument.once["AMF"].push_back(QByteArray(1, NAK) + '\r');
    instrument.once["AMD"].push_back(QByteArray(1, NAK) + '\r');
    const int model = GetInstrumentModel(ctx, 0);
    EXPECT_EQ(GetInstrumentModel(ctx, 0), model) << "the same model as when nothing was refused";
    instrument.once["AMF"].push_back("\r");
    GetInstrumentModel(ctx, 0);
    EXPECT_EQ(store.FirmwareVersion, 3);
}

TEST_F(IdentifyTest, ARefusedOrUnreadableIdentificationIsNoGuess)
{
    struct Case {
        const char* cmd;
        QByteArray reply;  // given twice
        LinkErrorKind kind;
    };
    const Case cases[] = {
        {"AMD", QByteArray(1, NAK), LinkErrorKind::NotAcknowledged},
        {"AMD", "", LinkErrorKind::BadReply},
        {"AMD", QByteArray("\x01\x02"), LinkErrorKind::BadReply},
        {"AMF", QByteArray(1, NAK), LinkErrorKind::NotAcknowledged},
        {"AMF", "", LinkErrorKind::BadReply},                        // four blanks
        {"AMF", QByteArray(1, NA), LinkErrorKind::BadReply},
        {"AMF", "MF,VERSION", LinkErrorKind::BadReply},              // no figure in it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cmd + std::string(" ") + c.reply.toHex().toStdString());
        store.FirmwareVersion = 3;
        instrument.once[c.cmd] = {c.reply + '\r', c.reply + '\r'};
        const LinkError e = expectLinkError([&] { GetInstrumentModel(ctx, 0); }, c.kind);
        EXPECT_EQ(e.Description(), QStringLiteral("string 6154 [%1] [%2]").arg(QLatin1String(c.cmd)));
        EXPECT_EQ(store.FirmwareVersion, 3) << "no firmware guessed";
        instrument.once.clear();
    }
}
