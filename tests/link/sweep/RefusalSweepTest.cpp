// Refuse (NAK) each distinct command a one-slot transfer sends, once and always, and judge
// the outcome: a complete and correct transfer, a transfer whose closing message lists the
// refusal, a failed slot, or a failed transfer with one message; never a status word in a
// record, never PC items changed by a failed download, never a slot ticked that the
// instrument did not store, never live settings left changed without a word.
//
// TOVU_SWEEP_TABLE=path appends the table: operation, command, outcome refused once,
// outcome refused always.
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

struct Rig : TransferFixture {
    explicit Rig(int model) : TransferFixture(oneItemSetup(model))
    {
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
    void refuse(const std::string& cmd, int times)
    {
        plan.add({cmd, sim::FaultKind::Nak, times, 0, 0});
        instrument.fault = [this](const QByteArray& line, platform::serial::MemoryPort& p) {
            for (const sim::FaultRule& r : plan.take(line.left(3).toStdString()))
                if (r.kind == sim::FaultKind::Nak) {
                    p.feed(QByteArray("\x15\r"));
                    return true;
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
};

bool holdsStatusText(const QString& t)
{
    return t == QLatin1String("NACK") || t == QLatin1String("ACK")
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
QString unexplainedLiveChange(const sim::Settings& before, const sim::Settings& after, const sim::Settings& reference)
{
    static const std::set<std::string> readOnly = {"FS", "CD", "SH", "AX", "AY", "AZ", "VA", "FP"};
    QStringList out;
    for (const auto& [code, value] : after.values)
        if (!readOnly.count(code) && value != before.value(code) && value != reference.value(code))
            out << QString::fromStdString(code);
    if (after.dacPoints != before.dacPoints && after.dacPoints != reference.dacPoints)
        out << QStringLiteral("DAC points");
    if (after.tcgPoints != before.tcgPoints && after.tcgPoints != reference.tcgPoints)
        out << QStringLiteral("TCG points");
    return out.join(u',');
}

// The fault-free run of an operation: what a correct transfer gives.
struct Reference {
    QStringList commands;  // distinct, in the order first sent
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
    const TransferReport r = rig.run(op, target);
    const auto& pc = rig.pcArray(op.kind);
    QStringList wrong;
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
        if (const QString d = unexplainedLiveChange(liveBefore, rig.instrument.state.live, ref.live); !d.isEmpty())
            wrong << QStringLiteral("live settings changed without a word: ") + d;
    const QString listed = listOf(r);
    if (!listed.isEmpty())
        outcome += QStringLiteral(": ") + listed;
    return wrong.isEmpty() ? outcome : QStringLiteral("WRONG ") + wrong.join(QStringLiteral("; ")) + QStringLiteral(" [") + outcome + u']';
}

Reference referenceOf(const Operation& op)
{
    Reference ref;
    if (op.upload) {
        Rig prep(op.model);
        prep.prepare(op.kind);
        const TransferReport r = prep.run({op.name, op.model, op.kind, false}, 0);
        EXPECT_TRUE(r.completed) << r.errorText.toStdString();
        ref.uploadItem = prep.pcArray(op.kind)[kSource];
    }
    Rig rig(op.model);
    rig.prepare(op.kind);
    const int target = rig.emptyTarget(op.kind);
    if (op.upload)
        rig.store.WorkItems[static_cast<std::size_t>(target)] = ref.uploadItem;
    const TransferReport r = rig.run(op, target);
    EXPECT_TRUE(r.completed) << op.name << ": " << r.errorText.toStdString();
    EXPECT_TRUE(r.refused.empty() && r.liveNotRestored.isEmpty()) << op.name << ": " << listOf(r).toStdString();
    EXPECT_TRUE(rig.dialogs.messages.empty()) << op.name;
    for (const QString& line : rig.sent())
        if (!ref.commands.contains(line.left(3)))
            ref.commands << line.left(3);
    ref.record = rig.pcArray(op.kind)[kSource];
    if (op.upload)
        ref.stored = rig.memory(op.kind).at(target);
    ref.live = rig.instrument.state.live;
    return ref;
}

} // namespace

struct RefusalSweep : ::testing::TestWithParam<Operation> {};

TEST_P(RefusalSweep, EveryCommandRefusedOnceAndAlways)
{
    QStringList table;
    int cases = 0;
    {
        const Operation& op = GetParam();
        const Reference ref = referenceOf(op);
        ASSERT_GT(ref.commands.size(), 30);
        for (const QString& cmd : ref.commands) {
            QString outcomes[2];
            for (const int times : {1, 0}) {
                Rig rig(op.model);
                rig.prepare(op.kind);
                const int target = rig.emptyTarget(op.kind);
                if (op.upload)
                    rig.store.WorkItems[static_cast<std::size_t>(target)] = ref.uploadItem;
                rig.refuse(cmd.toStdString(), times);
                const QString outcome = judge(op, rig, ref, target);
                EXPECT_FALSE(outcome.startsWith(QLatin1String("WRONG"))) << cmd.toStdString() << (times ? " once: " : " always: ")
                                                                         << outcome.toStdString();
                outcomes[times ? 0 : 1] = outcome;
                ++cases;
            }
            table << QStringLiteral("%1\t%2\t%3\t%4").arg(QLatin1String(op.name), cmd, outcomes[0], outcomes[1]);
        }
    }
    if (const QByteArray path = qgetenv("TOVU_SWEEP_TABLE"); !path.isEmpty()) {
        QFile f(QString::fromLocal8Bit(path));
        if (f.open(QIODevice::Append | QIODevice::Text))
            QTextStream(&f) << table.join(u'\n') << u'\n';
    }
    std::printf("%d cases\n", cases);
}

INSTANTIATE_TEST_SUITE_P(OneSlot, RefusalSweep, ::testing::ValuesIn(kOperations),
                         [](const ::testing::TestParamInfo<Operation>& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return n;
                         });
