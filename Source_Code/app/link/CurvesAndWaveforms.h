#pragma once
// The array data of a record: DAC and TCG point lists, the ALog waveform, the curve
// arrays, the time stamp and stored readings, and the DAC conversion between the two
// firmware generations.

#include "app/link/LinkContext.h"

#include <QString>

namespace tovu::link {

enum class CurveKind { DAC, TCG };

// "RRP" / "RYP" into the points, the point count (" 3") and the present flag.
void ReadCurvePoints(LinkContext& ctx, int idx, CurveKind kind);
// "WRP" / "WYP" with the points, then WDR, WDD / WYR, WYD. At most 3 rounds; a list the
// instrument keeps refusing is noted as refused (Refusals.h). At most 9 TCG points go out.
void WriteCurvePoints(LinkContext& ctx, int idx, CurveKind kind);
void writeCurvePoints(LinkContext& ctx, const items::DFDRecord& rec, CurveKind kind);
// "WRP" / "WYP" with an empty list, so an item without points is stored without them;
// sent only while the live set-up may hold points (LinkContext::livePoints). An
// instrument that refuses the empty list (after one more send) is not asked again on
// this connection, and every item that needed it is noted in LinkContext::keptPoints;
// N/A (no such curve) means no points.
void clearCurvePoints(LinkContext& ctx, CurveKind kind);

// "AWS" with the waveform, at most 6 sends; false when never acknowledged.
bool WriteALogWaveform(LinkContext& ctx, int idx);
// cmd "AWT", "ADC", "AAC", "AYC" or "RYC"; the reply's tag chooses the arrays. False
// when nothing was filled (refused, not available, another tag).
bool ReadWaveformData(LinkContext& ctx, int idx, const QString& cmd);

// "ATS" into TimeStamp; "ACD" into Distance, "ASH" into Peak. A refused reading leaves
// the field empty.
void ReadParamTS(LinkContext& ctx, int idx);
void ReadParamsCDSH(LinkContext& ctx, int idx);

bool SameModelAsRecord0(LinkContext& ctx, int idx);

// DataVersion when set; otherwise 3 when DacCurveB holds -1 in any of 0..254, else 2,
// stored in the record.
double GetDataVersion(LinkContext& ctx, int idx);
double dataVersionOf(const items::DFDRecord& rec);

// Converts the DAC points of rec for the connected instrument's firmware ("AMF"): point
// heights to gains for firmware 3, gains to heights for firmware 2. Works on the record
// given, which the caller passes as a copy for the wire; the stored record keeps its
// own data and DataVersion. A height of 0 or below cannot become a gain
// (RecordValueError). Heights to gains also writes the calibration group.
void ConvertDACForFirmware(LinkContext& ctx, items::DFDRecord& rec);

double Log10(double x);

constexpr double kReferenceHeight = 80.0;  // % of full screen height
constexpr int kWaveformSamplesSent = 255;  // samples 0..254
constexpr int kWaveformSends = 6;
constexpr int kPointRounds = 3;

} // namespace tovu::link
