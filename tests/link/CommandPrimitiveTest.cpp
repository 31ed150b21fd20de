#include "LinkFixture.h"

#include "app/link/CommandPrimitive.h"

using namespace tovu::link;
using namespace tovu::link::test;

TEST(DecodeReply, StatusBytesAndDataFields)
{
    struct Case {
        const char* status;
        const char* data;
        const char* expected;
    };
    const Case cases[] = {
        {"ACK", "", "ACK"},     {"", "X,12.5", "12.5"}, {"", "A,B,C", "B"},   {"", "AB", "    "},
        {"NACK", "AB", "NACK"}, {"", "", "    "},       {"ACK", "GN,40", "40"}, {"", "GN,", "    "},
    };
    const QString cmd = QStringLiteral("RGN");
    for (const Case& c : cases)
        EXPECT_EQ(decodeReply(cmd, QString::fromLatin1(c.status), QString::fromLatin1(c.data)), QString::fromLatin1(c.expected))
            << c.status << "|" << c.data;
    EXPECT_EQ(decodeReply(cmd, QString(), QStringLiteral("NN,weld 3, root"), true), QStringLiteral("weld 3, root"));
}

TEST(DecodeReply, NoiseIsABadReply)
{
    const QString cmd = QStringLiteral("RGN");
    for (const QString& noise : {QStringLiteral("12.5"), QString::fromLatin1("\x81\xF0\xC3"), QStringLiteral("GN,4\x01" "0")}) {
        try {
            decodeReply(cmd, QString(), noise);
            ADD_FAILURE() << noise.toStdString();
        } catch (const LinkError& e) {
            EXPECT_EQ(e.kind(), LinkErrorKind::BadReply);
            EXPECT_EQ(e.Source(), QStringLiteral("WriteComm"));
            EXPECT_TRUE(e.Description().startsWith(QStringLiteral("Invalid reply to RGN: ")));
        }
    }
}

using WriteCommTest = LinkFixture;

TEST_F(WriteCommTest, DecodesEachReplyShape)
{
    openPort();
    const std::pair<QByteArray, const char*> cases[] = {
        {QByteArray(1, ACK) + '\r', "ACK"},
        {QByteArray(1, NAK) + '\r', "NACK"},
        {QByteArray(1, NA) + '\r', "N/A"},
        {"GN,12.5\r", "12.5"},
        {"\r", "    "},
        {QByteArray(1, NAK) + QByteArray(1, ACK) + '\r', "ACK"},  // the later status byte counts
    };
    for (const auto& [bytes, expected] : cases) {
        instrument.once["RGN"].push_back(bytes);
        EXPECT_EQ(WriteComm(ctx, QStringLiteral("RGN"), QString()), QString::fromLatin1(expected));
    }
}

TEST_F(WriteCommTest, AnArgumentNAIsNeverSent)
{
    openPort();
    EXPECT_EQ(WriteComm(ctx, QStringLiteral("WGN"), QStringLiteral("N/A")), QStringLiteral("N/A"));
    EXPECT_EQ(WriteComm(ctx, QStringLiteral("WGN"), QString()), QStringLiteral("ACK"));
    EXPECT_EQ(sent(), QStringList{QStringLiteral("WGN")});
}

TEST_F(WriteCommTest, WaitsBeforeCommandsAsTheInstrumentNeeds)
{
    openPort();
    WriteComm(ctx, QStringLiteral("RGN"), QString());
    EXPECT_TRUE(pump.waits.empty());
    EXPECT_EQ(clock.sleeps, std::vector<int>{50});
    for (const char* cmd : {"ARM", "ALM", "AMF"}) {
        pump.waits.clear();
        WriteComm(ctx, QString::fromLatin1(cmd), QString());
        EXPECT_EQ(pump.waits, std::vector<int>{500}) << cmd;
    }
}

TEST_F(WriteCommTest, SilenceRaisesTheTimeoutWithExactSourceAndText)
{
    openPort();
    instrument.silent << "RGN" << "WGN";
    const auto start = clock.now;
    const LinkError e = expectLinkError([&] { WriteComm(ctx, QStringLiteral("RGN"), QString()); }, LinkErrorKind::Timeout);
    EXPECT_EQ(e.Number(), -2147220503);
    EXPECT_EQ(e.Source(), QStringLiteral("WriteComm"));
    EXPECT_EQ(e.Description(), QStringLiteral("Communication error executing RGN"));
    EXPECT_GE(clock.now - start, 20000);
    EXPECT_LT(clock.now - start, 20100);

    const auto start2 = clock.now;
    const LinkError e2 = expectLinkError([&] { WriteComm(ctx, QStringLiteral("WGN"), QStringLiteral(" 40"), 0.5); },
                                         LinkErrorKind::Timeout);
    EXPECT_EQ(e2.Description(), QStringLiteral("Communication error executing WGN 40"));
    EXPECT_LT(clock.now - start2, 700);
}

TEST_F(WriteCommTest, EndlessNoiseRunsOutOfTimeLikeSilence)
{
    openPort();
    instrument.override_ = [this](const QByteArray&) {
        // A stream without carriage returns that keeps coming while the link waits.
        port.setIdleHook([this](int ms) {
            clock.advance(ms);
            port.feed("\x55\xAA\x13");
        });
        return QByteArray("\xFF\xFE");
    };
    expectLinkError([&] { WriteComm(ctx, QStringLiteral("RGN"), QString()); }, LinkErrorKind::Timeout);
}

