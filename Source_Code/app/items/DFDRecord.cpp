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
