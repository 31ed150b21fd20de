#include "LinkFixture.h"

#include "app/link/BaudScan.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Connection.h"

using namespace tovu::link;
using namespace tovu::link::test;

using ConnectionTest = LinkFixture;

TEST_F(ConnectionTest, OpenAndCloseAreARMAndALMAroundThePort)
{
    EXPECT_EQ(OpenComm(ctx), QStringLiteral("SUCCESS"));
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(port.inputLen(), 1);
    pump.waits.clear();
    CloseComm(ctx);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.transcript(), (QStringList{"open 9600,N,8,1", "> ARM", "> ALM", "close"}));
    EXPECT_EQ(pump.waits, (std::vector<int>{500, 1000}));  // the pre-wait of ALM, then the closing wait
}

TEST_F(ConnectionTest, AFirstRefusedARMIsRetriedAfterClosingAndReopening)
{
    instrument.once["ARM"].push_back(QByteArray(1, NAK) + '\r');
    EXPECT_EQ(OpenComm(ctx), QStringLiteral("SUCCESS"));
    EXPECT_EQ(port.transcript(), (QStringList{"open 9600,N,8,1", "> ARM", "> ALM", "close", "open 9600,N,8,1", "> ARM"}));
}

TEST_F(ConnectionTest, AHandshakeThatNeverSucceedsRaisesString566AndClosesThePort)
{
    instrument.once["ARM"] = {QByteArray(1, NAK) + '\r', QByteArray(1, NAK) + '\r'};
    const LinkError e = expectLinkError([&] { OpenComm(ctx); }, LinkErrorKind::Handshake);
    EXPECT_EQ(e.Number(), -2147220502);
    EXPECT_EQ(e.Source(), QStringLiteral("OpenComm"));
    EXPECT_EQ(e.Description(), QStringLiteral("string 566"));
    EXPECT_FALSE(port.portOpen());

    // A silent instrument fails at once: no retry.
    port.clearTranscript();
    instrument.silent << "ARM";
    expectLinkError([&] { OpenComm(ctx); }, LinkErrorKind::Handshake);
    EXPECT_EQ(port.sentLines(), QStringList{QStringLiteral("ARM")});
    EXPECT_FALSE(port.portOpen());
}

TEST_F(ConnectionTest, APortThatCannotBeOpenedIsOneErrorNamingTheDevice)
{
    port.setCommPort(4);
    port.setOpenFails(true);
    const LinkError e = expectLinkError([&] { OpenComm(ctx); }, LinkErrorKind::PortFailure);
    EXPECT_EQ(e.Source(), QStringLiteral("OpenComm"));
    EXPECT_TRUE(e.Description().startsWith(QStringLiteral("Cannot open serial port COM4 (memory)")))
        << e.Description().toStdString();
}

TEST_F(ConnectionTest, CloseOnAClosedPortOpensItToSendALM)
{
    CloseComm(ctx);
    EXPECT_EQ(port.transcript(), (QStringList{"open 9600,N,8,1", "> ALM", "close"}));
}

TEST_F(ConnectionTest, CloseNeverRaisesAndAlwaysEndsClosed)
{
    openPort();
    instrument.silent << "ALM";
    CloseComm(ctx);  // a silent instrument
    EXPECT_FALSE(port.portOpen());
    port.setOpenFails(true);
    CloseComm(ctx);  // a port that cannot even be opened
    EXPECT_FALSE(port.portOpen());
    port.setOpenFails(false);
    ctx.Active = false;
    port.clearTranscript();
    CloseComm(ctx);  // cancelled: "ALM" goes out raw
    EXPECT_EQ(port.transcript(), (QStringList{"open 9600,N,8,1", "> ALM", "close"}));
}

TEST_F(ConnectionTest, SessionClosesWhenAnErrorLeavesItsScope)
{
    instrument.silent << "RGN";
    EXPECT_THROW(
        {
            LinkSession session(ctx);
            WriteComm(ctx, QStringLiteral("RGN"), QString());
        },
        LinkError);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.sentLines(), (QStringList{"ARM", "RGN", "ALM"}));
}

struct ScanLog {
    QStringList captions;
    QStringList events;
    int statusReads = 0;
};

