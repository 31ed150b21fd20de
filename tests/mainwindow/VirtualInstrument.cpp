#include "mainwindow/VirtualInstrument.h"

#include <QCoreApplication>
#include <cmath>
#include <stdexcept>

namespace tovu::mainwindow::testing {

void VirtualClock::advance(int ms)
{
    if (ms > 0)
        now_ += ms;
    if (onAdvance)
        onAdvance();
}

void VirtualPump::doEvents()
{
    if (hook_)
        hook_();
    QCoreApplication::processEvents();
}

void VirtualPump::waitMs(int ms)
{
    if (hook_)
        hook_();
    clock_.advance(ms);
    QCoreApplication::processEvents();
}

VirtualInstrument::VirtualInstrument(const sim::SimOptions& options)
    : baud_(options.baud),
      protocol_(options.protocol),
      state_(sim::makeInstrument(options.instrument)),
      engine_(state_, protocol_)
{
    for (const sim::FaultRule& f : options.faults)
        addFault(f);
}

void VirtualInstrument::addFault(const sim::FaultRule& rule)
{
    switch (rule.kind) {
    case sim::FaultKind::Nak:
    case sim::FaultKind::Silence:
    case sim::FaultKind::Delay:
    case sim::FaultKind::NoCr:
        faults_.add(rule);
        return;
    default:
        throw std::invalid_argument("the virtual instrument does not simulate the fault " + sim::faultKindName(rule.kind));
    }
}

void VirtualInstrument::receive(platform::serial::MemoryPort& port, const QByteArray& line, std::int64_t nowMs)
{
    sim::TranscriptEntry e;
    e.timeMs = static_cast<double>(nowMs);
    e.received = line.toStdString();
    const int rate = port.commSettings().baud;
    if (rate != baud_) {
        e.note = "baud mismatch: port at " + std::to_string(rate) + ", instrument at " + std::to_string(baud_);
        transcript_.push_back(e);
        return;
    }
    std::string command = e.received;
    while (!command.empty() && (command.front() == '\n' || command.front() == '\0'))
        command.erase(0, 1);
    command = command.substr(0, 3);

    sim::Reply reply;
    bool execute = true, noCr = false;
    double delayMs = 0;
    // An empty line is no command: no fault rule counts it.
    for (const sim::FaultRule& f : command.empty() ? std::vector<sim::FaultRule>() : faults_.take(command)) {
        e.note += (e.note.empty() ? "fault " : ", ") + sim::faultKindName(f.kind);
        if (f.kind == sim::FaultKind::Nak)
            reply = {{std::string(1, sim::kNak) + "\r", 0}}, execute = false;
        else if (f.kind == sim::FaultKind::Silence)
            reply.clear(), execute = false;
        else if (f.kind == sim::FaultKind::Delay)
            delayMs += f.param;
        else if (f.kind == sim::FaultKind::NoCr)
            noCr = true;
    }
    if (execute)
        reply = engine_.handle(e.received);
    if (noCr && !reply.empty() && !reply.back().bytes.empty() && reply.back().bytes.back() == '\r')
        reply.back().bytes.pop_back();
    if (!reply.empty())
        reply.front().pauseMs += delayMs;

    double at = static_cast<double>(nowMs);
    for (const sim::ReplyPart& part : reply) {
        at += part.pauseMs;
        due_.push_back({static_cast<std::int64_t>(std::ceil(at)), QByteArray::fromStdString(part.bytes)});
        e.sent += part.bytes;
    }
    transcript_.push_back(e);
    deliver(port, nowMs);
}

void VirtualInstrument::deliver(platform::serial::MemoryPort& port, std::int64_t nowMs)
{
    while (!due_.empty() && due_.front().atMs <= nowMs) {
        port.feed(due_.front().bytes);
        due_.pop_front();
    }
}

} // namespace tovu::mainwindow::testing
