// The protocol's own floor for an exchange with the instrument, counted from the
// simulator's transcript: the waits the protocol mandates (50 ms before every command
// exchange but the raw ones; 0.5 s before "ARM", "ALM" and "AMF"; 100 ms before the
// measurement group; for panel downloads 20 ms per recalled panel and 200 ms before its DAC
// curve; 1 s after the "ALM" that closes the link) plus every byte on the wire at the baud
// rate, 10 bit times each way.
#pragma once

#include "instrument-sim/InstrumentSimulator.h"

#include <set>
#include <string>
#include <vector>

namespace tovu::bench {

// Exchanges of the raw primitive: no command gap before them.
inline const std::set<std::string> kRawCommands = {"AMD", "APL", "AWL", "ATS", "RRP", "RYP",
                                                   "AWT", "ADC", "AAC", "AYC", "RYC"};
inline const std::set<std::string> kPreWaitCommands = {"ARM", "ALM", "AMF"};

struct FloorOptions {
    bool panelDownload = false;  // the recall and DAC waits of a panel download
    bool closeWaits = false;     // the link is closed by each "ALM"
};

struct Floor {
    double waitsMs = 0;
    double wireMs = 0;
    int commands = 0;
    long bytes = 0;
    std::string listing;  // the commands, in order
    double total() const { return waitsMs + wireMs; }
};

inline Floor floorOf(const std::vector<sim::TranscriptEntry>& entries, int baud, FloorOptions options = {})
{
    Floor f;
    for (const auto& e : entries) {
        const std::string cmd = e.received.substr(0, 3);
        ++f.commands;
        f.listing += cmd + ' ';
        if (!kRawCommands.count(cmd))
            f.waitsMs += 50;
        if (kPreWaitCommands.count(cmd))
            f.waitsMs += 500;
        if (cmd == "RAG")
            f.waitsMs += 100;
        if (options.panelDownload && e.received == "WSM 1")
            f.waitsMs += 20;
        if (options.panelDownload && cmd == "ADC")
            f.waitsMs += 200;
        if (options.closeWaits && cmd == "ALM")
            f.waitsMs += 1000;
        f.bytes += static_cast<long>(e.received.size() + 1 + e.sent.size());
    }
    f.wireMs = static_cast<double>(f.bytes) * 10.0 * 1000.0 / baud;
    return f;
}

} // namespace tovu::bench
