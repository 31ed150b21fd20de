// The transfer commands end to end against the instrument simulator on a pseudo-terminal.
#include "SimLink.h"
#include "support/AppEnvironment.h"

#include "../TransferFakes.h"
#include "app/link/Connection.h"
#include "app/link/DownloadEngine.h"
#include "app/link/ModelIdentification.h"
#include "app/link/Privileges.h"
#include "app/link/SlotCommands.h"
#include "app/link/Terminal.h"
#include "app/link/Thickness.h"
#include "app/link/UploadEngine.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;
using tovu::sim::FaultKind;

TOVU_TEST_APPLICATION(QCoreApplication)

namespace {

constexpr double kScale = 0.05;

struct OnSim {
    explicit OnSim(int model, unsigned seed = 2)
    {
        tovu::sim::SimOptions o;
        o.instrument.model = model;
        o.instrument.seed = seed;
        o.protocol.fixedClock = "03/04/2025 10:00:00";
        o.quiet = true;
        link = std::make_unique<SimLink>(o, kScale);
        env = std::make_unique<TransferEnv>(TransferEnv{*link->ctx, host, dialogs, wait});
    }
    bool connect()
    {
        LinkContext& ctx = *link->ctx;
        OpenComm(ctx);
        ctx.store.workItem(0).ModelIndex = static_cast<std::int16_t>(GetInstrumentModel(ctx, 0));
        CloseComm(ctx);
        return link->started;
    }
    tovu::sim::InstrumentState state() const { return link->sim->state(); }
    std::vector<int> occupied(bool panels, int from, int to) const
    {
        std::vector<int> v;
        const auto st = state();
        for (const auto& [n, item] : panels ? st.panels : st.alogs)
            if (n >= from && n <= to)
                v.push_back(n);
        return v;
    }
    tovu::items::ItemStore& store() { return link->store; }

    std::unique_ptr<SimLink> link;
    RecordingHost host;
    ScriptedDialogs dialogs;
    RecordingWait wait;
    std::unique_ptr<TransferEnv> env;
};

struct TransferOnSim : ::testing::Test {
    void SetUp() override
    {
        if (externalPort())
            GTEST_SKIP() << "needs the simulator in this process (its fault injection, its memory to compare with); on TOVU_TEST_PORT the OnTheLine test runs the transfers";
    }
};

std::vector<int> inUse(const std::vector<tovu::items::DFDRecord>& records, int from, int to)
{
    std::vector<int> v;
    for (int i = from; i <= to && i < static_cast<int>(records.size()); ++i)
        if (records[static_cast<std::size_t>(i)].InUse)
            v.push_back(i);
    return v;
}

} // namespace

TEST_F(TransferOnSim, AllPanelsOfAGeneration0Instrument)
{
    OnSim s(5);
    ASSERT_TRUE(s.connect());
    ASSERT_EQ(s.store().MemoryGeneration, 0);
    const auto live = s.state().live.values;
    const TransferReport r = DownloadPanels(*s.env);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    const std::vector<int> expected = s.occupied(true, 1, 20);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(inUse(s.store().Panels, 1, 20), expected);
    for (const int n : expected)
        EXPECT_EQ(s.store().Panels[static_cast<std::size_t>(n)].settings().Range,
                  QString::fromStdString(s.state().panels.at(n).settings.value("RG")));
    EXPECT_EQ(s.state().live.value("GN"), live.at("GN"));
    EXPECT_EQ(s.state().live.value("RG"), live.at("RG"));
    EXPECT_FALSE(s.link->port->portOpen());
}

TEST_F(TransferOnSim, ARunOfALogsOfAGeneration1Instrument)
{
    OnSim s(21);
    ASSERT_TRUE(s.connect());
    const TransferReport r = DownloadALogs(*s.env, 1, 6);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    const std::vector<int> expected = s.occupied(false, 1, 6);
    EXPECT_EQ(r.transferred, expected);
    const auto st = s.state();
    for (const int n : expected) {
        const auto& rec = s.store().ALogs[static_cast<std::size_t>(n)];
        EXPECT_EQ(rec.curves().WaveMax, st.alogs.at(n).trace->max) << n;
        EXPECT_EQ(rec.settings().TimeStamp, QString::fromStdString(st.alogs.at(n).timeStamp)) << n;
    }
}

TEST_F(TransferOnSim, ABankOfAGeneration2Instrument)
{
    OnSim s(36);
    ASSERT_TRUE(s.connect());
    s.host.panelPage = 2;
    const TransferReport r = DownloadPanels(*s.env, 1, 20);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    EXPECT_EQ(r.transferred, s.occupied(true, 21, 40));
    EXPECT_EQ(inUse(s.store().Panels, 1, 100), s.occupied(true, 21, 40));
}

TEST_F(TransferOnSim, UploadsOfOneItemToAnotherSlotAndOfSeveralToTheirOwn)
{
    OnSim s(5);
    ASSERT_TRUE(s.connect());
    ASSERT_TRUE(DownloadPanels(*s.env, 1, 1).completed);
    auto& work = s.store().WorkItems;
    work[9] = s.store().Panels[1];
    work[9].editSettings().NoteLabel = QStringLiteral("NINE");
    s.link->sim->editState([](tovu::sim::InstrumentState& st) {
        for (int n = 10; n <= 14; ++n)
            st.panels.erase(n);
    });
    ASSERT_TRUE(UploadPanels(*s.env, 9, 9, 14).completed);
    EXPECT_EQ(s.state().panels.at(14).settings.value("NL"), "NINE");
    for (int n = 10; n <= 12; ++n) {
        work[static_cast<std::size_t>(n)] = s.store().Panels[1];
        work[static_cast<std::size_t>(n)].editSettings().NoteOperator = QStringLiteral("OPERATOR %1").arg(n);
    }
    const TransferReport r = UploadPanels(*s.env, 10, 12, 0);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    for (int n = 10; n <= 12; ++n)
        EXPECT_EQ(s.state().panels.at(n).settings.value("NO"), QStringLiteral("OPERATOR %1").arg(n).toStdString());
    EXPECT_EQ(s.host.ticks, (std::vector<int>{15, 11, 12, 13}));
}

