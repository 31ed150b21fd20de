#pragma once
// One memory item of an instrument, a panel (a stored set-up) or an ALog (a stored
// A-scan with the set-up it was taken under). Settings are kept as the text the
// instrument sent; they become numbers only where a computation needs one.
//
// The record is a plain value. Its texts and its curve arrays live in two blocks that
// are allocated on first write, so the 20 000 empty records the program creates at
// start-up cost almost nothing. Read through settings()/curves() (never allocates),
// write through editSettings()/editCurves(). A copy of a record shares the blocks until
// either side writes (see CopyPtr), so a reference from editSettings()/editCurves() is
// used at once and not kept across a copy of its record.

#include "app/items/CopyPtr.h"

#include <QString>
#include <array>
#include <cstdint>

namespace tovu::items {

// One gate: gate A (0), gate B (1), the interface gate I (2) and a spare (3).
struct Gate {
    QString State;  // 0 OFF, 1 On +Ve, 2 On -Ve, 3 Expand; drawn when not 0
    QString Start;
    QString Width;
    QString Level;

    bool operator==(const Gate&) const = default;
};

constexpr int kGateCount = 4;
constexpr int kPointSlots = 11;  // DAC and TCG point lists, elements 1 to 10 used
constexpr int kMaxPoints = 10;
constexpr int kCurveLength = 256;

using PointList = std::array<QString, kPointSlots>;
using Curve = std::array<std::int16_t, kCurveLength>;

// Every text field of the record, in declared order.
struct RecordSettings {
    QString IdentText;
    QString SlotText;
    QString ProbeZero, Velocity, Range, Delay, Gain, GainRef;
    QString UZ, UU;
    QString Frequency, FrequencyText, Detect, Reject, Contour;
    QString TxWidth, Damping, TxMode, PrfMax, Volts, PE;
    std::array<Gate, kGateCount> Gates;
    QString MeasMode, TrigMode, Hud, HS, TMin, Blank, Angle, Thickness;
    QString Distance, Peak, XOffset, PM, Dist1, Dist2;
    QString DacMode, DacCurveSet, TR, DacPointCount;
    PointList DacX, DacY;
    QString DD, DR;
    QString DH, HM, DB;
    QString TcgMode, YS, TcgPointCount;
    PointList TcgX, TcgY;
    QString YD, YR;
    QString YG, YH, YT, YB, YA;
    QString AwsMode, AwsRef, IlDb, AfDb, IrDb;
    QString AvgMode, AvgProbe, AP, EF, EJ, MatDb, RefDb, TLoss, Ers, RefHole;
    QString EP, EQ, ER, ES, EH;
    QString AgcMode, AgcHeight;
    QString Units, Click, Alarm, Smooth;
    QString Video, DisplayType, Colour, Bright, Graticule;
    QString PoutMode, Output1, Output2, OutputTrigger;
    QString NoteLabel, NoteOperator, NoteLocation, NoteProbe, NoteText;
    QString Memo;  // kept on the PC only; lines separated by CR LF
    QString TimeStamp;

    bool operator==(const RecordSettings&) const = default;
};

// The 16-bit sample arrays: the trace and the DAC, AVG and TCG curves.
struct RecordCurves {
    Curve WaveMin{};
    Curve WaveMax{};
    Curve DacCurveA{};
    Curve DacCurveB{};  // an element holding -1 marks data generation 3
    Curve AvgCurveA{};
    Curve AvgCurveB{};
    Curve TcgCurve{};

    bool operator==(const RecordCurves&) const = default;
};

struct DFDRecord {
    std::int16_t ModelIndex = 0;  // index into ModelNames, 0 = "UNKNOWN MODEL"
    double DataVersion = 0;       // 2 or 3; 0 when not determined
    bool InUse = false;
    bool DacPresent = false;
    bool TcgPresent = false;
    bool WaveformPresent = false;
    bool DacCurvePresent = false;
    bool AvgCurvePresent = false;
    bool TcgCurvePresent = false;

    const RecordSettings& settings() const
    {
        return texts_ ? *texts_.get() : blankNotes_ ? clearedSettings() : emptySettings();
    }
    RecordSettings& editSettings()
    {
        return blankNotes_ ? texts_.ensure(clearedSettings()) : texts_.ensure();
    }

    const RecordCurves& curves() const { return curves_ ? *curves_.get() : emptyCurves(); }
    RecordCurves& editCurves() { return curves_.ensure(); }

    // True when the block has been allocated (for memory accounting and tests).
    bool holdsSettings() const { return static_cast<bool>(texts_); }
    bool holdsCurves() const { return static_cast<bool>(curves_); }
    void dropCurves() { curves_.reset(); }

    // A reset record whose texts are all empty except the five notes and the memo,
    // which hold one blank, needs no block of its own: it shares one prototype.
    // Returns false (and changes nothing) when the texts are not in that state.
    bool shareClearedSettings();
    static const RecordSettings& clearedSettings();

    bool operator==(const DFDRecord& o) const;

private:
    static const RecordSettings& emptySettings();
    static const RecordCurves& emptyCurves();

    CopyPtr<RecordSettings> texts_;
    bool blankNotes_ = false;  // without a block, the texts are clearedSettings()
    CopyPtr<RecordCurves> curves_;
};

} // namespace tovu::items
