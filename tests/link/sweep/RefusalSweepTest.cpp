// Refuse (NAK) each distinct command a one-slot transfer sends, once and always, and garble
// the reply of each command answered with a value (text that is no number, an extra field,
// a reply cut short), and judge the outcome: a complete and correct transfer, a transfer
// whose closing message lists the refusal, a failed slot, or a failed transfer with one
// message; never a status word or garbled text in a record or on the wire, never PC items
// changed by a failed download, never a slot ticked that the instrument did not store,
// never live settings left changed without a word; no box after a fault-free transfer and
// exactly one after a failed slot. Each against an instrument that refuses the bare point
// list (the protocol's list form) and one that takes it as the empty list.
//
// TOVU_SWEEP_TABLE=path appends the table: operation, instrument, command, outcome refused
// once, outcome refused always, outcome garbled; then the counts per operation.
#include "../TransferFixture.h"

#include "app/items/RecordFields.h"
#include "app/link/DownloadEngine.h"
#include "app/link/UploadEngine.h"
#include "instrument-sim/FaultPlan.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <map>
#include <set>

using namespace tovu;
using namespace tovu::link;
using namespace tovu::link::test;

namespace {

struct Operation {
    const char* name;
    int model;
    SlotKind kind;
    bool upload;
};

void PrintTo(const Operation& op, std::ostream* os) { *os << op.name; }

constexpr Operation kOperations[] = {
    {"panel download, generation 0", 15, SlotKind::Panel, false},
    {"ALog download, generation 0", 15, SlotKind::ALog, false},
    {"panel upload, generation 0", 15, SlotKind::Panel, true},
    {"ALog upload, generation 0", 15, SlotKind::ALog, true},
    {"panel download, generation 1", 21, SlotKind::Panel, false},
    {"ALog download, generation 1", 21, SlotKind::ALog, false},
    {"panel upload, generation 1", 21, SlotKind::Panel, true},
    {"ALog upload, generation 1", 21, SlotKind::ALog, true},
};

constexpr int kSource = 1;  // always occupied on the simulator

// An instrument with one item, the seeded item of slot 1, so each case starts from the
// same memory without seeding hundreds of traces again.
sim::InstrumentSetup oneItemSetup(int model)
{
    sim::InstrumentSetup s = TransferFixture::setupOf(model);
    s.seedMemory = false;
    return s;
}

const sim::InstrumentState& seeded(int model)
{
    static std::map<int, sim::InstrumentState> cache;
    auto it = cache.find(model);
    if (it == cache.end())
        it = cache.emplace(model, sim::makeInstrument(TransferFixture::setupOf(model))).first;
    return it->second;
}

// The instrument of a sweep: whether it takes "WRP"/"WYP" alone as the empty list.
struct Mode {
    const char* name;
    bool acceptsBareList;
};
constexpr Mode kModes[] = {{"bare list refused", false}, {"bare list accepted", true}};
void PrintTo(const Mode& m, std::ostream* os) { *os << m.name; }

struct Rig : TransferFixture {
    Rig(int model, const Mode& mode) : TransferFixture(oneItemSetup(model))
    {
        instrument.options.acceptEmptyPointList = mode.acceptsBareList;
        instrument.state.panels[kSource] = seeded(model).panels.at(kSource);
        instrument.state.alogs[kSource] = seeded(model).alogs.at(kSource);
    }
    void TestBody() override {}

    std::map<int, sim::StoredItem>& memory(SlotKind k)
    {
        return k == SlotKind::Panel ? instrument.state.panels : instrument.state.alogs;
    }
    std::vector<items::DFDRecord>& pcArray(SlotKind k) { return k == SlotKind::Panel ? store.Panels : store.ALogs; }

