#include "app/items/DFDRecord.h"

namespace tovu::items {

const RecordSettings& DFDRecord::emptySettings()
{
    static const RecordSettings empty;
    return empty;
}

const RecordCurves& DFDRecord::emptyCurves()
{
    static const RecordCurves empty;
    return empty;
}

const RecordSettings& DFDRecord::clearedSettings()
{
    static const RecordSettings cleared = [] {
        RecordSettings s;
        const QString blank = QStringLiteral(" ");
        s.NoteLabel = s.NoteOperator = s.NoteLocation = s.NoteProbe = s.NoteText = s.Memo = blank;
        return s;
    }();
    return cleared;
}

bool DFDRecord::shareClearedSettings()
{
    if (texts_ && !(*texts_.get() == clearedSettings()))
        return false;
    texts_.reset();
    blankNotes_ = true;
    return true;
}

// Equality by content: an unallocated block equals an allocated one that holds defaults.
bool DFDRecord::operator==(const DFDRecord& o) const
{
    return ModelIndex == o.ModelIndex && DataVersion == o.DataVersion && InUse == o.InUse
        && DacPresent == o.DacPresent && TcgPresent == o.TcgPresent
        && WaveformPresent == o.WaveformPresent && DacCurvePresent == o.DacCurvePresent
        && AvgCurvePresent == o.AvgCurvePresent && TcgCurvePresent == o.TcgCurvePresent
        && settings() == o.settings() && curves() == o.curves();
}

} // namespace tovu::items
