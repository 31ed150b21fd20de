// Downloads in virtual time against the simulator's instrument logic: what arrives in the
// PC arrays, the command order, and what a cancel, a refusal or a failing line leaves.
#include "TransferFixture.h"

#include "app/link/DownloadEngine.h"
#include "app/link/TransferSlots.h"

#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;
using tovu::items::DFDRecord;

namespace {

QString value(const tovu::sim::StoredItem& item, const char* code)
{
    return QString::fromStdString(item.settings.value(code));
}

std::vector<int> inUse(const std::vector<DFDRecord>& records)
{
    std::vector<int> v;
    for (std::size_t i = 1; i < records.size(); ++i)
        if (records[i].InUse)
            v.push_back(static_cast<int>(i));
    return v;
}

// The memory commands of a transcript, in order.
QStringList memoryCommands(const QStringList& sent)
{
    static const QStringList keep = {"ARM", "WPS", "RST", "WSM", "ADP", "ACD", "ASH", "ADC", "RYC", "AAC", "WHD",
                                     "WDM", "WYM", "ALM", "WAS", "RAT", "WAM", "ADA", "WFP", "AWT", "ATS", "APL", "AWL"};
    QStringList out;
    for (const QString& s : sent)
        if (keep.contains(s.left(3)))
            out << s;
    return out;
}

// The live settings after a transfer equal those before it. A set-up without DAC points
// cannot take back the points of a recalled item (the protocol sends no DAC data then, and
// has no command that removes points); the DAC stays off, so those are left out.
void expectRestored(const tovu::sim::Settings& now, const tovu::sim::Settings& before)
{
    auto values = now.values;
    auto expected = before.values;
    if (before.dacPoints.empty()) {
        for (const char* code : {"CV", "DB", "DD", "DR", "DH", "HM", "TR"}) {
            values.erase(code);
            expected.erase(code);
        }
    } else {
        EXPECT_EQ(now.dacPoints, before.dacPoints);
    }
    EXPECT_EQ(values, expected);
    EXPECT_EQ(now.value("DM"), before.value("DM"));
}

struct Gen0Download : TransferFixture {
    Gen0Download() : TransferFixture(5) {}
};

} // namespace

TEST_F(Gen0Download, AllPanelsArriveWithTheirSettingsAndTheLiveSettingsComeBack)
{
    connect();
    instrument.state.live.values["GN"] = "41.5";  // the user's current set-up differs from every stored one
    const tovu::sim::Settings live = instrument.state.live;
    ASSERT_GE(occupiedPanels().size(), 3u);

    const TransferReport r = DownloadPanels(env, 1, store.MaxPanels);

    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    EXPECT_EQ(inUse(store.Panels), occupiedPanels());
    for (const int n : occupiedPanels()) {
        const auto& item = instrument.state.panels.at(n);
        const DFDRecord& rec = store.Panels[static_cast<std::size_t>(n)];
        EXPECT_EQ(rec.settings().Gain, value(item, "GN")) << n;
        EXPECT_EQ(rec.settings().Range, value(item, "RG")) << n;
        EXPECT_EQ(rec.settings().SlotText, QString::number(n));
        EXPECT_EQ(rec.DacCurvePresent, !item.settings.dacPoints.empty()) << n;
        EXPECT_FALSE(rec.WaveformPresent);
    }
    EXPECT_EQ(store.workItem(0).settings().Gain, QStringLiteral("41.5"));
    expectRestored(instrument.state.live, live);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialog.destroyed);
    EXPECT_EQ(host.events, (QStringList{"busy", "idle", "panels view"}));
    EXPECT_EQ(host.modified, 1);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(wait.log, (QStringList{"message string 562", "show", "hide", "message string 563", "show", "hide"}));
}

TEST_F(Gen0Download, OneSlotSendsTheCommandsInTheProtocolsOrder)
{
    instrument.state.panels.at(1).settings.dacPoints = {{"20", "80"}, {"60", "40"}};
    instrument.state.panels.at(1).settings.values["EN"] = "5";
    connect();
    ASSERT_TRUE(DownloadPanels(env, 1, 1).completed);
    const QStringList expected = {"ARM", "WPS 1", "RST",  // memory state
                                  "WPS 1", "RST",          // the slot's own test
                                  "WPS 1", "WSM 1", "ADP", // recall
                                  "ACD", "ASH", "ADC", "AAC",
                                  "WPS1",                  // back to location 1
                                  "WHD0", "WDM0", "WYM0", "WDM0", "WYM0", "ALM"};
    const QStringList got = memoryCommands(sent());
    // The live-settings restore sends WDM/WYM again inside the utility group; compare up to there.
    EXPECT_EQ(got.mid(0, 18), expected.mid(0, 18)) << got.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(got.last(), QStringLiteral("ALM"));
    EXPECT_EQ(store.Panels[1].AvgCurvePresent, true);
}