BaudScanHooks hooksFor(ScanLog& log, const std::function<void()>& status = {})
{
    BaudScanHooks h;
    h.applicationTitle = QStringLiteral("TOVU");
    h.showAbout = [&log] { log.events << QStringLiteral("show"); };
    h.hideAbout = [&log] { log.events << QStringLiteral("hide"); };
    h.setAboutCaption = [&log](const QString& c) { log.captions << c; };
    h.statusRead = [&log, status] {
        ++log.statusReads;
        if (status)
            status();
    };
    return h;
}

using BaudScanTest = LinkFixture;

TEST_F(BaudScanTest, AnInstrumentAnsweringOnlyAt38400)
{
    instrument.answeringRates = {QStringLiteral("38400")};
    ScanLog log;
    // The status read opens and closes its own connection, as the main window's does.
    scan_baudrate(ctx, hooksFor(log, [this] {
                      OpenComm(ctx);
                      WriteCommSpecial(ctx, QStringLiteral("AMD"));
                      CloseComm(ctx);
                  }));
    EXPECT_EQ(log.captions, (QStringList{"About TOVU... SCANNING 115K2", "About TOVU... SCANNING 57K6",
                                         "About TOVU... SCANNING 38K4", "About TOVU"}));
    EXPECT_EQ(log.events, (QStringList{"show", "hide"}));
    EXPECT_EQ(log.statusReads, 1);
    EXPECT_EQ(port.settings(), QStringLiteral("38400,N,8,1"));
    EXPECT_FALSE(port.portOpen());
    // The wire: at each silent rate an ARM, then the closing ALM; at 38400 the handshake,
    // the short ARM, the status read's own connection, the short ALM (on the port the
    // status read closed, so it fails quietly) and the closing ALM.
    EXPECT_EQ(port.transcript(),
              (QStringList{"open 115200,N,8,1", "> ARM", "close", "open 115200,N,8,1", "> ALM", "close",
                           "open 57600,N,8,1",  "> ARM", "close", "open 57600,N,8,1",  "> ALM", "close",
                           "open 38400,N,8,1",  "> ARM", "> ARM", "> ARM", "> AMD", "> ALM", "close",
                           "open 38400,N,8,1",  "> ALM", "close"}));
}

TEST_F(BaudScanTest, NoInstrumentLeavesTheFallbackRateSilently)
{
    instrument.answeringRates = {QStringLiteral("1200")};
    ScanLog log;
    scan_baudrate(ctx, hooksFor(log));
    EXPECT_EQ(log.captions.size(), 6);
    EXPECT_EQ(log.captions[4], QStringLiteral("About TOVU... SCANNING 9K6"));
    EXPECT_EQ(log.statusReads, 0);
    EXPECT_EQ(log.events, (QStringList{"show", "hide"}));
    EXPECT_EQ(port.settings(), QStringLiteral("115200,N,8,1"));
    EXPECT_FALSE(port.portOpen());
}

TEST_F(BaudScanTest, APortThatCannotOpenIsScannedQuietly)
{
    port.setOpenFails(true);
    ScanLog log;
    scan_baudrate(ctx, hooksFor(log));
    EXPECT_EQ(log.statusReads, 0);
    EXPECT_EQ(port.settings(), QStringLiteral("115200,N,8,1"));
}

TEST_F(BaudScanTest, BaudWritecommGivesUpAfterFifteenPolls)
{
    openPort();
    EXPECT_EQ(Baud_Writecomm(ctx, QStringLiteral("ARM"), QString()), QStringLiteral("ACK"));
    instrument.once["ARM"].push_back(QByteArray(1, NAK) + '\r');
    EXPECT_EQ(Baud_Writecomm(ctx, QStringLiteral("ARM"), QString()), QStringLiteral(" "));
    instrument.silent << "ARM";
    EXPECT_EQ(Baud_Writecomm(ctx, QStringLiteral("ARM"), QString()), QStringLiteral("ERROR"));
    EXPECT_EQ(Baud_Writecomm(ctx, QStringLiteral("ARM"), QStringLiteral("N/A")), QStringLiteral("N/A"));
    // A late reply (after fifteen immediate polls) still counts as none; the rate is kept.
    instrument.silent.clear();
    instrument.override_ = [](const QByteArray&) { return QByteArray(20, 'x') + ACK + '\r'; };
    EXPECT_EQ(Baud_Writecomm(ctx, QStringLiteral("ARM"), QString()), QStringLiteral("ERROR"));
}