TEST_F(WriteCommTest, CompletionCommandsGetGraceButOnlyAReplyCountsAsDone)
{
    openPort();
    // A late acknowledgement inside the grace is accepted.
    instrument.silent << "ADP";
    int idle = 0;
    port.setIdleHook([&](int ms) {
        clock.advance(ms);
        idle += ms;
        if (idle >= 25000 && idle < 25000 + ms)
            port.feed(QByteArray(1, ACK) + '\r');
    });
    EXPECT_EQ(WriteComm(ctx, QStringLiteral("ADP"), QString()), QStringLiteral("ACK"));

    // No reply at all is a timeout after 30 s, not an acknowledgement.
    port.setIdleHook([&](int ms) { clock.advance(ms); });
    instrument.silent << "ADA";
    const auto start = clock.now;
    const LinkError e = expectLinkError([&] { WriteComm(ctx, QStringLiteral("ADA"), QString()); }, LinkErrorKind::Timeout);
    EXPECT_EQ(e.Description(), QStringLiteral("Communication error executing ADA"));
    EXPECT_GE(clock.now - start, 30000);
    EXPECT_LT(clock.now - start, 30100);
}

TEST_F(WriteCommTest, CancelSendsALMClosesThePortAndSendsNothingElse)
{
    openPort();
    ctx.Active = false;
    const LinkError e = expectLinkError([&] { WriteComm(ctx, QStringLiteral("RGN"), QString()); }, LinkErrorKind::Cancelled);
    EXPECT_EQ(e.Number(), -2147220500);
    EXPECT_EQ(e.Source(), QStringLiteral("Transfer Error:"));
    EXPECT_EQ(e.Description(), QStringLiteral("Transfer Interrupted By User "));
    EXPECT_EQ(sent(), QStringList{QStringLiteral("ALM")});
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.transcript().last(), QStringLiteral("close"));
}

TEST_F(WriteCommTest, CancelStopsARawExchangeToo)
{
    openPort();
    ctx.Active = false;
    expectLinkError([&] { WriteCommSpecial(ctx, QStringLiteral("RRP")); }, LinkErrorKind::Cancelled);
    EXPECT_EQ(sent(), QStringList{QStringLiteral("ALM")});
    EXPECT_FALSE(port.portOpen());
}

TEST_F(WriteCommTest, CancelClickedDuringAnExchangeStopsTheNextCommand)
{
    openPort();
    pump.onYield = [&](int) { ctx.Active = false; };  // the user clicks while the reply is awaited
    EXPECT_EQ(WriteComm(ctx, QStringLiteral("RGN"), QString()), QStringLiteral("0"));
    pump.onYield = nullptr;
    expectLinkError([&] { WriteComm(ctx, QStringLiteral("RDT"), QString()); }, LinkErrorKind::Cancelled);
    EXPECT_EQ(sent(), (QStringList{QStringLiteral("RGN"), QStringLiteral("ALM")}));
}

TEST_F(WriteCommTest, SpecialReturnsTheRawLineAndTimesOutEvenForLists)
{
    openPort();
    instrument.once["AMD"].push_back(QByteArray("ID") + NAK + "X\r");
    EXPECT_EQ(WriteCommSpecial(ctx, QStringLiteral("AMD")), QStringLiteral("ID\x15X"));
    EXPECT_TRUE(clock.sleeps.empty());  // no command gap for the raw exchange

    // A list cut short is no list: the slot tests would take missing slots for empty ones.
    instrument.once["APL"].push_back("APL,1,2,3");  // no carriage return ever comes
    const auto start = clock.now;
    const LinkError e = expectLinkError([&] { WriteCommSpecial(ctx, QStringLiteral("APL")); }, LinkErrorKind::Timeout);
    EXPECT_EQ(e.Source(), QStringLiteral("WriteCommSpecial"));
    EXPECT_EQ(e.Description(), QStringLiteral("Communication error executing APL"));
    EXPECT_GE(clock.now - start, 35000);

    instrument.silent << "AMD";
    const LinkError e2 = expectLinkError([&] { WriteCommSpecial(ctx, QStringLiteral("AMD"), QStringLiteral(" x")); },
                                         LinkErrorKind::Timeout);
    EXPECT_EQ(e2.Description(), QStringLiteral("Communication error executing AMD x"));
}

TEST_F(WriteCommTest, ALostDeviceIsOneLinkErrorAndThePortIsClosed)
{
    openPort();
    instrument.override_ = [this](const QByteArray&) {
        port.disconnect();
        return QByteArray();
    };
    const LinkError e = expectLinkError([&] { WriteComm(ctx, QStringLiteral("RGN"), QString()); }, LinkErrorKind::PortFailure);
    EXPECT_EQ(e.Source(), QStringLiteral("WriteComm"));
    // The instrument and its device, not the system's words for the failure.
    EXPECT_EQ(e.Description(), QStringLiteral("string 6150 [1] [memory]"));
    EXPECT_FALSE(port.portOpen());
}

TEST_F(WriteCommTest, AClosedPortIsALinkErrorNotACrash)
{
    const LinkError e = expectLinkError([&] { WriteComm(ctx, QStringLiteral("RGN"), QString()); }, LinkErrorKind::PortFailure);
    EXPECT_EQ(e.Description(), QStringLiteral("string 6150 [1] [memory]"));
    expectLinkError([&] { WriteCommSpecial(ctx, QStringLiteral("AMD")); }, LinkErrorKind::PortFailure);
}
