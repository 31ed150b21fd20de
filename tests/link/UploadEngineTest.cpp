// Uploads in virtual time against the simulator's instrument logic: which record goes to
// which slot, the questions, the ticks, refused stores and cancels.
#include "TransferFixture.h"

#include "app/link/DownloadEngine.h"
#include "app/link/UploadEngine.h"

#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;
using tovu::items::DFDRecord;

namespace {

struct Upload : TransferFixture {
    Upload() : TransferFixture(5) {}

    // A record the PC holds: the instrument's panel 1 as downloaded, with its own gain and label.
    DFDRecord item(const char* gain, const char* label)
    {
        DFDRecord r = store.Panels[1];
        r.editSettings().Gain = QLatin1String(gain);
        r.editSettings().NoteLabel = QLatin1String(label);
        r.ModelIndex = store.workItem(0).ModelIndex;
        r.InUse = true;
        return r;
    }
    void SetUp() override
    {
        connect();
        ASSERT_TRUE(DownloadPanels(env, 1, 1).completed);
        port.clearTranscript();
        host.events.clear();
        for (int n = 2; n <= 20; ++n)
            instrument.state.panels.erase(n);
    }
    QString stored(int slot, const char* code) const
    {
        const auto it = instrument.state.panels.find(slot);
        return it == instrument.state.panels.end() ? QStringLiteral("<empty>") : QString::fromStdString(it->second.settings.value(code));
    }
};

} // namespace

TEST_F(Upload, OneItemGoesIntoTheSlotItWasDroppedOn)
{
    store.WorkItems[3] = item("33.0", "THREE");
    const tovu::sim::Settings live = instrument.state.live;
    const TransferReport r = UploadPanels(env, 3, 3, 7);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    EXPECT_EQ(stored(7, "GN"), QStringLiteral("33.0"));
    EXPECT_EQ(stored(7, "NL"), QStringLiteral("THREE"));
    EXPECT_EQ(stored(3, "GN"), QStringLiteral("<empty>"));
    EXPECT_TRUE(dialogs.questions.empty());  // one target: no overwrite-all question
    EXPECT_EQ(host.ticks, (std::vector<int>{8}));
    EXPECT_TRUE(store.PanelOccupied[7]);
    EXPECT_FALSE(store.PanelOccupied[3]);
    EXPECT_EQ(instrument.state.live.values.at("GN"), live.values.at("GN"));
    EXPECT_FALSE(port.portOpen());
}

TEST_F(Upload, SeveralItemsGoEachIntoItsOwnSlotAndLocationOneIsSelectedLast)
{
    store.WorkItems[5] = item("15.0", "FIVE");
    store.WorkItems[6] = item("16.0", "SIX");
    store.WorkItems[7] = item("17.0", "SEVEN");
    const TransferReport r = UploadPanels(env, 5, 7, 0);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("string 521"));
    EXPECT_EQ(dialogs.questions[0].title, QStringLiteral("string 130"));
    EXPECT_EQ(stored(5, "NL"), QStringLiteral("FIVE"));
    EXPECT_EQ(stored(6, "GN"), QStringLiteral("16.0"));
    EXPECT_EQ(stored(7, "NL"), QStringLiteral("SEVEN"));
    EXPECT_EQ(host.ticks, (std::vector<int>{6, 7, 8}));
    const QStringList s = sent();
    ASSERT_GE(s.size(), 2);
    EXPECT_EQ(s[s.size() - 2], QStringLiteral("WPS1"));
    EXPECT_EQ(s.last(), QStringLiteral("ALM"));
    for (int n : {5, 6, 7})
        EXPECT_TRUE(dialog.events.contains(QStringLiteral("colour %1 ff00").arg(n)));
}