TEST_F(Gen0Download, AGappedSelectionReadsOnlyTheSelectedSlots)
{
    for (int n : {2, 3, 4, 5})
        instrument.state.panels[n] = instrument.state.panels.at(1);
    connect();
    const TransferReport r = DownloadPanels(env, std::vector<int>{2, 5});
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.transferred, (std::vector<int>{2, 5}));
    QStringList recalled;
    QString selected;
    for (const QString& s : sent()) {
        if (s.startsWith(QLatin1String("WPS")))
            selected = s;
        if (s == QLatin1String("WSM 1"))
            recalled << selected;
    }
    EXPECT_EQ(recalled, (QStringList{"WPS 2", "WPS 5"}));
    EXPECT_EQ(inUse(store.Panels), (std::vector<int>{2, 5}));
}

TEST_F(Gen0Download, AnEmptySlotKeepsThePcItemOfThatNumber)
{
    instrument.state.panels.erase(4);
    connect();
    store.Panels[4].InUse = true;
    store.Panels[4].editSettings().NoteLabel = QStringLiteral("mine");
    const TransferReport r = DownloadPanels(env, 4, 4);
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.kept, (std::vector<int>{4}));
    EXPECT_TRUE(store.Panels[4].InUse);
    EXPECT_EQ(store.Panels[4].settings().NoteLabel, QStringLiteral("mine"));
    EXPECT_TRUE(dialog.events.contains(QStringLiteral("status  string 152 4 is empty on the instrument; the PC item is kept")))
        << dialog.events.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialog.events.contains(QStringLiteral("colour 4 ff")));  // red
    // Empty on the instrument: red, never the conflict colour.
    EXPECT_FALSE(dialog.events.contains(QStringLiteral("colour 4 ffffff")));
}

TEST_F(Gen0Download, ARefusedRecallLeavesThePcRecordAndIsReported)
{
    instrument.state.panels[3] = instrument.state.panels.at(1);
    connect();
    store.Panels[3].InUse = true;
    store.Panels[3].editSettings().Gain = QStringLiteral("PC gain");
    instrument.fault = [this](const QByteArray& line, tovu::platform::serial::MemoryPort& p) {
        if (line == "WSM 1" && instrument.state.selectedPanel == 3) {
            p.feed(QByteArray(1, NAK) + '\r');
            return true;
        }
        return false;
    };
    const TransferReport r = DownloadPanels(env, 1, 3);
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.failed, (std::vector<int>{3}));
    EXPECT_EQ(store.Panels[3].settings().Gain, QStringLiteral("PC gain"));
    EXPECT_TRUE(store.Panels[3].InUse);
    EXPECT_TRUE(store.Panels[1].InUse);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, kGetAllPanelsError);
    EXPECT_EQ(dialogs.messages[0].icon, LinkIcon::Exclamation);
    EXPECT_NE(dialogs.messages[0].text.indexOf(QLatin1String("3")), -1);
}

TEST_F(Gen0Download, ACancelLeavesThePcArraysAndRestoresTheLiveSettings)
{
    connect();
    instrument.state.live.values["GN"] = "12.5";
    const tovu::sim::Settings live = instrument.state.live;
    store.Panels[2].InUse = true;
    store.Panels[2].editSettings().NoteText = QStringLiteral("unsaved");
    store.WorkItems[7].InUse = true;  // what the list showed before
    const auto panelsBefore = store.Panels;
    const std::vector<DFDRecord> workBefore(store.WorkItems.begin() + 1, store.WorkItems.end());
    instrument.state.panels[2] = instrument.state.panels.at(1);
    instrument.state.panels[3] = instrument.state.panels.at(1);
    bool pressed = false;
    pump.onYield = [&](int) {
        if (!pressed && sent().filter(QStringLiteral("WSM 1")).size() == 2) {
            pressed = true;
            ctx.Active = false;  // CANCEL pressed while the second slot is read
        }
    };
    const TransferReport r = DownloadPanels(env);
    pump.onYield = nullptr;

    EXPECT_FALSE(r.completed);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(store.Panels == panelsBefore);
    EXPECT_TRUE(std::equal(workBefore.begin(), workBefore.end(), store.WorkItems.begin() + 1));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, kGetAllPanelsError);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Transfer Error:\r\nTransfer Interrupted By User "));
    EXPECT_EQ(dialogs.messages[0].icon, LinkIcon::Critical);
    expectRestored(instrument.state.live, live);
    EXPECT_TRUE(ctx.Active);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(host.events.last(), QStringLiteral("idle"));
    EXPECT_EQ(host.modified, 0);
    EXPECT_TRUE(dialog.destroyed);
}

