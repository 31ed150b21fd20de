#pragma once
// The simulated instrument of the window's tests in virtual time: the simulator's protocol
// logic and fault rules answer the program's lines on the in-memory port, and the link's
// clock moves only when the link waits. No reply depends on how fast the machine is, and a
// 20 s reply timeout passes without a real wait.

#include "app/link/LinkClock.h"
#include "instrument-sim/FaultPlan.h"
#include "instrument-sim/InstrumentState.h"
#include "instrument-sim/ProtocolEngine.h"
#include "instrument-sim/SimOptions.h"
#include "instrument-sim/Transcript.h"
#include "platform/serial/MemoryPort.h"

#include <QString>
#include <deque>
#include <functional>

namespace tovu::mainwindow::testing {

// The link's clock: it moves by every wait and sleep of the link, and then calls onAdvance.
class VirtualClock final : public link::Clock {
public:
    std::int64_t nowMs() override { return now_; }
    void sleepMs(int ms) override { advance(ms); }
    void advance(int ms);

    std::function<void()> onAdvance;

private:
    std::int64_t now_ = 0;
};

// The link's event pump on the virtual clock: Qt's events are handled at each yield and
// wait, and a wait moves the clock instead of sleeping. `hook` runs first in each.
class VirtualPump final : public link::EventPump {
public:
    VirtualPump(VirtualClock& clock, std::function<void()>& hook) : clock_(clock), hook_(hook) {}
    void doEvents() override;
    void waitMs(int ms) override;

private:
    VirtualClock& clock_;
    std::function<void()>& hook_;
};

class VirtualInstrument {
public:
    // The device a port is mapped to when it leads to this instrument.
    static QString devicePath() { return QStringLiteral("virtual-instrument"); }

    // Answers only lines sent at options.baud, as a real line at another rate delivers
    // nothing readable. Of the fault kinds, Nak, Silence, Delay and NoCr are simulated.
    explicit VirtualInstrument(const sim::SimOptions& options);

    sim::InstrumentState state() const { return state_; }
    void editState(const std::function<void(sim::InstrumentState&)>& edit) { edit(state_); }
    std::vector<sim::TranscriptEntry> transcript() const { return transcript_; }
    void clearTranscript() { transcript_.clear(); }
    // Throws std::invalid_argument for a fault kind it does not simulate.
    void addFault(const sim::FaultRule& rule);

    // A line the program sent at time nowMs; its reply falls due after the instrument's pauses.
    void receive(platform::serial::MemoryPort& port, const QByteArray& line, std::int64_t nowMs);
    // Hands the port every reply byte due by nowMs.
    void deliver(platform::serial::MemoryPort& port, std::int64_t nowMs);

private:
    struct Due {
        std::int64_t atMs;
        QByteArray bytes;
    };

    int baud_;
    sim::ProtocolOptions protocol_;  // the engine keeps a reference to it
    sim::InstrumentState state_;
    sim::ProtocolEngine engine_;
    sim::FaultPlan faults_;
    std::vector<sim::TranscriptEntry> transcript_;
    std::deque<Due> due_;
};

} // namespace tovu::mainwindow::testing