TEST_F(Upload, OneStoreSendsTheCommandsInTheProtocolsOrder)
{
    store.WorkItems[3] = item("33.0", "THREE");
    ASSERT_TRUE(UploadPanels(env, 3, 3, 7).completed);
    static const QStringList keep = {"ARM", "WPS", "RST", "WSM", "ADP", "WHD", "WDM", "WYM", "WEN", "WGA", "WGB", "ALM", "WNL"};
    QStringList got;
    for (const QString& c : sent())
        if (keep.contains(c.left(3)))
            got << c;
    // The restore's own groups write WHD, WDM, WYM with the live values: compare the upload's part.
    const QStringList expected = {"ARM",  "WPS 7", "RST",  // memory state
                                  "WPS 7", "RST",          // the overwrite test
                                  "WHD0", "WDM0", "WYM0",  // display modes off
                                  "WDM0", "WYM0", "WEN0", "WGA0", "WGB0"};  // the utility group first
    EXPECT_EQ(got.mid(0, expected.size()), expected) << got.join(QLatin1Char('|')).toStdString();
    const qsizetype store = got.indexOf(QStringLiteral("WSM 0"));
    ASSERT_GT(store, 0);
    EXPECT_EQ(got[store - 1], QStringLiteral("WPS 7"));
    EXPECT_EQ(got[store + 1], QStringLiteral("ADP"));
    EXPECT_GT(got.indexOf(QStringLiteral("WNL        ")), -1);
    EXPECT_EQ(got.mid(store + 2, 3), (QStringList{"WHD0", "WDM0", "WYM0"}));  // the restore begins
    EXPECT_EQ(got.mid(got.size() - 2), (QStringList{"WPS1", "ALM"}));
}

TEST_F(Upload, ARecordWithoutAnItemIsSkippedWithoutTraffic)
{
    store.WorkItems[5] = item("15.0", "FIVE");
    const TransferReport r = UploadPanels(env, 5, 6, 0);
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.empty, (std::vector<int>{6}));
    // Only the memory-state display asks about slot 6; the loop sends nothing for it.
    EXPECT_EQ(sent().filter(QStringLiteral("WPS 6")).size(), 1);
    EXPECT_EQ(stored(6, "GN"), QStringLiteral("<empty>"));
}

TEST_F(Upload, AnOccupiedTargetIsAskedAboutAndNoLeavesItUntouched)
{
    instrument.state.panels[7] = instrument.state.panels.at(1);
    instrument.state.panels[7].settings.values["GN"] = "70.0";
    store.WorkItems[3] = item("33.0", "THREE");
    dialogs.answers = {false};
    const TransferReport r = UploadPanels(env, 3, 3, 7);
    ASSERT_TRUE(r.completed);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("string 1527: \r\nstring 519"));
    EXPECT_EQ(stored(7, "GN"), QStringLiteral("70.0"));
    EXPECT_TRUE(sent().filter(QStringLiteral("WSM 0")).isEmpty());
    EXPECT_TRUE(host.ticks.empty());
    EXPECT_EQ(r.declined, (std::vector<int>{7}));
}

TEST_F(Upload, AnUnacknowledgedStoreIsReportedAndNeitherTickedNorMarked)
{
    store.WorkItems[5] = item("15.0", "FIVE");
    store.WorkItems[6] = item("16.0", "SIX");
    instrument.fault = [this](const QByteArray& line, tovu::platform::serial::MemoryPort& p) {
        if (line == "WSM 0" && instrument.state.selectedPanel == 5) {
            p.feed(QByteArray(1, NAK) + '\r');
            return true;
        }
        return false;
    };
    const TransferReport r = UploadPanels(env, 5, 6, 0);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    EXPECT_EQ(r.failed, (std::vector<int>{5}));
    EXPECT_EQ(r.transferred, (std::vector<int>{6}));
    EXPECT_EQ(host.ticks, (std::vector<int>{7}));
    EXPECT_FALSE(store.PanelOccupied[5]);
    EXPECT_TRUE(store.PanelOccupied[6]);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, kWriteAllPanelsError);
    EXPECT_EQ(stored(5, "GN"), QStringLiteral("<empty>"));
}

TEST_F(Upload, AnotherModelIsAskedAboutAndNoSendsNothing)
{
    store.WorkItems[4] = item("15.0", "FOUR");
    store.WorkItems[4].ModelIndex = 30;
    dialogs.answers = {false};
    const TransferReport r = UploadPanels(env, 4, 4, 0);
    EXPECT_FALSE(r.completed);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("string 1524: \r\nstring 188"));
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(Upload, ACancelRestoresTheLiveSettingsAndShowsOneBox)
{
    for (int n = 5; n <= 8; ++n)
        store.WorkItems[static_cast<std::size_t>(n)] = item("15.0", "X");
    instrument.state.live.values["GN"] = "22.0";
    const tovu::sim::Settings live = instrument.state.live;
    bool pressed = false;
    pump.onYield = [&](int) {
        if (!pressed && sent().filter(QStringLiteral("WSM 0")).size() == 2) {
            pressed = true;
            ctx.Active = false;
        }
    };
    const TransferReport r = UploadPanels(env, 5, 8, 0);
    pump.onYield = nullptr;
    EXPECT_TRUE(r.cancelled);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, kWriteAllPanelsError);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Transfer Error:\r\nTransfer Interrupted By User "));
    EXPECT_EQ(instrument.state.live.values.at("GN"), QStringLiteral("22.0").toStdString());
    EXPECT_EQ(instrument.state.live.values.at("NL"), live.values.at("NL"));
    // The slot stored before the cancel stays stored and ticked; the one interrupted is not.
    EXPECT_EQ(host.ticks, (std::vector<int>{6}));
    EXPECT_TRUE(store.PanelOccupied[5]);
    EXPECT_FALSE(store.PanelOccupied[6]);
    EXPECT_FALSE(port.portOpen());
    EXPECT_TRUE(ctx.Active);
}