// A line that fails in the middle of the slot loop: one box, nothing on the PC changed,
// and never more than the primitive's own timeouts.
struct LineFault {
    const char* name;
    std::function<bool(const QByteArray&, tovu::platform::serial::MemoryPort&)> after;  // once the loop runs
    QString source;
};

TEST(DownloadOnAFailingLine, ASilentGarblingOrLostInstrumentGivesOneBoxAndChangesNothing)
{
    const std::vector<LineFault> faults = {
        {"silent", [](const QByteArray&, tovu::platform::serial::MemoryPort&) { return true; }, "WriteComm"},
        {"garbling",
         [](const QByteArray&, tovu::platform::serial::MemoryPort& p) {
             p.feed(QByteArray("\x91\xF3\x85", 3) + '\r');
             return true;
         },
         "WriteComm"},
        {"lost",
         [](const QByteArray&, tovu::platform::serial::MemoryPort& p) {
             p.disconnect();
             return true;
         },
         "WriteComm"},
    };
    for (const LineFault& lf : faults) {
        SCOPED_TRACE(lf.name);
        struct Fixture : TransferFixture {
            Fixture() : TransferFixture(5) {}
            void TestBody() override {}
        } f;
        f.instrument.state.panels[2] = f.instrument.state.panels.at(1);
        f.connect();
        f.store.Panels[1].InUse = true;
        f.store.Panels[1].editSettings().Memo = QStringLiteral("keep me");
        const auto panelsBefore = f.store.Panels;
        const std::vector<DFDRecord> workBefore(f.store.WorkItems.begin() + 1, f.store.WorkItems.end());
        bool armed = false;
        f.instrument.fault = [&](const QByteArray& line, tovu::platform::serial::MemoryPort& p) {
            if (line == "WSM 1")
                armed = true;
            return armed && line != "WSM 1" && lf.after(line, p);
        };
        const std::int64_t start = f.clock.now;
        const TransferReport r = DownloadPanels(f.env);
        EXPECT_FALSE(r.completed);
        ASSERT_EQ(f.dialogs.messages.size(), 1u);
        EXPECT_EQ(f.dialogs.messages[0].title, kGetAllPanelsError);
        EXPECT_EQ(f.dialogs.messages[0].icon, LinkIcon::Critical);
        EXPECT_TRUE(f.dialogs.messages[0].text.startsWith(lf.source)) << f.dialogs.messages[0].text.toStdString();
        EXPECT_TRUE(f.store.Panels == panelsBefore);
        EXPECT_TRUE(std::equal(workBefore.begin(), workBefore.end(), f.store.WorkItems.begin() + 1));
        EXPECT_FALSE(f.port.portOpen());
        EXPECT_TRUE(f.ctx.Active);
        EXPECT_LT(f.clock.now - start, 60000) << "virtual ms";
    }
}

TEST(TransferSlots, BankHelpersAndLabels)
{
    struct Case {
        int n, panelBank, alogBank;
    } cases[] = {{1, 0, 0}, {20, 0, 0}, {21, 1, 0}, {100, 4, 0}, {101, 4, 1}, {801, 4, 7}, {5000, 4, 7}};
    for (const Case& c : cases) {
        int p = -1, a = -1;
        PanelBlockIndex(c.n, p);
        AlogBlockIndex(c.n, a);
        EXPECT_EQ(p, c.panelBank) << c.n;
        EXPECT_EQ(a, c.alogBank) << c.n;
    }
    EXPECT_EQ(labelOfSlot(SlotKind::Panel, 47), 7);
    EXPECT_EQ(labelOfSlot(SlotKind::ALog, 1234), 34);
    EXPECT_EQ(labelOfSlot(SlotKind::ALog, 800), 100);
}

namespace {

struct BankedDownload : TransferFixture {
    BankedDownload() : TransferFixture(21) {}
};

} // namespace

