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
#include "app/link/CurvesAndWaveforms.h"
#include "platform/text/NumberText.h"
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
#include <cmath>
#include <map>
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
const std::set<std::string_view> kTcgCodes = {"YS", "YM", "YR", "YD"};

struct Line {
    Line()
    {
        sim::SimOptions o;
        o.instrument.seed = 5;
        o.protocol.fixedClock = "05/06/2025 11:00:00";
        o.quiet = true;
        link = std::make_unique<SimLink>(o, timeScale(), externalPort().value_or(QString()), true);
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

// An item's upload as the wire shows it, up to the store: per parameter code the argument
// of its last write (`sent`) and of its last acknowledged write (`taken`, what the
// instrument holds), the point lists among them ("RP", "YP"). YT goes out as WRT; every
// other W command carries its field's code.
struct UploadWire {
    std::map<QString, QString> sent, taken;
};

UploadWire uploadWire(const std::vector<WireLog::Exchange>& wire, std::size_t from, SlotKind kind)
{
    const QByteArray store = kind == SlotKind::Panel ? "WSM 0" : "WAM 0";
    UploadWire u;
    for (std::size_t i = from; i < wire.size() && wire[i].sent != store; ++i) {
        const QString line = QString::fromLatin1(wire[i].sent);
        if (!line.startsWith(u'W') || line.size() < 3)
            continue;
        const QString code = line.mid(1, 2) == QLatin1String("RT") ? QStringLiteral("YT") : line.mid(1, 2);
        u.sent[code] = line.mid(3);
        if (wire[i].acknowledged())
            u.taken[code] = line.mid(3);
    }
    return u;
}

// Numbers compare by value (an instrument may answer "40.0" for "40"), other texts trimmed.
bool sameValue(const QString& got, const QString& sent)
{
    bool a = false, b = false;
    const double x = got.trimmed().toDouble(&a);
    const double y = sent.trimmed().toDouble(&b);
    return a && b ? std::abs(x - y) < 1e-6 : got.trimmed() == sent.trimmed();
}

using Points = std::vector<std::pair<QString, QString>>;

Points pointsOf(const QString& list)
{
    const QStringList f = list.split(u',', Qt::SkipEmptyParts);
    Points p;
    for (qsizetype i = 0; i + 1 < f.size(); i += 2)
        p.emplace_back(f[i], f[i + 1]);
    return p;
}

Points pointsOf(const items::RecordSettings& s, CurveKind kind)
{
    const int n = static_cast<int>(platform::text::valueOfText(kind == CurveKind::DAC ? s.DacPointCount : s.TcgPointCount));
    Points p;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k)
        p.emplace_back(kind == CurveKind::DAC ? s.DacX[k] : s.TcgX[k], kind == CurveKind::DAC ? s.DacY[k] : s.TcgY[k]);
    return p;
}

bool hasTcg(const items::DFDRecord& r)
{
    return r.ModelIndex >= 11 && r.settings().TcgMode != kNotAvailable;
}

// The DAC (or TCG) part of `from` put into `to`: points, count, mode and their settings.
void takePoints(items::DFDRecord& to, const items::DFDRecord& from, CurveKind kind)
{
    items::RecordSettings& t = to.editSettings();
    const items::RecordSettings& f = from.settings();
    if (kind == CurveKind::DAC) {
        t.DacX = f.DacX, t.DacY = f.DacY, t.DacPointCount = f.DacPointCount;
        t.DacMode = f.DacMode, t.DR = f.DR, t.DD = f.DD, t.DB = f.DB;
        to.DacPresent = true;
    } else {
        t.TcgX = f.TcgX, t.TcgY = f.TcgY, t.TcgPointCount = f.TcgPointCount;
        t.TcgMode = f.TcgMode, t.YS = f.YS, t.YR = f.YR, t.YD = f.YD;
        to.TcgPresent = true;
    }
}

// The item to upload: a downloaded item, with point lists the instrument itself sent
// (DAC, and TCG where the model has it; from another item when this one has none), its
// operator note marked, its reject switched and its gain moved by half a decibel, so a
// slot left unwritten cannot pass for it. Only when no downloaded item has points are
// two made up, well inside the screen.
items::DFDRecord uploadItem(const std::vector<items::DFDRecord>& pc, const std::vector<int>& occupied)
{
    const items::DFDRecord* base = nullptr;
    const items::DFDRecord* dac = nullptr;
    const items::DFDRecord* tcg = nullptr;
    for (const int n : occupied) {
        const items::DFDRecord& r = pc[static_cast<std::size_t>(n)];
        if (!r.InUse)
            continue;
        if (!base || (r.DacPresent && !base->DacPresent))
            base = &r;
        if (!dac && r.DacPresent)
            dac = &r;
        if (!tcg && r.TcgPresent)
            tcg = &r;
    }
    if (!base)
        return {};
    items::DFDRecord item = *base;
    if (dac) {
        takePoints(item, *dac, CurveKind::DAC);
    } else {
        auto& s = item.editSettings();
        item.DacPresent = true;
        s.DacPointCount = QStringLiteral(" 2");
        s.DacX[1] = QStringLiteral("30"), s.DacY[1] = item.DataVersion >= 3 ? QStringLiteral("40") : QStringLiteral("70");
        s.DacX[2] = QStringLiteral("90"), s.DacY[2] = item.DataVersion >= 3 ? QStringLiteral("46") : QStringLiteral("35");
        s.DacMode = QStringLiteral("1");
        s.DR = s.DD = QStringLiteral("0.0");
        s.DB = s.GainRef;
    }
    if (hasTcg(item) && !item.TcgPresent) {
        if (tcg) {
            takePoints(item, *tcg, CurveKind::TCG);
        } else {
            auto& s = item.editSettings();
            item.TcgPresent = true;
            s.TcgPointCount = QStringLiteral(" 2");
            s.TcgX[1] = QStringLiteral("40"), s.TcgY[1] = QStringLiteral("2.0");
            s.TcgX[2] = QStringLiteral("160"), s.TcgY[2] = QStringLiteral("8.0");
            s.TcgMode = s.YS = QStringLiteral("1");
            s.YR = s.YD = QStringLiteral("0.0");
        }
    }
    auto& s = item.editSettings();
    s.NoteOperator = QStringLiteral("TOVU ROUND TRIP");
    if (s.Reject != kNotAvailable)
        s.Reject = s.Reject.trimmed() == QLatin1String("0") ? QStringLiteral("1") : QStringLiteral("0");
    if (s.Gain != kNotAvailable) {
        const double gain = platform::text::valueOfText(s.Gain);
        s.Gain = QString::number(gain >= 50 ? gain - 0.5 : gain + 0.5, 'f', 1);
        if (sameValue(s.Gain, s.GainRef))
            s.Gain = QString::number(gain >= 50 ? gain - 1.0 : gain + 1.0, 'f', 1);
    }
    return item;
}

// The argument the protocol sends for field f of the item: the field's text, except the
// gain of a DAC item (its reference gain), a gate level in RF detection ((level + 100) / 2),
// and an empty YG of a DAC item ("0").
QString asSent(const items::DFDRecord& item, const items::RecordField& f)
{
    const items::RecordSettings& s = item.settings();
    if (f.instrumentCode == "GN" && item.DacPresent)
        return s.GainRef;
    if (f.gateMember == &items::Gate::Level && platform::text::valueOfText(s.Detect) == 3)
        return QString::number((platform::text::valueOfText(f.text(s)) + 100) / 2);
    if (f.instrumentCode == "YG" && item.DacPresent && s.YG.isEmpty())
        return QStringLiteral("0");
    return f.text(s);
}

// Uploads the item into the empty slot `scratch`, downloads it back, and compares each
// field with what the wire says the instrument took for it.
void roundTrip(Line& line, SlotKind kind, int scratch)
{
    LinkContext& ctx = line.ctx();
    auto& pc = kind == SlotKind::Panel ? ctx.store.Panels : ctx.store.ALogs;
    const bool panel = kind == SlotKind::Panel;
    const std::vector<int> occupied = line.occupied(kind);
    ASSERT_FALSE(occupied.empty()) << "the instrument holds no item to start from";
    ASSERT_FALSE(std::count(occupied.begin(), occupied.end(), scratch)) << "the scratch slot " << scratch << " is not empty";
    // The items downloaded before are the material.
    const items::DFDRecord item = uploadItem(pc, occupied);
    ASSERT_TRUE(item.InUse) << "no occupied slot was downloaded";
    ASSERT_TRUE(item.DacPresent);
    ctx.store.WorkItems[static_cast<std::size_t>(scratch)] = item;
    line.dialogs.messages.clear();
    const std::size_t mark = line.link->wire->exchanges.size();
    const TransferReport up = panel ? UploadPanels(*line.env, scratch, scratch, 0) : UploadALogs(*line.env, scratch, scratch, 0);
    ASSERT_TRUE(up.completed) << up.errorText.toStdString();
    ASSERT_EQ(up.transferred, std::vector<int>{scratch}) << "not stored";
    const UploadWire wire = uploadWire(line.link->wire->exchanges, mark, kind);
    const std::map<QString, QString>& held = wire.taken;
    ASSERT_TRUE(held.count(QStringLiteral("RP"))) << "the DAC points went out as a list and were taken";
    if (hasTcg(item)) {
        ASSERT_TRUE(held.count(QStringLiteral("YP"))) << "the TCG points went out as a list and were taken";
    }
    // Back again, into a PC record that held nothing.
    pc[static_cast<std::size_t>(scratch)] = items::DFDRecord();
    const TransferReport down = downloadSlot(line, kind, scratch);
    ASSERT_TRUE(down.completed) << down.errorText.toStdString();
    ASSERT_EQ(down.transferred, std::vector<int>{scratch});
    const items::DFDRecord& got = pc[static_cast<std::size_t>(scratch)];
    EXPECT_TRUE(statusTexts(got).isEmpty()) << statusTexts(got).join(u',').toStdString();
    // In RF detection a gate level goes out as (level + 100) / 2 and reads back unscaled.
    const auto detect = held.find(QStringLiteral("DT"));
    const bool rf = detect != held.end() && platform::text::valueOfText(detect->second) == 3;
    QStringList refused;
    for (const auto& [n, cmds] : up.refused)
        refused << cmds;
    // An instrument that cannot clear its TCG points stores them with the item (the upload
    // said so): the TCG settings read back are then the instrument's.
    const bool tcgKept = up.keptPoints.count(scratch) && up.keptPoints.at(scratch).contains(QStringLiteral("TCG"));
    QStringList compared, unsent;
    for (const items::RecordField& f : items::recordFields()) {
        if (!f.isText() || f.repeat || f.access != items::InstrumentAccess::ReadWrite || kNotRoundTripped.count(f.instrumentCode))
            continue;
        const QString code = QString::fromLatin1(f.instrumentCode.data(), static_cast<qsizetype>(f.instrumentCode.size()));
        if (tcgKept && kTcgCodes.count(f.instrumentCode))
            continue;
        const auto w = held.find(code);
        if (w == held.end()) {
            // A value the item holds goes out with it, unless the instrument refused it. The
            // TCG group goes only from model 11 and with points; without, YR and YD hold the
            // reader's "-999" (no curve), no value.
            const QString mine = f.text(item.settings());
            const bool tcgUnsent = kTcgCodes.count(f.instrumentCode) && !(item.ModelIndex >= 11 && item.TcgPresent);
            EXPECT_TRUE(mine == kNotAvailable || tcgUnsent || refused.contains(QLatin1Char('W') + code))
                << f.name << " \"" << mine.toStdString() << "\" was not taken by the instrument nor listed as refused";
            unsent << code;
            continue;
        }
        QString want = w->second;
        if (rf && f.gateMember == &items::Gate::Level)
            want = QString::number(platform::text::valueOfText(want) * 2 - 100);
        // And what went out is the item's, or what the protocol makes of it.
        const QString mine = f.text(item.settings());
        if (mine != kNotAvailable) {
            EXPECT_TRUE(sameValue(wire.sent.at(code), asSent(item, f)))
                << f.name << ": sent \"" << wire.sent.at(code).toStdString() << "\" for \"" << mine.toStdString() << '"';
        }
        compared << code;
        EXPECT_TRUE(sameValue(f.text(got.settings()), want))
            << f.name << ": read back \"" << f.text(got.settings()).toStdString() << "\", sent \"" << want.toStdString() << '"';
    }
    std::printf("%s %d: %lld settings compared with the wire; not written by the upload: %s\n", panel ? "panel" : "ALog",
                scratch, static_cast<long long>(compared.size()), qPrintable(unsent.join(u' ')));
    EXPECT_GE(compared.size(), 60) << "most settings go out with an item";
    // A DAC write leaves the reference gain as the instrument's gain.
    EXPECT_TRUE(sameValue(got.settings().Gain, item.settings().GainRef)) << got.settings().Gain.toStdString();
    EXPECT_FALSE(sameValue(item.settings().Gain, item.settings().GainRef)) << "the item's own gain differs";
    for (const CurveKind k : {CurveKind::DAC, CurveKind::TCG}) {
        const auto w = held.find(k == CurveKind::DAC ? QStringLiteral("RP") : QStringLiteral("YP"));
        if (w == held.end() || (k == CurveKind::TCG && tcgKept))
            continue;
        const Points sent = pointsOf(w->second);
        const Points mine = pointsOf(item.settings(), k);
        const Points back = pointsOf(got.settings(), k);
        ASSERT_EQ(sent.size(), mine.size()) << (k == CurveKind::DAC ? "DAC" : "TCG");
        ASSERT_EQ(back.size(), sent.size()) << (k == CurveKind::DAC ? "DAC" : "TCG");
        for (std::size_t i = 0; i < sent.size(); ++i) {
            EXPECT_TRUE(sameValue(sent[i].first, mine[i].first) && sameValue(sent[i].second, mine[i].second)) << i;
            EXPECT_TRUE(sameValue(back[i].first, sent[i].first)) << i;
            EXPECT_TRUE(sameValue(back[i].second, sent[i].second)) << i;
        }
    }
    EXPECT_TRUE(got.DacPresent);
    if (!panel) {
        // The upload carries samples 0..254; the last one is the instrument's.
        const auto& g = got.curves();
        const auto& w = item.curves();
        EXPECT_TRUE(std::equal(g.WaveMax.begin(), g.WaveMax.begin() + 255, w.WaveMax.begin()));
        EXPECT_TRUE(std::equal(g.WaveMin.begin(), g.WaveMin.begin() + 255, w.WaveMin.begin()));
    }
}

// Deletes the scratch slot and checks it is empty, asked both ways a banked instrument
// answers (its list and the slot itself).
void deleteScratch(Line& line, SlotKind kind, int scratch)
{
    LinkContext& ctx = line.ctx();
    try {
        LinkSession session(ctx);
        if (kind == SlotKind::Panel)
            PanelMemoryAction(ctx, MemoryAction::DELETE, scratch);
        else
            ALogMemoryAction(ctx, MemoryAction::DELETE, scratch, scratch);
        EXPECT_FALSE(slotUsed(ctx, kind, scratch, QString()));
    } catch (const LinkError& e) {
        ADD_FAILURE() << "deleting " << scratch << ": " << e.Source().toStdString() << " " << e.Description().toStdString();
    }
    const std::vector<int> used = line.occupied(kind);
    EXPECT_FALSE(std::count(used.begin(), used.end(), scratch)) << "still listed";
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

    // The scratch slots are written, read back, and at the end deleted and checked empty,
    // also after a failed round trip.
    const bool simulatorHere = !externalPort();
    std::vector<std::pair<SlotKind, int>> written;
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
        const std::vector<int> before = line.occupied(kind);
        if (!std::count(before.begin(), before.end(), *scratch))
            written.emplace_back(kind, *scratch);
        roundTrip(line, kind, *scratch);
    }
    for (const auto& [kind, scratch] : written) {
        SCOPED_TRACE("deleting " + std::to_string(scratch));
        deleteScratch(line, kind, scratch);
    }
}
