#include "app/items/ItemStore.h"

#include <stdexcept>
#include <string>

namespace tovu::items {

MemorySizes sizesOfGeneration(int generation)
{
    switch (generation) {
    case 1:
        return {100, 800};
    case 2:
        return {100, 10000};
    default:
        return {20, 100};
    }
}

std::int16_t MemoryGenerationOfModel(int modelCode)
{
    if (modelCode < 19)
        return 0;
    if (modelCode <= 35)
        return 1;
    return 2;
}

ItemStore::ItemStore()
{
    createArrays(kMaxPanelSlots, kMaxALogSlots);
}

void ItemStore::createArrays(std::int16_t maxPanels, std::int16_t maxALogs)
{
    MaxPanels = maxPanels;
    MaxALogs = maxALogs;
    // Fresh vectors rather than resize: nothing of the old records may survive.
    WorkItems = std::vector<DFDRecord>(static_cast<std::size_t>(maxALogs) + maxPanels + 1);
    Panels = std::vector<DFDRecord>(static_cast<std::size_t>(maxPanels) + 1);
    ALogs = std::vector<DFDRecord>(static_cast<std::size_t>(maxALogs) + 1);
}

void ItemStore::RecreateArrays(int generation)
{
    const MemorySizes sizes = sizesOfGeneration(generation);
    MemoryGeneration = static_cast<std::int16_t>(generation == 1 || generation == 2 ? generation : 0);
    createArrays(sizes.MaxPanels, sizes.MaxALogs);
}

bool ItemStore::ApplyMemoryGeneration(int generation)
{
    if (generation == MemoryGeneration)
        return false;
    RecreateArrays(generation);
    return true;
}

DFDRecord& ItemStore::workItem(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= WorkItems.size())
        throw std::out_of_range("WorkItems index " + std::to_string(index) + " outside 0.."
                                + std::to_string(WorkItems.size() - 1));
    return WorkItems[static_cast<std::size_t>(index)];
}

void ItemStore::ClearDFDRecord(int index)
{
    ClearRecord(workItem(index));
}

void ClearRecord(DFDRecord& r)
{
    r.InUse = false;
    r.DacPresent = false;
    r.TcgPresent = false;
    r.WaveformPresent = false;
    r.DacCurvePresent = false;
    r.AvgCurvePresent = false;
    r.TcgCurvePresent = false;
    r.DataVersion = 0;
    // All seven sample arrays read as zeros once the block is gone.
    r.dropCurves();

    // A record that holds no kept text ends up as the shared cleared prototype, so
    // clearing every working record costs no memory per record.
    if (!r.holdsSettings() || r.settings() == DFDRecord::clearedSettings()) {
        r.shareClearedSettings();
        return;
    }
    RecordSettings& s = r.editSettings();
    for (PointList* list : {&s.DacX, &s.DacY, &s.TcgX, &s.TcgY})
        list->fill(QString());
    for (int g = 0; g < 3; ++g)
        s.Gates[static_cast<std::size_t>(g)] = Gate{};

    // Notes become one blank, not empty.
    static const QString blank = QStringLiteral(" ");
    for (QString* note : {&s.NoteLabel, &s.NoteOperator, &s.NoteLocation, &s.NoteProbe,
                          &s.NoteText, &s.Memo})
        *note = blank;

    // ModelIndex, IdentText, SlotText, TimeStamp, UZ, UU, FrequencyText, Volts, Distance,
    // Peak, DH, HM, DB, EF, EJ, EP, EQ, ER, ES, EH, DisplayType and gate 3 are left as
    // they are: whoever fills the record next overwrites them or lets them stand.
    for (QString* text : {
             &s.ProbeZero, &s.Velocity, &s.Range, &s.Delay, &s.Gain, &s.GainRef, &s.Frequency,
             &s.Detect, &s.Reject, &s.Contour, &s.TxWidth, &s.Damping, &s.TxMode, &s.PrfMax,
             &s.PE, &s.MeasMode, &s.TrigMode, &s.Hud, &s.HS, &s.TMin, &s.Blank, &s.Angle,
             &s.Thickness, &s.XOffset, &s.PM, &s.Dist1, &s.Dist2, &s.DacMode, &s.DacCurveSet,
             &s.TR, &s.DacPointCount, &s.DD, &s.DR, &s.TcgMode, &s.YS, &s.TcgPointCount,
             &s.YD, &s.YR, &s.YG, &s.YH, &s.YT, &s.YB, &s.YA, &s.AwsMode, &s.AwsRef, &s.IlDb,
             &s.AfDb, &s.IrDb, &s.AvgMode, &s.AvgProbe, &s.AP, &s.MatDb, &s.RefDb, &s.TLoss,
             &s.Ers, &s.RefHole, &s.AgcMode, &s.AgcHeight, &s.Units, &s.Click, &s.Alarm,
             &s.Smooth, &s.Video, &s.Colour, &s.Bright, &s.Graticule, &s.PoutMode,
             &s.Output1, &s.Output2, &s.OutputTrigger})
        text->clear();
    r.shareClearedSettings();  // takes effect only when nothing kept remains
}

} // namespace tovu::items
