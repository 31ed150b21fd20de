// The link end to end against the instrument simulator on a pseudo-terminal.
#include "SimLink.h"
#include "support/AppEnvironment.h"

#include "app/items/RecordFields.h"
#include "platform/text/NumberText.h"
#include "app/link/BaudScan.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Connection.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/LinkError.h"
#include "app/link/ModelIdentification.h"
#include "app/link/ParameterGroups.h"
#include "app/link/RecordTransfer.h"
#include "app/link/SlotOperations.h"

#include <QElapsedTimer>
#include <random>
#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;

TOVU_TEST_APPLICATION(QCoreApplication)

namespace {

constexpr double kScale = 0.1;  // every wait and timeout ten times shorter

struct SimTest : ::testing::Test {
    void SetUp() override
    {
        if (externalPort())
            GTEST_SKIP() << "needs the simulator in this process (its fault injection, its memory to compare with); on TOVU_TEST_PORT the OnTheLine test runs the transfers";
    }
    std::unique_ptr<SimLink> make(tovu::sim::SimOptions o = {})
    {
        auto link = std::make_unique<SimLink>(std::move(o), kScale);
        EXPECT_TRUE(link->started) << link->startError.toStdString();
        return link;
    }
};

tovu::sim::FaultRule fault(const char* text) { return *tovu::sim::parseFault(text); }

} // namespace

TEST_F(SimTest, TheScanFindsTheOnlyRateTheInstrumentAnswersAt)
{
    tovu::sim::SimOptions o;
    o.baud = 38400;
    o.mismatch = tovu::sim::MismatchMode::Garbage;  // noise at the wrong rates
    auto link = make(o);
    LinkContext& ctx = *link->ctx;
    link->port->setSettings(QStringLiteral("9600,N,8,1"));
    int model = -1;
    QStringList captions;
    BaudScanHooks hooks;
    hooks.applicationTitle = QStringLiteral("TOVU");
    hooks.setAboutCaption = [&](const QString& c) { captions << c; };
    hooks.statusRead = [&] {
        OpenComm(ctx);
        model = GetInstrumentModel(ctx, 0);
        CloseComm(ctx);
    };
    scan_baudrate(ctx, hooks);
    EXPECT_EQ(link->port->settings(), QStringLiteral("38400,N,8,1"));
    EXPECT_EQ(model, 21);
    EXPECT_EQ(captions, (QStringList{"About TOVU... SCANNING 115K2", "About TOVU... SCANNING 57K6",
                                     "About TOVU... SCANNING 38K4", "About TOVU"}));
    EXPECT_FALSE(link->port->portOpen());
    EXPECT_EQ(ctx.store.MaxALogs, 800);
}

TEST_F(SimTest, AWholeRecordReadHoldsWhatTheInstrumentHolds)
{
    auto link = make();
    LinkContext& ctx = *link->ctx;
    LinkSession session(ctx);
    GetInstrumentModel(ctx, 0);
    {
        TransferScope transfer(ctx);
        ReadPanelSettings(ctx, 0);
    }
    const auto live = link->sim->state().live;
    const auto& r = ctx.store.workItem(0);
    int compared = 0;
    // Without points the link marks the point settings as no curve ("-999") and leaves DB.
    const QStringList noCurve = {"DR", "DD", "DB", "YR", "YD"};
    for (const QString& code : groupParameterCodes()) {
        const auto it = live.values.find(code.toStdString());
        if (it == live.values.end())
            continue;
        if (noCurve.contains(code) && (live.dacPoints.empty() || live.tcgPoints.empty()))
            continue;
        const QString got = tovu::items::fieldByInstrumentCode(code.toStdString())->text(r.settings());
        if (code.startsWith(QLatin1Char('N')))  // notes read blank-padded to their field length
            EXPECT_EQ(got.trimmed(), QString::fromStdString(it->second).trimmed()) << code.toStdString();
        else
            EXPECT_EQ(got, QString::fromStdString(it->second)) << code.toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 60);
    EXPECT_EQ(r.ModelIndex, 21);
    EXPECT_EQ(r.DataVersion, 3);
    EXPECT_EQ(r.DacPresent, !live.dacPoints.empty());
}

