// What the user is told about refusals at the end of a transfer, and the points a stored
// slot and the restored live set-up hold.
#include "TransferFixture.h"

#include "app/link/DownloadEngine.h"
#include "app/link/UploadEngine.h"
#include "instrument-sim/FaultPlan.h"

#include <QRegularExpression>

using namespace tovu;
using namespace tovu::link;
using namespace tovu::link::test;

namespace {

struct RefusalReport : TransferFixture {
    RefusalReport() : TransferFixture(15) {}
    void refuseAlways(const std::string& cmd)
    {
        plan.add({cmd, sim::FaultKind::Nak, 0, 0, 0});
        instrument.fault = [this](const QByteArray& line, platform::serial::MemoryPort& p) {
            if (plan.take(line.left(3).toStdString()).empty())
                return false;
            p.feed(QByteArray("\x15\r"));
            return true;
        };
    }
    int emptyPanel() const
    {
        int n = 2;
        while (instrument.state.panels.count(n))
            ++n;
        return n;
    }
    QString closing() const { return dialogs.messages.empty() ? QString() : dialogs.messages.back().text; }
    sim::FaultPlan plan;
};

// A fresh instrument per case of a table.
struct FreshRig : RefusalReport {
    void TestBody() override {}
};

} // namespace

TEST_F(RefusalReport, TheClosingMessageListsEachItemsRefusalsAndTheLiveSettings)
{
    struct Case {
        const char* refused;
        bool upload;
        QString message;
    };
    const Case cases[] = {
        // A read refused for the slot and for the live settings saved before.
        // Settings by their names on the settings grid (the model's block from 1000).
        {"RGN", false, "string 152 1 string 6151 [string 1005 [RGN]] [%2]\r\nstring 6153 [string 1005 [RGN]] [%2]"},
        {"AWT", false, ""},  // panels have no waveform: nothing refused, nothing said
        // A write refused for the item (stored all the same) and for the live restore.
        {"WRJ", true, "string 152 %1 string 6152 [string 1040 [WRJ]] [%2]\r\nstring 6153 [string 1040 [WRJ]] [%2]"},
        // A part without a grid name keeps its code; a list by what it holds.
        {"RDH", false, "string 152 1 string 6151 [RDH] [%2]\r\nstring 6153 [RDH] [%2]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refused);
        FreshRig f;
        f.connect();
        const int target = f.emptyPanel();
        if (c.upload) {
            ASSERT_TRUE(DownloadPanels(f.env, 1, 1).completed);
            f.store.WorkItems[static_cast<std::size_t>(target)] = f.store.Panels[1];
            f.dialogs.messages.clear();
        }
        f.refuseAlways(c.refused);
        const TransferReport r = c.upload ? UploadPanels(f.env, target, target, 0) : DownloadPanels(f.env, 1, 1);
        ASSERT_TRUE(r.completed) << r.errorText.toStdString();
        EXPECT_EQ(f.closing(), c.upload ? c.message.arg(target) : c.message);
        if (!f.dialogs.messages.empty()) {
            EXPECT_EQ(f.dialogs.messages.size(), 1u);
            EXPECT_EQ(f.dialogs.messages.back().title, f.strings.GetResString(c.upload ? 6143 : 6141))
                << "the transfer completed: its notes are no error";
        }
        if (c.upload) {
            EXPECT_EQ(r.transferred, std::vector<int>{target}) << "refused settings do not fail the item";
            EXPECT_EQ(f.host.ticks.size(), 1u);
        } else if (std::string(c.refused) == "RGN") {
            EXPECT_EQ(f.store.Panels[1].settings().Gain, QStringLiteral("N/A"));
        }
    }
}

TEST_F(RefusalReport, AnItemWithoutPointsIsStoredWithoutTheLivePointsAndTheLiveSetUpGetsItsOwnBack)
{
    instrument.options.acceptEmptyPointList = true;  // an instrument that can clear its points
    instrument.state.panels.at(1).settings.dacPoints = {{"20", "80"}, {"60", "45"}};
    connect();
    ASSERT_TRUE(DownloadPanels(env, 1, 1).completed);
    items::DFDRecord item = store.Panels[1];
    item.DacPresent = item.TcgPresent = false;
    const int target = emptyPanel();
    store.WorkItems[static_cast<std::size_t>(target)] = item;
    // The instrument shows points of its own set-up when the upload starts.
    instrument.state.live.dacPoints = {{"15", "75"}, {"50", "40"}};
    instrument.state.live.tcgPoints = {{"25", "12"}};
    const sim::Settings live = instrument.state.live;
    ASSERT_TRUE(UploadPanels(env, target, target, 0).completed);
    EXPECT_TRUE(instrument.state.panels.at(target).settings.dacPoints.empty());
    EXPECT_TRUE(instrument.state.panels.at(target).settings.tcgPoints.empty());
    EXPECT_EQ(instrument.state.live.dacPoints, live.dacPoints);
    EXPECT_EQ(instrument.state.live.tcgPoints, live.tcgPoints);
    // And a set-up without points gets none back from the item stored with them.
    instrument.state.live.dacPoints.clear();
    instrument.state.live.tcgPoints.clear();
    store.WorkItems[static_cast<std::size_t>(target)] = store.Panels[1];
    ASSERT_TRUE(store.Panels[1].DacPresent);
    ASSERT_TRUE(UploadPanels(env, target, target, 0).completed);
    EXPECT_FALSE(instrument.state.panels.at(target).settings.dacPoints.empty());
    EXPECT_TRUE(instrument.state.live.dacPoints.empty());
    EXPECT_TRUE(instrument.state.live.tcgPoints.empty());
}

TEST_F(RefusalReport, ARefusedRecallOrStoreOfAnALogIsAFailedSlot)
{
    connect();
    const auto alogsBefore = store.ALogs;
    instrument.state.alogs.at(1).settings.values["GN"] = "12.0";
    refuseAlways("ADA");
    const TransferReport down = DownloadALogs(env, 1, 1);
    ASSERT_TRUE(down.completed);
    EXPECT_EQ(down.failed, std::vector<int>{1});
    EXPECT_TRUE(store.ALogs == alogsBefore) << "never the live settings as the slot's item";
    int target = 2;
    while (instrument.state.alogs.count(target))
        ++target;
    store.WorkItems[static_cast<std::size_t>(target)] = store.Panels[0];
    store.WorkItems[static_cast<std::size_t>(target)].InUse = true;
    const TransferReport up = UploadALogs(env, target, target, 0);
    ASSERT_TRUE(up.completed);
    EXPECT_EQ(up.failed, std::vector<int>{target});
    EXPECT_TRUE(host.ticks.empty());
    EXPECT_FALSE(instrument.state.alogs.count(target));
}

TEST_F(RefusalReport, AnInstrumentThatCannotClearItsPointsIsAskedOnceAndTheItemIsToldSo)
{
    // The protocol's list form has no empty list: this instrument refuses the bare "WRP".
    instrument.state.panels.at(1).settings.dacPoints = {{"20", "80"}, {"60", "45"}};
    connect();
    ASSERT_TRUE(DownloadPanels(env, 1, 1).completed);
    EXPECT_TRUE(dialogs.messages.empty()) << "the live set-up had no points to keep: nothing to say";
    items::DFDRecord item = store.Panels[1];
    item.DacPresent = item.TcgPresent = false;
    const int first = emptyPanel();
    store.WorkItems[static_cast<std::size_t>(first)] = item;
    store.WorkItems[static_cast<std::size_t>(first + 1)] = item;
    instrument.state.live.dacPoints = {{"15", "75"}, {"50", "40"}};
    instrument.state.live.tcgPoints.clear();
    port.clearTranscript();
    const TransferReport r = UploadPanels(env, first, first + 1, 0);
    ASSERT_TRUE(r.completed) << r.errorText.toStdString();
    EXPECT_EQ(sent().filter(QRegularExpression(QStringLiteral("^WRP$"))).size(), 2)
        << "one more send after the refusal, then never again on this connection";
    EXPECT_TRUE(sent().filter(QRegularExpression(QStringLiteral("^WYP$"))).isEmpty()) << "no TCG points to clear";
    for (const int n : {first, first + 1})
        EXPECT_EQ(instrument.state.panels.at(n).settings.dacPoints, instrument.state.live.dacPoints);
    EXPECT_TRUE(r.refused.empty() && r.liveNotRestored.isEmpty()) << "no refusal of a setting, no restore problem";
    ASSERT_EQ(dialogs.messages.size(), 1u) << "one closing message";
    const auto& closing = dialogs.messages.back();
    EXPECT_EQ(closing.text, QStringLiteral("string 6140 [string 152 %1] [DAC]\r\nstring 6140 [string 152 %2] [DAC]")
                                .arg(first)
                                .arg(first + 1));
    EXPECT_EQ(closing.title, strings.GetResString(6143));
}

TEST_F(RefusalReport, AFailedSlotRefusalsAndARestoreProblemShareOneBox)
{
    // Panel 3 is not recalled, panel 1's gain is refused (read for the slot and for the live
    // settings saved before): one box names all, titled as the error it is.
    instrument.state.panels[3] = instrument.state.panels.at(1);
    instrument.state.panels.erase(2);
    connect();
    refuseAlways("RGN");
    const auto wsm = instrument.fault;
    instrument.fault = [this, wsm](const QByteArray& line, platform::serial::MemoryPort& p) {
        if (line == "WSM 1" && instrument.state.selectedPanel == 3) {
            p.feed(QByteArray("\x15\r"));
            return true;
        }
        return wsm(line, p);
    };
    const TransferReport r = DownloadPanels(env, 1, 3);
    ASSERT_TRUE(r.completed);
    EXPECT_EQ(r.failed, std::vector<int>{3});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, kGetAllPanelsError);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("The instrument refused to recall string 152 3; those PC records are unchanged.\r\n"
                             "string 152 1 string 6151 [string 1005 [RGN]] [%2]\r\n"
                             "string 6153 [string 1005 [RGN]] [%2]"));
}

TEST_F(RefusalReport, ASilenceAfterARecallSaysTheLiveSettingsMayBeTheItems)
{
    struct Case {
        const char* silent;  // the first command that goes unanswered, and all after
        bool afterRecall;
    };
    // "WFR" goes out only while the live settings are put back; "RGN" first while they are saved.
    const Case cases[] = {{"WFR", true}, {"RGN", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.silent);
        FreshRig f;
        f.connect();
        f.plan.add({c.silent, sim::FaultKind::Silence, 0, 0, 0});
        f.instrument.fault = [&f](const QByteArray& line, platform::serial::MemoryPort&) {
            return !f.plan.take(line.left(3).toStdString()).empty();
        };
        const TransferReport r = DownloadALogs(f.env, 1, 1);
        ASSERT_FALSE(r.completed);
        ASSERT_EQ(f.dialogs.messages.size(), 1u);
        const QString& text = f.dialogs.messages[0].text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("WriteComm\r\nCommunication error executing ") + QLatin1String(c.silent)))
            << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("string 6145 [string 153 1]")), c.afterRecall) << text.toStdString();
    }
}
