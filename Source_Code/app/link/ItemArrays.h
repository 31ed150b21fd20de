#pragma once
// The arrays read with an item's settings: its waveform and its DAC, TCG and AVG curves.
// The download reads them for every slot and Get Current Settings for the live set-up,
// by one rule: an array the instrument did not send is absent (its flag false, its
// samples reset), so nothing of what the record held before is shown as the new item's.

#include "app/link/LinkContext.h"
#include "app/link/TransferSlots.h"

#include <QString>

namespace tovu::link {

// The AVG mode that has a curve: the mode's value, so " 5" and "5" both are.
constexpr int kAvgOn = 5;

// cmd's reply into record s's arrays a (and b); present says whether it came.
bool readItemArrays(LinkContext& ctx, int s, const QString& cmd, items::Curve items::RecordCurves::*a,
                    items::Curve items::RecordCurves::*b, bool items::DFDRecord::*present);
// "AWT" into WaveMin, WaveMax and WaveformPresent.
bool readItemWaveform(LinkContext& ctx, int s);
// The curves that go with the settings just read into record s: DAC ("ADC") with points,
// TCG with points ("RYC" for a panel, "AYC" else), AVG ("AAC") when AVG is on. A panel
// paces the instrument as a panel download does (200 ms before the DAC curve, 2 ms before
// the TCG curve on early models).
void readItemCurves(LinkContext& ctx, SlotKind kind, int s);

} // namespace tovu::link