TEST_F(TransferOnSim, EraseDeleteAndRecall)
{
    OnSim s(21);
    ASSERT_TRUE(s.connect());
    const auto first = s.occupied(false, 1, 100);
    ASSERT_GE(first.size(), 2u);
    ASSERT_TRUE(PopUpmnuRecallItem_Click(*s.env, 22 + first[0]));
    EXPECT_EQ(s.state().live.value("GN"), s.state().alogs.at(first[0]).settings.value("GN"));
    ASSERT_TRUE(PopUpmnuDeleteItem_Click(*s.env, 22 + first[1]));
    EXPECT_EQ(s.state().alogs.count(first[1]), 0u);
    EXPECT_EQ(s.host.emptied, (std::vector<int>{22 + first[1]}));
    ASSERT_TRUE(MnuEraseALOGS_Click(*s.env));
    EXPECT_TRUE(s.state().alogs.empty());
    EXPECT_FALSE(s.state().panels.empty());
    EXPECT_TRUE(s.dialogs.messages.empty());
}

TEST_F(TransferOnSim, PrivilegesReadAndWrittenBack)
{
    OnSim s(21);
    ASSERT_TRUE(s.connect());
    PrivilegesState state(0, 0);
    mnuSetPrivilege_Click(*s.env, state, [&](PrivilegesState& p) {
        EXPECT_EQ(p.PanelLimit, QStringLiteral("5"));
        EXPECT_EQ(p.AlogLimit, QStringLiteral("20"));
        p.PanelLbl_Click(12);
        p.AlogLbl_Click(3);
        p.OptionPrivilege_Click(1);
        EXPECT_TRUE(applyPrivileges(*s.link->ctx, s.dialogs, p, {}));
    });
    const auto st = s.state();
    EXPECT_EQ(st.panelLimit, 12);
    EXPECT_EQ(st.alogLimit, 3);
    EXPECT_EQ(st.privilegeLevel, 0);
}

TEST_F(TransferOnSim, AThicknessDownloadSavedIsTheFixtureByteForByte)
{
    OnSim s(21);
    ASSERT_TRUE(s.connect());
    s.link->sim->editState([](tovu::sim::InstrumentState& st) {
        st.thickness.clear();
        auto add = [&](int block, int loc, int num, const char* t) {
            tovu::sim::ThicknessReading r;
            r.block = block;
            r.location = loc;
            r.number = num;
            r.thickness = t;
            st.thickness.push_back(r);
        };
        add(1, 2, 1, "10.2");
        add(1, 1, 2, "9.8");
        add(3, 1, 1, "4.4");
        add(1, 3, 2, "11.0");
    });
    ThicknessLog log;
    ASSERT_EQ(downloadThickness(*s.link->ctx, s.dialogs, log, QStringLiteral("1"), {}), 3);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.csv"));
    ASSERT_TRUE(Save_Thickness(path, QStringLiteral("."), log.ThicknessValues));
    QFile got(path), want(QStringLiteral(TOVU_FIXTURES_DIR "/link/thickness-point.csv"));
    ASSERT_TRUE(got.open(QIODevice::ReadOnly) && want.open(QIODevice::ReadOnly));
    EXPECT_EQ(got.readAll(), want.readAll());
}

TEST_F(TransferOnSim, TheTerminalsRawReply)
{
    OnSim s(21);
    ASSERT_TRUE(s.link->started);
    const TerminalReply arm = applyTerminalCommand(*s.link->ctx, QStringLiteral("ARM"));
    EXPECT_EQ(arm.codeText, QStringLiteral("6"));
    const TerminalReply amf = applyTerminalCommand(*s.link->ctx, QStringLiteral("AMF"));
    EXPECT_EQ(amf.reply, QStringLiteral("AMF,V3.10 12/05/2006"));
    EXPECT_EQ(amf.codeText, QStringLiteral("65"));
}

TEST_F(TransferOnSim, ASilentGarblingOrClosedLineMidTransferGivesOneBoxAndKeepsThePcData)
{
    struct Case {
        const char* name;
        tovu::sim::FaultRule rule;
    };
    const Case cases[] = {
        {"silent", {"RGN", FaultKind::Silence, 0, 2, 0}},
        {"garbling", {"RGN", FaultKind::Garbage, 0, 2, 6}},
        {"closed", {"RGN", FaultKind::Close, 1, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OnSim s(5);
        ASSERT_TRUE(s.connect());
        ASSERT_GE(s.occupied(true, 1, 20).size(), 2u);
        s.store().Panels[3].InUse = true;
        s.store().Panels[3].editSettings().Memo = QStringLiteral("unsaved");
        const auto panels = s.store().Panels;
        const std::vector<tovu::items::DFDRecord> work(s.store().WorkItems.begin() + 1, s.store().WorkItems.end());
        s.link->sim->addFault(c.rule);
        const TransferReport r = DownloadPanels(*s.env);
        EXPECT_FALSE(r.completed);
        ASSERT_EQ(s.dialogs.messages.size(), 1u);
        EXPECT_EQ(s.dialogs.messages[0].title, kGetAllPanelsError);
        EXPECT_TRUE(s.store().Panels == panels);
        EXPECT_TRUE(std::equal(work.begin(), work.end(), s.store().WorkItems.begin() + 1));
        EXPECT_FALSE(s.link->port->portOpen());
    }
}