    // The item of the source slot gets everything a transfer can carry: DAC and TCG points,
    // AVG on (so "ADC", "RYC"/"AYC" and "AAC" are all read), and the live set-up has points too.
    void prepare(SlotKind k)
    {
        sim::StoredItem& item = memory(k).at(kSource);
        item.settings.dacPoints = {{"20", "80"}, {"60", "45"}};
        item.settings.values["DM"] = "1";
        if (item.settings.values.count("YM")) {
            item.settings.tcgPoints = {{"30", "10"}, {"90", "25"}};
            item.settings.values["YM"] = "1";
        }
        if (item.settings.values.count("EN"))
            item.settings.values["EN"] = "5";
        instrument.state.live.dacPoints = {{"10", "70"}};
        connect();
    }
    int emptyTarget(SlotKind k)
    {
        for (int n = 2;; ++n)
            if (!memory(k).count(n))
                return n;
    }
    void refuse(const std::string& cmd, int times, sim::FaultKind kind = sim::FaultKind::Nak)
    {
        plan.add({cmd, kind, times, 0, 0});
        faulted = QString::fromStdString(cmd);
        instrument.fault = [this](const QByteArray& line, platform::serial::MemoryPort& p) {
            for (const sim::FaultRule& r : plan.take(line.left(3).toStdString())) {
                if (r.kind == sim::FaultKind::Nak) {
                    p.feed(QByteArray("\x15\r"));
                    return true;
                }
                if (sim::garblesReply(r.kind)) {
                    QByteArray bytes;
                    for (const auto& part : instrument.engine.handle(line.toStdString()))
                        bytes += QByteArray::fromStdString(part.bytes);
                    p.feed(QByteArray::fromStdString(sim::garbledReply(r.kind, bytes.toStdString())));
                    return true;
                }
            }
            return false;
        };
    }
    TransferReport run(const Operation& op, int target)
    {
        if (!op.upload)
            return op.kind == SlotKind::Panel ? DownloadPanels(env, kSource, kSource) : DownloadALogs(env, kSource, kSource);
        return op.kind == SlotKind::Panel ? UploadPanels(env, target, target, 0) : UploadALogs(env, target, target, 0);
    }
    sim::FaultPlan plan;
    QString faulted;
};

bool holdsStatusText(const QString& t)
{
    return t == QLatin1String("NACK") || t == QLatin1String("ACK") || t.contains(QLatin1String(sim::kGarbledText))
           || std::any_of(t.begin(), t.end(), [](QChar c) { return c.unicode() < 0x20; });
}

// The text fields of a record that hold a status word or a control byte.
QStringList statusTexts(const items::DFDRecord& r)
{
    QStringList out;
    for (const items::RecordField& f : items::recordFields())
        if (f.isText() && holdsStatusText(f.text(r.settings())))
            out << QString::fromLatin1(f.name.data(), static_cast<qsizetype>(f.name.size()));
    for (const auto& [x, y] : {std::pair(&items::RecordSettings::DacX, &items::RecordSettings::DacY),
                               std::pair(&items::RecordSettings::TcgX, &items::RecordSettings::TcgY)})
        for (std::size_t k = 0; k < (r.settings().*x).size(); ++k)
            if (holdsStatusText((r.settings().*x)[k]) || holdsStatusText((r.settings().*y)[k]))
                out << QStringLiteral("point %1").arg(k);
    return out;
}

// A read part the instrument refused is "N/A", empty or reset; it never holds another value.
bool onlyAbsentParts(const items::DFDRecord& got, const items::DFDRecord& want)
{
    for (const items::RecordField& f : items::recordFields()) {
        if (!f.isText())
            continue;
        const QString& g = f.text(got.settings());
        if (g != f.text(want.settings()) && g != QLatin1String("N/A") && !g.isEmpty() && g != QLatin1String("-999")
            && g.trimmed() != QLatin1String("0"))
            return false;
    }
    for (bool items::DFDRecord::*flag : {&items::DFDRecord::DacPresent, &items::DFDRecord::TcgPresent,
                                         &items::DFDRecord::WaveformPresent, &items::DFDRecord::DacCurvePresent,
                                         &items::DFDRecord::AvgCurvePresent, &items::DFDRecord::TcgCurvePresent})
        if (got.*flag && !(want.*flag))
            return false;
    return true;
}

QString listOf(const TransferReport& r)
{
    QStringList parts;
    for (const auto& [slot, cmds] : r.refused)
        parts << cmds.join(u' ');
    if (!r.liveNotRestored.isEmpty())
        parts << QStringLiteral("live: ") + r.liveNotRestored.join(u' ');
    return parts.join(QStringLiteral("; "));
}

bool messageNames(const Rig& rig, const TransferReport& r)
{
    QString all;
    for (const auto& m : rig.dialogs.messages)
        all += m.text + u'\n';
    for (const auto& [slot, cmds] : r.refused)
        for (const QString& c : cmds)
            if (!all.contains(c))
                return false;
    for (const QString& c : r.liveNotRestored)
        if (!all.contains(c))
            return false;
    return true;
}

// What of the live set-up differs from before the transfer, is settable, and did not
// differ so after the fault-free run (some settings a restore cannot reach: the gate
// readings of the recalled trace, the TCG settings of a set-up without TCG points).
// Points the instrument would not let go (their list write refused) stay in its live
// set-up under the mode restored, which changes nothing the user gets: pointsKept skips them.
QString unexplainedLiveChange(const sim::Settings& before, const sim::Settings& after, const sim::Settings& reference,
                              bool pointsKept)
{
    static const std::set<std::string> readOnly = {"FS", "CD", "SH", "AX", "AY", "AZ", "VA", "FP"};
    QStringList out;
    for (const auto& [code, value] : after.values)
        if (!readOnly.count(code) && value != before.value(code) && value != reference.value(code))
            out << QString::fromStdString(code);
    if (!pointsKept && after.dacPoints != before.dacPoints && after.dacPoints != reference.dacPoints)
        out << QStringLiteral("DAC points");
    if (!pointsKept && after.tcgPoints != before.tcgPoints && after.tcgPoints != reference.tcgPoints)
        out << QStringLiteral("TCG points");
    return out.join(u',');
}

// The fault-free run of an operation: what a correct transfer gives.
struct Reference {
    QStringList commands;  // distinct, in the order first sent
    QStringList valueReads;  // those answered "echo,value"
    items::DFDRecord record;
    sim::StoredItem stored;
    sim::Settings live;
    items::DFDRecord uploadItem;
};

QString judge(const Operation& op, Rig& rig, const Reference& ref, int target)
{
    const auto pcBefore = rig.pcArray(op.kind);
    const std::vector<items::DFDRecord> workBefore(rig.store.WorkItems.begin() + 1, rig.store.WorkItems.end());
    const bool storedBefore = rig.memory(op.kind).count(target) > 0;
    const sim::Settings liveBefore = rig.instrument.state.live;
    rig.port.clearTranscript();
    const TransferReport r = rig.run(op, target);
    const auto& pc = rig.pcArray(op.kind);
    QStringList wrong;
    for (const QString& line : rig.sent())
        if (line.contains(QLatin1String(sim::kGarbledText)))
            wrong << QStringLiteral("garbled text sent: ") + line.left(20);
    const bool slotFailed = std::count(r.failed.begin(), r.failed.end(), op.upload ? target : kSource) > 0;
    if (r.completed && slotFailed && rig.dialogs.messages.size() != 1)
        wrong << QStringLiteral("%1 messages for a failed slot").arg(rig.dialogs.messages.size());
    for (const int i : {0, kSource})
        if (const QStringList bad = statusTexts(rig.store.workItem(i)); !bad.isEmpty())
            wrong << QStringLiteral("record %1 holds a status text in %2").arg(i).arg(bad.join(u','));
    if (!messageNames(rig, r))
        wrong << QStringLiteral("refusals not in the closing message");
    QString outcome;
    if (!r.completed) {
        if (!op.upload && !(pc == pcBefore))
            wrong << QStringLiteral("a failed download changed the PC items");
        if (!op.upload && !std::equal(workBefore.begin(), workBefore.end(), rig.store.WorkItems.begin() + 1))
            wrong << QStringLiteral("a failed download changed the records");
        if (rig.dialogs.messages.size() != 1)
            wrong << QStringLiteral("%1 messages").arg(rig.dialogs.messages.size());
        outcome = QStringLiteral("transfer failed (%1)").arg(r.errorSource);
    } else if (!op.upload) {
        const int s = kSource;
        const bool failed = std::count(r.failed.begin(), r.failed.end(), s) > 0;
        const bool done = std::count(r.transferred.begin(), r.transferred.end(), s) > 0;
        if (failed) {
            if (!(pc[s] == pcBefore[s]))
                wrong << QStringLiteral("a failed slot changed its PC item");
            outcome = QStringLiteral("failed slot");
        } else if (!done) {
            wrong << QStringLiteral("the slot is neither read nor failed");
        } else if (r.refused.empty()) {
            if (!(pc[s] == ref.record))
                wrong << QStringLiteral("read differs without a listed refusal");
            outcome = QStringLiteral("complete");
        } else {
            if (!onlyAbsentParts(pc[s], ref.record))
                wrong << QStringLiteral("a refused part holds a value");
            outcome = QStringLiteral("listed");
        }
    } else {
        const bool stored = rig.memory(op.kind).count(target) > 0;
        const bool ticked = std::count(r.transferred.begin(), r.transferred.end(), target) > 0;
        if (ticked && !stored)
            wrong << QStringLiteral("ticked but not stored");
        if (ticked != !rig.host.ticks.empty())
            wrong << QStringLiteral("tree ticks do not match the report");
        if (std::count(r.failed.begin(), r.failed.end(), target)) {
            outcome = stored && !storedBefore ? QStringLiteral("failed slot (stored all the same)") : QStringLiteral("failed slot");
        } else if (!ticked) {
            wrong << QStringLiteral("the slot is neither stored nor failed");
        } else if (rig.memory(op.kind).at(target) == ref.stored) {
            outcome = r.refused.empty() ? QStringLiteral("complete") : QStringLiteral("listed (stored as sent)");
        } else {
            if (r.refused.empty())
                wrong << QStringLiteral("stored item differs without a listed refusal");
            outcome = QStringLiteral("listed");
        }
    }
    if (r.completed && r.liveNotRestored.isEmpty())
        if (const QString d = unexplainedLiveChange(liveBefore, rig.instrument.state.live, ref.live,
                                                    rig.faulted == u"WRP" || rig.faulted == u"WYP");
            !d.isEmpty())
            wrong << QStringLiteral("live settings changed without a word: ") + d;
    const QString listed = listOf(r);
    if (!listed.isEmpty())
        outcome += QStringLiteral(": ") + listed;
    return wrong.isEmpty() ? outcome : QStringLiteral("WRONG ") + wrong.join(QStringLiteral("; ")) + QStringLiteral(" [") + outcome + u']';
}

Reference referenceOf(const Operation& op, const Mode& mode)
{
    Reference ref;
    if (op.upload) {
        Rig prep(op.model, mode);
        prep.prepare(op.kind);
        const TransferReport r = prep.run({op.name, op.model, op.kind, false}, 0);
        EXPECT_TRUE(r.completed) << r.errorText.toStdString();
        ref.uploadItem = prep.pcArray(op.kind)[kSource];
    }
    Rig rig(op.model, mode);
    rig.prepare(op.kind);
    const int target = rig.emptyTarget(op.kind);
    if (op.upload)
        rig.store.WorkItems[static_cast<std::size_t>(target)] = ref.uploadItem;
    const TransferReport r = rig.run(op, target);
    EXPECT_TRUE(r.completed) << op.name << ": " << r.errorText.toStdString();
    EXPECT_TRUE(r.refused.empty() && r.liveNotRestored.isEmpty()) << op.name << ": " << listOf(r).toStdString();
    EXPECT_TRUE(rig.dialogs.messages.empty()) << op.name << ": a fault-free transfer shows no box: "
                                              << (rig.dialogs.messages.empty() ? "" : rig.dialogs.messages[0].text.toStdString());
    for (const QString& line : rig.sent())
        if (!ref.commands.contains(line.left(3)))
            ref.commands << line.left(3);
    // The commands answered with a value, whose replies the garbled cases spoil.
    Rig probe(op.model, mode);
    probe.prepare(op.kind);
    for (const QString& cmd : ref.commands) {
        std::string reply;
        for (const auto& part : probe.instrument.engine.handle(cmd.toStdString()))
            reply += part.bytes;
        if (reply.size() > 3 && reply.find(',') != std::string::npos)
            ref.valueReads << cmd;
    }
    ref.record = rig.pcArray(op.kind)[kSource];
    if (op.upload)
        ref.stored = rig.memory(op.kind).at(target);
    ref.live = rig.instrument.state.live;
    return ref;
}

QString category(const QString& outcome)
{
    if (outcome.startsWith(QLatin1String("WRONG")))
        return QStringLiteral("wrong");
    // "complete: live: ..." lists what the live settings could not give or take back.
    if (outcome == QLatin1String("complete") || outcome.startsWith(QLatin1String("complete (")))
        return QStringLiteral("complete");
    if (outcome.startsWith(QLatin1String("listed")) || outcome.startsWith(QLatin1String("complete:")))
        return QStringLiteral("listed");
    return QStringLiteral("failed");
}

// The garbled reply a value read gets, in turn over the commands: its kind, and whether
// once (the one more send must heal it) or always.
struct Garbling {
    sim::FaultKind kind;
    int times;
};
// A note is free text: only a reply longer than its field shows it garbled.
Garbling garblingOf(const QString& cmd, qsizetype i)
{
    constexpr sim::FaultKind kinds[] = {sim::FaultKind::NotANumber, sim::FaultKind::ExtraField, sim::FaultKind::CutShort};
    const bool note = cmd.size() == 3 && cmd.startsWith(u"RN");
    return {note ? sim::FaultKind::ExtraField : kinds[i % 3], (i / 3) % 2 == 0 ? 0 : 1};
}

using SweepParam = std::tuple<Operation, Mode>;

} // namespace

