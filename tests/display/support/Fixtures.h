#pragma once
// Fixture records for the display tests.

#include "app/items/DFDRecord.h"

namespace tovu::display::testing {

// A complete ALog of a first-block model (code 2): a trace with two echoes, gate A on
// (Start 10, Width 20, Level 40 over Delay 0, Range 50), gate B off, depth mode.
items::DFDRecord alogFixture();

// The same ALog with DAC on, its curve arrays filled (about 180 falling to 60).
items::DFDRecord dacFixture();

// A trace that is flat at the given amplitude in both envelopes.
void fillFlatTrace(items::DFDRecord& r, int min, int max);

} // namespace tovu::display::testing