TEST_F(BankedDownload, PositionsOnTheShownPageAreSlotsOfThatBankAndTheListAnswersTheTests)
{
    instrument.state.panels[47] = instrument.state.panels.at(1);
    instrument.state.panels.erase(48);
    connect();
    host.panelPage = 3;
    const TransferReport r = DownloadPanels(env, 7, 8);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    EXPECT_EQ(r.transferred, (std::vector<int>{47}));
    EXPECT_EQ(r.empty, (std::vector<int>{48}));
    EXPECT_TRUE(store.Panels[47].InUse);
    EXPECT_EQ(store.Panels[47].settings().SlotText, QStringLiteral("47"));
    EXPECT_TRUE(dialog.events.contains(QStringLiteral("caption 1 41")));
    EXPECT_TRUE(dialog.events.contains(QStringLiteral("caption 20 60")));
    EXPECT_TRUE(sent().filter(QStringLiteral("RST")).isEmpty());  // the list answered
    EXPECT_EQ(sent().filter(QStringLiteral("APL")).size(), 2);
}

TEST_F(BankedDownload, ARunOfALogsArrivesWithWaveformTimeStampAndReadings)
{
    for (int n : {101, 102, 104})
        instrument.state.alogs[n] = instrument.state.alogs.begin()->second;
    instrument.state.alogs.erase(103);
    connect();
    host.alogPage = 2;
    const TransferReport r = DownloadALogs(env, 1, 4);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    EXPECT_EQ(r.transferred, (std::vector<int>{101, 102, 104}));
    for (int n : {101, 102, 104}) {
        const auto& item = instrument.state.alogs.at(n);
        const DFDRecord& rec = store.ALogs[static_cast<std::size_t>(n)];
        EXPECT_TRUE(rec.WaveformPresent);
        EXPECT_EQ(rec.curves().WaveMin[10], item.trace->min[10]);
        EXPECT_EQ(rec.curves().WaveMax[200], item.trace->max[200]);
        EXPECT_EQ(rec.settings().TimeStamp, QString::fromStdString(item.timeStamp));
        EXPECT_EQ(rec.settings().Gain, value(item, "GN"));
    }
    EXPECT_FALSE(store.ALogs[103].InUse);
    EXPECT_EQ(host.events, (QStringList{"busy", "idle", "alogs view"}));
    const QStringList mem = memoryCommands(sent());
    const qsizetype first = mem.indexOf(QStringLiteral("WFP1"));
    ASSERT_GT(first, 0);
    EXPECT_EQ(mem.mid(first, 8), (QStringList{"WFP1", "WAS 101", "WAM 1", "ADA", "AWT", "ATS", "ACD", "ASH"}))
        << mem.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(mem.filter(QStringLiteral("WAM 1")).size(), 3);  // 103 is empty: no recall
    const QStringList tail = memoryCommands(sent()).mid(memoryCommands(sent()).lastIndexOf(QStringLiteral("WAS1")));
    EXPECT_EQ(tail.mid(0, 2), (QStringList{"WAS1", "WFP0"}));
}

TEST(BankedDownloadGeneration2, AllPanelsOfABankedInstrumentAreEveryBank)
{
    struct Fixture : TransferFixture {
        Fixture() : TransferFixture(36) {}
        void TestBody() override {}
    } f;
    f.instrument.state.panels[99] = f.instrument.state.panels.at(1);
    f.connect();
    ASSERT_EQ(f.store.MemoryGeneration, 2);
    const TransferReport r = DownloadPanels(f.env, 1, f.store.MaxPanels);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    EXPECT_EQ(r.transferred, f.occupiedPanels());
    EXPECT_TRUE(f.store.Panels[99].InUse);
    for (int b = 0; b < 5; ++b)
        EXPECT_TRUE(f.dialog.events.contains(QStringLiteral("caption 1 %1").arg(20 * b + 1))) << b;
}

TEST(BankedDownloadGeneration2, ThePageOfTheThousandsMenusIsThePageOfTheTransfer)
{
    struct Fixture : TransferFixture {
        Fixture() : TransferFixture(36) {}
        void TestBody() override {}
    } f;
    f.connect();
    ASSERT_EQ(f.instrument.state.alogs.count(1234), 1u);
    f.host.alogPage = 13;  // ALog 1201 - 1300
    const TransferReport r = DownloadALogs(f.env, std::vector<int>{34, 35});
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    EXPECT_EQ(r.transferred, (std::vector<int>{1234}));
    EXPECT_TRUE(f.store.ALogs[1234].InUse);
    EXPECT_TRUE(f.dialog.events.contains(QStringLiteral("caption 34 1234")));
}
