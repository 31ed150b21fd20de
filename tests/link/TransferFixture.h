#pragma once
// The transfer engines in virtual time: the link on the in-memory port, answered line by
// line by the simulator's protocol logic on an instrument state (no pseudo-terminal, no
// real waits), with scripted user answers and a recording main window.

#include "LinkFixture.h"

#include "TransferFakes.h"
#include "instrument-sim/FaultPlan.h"
#include "instrument-sim/ProtocolEngine.h"

#include <deque>

namespace tovu::link::test {

// The simulator's instrument logic behind the in-memory port.
struct SimulatedInstrument {
    explicit SimulatedInstrument(sim::InstrumentSetup setup) : state(sim::makeInstrument(setup)), engine(state, options)
    {
        options.fixedClock = "01/02/2025 09:00:00";
    }
    void attach(platform::serial::MemoryPort& port)
    {
        port.setResponder([this](platform::serial::MemoryPort& p, const QByteArray& line) {
            ++commands;
            if (fault && fault(line, p))
                return;
            QByteArray bytes;
            for (const auto& part : engine.handle(line.toStdString()))
                bytes += QByteArray::fromStdString(part.bytes);
            p.feed(bytes);
        });
    }
    sim::ProtocolOptions options;
    sim::InstrumentState state;
    sim::ProtocolEngine engine;
    int commands = 0;
    // Returns true when it answered (or withheld the answer) itself.
    std::function<bool(const QByteArray& line, platform::serial::MemoryPort& port)> fault;
    // Every send of cmd answered NAK from now on, through the plan (which the caller keeps);
    // or, for a garbling kind, done and answered with its reply spoilt that way.
    void refuseAlways(sim::FaultPlan& plan, const std::string& cmd, sim::FaultKind kind = sim::FaultKind::Nak)
    {
        plan.add({cmd, kind, 0, 0, 0});
        fault = [this, &plan](const QByteArray& line, platform::serial::MemoryPort& p) {
            const std::vector<sim::FaultRule> rules = plan.take(line.left(3).toStdString());
            if (rules.empty())
                return false;
            if (!sim::garblesReply(rules.front().kind)) {
                p.feed(QByteArray("\x15\r"));
                return true;
            }
            QByteArray bytes;
            for (const auto& part : engine.handle(line.toStdString()))
                bytes += QByteArray::fromStdString(part.bytes);
            p.feed(QByteArray::fromStdString(sim::garbledReply(rules.front().kind, bytes.toStdString())));
            return true;
        };
    }
};

struct TransferFixture : ::testing::Test {
    explicit TransferFixture(int model = 5) : TransferFixture(setupOf(model)) {}
    explicit TransferFixture(sim::InstrumentSetup setup)
        : pump(clock), instrument(setup), ctx(port, clock, pump, store, strings), env{ctx, host, dialogs, wait}
    {
        port.setIdleHook([this](int ms) { clock.advance(ms); });
        instrument.attach(port);
        ctx.makeTransferView = [this] { return std::make_unique<RecordingTransferView>(dialog); };
    }
    static sim::InstrumentSetup setupOf(int model)
    {
        sim::InstrumentSetup s;
        s.model = model;
        s.seed = 3;
        return s;
    }
    QStringList sent() const { return port.sentLines(); }
    // Commands sent from the first one that starts with `from`.
    QStringList sentFrom(const QString& from) const
    {
        const QStringList all = sent();
        for (qsizetype i = 0; i < all.size(); ++i)
            if (all[i].startsWith(from))
                return all.mid(i);
        return {};
    }
    // Identifies the instrument the way the status read does before any transfer.
    void connect()
    {
        OpenCommForTest();
        port.clearTranscript();
    }
    void OpenCommForTest();
    std::vector<int> occupiedPanels() const
    {
        std::vector<int> v;
        for (const auto& [n, item] : instrument.state.panels)
            v.push_back(n);
        return v;
    }
    std::vector<int> occupiedALogs() const
    {
        std::vector<int> v;
        for (const auto& [n, item] : instrument.state.alogs)
            v.push_back(n);
        return v;
    }

    FakeClock clock;
    FakePump pump;
    platform::serial::MemoryPort port;
    items::ItemStore store;
    StringTable strings;
    SimulatedInstrument instrument;
    RecordingTransferView::Log dialog;
    LinkContext ctx;
    RecordingHost host;
    ScriptedDialogs dialogs;
    RecordingWait wait;
    TransferEnv env;
};

} // namespace tovu::link::test
