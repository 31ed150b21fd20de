#pragma once
// Test doubles for the link: a virtual clock and event pump, a string table, a recording
// transfer dialog, and a scripted instrument behind the in-memory port. The scripted
// instrument is a plain settings store (R reads, W writes) with per-command overrides;
// it knows nothing of the groups, so the tests state the command orders themselves.

#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"
#include "app/link/LinkContext.h"
#include "app/link/LinkError.h"
#include "platform/serial/MemoryPort.h"

#include <QMap>
#include <QSet>
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace tovu::link::test {

class FakeClock : public Clock {
public:
    std::int64_t nowMs() override { return now; }
    void sleepMs(int ms) override
    {
        sleeps.push_back(ms);
        now += ms;
    }
    void advance(int ms) { now += ms; }

    std::int64_t now = 1000000;
    std::vector<int> sleeps;
};

class FakePump : public EventPump {
public:
    explicit FakePump(FakeClock& c) : clock(c) {}
    void doEvents() override
    {
        ++yields;
        if (onYield)
            onYield(yields);
    }
    void waitMs(int ms) override
    {
        waits.push_back(ms);
        clock.advance(ms);
        doEvents();
    }

    FakeClock& clock;
    int yields = 0;
    std::vector<int> waits;
    std::function<void(int)> onYield;
};

class StringTable : public items::StringSource {
public:
    // The link's own sentences (6140..) keep their places for what they name.
    QString GetResString(int id) const override
    {
        const QString s = QStringLiteral("string ") + QString::number(id);
        return id >= 6140 && id < 6200 ? s + QStringLiteral(" [%1] [%2]") : s;
    }
};

struct RecordingTransferView : TransferView {
    struct Log {
        std::vector<int> progress;
        QStringList events;
        int shown = 0;
        bool destroyed = false;
    };
    explicit RecordingTransferView(Log& l) : log(l) {}
    ~RecordingTransferView() override { log.destroyed = true; }
    void showModeless() override { ++log.shown; }
    void setStatusText(const QString& t) override { log.events << QStringLiteral("status ") + t; }
    void setProgress(int v) override { log.progress.push_back(v); }
    void setSlotCaption(SlotRow, int i, const QString& c) override { log.events << QStringLiteral("caption %1 %2").arg(i).arg(c); }
    void setSlotColour(SlotRow, int i, SlotColour c) override
    {
        log.events << QStringLiteral("colour %1 %2").arg(i).arg(static_cast<unsigned>(c), 0, 16);
    }
    Log& log;
};

constexpr char ACK = 6;
constexpr char NAK = 21;
constexpr char NA = 7;

// The instrument the in-memory port talks to.
class ScriptedInstrument {
public:
    using Reply = std::function<QByteArray(const QByteArray& line)>;

    ScriptedInstrument() = default;

    // Settings by parameter code; "R" + code answers code,value.
    QMap<QByteArray, QByteArray> values;
    QByteArray ident = "VELTRIS D-20 V3.10";
    QByteArray firmware = "V3.00 2009";
    QByteArray dacPoints = "RP";  // RRP reply
    QByteArray tcgPoints = "YP";
    // Only these rates answer; empty means every rate.
    QStringList answeringRates;
    // Replies for a command (three letters) used once each, before the default answer.
    QMap<QByteArray, std::deque<QByteArray>> once;
    // Commands that get no reply at all.
    QSet<QByteArray> silent;
    // Replaces every default answer when set.
    Reply override_;

    void attach(platform::serial::MemoryPort& port)
    {
        port.setResponder([this](platform::serial::MemoryPort& p, const QByteArray& line) {
            if (!answeringRates.isEmpty() && !answeringRates.contains(QString::number(p.commSettings().baud)))
                return;
            const QByteArray r = answer(line);
            if (!r.isNull())
                p.feed(r);
        });
    }

    QByteArray answer(const QByteArray& line)
    {
        const QByteArray cmd = line.left(3);
        if (silent.contains(cmd))
            return {};
        if (auto it = once.find(cmd); it != once.end() && !it->empty()) {
            QByteArray r = it->front();
            it->pop_front();
            return r;
        }
        if (override_)
            return override_(line);
        return standard(line);
    }

    QByteArray standard(const QByteArray& line) const
    {
        const QByteArray cmd = line.left(3);
        if (cmd == "AMD")
            return ident + '\r';
        if (cmd == "AMF" || cmd == "RMF")
            return "MF," + firmware + '\r';
        if (cmd == "RRP")
            return dacPoints + '\r';
        if (cmd == "RYP")
            return tcgPoints + '\r';
        if (cmd == "APL")
            return "APL,1,3\r";
        if (cmd == "AWL")
            return "AWL,2\r";
        if (cmd == "ATS")
            return "12/05/2009 10:11\r";
        if (cmd == "RST" || cmd == "RAT")
            return cmd.mid(1) + ",1\r";
        if (line.startsWith('R') && line.size() == 3) {
            const QByteArray code = line.mid(1, 2);
            return code + ',' + values.value(code, "0") + '\r';
        }
        if (line.startsWith('W') && line.size() >= 3) {
            values[line.mid(1, 2)] = line.mid(3);
            return QByteArray(1, ACK) + '\r';
        }
        return QByteArray(1, ACK) + '\r';
    }
};

// A context over the in-memory port, the virtual clock and a fresh item store.
struct LinkFixture : ::testing::Test {
    LinkFixture() : pump(clock), ctx(port, clock, pump, store, strings)
    {
        port.setIdleHook([this](int ms) { clock.advance(ms); });
        instrument.attach(port);
        ctx.makeTransferView = [this] { return std::make_unique<RecordingTransferView>(dialog); };
    }

    void openPort()
    {
        port.setPortOpen(true);
        port.setInputLen(1);
    }
    QStringList sent() const { return port.sentLines(); }
    items::DFDRecord& rec(int i) { return store.workItem(i); }

    FakeClock clock;
    FakePump pump;
    platform::serial::MemoryPort port;
    items::ItemStore store;
    StringTable strings;
    ScriptedInstrument instrument;
    RecordingTransferView::Log dialog;
    LinkContext ctx;
};

// Expects fn to raise a LinkError of that kind; returns it for further checks.
template <typename F>
LinkError expectLinkError(F&& fn, LinkErrorKind kind)
{
    try {
        fn();
    } catch (const LinkError& e) {
        EXPECT_EQ(e.kind(), kind) << e.what();
        return e;
    }
    ADD_FAILURE() << "no link error";
    return LinkError(kind, {}, {});
}

} // namespace tovu::link::test
