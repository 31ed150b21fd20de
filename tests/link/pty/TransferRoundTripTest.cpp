// The transfers end to end on a line: against the simulator on a pseudo-terminal, or, with
// TOVU_TEST_PORT set, against that serial device (a real instrument, or a simulator
// started on its own). Nothing here needs the simulator's fault injection or its memory:
// what is checked is what the link itself can see. Writes go only to the scratch slots
// TOVU_TEST_SCRATCH_PANEL and TOVU_TEST_SCRATCH_ALOG (on the in-process simulator: empty
// slots it picks), and the item written there is deleted again.
#include "SimLink.h"

#include "../TransferFakes.h"
#include "app/items/RecordFields.h"
#include "app/link/BaudScan.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Connection.h"
#include "app/link/DownloadEngine.h"
#include "app/link/MemoryState.h"
#include "app/link/ModelIdentification.h"
#include "app/link/RecordTransfer.h"
#include "app/link/ReplyParsing.h"
#include "app/link/SlotOperations.h"
#include "app/link/UploadEngine.h"

#include <gtest/gtest.h>
#include <set>

using namespace tovu;
using namespace tovu::link;
using namespace tovu::link::test;

namespace {

// Factor on the link's waits: 1 on a real instrument; a simulator started with
// --time-scale F on TOVU_TEST_PORT can be given TOVU_TEST_TIME_SCALE=F.
double timeScale()
{
    if (!externalPort())
        return 0.05;
    bool ok = false;
    const double f = qEnvironmentVariable("TOVU_TEST_TIME_SCALE").toDouble(&ok);
    return ok && f > 0 ? f : 1.0;
}

std::optional<int> scratchSlot(const char* variable)
{
    bool ok = false;
    const int n = qEnvironmentVariable(variable).toInt(&ok);
    return ok && n > 0 ? std::optional<int>(n) : std::nullopt;
}

bool holdsStatusText(const QString& t)
{
    return t == QLatin1String("NACK") || t == QLatin1String("ACK")
           || std::any_of(t.begin(), t.end(), [](QChar c) { return c.unicode() < 0x20; });
}

// Fields a stored item does not carry back as they were written: readings and the time
// stamp are the instrument's, YA and YB go out only as arguments of their read commands,
// the slot number is the PC's. Notes come back padded to their field length.
const std::set<std::string_view> kNotRoundTripped = {"YA", "YB", "CD", "SH", "FS", "AX", "AY", "AZ", "VA"};

struct Line {
    Line()
    {
        sim::SimOptions o;
        o.instrument.seed = 5;
        o.protocol.fixedClock = "05/06/2025 11:00:00";
        o.quiet = true;
        link = std::make_unique<SimLink>(o, timeScale(), externalPort().value_or(QString()));
        env = std::make_unique<TransferEnv>(TransferEnv{*link->ctx, host, dialogs, wait});
    }
    LinkContext& ctx() { return *link->ctx; }
    // The rate and the model, the way the program finds them at start-up.
    int identify()
    {
        BaudScanHooks hooks;
        int model = -1;
        hooks.statusRead = [&] {
            OpenComm(ctx());
            model = GetInstrumentModel(ctx(), 0);
            ctx().store.workItem(0).ModelIndex = static_cast<std::int16_t>(model);
            CloseComm(ctx());
        };
        scan_baudrate(ctx(), hooks);
        return model;
    }
    std::vector<int> occupied(SlotKind kind)
    {
        LinkSession session(ctx());
        const int count = kind == SlotKind::Panel ? ctx().store.MaxPanels : ctx().store.MaxALogs;
        const QString list = ctx().store.MemoryGeneration >= 1
                                 ? WriteCommSpecial(ctx(), kind == SlotKind::Panel ? QStringLiteral("APL") : QStringLiteral("AWL"))
                                 : QString();
        std::vector<int> v;
        for (int n = 1; n <= count; ++n)
            if (slotUsed(ctx(), kind, n, list))
                v.push_back(n);
        return v;
    }
    std::unique_ptr<SimLink> link;
    RecordingHost host;
    ScriptedDialogs dialogs;
    RecordingWait wait;
    std::unique_ptr<TransferEnv> env;
};

QStringList statusTexts(const items::DFDRecord& r)
{
    QStringList out;
    for (const items::RecordField& f : items::recordFields())
        if (f.isText() && holdsStatusText(f.text(r.settings())))
            out << QString::fromLatin1(f.name.data(), static_cast<qsizetype>(f.name.size()));
    return out;
}

// Downloads slot n alone: as a position on its page, the page checked as the user would.
TransferReport downloadSlot(Line& line, SlotKind kind, int n)
{
    const int per = kind == SlotKind::Panel ? 20 : 100;
    const bool banked = line.ctx().store.MemoryGeneration >= 1;
    const int page = banked ? (n - 1) / per + 1 : 1;
    (kind == SlotKind::Panel ? line.host.panelPage : line.host.alogPage) = page;
    const std::vector<int> position{banked ? n - per * (page - 1) : n};
    return kind == SlotKind::Panel ? DownloadPanels(*line.env, position) : DownloadALogs(*line.env, position);
}

void roundTrip(Line& line, SlotKind kind, int scratch)
{
    LinkContext& ctx = line.ctx();
    auto& pc = kind == SlotKind::Panel ? ctx.store.Panels : ctx.store.ALogs;
    const bool panel = kind == SlotKind::Panel;
    // The item: the first occupied slot's, made recognisable, with DAC points and a gain
    // other than its reference gain.
    const std::vector<int> occupied = line.occupied(kind);
    ASSERT_FALSE(occupied.empty()) << "the instrument holds no item to start from";
    ASSERT_FALSE(std::count(occupied.begin(), occupied.end(), scratch)) << "the scratch slot " << scratch << " is not empty";
    ASSERT_TRUE(downloadSlot(line, kind, occupied[0]).completed);
    items::DFDRecord item = pc[static_cast<std::size_t>(occupied[0])];
    ASSERT_TRUE(item.InUse);
    auto& s = item.editSettings();
    s.NoteOperator = QStringLiteral("TOVU ROUND TRIP");
    item.DacPresent = true;
    s.DacPointCount = QStringLiteral(" 2");
    s.DacX[1] = QStringLiteral("30"), s.DacY[1] = item.DataVersion >= 3 ? QStringLiteral("40") : QStringLiteral("70");
    s.DacX[2] = QStringLiteral("90"), s.DacY[2] = item.DataVersion >= 3 ? QStringLiteral("46") : QStringLiteral("35");
    s.DacMode = QStringLiteral("1");
    s.GainRef = QStringLiteral("30.0");
    s.Gain = QStringLiteral("42.5");
    ctx.store.WorkItems[static_cast<std::size_t>(scratch)] = item;
    line.dialogs.messages.clear();
    const TransferReport up = panel ? UploadPanels(*line.env, scratch, scratch, 0) : UploadALogs(*line.env, scratch, scratch, 0);
    ASSERT_TRUE(up.completed) << up.errorText.toStdString();
    ASSERT_EQ(up.transferred, std::vector<int>{scratch}) << "not stored";
    // Back again, into a PC record that held nothing.
    pc[static_cast<std::size_t>(scratch)] = items::DFDRecord();
    const TransferReport down = downloadSlot(line, kind, scratch);
    ASSERT_TRUE(down.completed) << down.errorText.toStdString();
    ASSERT_EQ(down.transferred, std::vector<int>{scratch});
    const items::DFDRecord& got = pc[static_cast<std::size_t>(scratch)];
    EXPECT_TRUE(statusTexts(got).isEmpty()) << statusTexts(got).join(u',').toStdString();
    QStringList refused;
    for (const auto& [n, cmds] : up.refused)
        refused << cmds;
    // An instrument that cannot clear its TCG points stores them with the item (the upload
    // said so): the TCG settings read back are then the instrument's.
    const bool tcgKept = up.keptPoints.count(scratch) && up.keptPoints.at(scratch).contains(QStringLiteral("TCG"));
    for (const items::RecordField& f : items::recordFields()) {
        if (!f.isText() || f.access != items::InstrumentAccess::ReadWrite || kNotRoundTripped.count(f.instrumentCode))
            continue;
        const QString code = QString::fromLatin1(f.instrumentCode.data(), static_cast<qsizetype>(f.instrumentCode.size()));
        if (refused.contains(QLatin1Char('W') + code))
            continue;  // the instrument said it did not take it
        if (tcgKept && QStringList{"YS", "YM", "YR", "YD"}.contains(code))
            continue;
        QString want = f.text(item.settings()).trimmed();
        // A DAC write sends the reference gain as the gain: the item reads back with it.
        if (f.instrumentCode == "GN")
            want = item.settings().GainRef.trimmed();
        EXPECT_EQ(f.text(got.settings()).trimmed(), want) << f.name;
    }
    EXPECT_EQ(got.settings().Gain.trimmed(), QStringLiteral("30.0")) << "the reference gain, not 42.5";
    EXPECT_TRUE(got.DacPresent);
    EXPECT_EQ(got.settings().DacPointCount, QStringLiteral(" 2"));
    for (int k = 1; k <= 2; ++k) {
        EXPECT_DOUBLE_EQ(got.settings().DacX[k].toDouble(), item.settings().DacX[k].toDouble()) << k;
        EXPECT_DOUBLE_EQ(got.settings().DacY[k].toDouble(), item.settings().DacY[k].toDouble()) << k;
    }
    if (!panel) {
        // The upload carries samples 0..254; the last one is the instrument's.
        const auto& g = got.curves();
        const auto& w = item.curves();
        EXPECT_TRUE(std::equal(g.WaveMax.begin(), g.WaveMax.begin() + 255, w.WaveMax.begin()));
        EXPECT_TRUE(std::equal(g.WaveMin.begin(), g.WaveMin.begin() + 255, w.WaveMin.begin()));
    }
    // Deleted again, and empty.
    {
        LinkSession session(ctx);
        if (panel)
            PanelMemoryAction(ctx, MemoryAction::DELETE, scratch);
        else
            ALogMemoryAction(ctx, MemoryAction::DELETE, scratch, scratch);
        EXPECT_FALSE(slotUsed(ctx, kind, scratch, QString()));
    }
}

int emptySlotOf(Line& line, SlotKind kind)
{
    const std::vector<int> used = line.occupied(kind);
    for (int n = 2;; ++n)
        if (!std::count(used.begin(), used.end(), n))
            return n;
}

} // namespace