struct RefusalSweep : ::testing::TestWithParam<SweepParam> {};

TEST_P(RefusalSweep, EveryCommandRefusedOnceAndAlwaysAndEveryValueGarbled)
{
    const auto& [op, mode] = GetParam();
    QStringList table;
    std::map<QString, int> counts[2];  // refused, garbled
    const Reference ref = referenceOf(op, mode);
    ASSERT_GT(ref.commands.size(), 30);
    ASSERT_GT(ref.valueReads.size(), 20);
    const auto runCase = [&](const QString& cmd, int times, sim::FaultKind kind) {
        Rig rig(op.model, mode);
        rig.prepare(op.kind);
        const int target = rig.emptyTarget(op.kind);
        if (op.upload)
            rig.store.WorkItems[static_cast<std::size_t>(target)] = ref.uploadItem;
        rig.refuse(cmd.toStdString(), times, kind);
        const QString outcome = judge(op, rig, ref, target);
        EXPECT_FALSE(outcome.startsWith(QLatin1String("WRONG")))
            << cmd.toStdString() << ' ' << sim::faultKindName(kind) << (times ? " once: " : " always: ") << outcome.toStdString();
        ++counts[sim::garblesReply(kind) ? 1 : 0][category(outcome)];
        return outcome;
    };
    for (const QString& cmd : ref.commands) {
        const QString once = runCase(cmd, 1, sim::FaultKind::Nak);
        const QString always = runCase(cmd, 0, sim::FaultKind::Nak);
        QString garbled;
        if (const qsizetype i = ref.valueReads.indexOf(cmd); i >= 0) {
            const Garbling g = garblingOf(cmd, i);
            garbled = QString::fromStdString(sim::faultKindName(g.kind)) + (g.times ? QStringLiteral(" once: ") : QStringLiteral(" always: "))
                      + runCase(cmd, g.times, g.kind);
        }
        table << QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6").arg(QLatin1String(op.name), QLatin1String(mode.name), cmd, once, always, garbled);
    }
    QString summary;
    for (int f = 0; f < 2; ++f)
        summary += QStringLiteral("%1 | %2 | %3: complete %4, listed %5, failed %6, wrong %7\n")
                       .arg(QLatin1String(op.name), QLatin1String(mode.name), f ? QStringLiteral("garbled") : QStringLiteral("refused"))
                       .arg(counts[f][QStringLiteral("complete")])
                       .arg(counts[f][QStringLiteral("listed")])
                       .arg(counts[f][QStringLiteral("failed")])
                       .arg(counts[f][QStringLiteral("wrong")]);
    if (const QByteArray path = qgetenv("TOVU_SWEEP_TABLE"); !path.isEmpty()) {
        QFile file(QString::fromLocal8Bit(path));
        if (file.open(QIODevice::Append | QIODevice::Text))
            QTextStream(&file) << table.join(u'\n') << u'\n' << summary;
    }
    std::printf("%s", summary.toLocal8Bit().constData());
}

INSTANTIATE_TEST_SUITE_P(OneSlot, RefusalSweep, ::testing::Combine(::testing::ValuesIn(kOperations), ::testing::ValuesIn(kModes)),
                         [](const ::testing::TestParamInfo<SweepParam>& info) {
                             std::string n = std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return n;
                         });