TEST_F(SimTest, ARecordWrittenIsTheInstrumentsSetUpAndReadsBackTheSame)
{
    auto link = make();
    LinkContext& ctx = *link->ctx;
    LinkSession session(ctx);
    ReadPanelSettings(ctx, 0);
    ctx.store.WorkItems[1] = ctx.store.workItem(0);
    auto& s = ctx.store.workItem(1).editSettings();
    s.Gain = QStringLiteral("45.5");
    s.NoteLabel = QStringLiteral("WELD 3");
    s.NoteText = QStringLiteral("root, cap");
    s.Detect = QStringLiteral("3");
    s.Gates[0].Level = QStringLiteral("60");
    EXPECT_TRUE(WritePanelSettings(ctx, 1).isEmpty());
    const auto live = link->sim->state().live;
    EXPECT_EQ(live.value("GN"), "45.5");
    EXPECT_EQ(live.value("NL"), "WELD 3");
    ReadPanelSettings(ctx, 2);
    const auto& back = ctx.store.workItem(2).settings();
    EXPECT_EQ(back.Gain, QStringLiteral("45.5"));
    EXPECT_EQ(back.NoteLabel.trimmed(), QStringLiteral("WELD 3"));
    EXPECT_EQ(back.NoteText.trimmed(), QStringLiteral("root, cap"));
    EXPECT_DOUBLE_EQ(tovu::platform::text::valueOfText(back.Gates[0].Level), 60.0);  // the RF scale went there and back
}

TEST_F(SimTest, StoredSlotsAppearInTheListsAndAnALogKeepsItsWaveform)
{
    tovu::sim::SimOptions o;
    o.instrument.seedMemory = false;
    auto link = make(o);
    LinkContext& ctx = *link->ctx;
    LinkSession session(ctx);
    GetInstrumentModel(ctx, 0);
    PanelMemoryAction(ctx, MemoryAction::STORE, 7);
    const QString panels = WriteCommSpecial(ctx, QStringLiteral("APL"));
    EXPECT_TRUE(PanelSlotUsed(ctx, 7, panels)) << panels.toStdString();
    EXPECT_FALSE(PanelSlotUsed(ctx, 8, panels));

    auto& c = ctx.store.workItem(1).editCurves();
    for (int i = 0; i < 256; ++i)
        c.WaveMin[i] = static_cast<std::int16_t>(i % 50), c.WaveMax[i] = static_cast<std::int16_t>(100 + i % 60);
    ALogMemoryAction(ctx, MemoryAction::STORE, 9, 1);
    EXPECT_TRUE(ALogSlotUsed(ctx, 9, WriteCommSpecial(ctx, QStringLiteral("AWL"))));
    ALogMemoryAction(ctx, MemoryAction::RECALL, 9, 1);
    ReadWaveformData(ctx, 3, QStringLiteral("AWT"));
    for (int i = 0; i < 255; ++i) {
        ASSERT_EQ(ctx.store.workItem(3).curves().WaveMin[i], c.WaveMin[i]) << i;
        ASSERT_EQ(ctx.store.workItem(3).curves().WaveMax[i], c.WaveMax[i]) << i;
    }
    EXPECT_TRUE(link->sim->state().alogs.count(9));
}

TEST_F(SimTest, ARefusedFirstARMIsRetriedOnce)
{
    tovu::sim::SimOptions o;
    o.faults.push_back(fault("ARM:nak:1"));
    auto link = make(o);
    EXPECT_EQ(OpenComm(*link->ctx), QStringLiteral("SUCCESS"));
    CloseComm(*link->ctx);
    link->sim->waitForTranscript(4, 2000);  // the simulator files an exchange after its reply
    EXPECT_EQ(link->received(), (QStringList{"ARM", "ALM", "ARM", "ALM"}));
}