namespace {

struct BankedUpload : TransferFixture {
    BankedUpload() : TransferFixture(21) {}
};

} // namespace

TEST_F(BankedUpload, ALogsOfTheSecondBankKeepTheirWaveformAndTickOnlyTheShownPage)
{
    connect();
    host.alogPage = 2;
    instrument.state.alogs.erase(101);
    instrument.state.alogs.erase(150);
    DFDRecord r;
    r.InUse = true;
    r.ModelIndex = store.workItem(0).ModelIndex;
    r.editSettings().Gain = QStringLiteral("30.0");
    r.editSettings().Detect = QStringLiteral("2");
    r.WaveformPresent = true;
    for (int i = 0; i < 256; ++i) {
        r.editCurves().WaveMin[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i % 50);
        r.editCurves().WaveMax[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(100 + i % 50);
    }
    store.WorkItems[101] = r;
    store.WorkItems[150] = r;
    port.clearTranscript();
    const TransferReport rep = UploadALogs(env, 101, 150, 0);
    ASSERT_TRUE(rep.completed) << rep.errorText.toStdString();
    EXPECT_EQ(rep.transferred, (std::vector<int>{101, 150}));
    const auto& trace = instrument.state.alogs.at(150).trace;
    ASSERT_TRUE(trace.has_value());
    EXPECT_EQ(trace->min[10], 10);
    EXPECT_EQ(trace->max[60], 110);
    EXPECT_EQ(host.ticks, (std::vector<int>{23, 72}));
    EXPECT_TRUE(store.ALogOccupied[150]);
    EXPECT_TRUE(dialog.events.contains(QStringLiteral("caption 50 150")));
    const QStringList s = sent();
    EXPECT_EQ(s.mid(s.size() - 3), (QStringList{"WAS1", "WFP0", "ALM"}));
}

TEST(UploadOnAFailingLine, ASilentGarblingOrLostInstrumentGivesOneBoxAndChangesNothingOnThePc)
{
    using Port = tovu::platform::serial::MemoryPort;
    const std::vector<std::pair<const char*, std::function<void(Port&)>>> faults = {
        {"silent", [](Port&) {}},
        {"garbling", [](Port& p) { p.feed(QByteArray("\x91\xF3\x85", 3) + '\r'); }},
        {"lost", [](Port& p) { p.disconnect(); }},
    };
    for (const auto& [name, act] : faults) {
        SCOPED_TRACE(name);
        struct Fixture : Upload {
            void TestBody() override {}
        } f;
        f.SetUp();
        for (int n = 5; n <= 7; ++n)
            f.store.WorkItems[static_cast<std::size_t>(n)] = f.item("15.0", "X");
        const std::vector<DFDRecord> work(f.store.WorkItems.begin(), f.store.WorkItems.end());
        const auto panels = f.store.Panels;
        bool armed = false;
        f.instrument.fault = [&, act = act](const QByteArray& line, Port& p) {
            if (line == "WSM 0")
                armed = true;
            if (!armed || line == "WSM 0")
                return false;
            act(p);
            return true;
        };
        const TransferReport r = UploadPanels(f.env, 5, 7, 0);
        EXPECT_FALSE(r.completed);
        ASSERT_EQ(f.dialogs.messages.size(), 1u);
        EXPECT_EQ(f.dialogs.messages[0].title, kWriteAllPanelsError);
        EXPECT_EQ(f.dialogs.messages[0].icon, LinkIcon::Critical);
        EXPECT_TRUE(std::equal(work.begin() + 1, work.end(), f.store.WorkItems.begin() + 1));
        EXPECT_TRUE(f.store.Panels == panels);
        EXPECT_TRUE(f.host.ticks.empty());
        EXPECT_FALSE(f.port.portOpen());
        EXPECT_TRUE(f.ctx.Active);
    }
}
