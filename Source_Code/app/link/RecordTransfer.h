#pragma once
// The whole-record drivers: every parameter group of record idx of WorkItems, read from
// or written to the instrument's current settings in a fixed order, with the progress
// value of the transfer dialog (when one is loaded) advancing from 0 to 100.

#include "app/link/LinkContext.h"

#include <QStringList>

namespace tovu::link {

// Identifies the model into the record first (so inside a transfer a change of memory
// generation aborts it), then reads every group. The first link error ends the read.
void ReadPanelSettings(LinkContext& ctx, int idx);

// Writes every group, the utility group first. A link error (timeout, cancel, lost
// port) stops the record there, so a half-written set-up is never taken for a whole
// one; a field the writer cannot use only skips its own step, and the skipped steps are
// returned (for the caller to report).
QStringList WritePanelSettings(LinkContext& ctx, int idx);

} // namespace tovu::link
