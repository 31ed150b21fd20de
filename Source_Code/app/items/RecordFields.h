#pragma once
// One table of the record's fields: for each, its key in the saved-items file and the
// parameter code under which the instrument reads and writes it. The two differ for a
// few fields (HU/UZ, HZ/UU, AQ/EN, AD/EB, AE/EC, AF/ED, AN/EK, AO/EL, SGE/SE), some
// fields have no instrument code, and a few codes are only read from the instrument.
// The file layer and the link layer both work from this table.
//
// Entries are in the order the saved-items file writes its lines; ES appears twice
// there, the second entry flagged as a repeat.

#include "app/items/DFDRecord.h"

#include <QString>
#include <span>
#include <string_view>

namespace tovu::items {

// The lengths of the saved-items file's list lines, for the writer and the reader alike.
constexpr int kCurvePairs = 254;     // DC and AC lines: elements 0..253
constexpr int kWavePairs = 255;      // WS line: elements 0..254
constexpr int kTcgCurveValues = 255; // YC line: elements 0..254

// What the line or field holds, when it is not a plain text of RecordSettings.
enum class FieldKind {
    Text,         // one QString of RecordSettings
    ModelIndex,   // DFDRecord::ModelIndex, 16-bit
    DataVersion,  // DFDRecord::DataVersion
    DacPoints,    // DacX/DacY pairs 1..N, N from DacPointCount
    TcgPoints,    // TcgX/TcgY pairs 1..N, N from TcgPointCount
    DacCurve,     // DacCurveA/DacCurveB elements 0..253
    AvgCurve,     // AvgCurveA/AvgCurveB elements 0..253
    TcgCurve,     // TcgCurve elements 0..254
    Waveform,     // WaveMin/WaveMax elements 0..254
    Memo,         // Memo, its lines joined with commas
};

// When the saved-items writer emits the line.
enum class WriteWhen {
    Always,
    ALogOnly,           // right after the ALog header
    DacOn,              // number value of DacMode is 1 or more
    DacOnWithPoints,    // ... and DacPresent with points to write
    DacOnWithCurve,     // ... and DacCurvePresent
    AvgCurve,           // AvgCurvePresent
    TcgOn,              // number value of TcgMode is 1 or more
    TcgOnWithPoints,    // ... and TcgPresent with points to write
    TcgOnWithCurve,     // ... and TcgCurvePresent
    WaveformPresent,
};

enum class InstrumentAccess {
    None,       // no parameter code (PC-only field, or filled from another reply)
    ReadWrite,  // read with "R" + code, written with "W" + code + value
    ReadOnly,   // read from the instrument, never written to it
};

struct RecordField {
    std::string_view name;            // "Range", "Gates[0].State", ...
    std::string_view fileKey;         // key in the saved-items file
    std::string_view instrumentCode;  // empty when access is None
    InstrumentAccess access;
    FieldKind kind;
    WriteWhen when;
    // Text fields: either a member of RecordSettings, or a member of one gate.
    QString RecordSettings::*member = nullptr;
    int gate = -1;
    QString Gate::*gateMember = nullptr;
    bool repeat = false;  // a second line of a field already listed (ES)

    bool isText() const { return kind == FieldKind::Text || kind == FieldKind::Memo; }
    // Only for text fields (isText()).
    const QString& text(const RecordSettings& s) const;
    QString& text(RecordSettings& s) const;
};

// Every entry, in saved-items file order.
std::span<const RecordField> recordFields();

// Lookup by file key (exact, case-sensitive; the first entry for ES) or by instrument
// code; nullptr when there is none.
const RecordField* fieldByFileKey(std::string_view key);
const RecordField* fieldByInstrumentCode(std::string_view code);
const RecordField* fieldByName(std::string_view name);

} // namespace tovu::items