// One test, its steps in order, so a device is never used by two at once.
TEST(OnTheLine, IdentifyReadListDownloadAndRoundTripThroughTheScratchSlots)
{
    Line line;
    ASSERT_TRUE(line.link->started) << line.link->startError.toStdString();
    LinkContext& ctx = line.ctx();
    const int model = line.identify();
    ASSERT_GT(model, 0) << ctx.store.workItem(0).settings().IdentText.toStdString();

    // Every group of the live settings, and one setting written and read back (and restored).
    {
        LinkSession session(ctx);
        ctx.refused.clear();
        ReadPanelSettings(ctx, 0);
        EXPECT_TRUE(statusTexts(ctx.store.workItem(0)).isEmpty());
        EXPECT_TRUE(ctx.refused.isEmpty()) << ctx.refused.join(u',').toStdString();
        const QString reject = ctx.store.workItem(0).settings().Reject;
        if (reject != kNotAvailable) {
            const QString other = reject.trimmed() == QLatin1String("0") ? QStringLiteral("1") : QStringLiteral("0");
            EXPECT_EQ(WriteComm(ctx, QStringLiteral("WRJ"), other), kAck);
            EXPECT_EQ(WriteComm(ctx, QStringLiteral("RRJ"), QString()).trimmed(), other);
            EXPECT_EQ(WriteComm(ctx, QStringLiteral("WRJ"), reject), kAck);
        }
        if (ctx.store.MemoryGeneration >= 1) {
            EXPECT_TRUE(WriteCommSpecial(ctx, QStringLiteral("APL")).startsWith(QLatin1String("APL")));
            EXPECT_TRUE(WriteCommSpecial(ctx, QStringLiteral("AWL")).startsWith(QLatin1String("AWL")));
        }
    }

    // Every occupied slot of both memories, the shown page on a banked instrument.
    for (const SlotKind kind : {SlotKind::Panel, SlotKind::ALog}) {
        SCOPED_TRACE(kind == SlotKind::Panel ? "panels" : "ALogs");
        const std::vector<int> occupied = line.occupied(kind);
        line.dialogs.messages.clear();
        const TransferReport r = kind == SlotKind::Panel ? DownloadPanels(*line.env) : DownloadALogs(*line.env);
        ASSERT_TRUE(r.completed) << r.errorSource.toStdString() << ": " << r.errorText.toStdString();
        std::vector<int> seen = r.transferred;
        seen.insert(seen.end(), r.failed.begin(), r.failed.end());
        std::sort(seen.begin(), seen.end());
        const int shown = kind == SlotKind::Panel ? (ctx.store.MemoryGeneration ? 100 : 20) : (ctx.store.MemoryGeneration ? 800 : 100);
        std::vector<int> expected;
        std::copy_if(occupied.begin(), occupied.end(), std::back_inserter(expected), [&](int n) { return n <= shown; });
        EXPECT_EQ(seen, expected);
        const auto& pc = kind == SlotKind::Panel ? ctx.store.Panels : ctx.store.ALogs;
        for (const int n : r.transferred)
            EXPECT_TRUE(statusTexts(pc[static_cast<std::size_t>(n)]).isEmpty()) << n;
    }

    const bool simulatorHere = !externalPort();
    for (const SlotKind kind : {SlotKind::Panel, SlotKind::ALog}) {
        const char* variable = kind == SlotKind::Panel ? "TOVU_TEST_SCRATCH_PANEL" : "TOVU_TEST_SCRATCH_ALOG";
        std::optional<int> scratch = scratchSlot(variable);
        if (!scratch && simulatorHere)
            scratch = emptySlotOf(line, kind);
        if (!scratch) {
            std::printf("%s is not set: no %s round trip on this instrument\n", variable,
                        kind == SlotKind::Panel ? "panel" : "ALog");
            continue;
        }
        SCOPED_TRACE(std::string(variable) + " " + std::to_string(*scratch));
        if (kind == SlotKind::ALog && *scratch > 800) {
            ADD_FAILURE() << "a scratch ALog beyond 800 cannot be reached by a page of the download";
            continue;
        }
        roundTrip(line, kind, *scratch);
    }
}