TEST_F(SimTest, BadLinesEndInOneClearLinkError)
{
    struct Case {
        const char* fault;
        LinkErrorKind kind;
    };
    const Case cases[] = {
        {"RGN:silence:1", LinkErrorKind::Timeout},
        {"RTD:garbage:1:6", LinkErrorKind::BadReply},
        {"RRP:nocr:1", LinkErrorKind::Timeout},
        {"RPZ:close:1:2", LinkErrorKind::PortFailure},
    };
    for (const Case& c : cases) {
        tovu::sim::SimOptions o;
        o.faults.push_back(fault(c.fault));
        auto link = make(o);
        LinkContext& ctx = *link->ctx;
        QElapsedTimer t;
        t.start();
        try {
            LinkSession session(ctx);
            ReadPanelSettings(ctx, 0);
            ADD_FAILURE() << c.fault << ": no error";
        } catch (const LinkError& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.fault << ": " << e.what();
            if (c.kind == LinkErrorKind::Timeout && QLatin1String(c.fault).startsWith(QLatin1String("RGN"))) {
                EXPECT_EQ(e.Description(), QStringLiteral("Communication error executing RGN"));
            }
        }
        EXPECT_FALSE(link->port->portOpen()) << c.fault;
        EXPECT_LT(t.elapsed(), 15000) << c.fault;
    }
}

TEST_F(SimTest, SeededFaultsOnTheLineNeverCrashOrHang)
{
    const char* kinds[] = {"nak", "silence", "delay", "garbage", "noise", "dribble", "nocr", "close"};
    const char* commands[] = {"AMD", "AMF", "RRP", "RGN", "RLA", "RNN", "REN", "RYP", "*"};
    std::mt19937 rng(1205);
    int failed = 0;
    for (int round = 0; round < 14; ++round) {
        const std::string kind = kinds[rng() % std::size(kinds)];
        const std::string cmd = commands[rng() % std::size(commands)];
        const int param = kind == "delay" ? 300 : kind == "dribble" ? 2 : static_cast<int>(rng() % 12);
        const std::string rule = cmd + ":" + kind + ":" + std::to_string(1 + rng() % 3) + ":" + std::to_string(param);
        tovu::sim::SimOptions o;
        o.faults.push_back(fault(rule.c_str()));
        auto link = make(o);
        LinkContext& ctx = *link->ctx;
        QElapsedTimer t;
        t.start();
        try {
            LinkSession session(ctx);
            ReadPanelSettings(ctx, 0);
        } catch (const LinkError&) {
            ++failed;  // any other exception fails the test
        }
        EXPECT_FALSE(link->port->portOpen()) << rule;
        EXPECT_LT(t.elapsed(), 20000) << rule;
    }
    EXPECT_GT(failed, 0);
    EXPECT_LT(failed, 14);  // late, dribbled or refused replies still give a record
}

TEST_F(SimTest, CancelLeavesRemoteModeAndSendsNothingMore)
{
    auto link = make();
    LinkContext& ctx = *link->ctx;
    OpenComm(ctx);
    // The simulator notes a command after its reply has gone out: wait for the ARM's entry,
    // or it lands after the clear.
    ASSERT_TRUE(link->sim->waitForTranscript(1, 2000));
    link->sim->clearTranscript();
    link->pump.yields = 0;
    // The user clicks CANCEL while the fourth command's reply is awaited.
    link->pump.onYield = [&](int n) {
        if (n == 4)
            ctx.Active = false;
    };
    try {
        ReadPanelSettings(ctx, 0);
        ADD_FAILURE() << "not cancelled";
    } catch (const LinkError& e) {
        EXPECT_EQ(e.kind(), LinkErrorKind::Cancelled);
        EXPECT_EQ(e.Description(), QStringLiteral("Transfer Interrupted By User "));
    }
    link->sim->waitForTranscript(5, 2000);
    // The first identification of this banked instrument asks "RMF" too.
    EXPECT_EQ(link->received(), (QStringList{"AMD", "RMF", "AMF", "RCV", "ALM"}));
    EXPECT_FALSE(link->port->portOpen());
    EXPECT_FALSE(link->sim->state().remote);
}
