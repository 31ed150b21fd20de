#pragma once
// The simulated test piece: an A-scan trace that follows the settings, and the DAC, AVG and
// TCG curves the instrument draws from its points. Amplitudes are screen rows, 200 = full
// screen height; a curve value above 200 is off screen.

#include "InstrumentState.h"

#include <array>
#include <cstdint>

namespace tovu::sim {

// Trace of the test piece under these settings; `variant` moves the flaw echo, so stored
// items differ from one another.
Trace traceFor(const Settings& settings, unsigned variant);

// Distance (in the units of the settings) and peak height (% of screen) of the highest
// sample inside gate A; "0.00" and "255" when gate A is off or sees nothing.
std::pair<std::string, std::string> gateReading(const Settings& settings, const Trace& trace);

struct CurvePair {
  std::array<std::int16_t, 256> a{};
  std::array<std::int16_t, 256> b{};
};

// DAC curve from the DAC points: heights in % (firmware below 3) or gains in dB (3 and
// above) interpolated across the screen. A firmware-3 curve ends with -1 in the second
// array at samples 254 and 255.
CurvePair dacCurve(const Settings& settings, bool gainPoints);
CurvePair avgCurve(const Settings& settings);

// TCG gain in tenths of a dB for screen samples 1..255 (element 0 unused).
std::array<std::int16_t, 256> tcgCurve(const Settings& settings);

}  // namespace tovu::sim
