#pragma once
// Sample memory items for the tests and the benchmarks, built in one place.
//
// sampleALog() is the plain ALog every variant starts from; a variant names only the
// fields it changes, so what a suite relies on is the list of lines in its variant.

#include "app/items/DFDRecord.h"

namespace tovu::test {

// A complete ALog of a first-block model (code 2), in use: a trace with two echoes
// (about 160 at x 60 and 90 at x 150 over a low ripple), gate A on (Start 10,
// Width 20, Level 40 over Delay 0, Range 50), gates B and I off, depth mode, DAC off.
items::DFDRecord sampleALog();

// The sample with DAC on and both DAC curve arrays filled (180 falling to 53).
items::DFDRecord sampleALogWithDac();

// The sample fully annotated: every setting the clipboard text and the printout read
// filled in, mostly with values of their own so that a field shown in another's place
// stands out, the five notes and the memo written, and a trace of two flat-topped
// echoes (180 and 120 over a floor of 8).
items::DFDRecord annotatedALog();

// A trace flat at the given amplitudes: min in the lower envelope, max in the upper.
void fillFlatTrace(items::DFDRecord& r, int min, int max);

// Item n of a stored memory for the benchmarks: a weld ALog of model 21 whose slot,
// range, gain, label and trace follow n, so that no two items draw or save alike.
items::DFDRecord numberedALog(int n);

// Item n with every part filled (settings, all gates, ten DAC and TCG points, notes,
// memo, the trace and all three curves) on a model that follows n; an ALog when alog,
// else a panel (no trace).
items::DFDRecord fullItem(int n, bool alog);

} // namespace tovu::test
