#pragma once
// The item arrays and the counts that describe the connected instrument. The program
// creates one store at start-up and passes it by reference; tests build their own.

#include "app/items/DFDRecord.h"
#include "app/items/ModelTable.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tovu::items {

constexpr int kMaxPanelSlots = 100;    // largest panel memory of any model
constexpr int kMaxALogSlots = 10000;   // largest ALog memory of any model

struct MemorySizes {
    std::int16_t MaxPanels;
    std::int16_t MaxALogs;
};

// Panel and ALog counts of a memory generation (0, 1 or 2); any other value is
// treated as generation 0, the smallest memory.
MemorySizes sizesOfGeneration(int generation);

// Memory generation of a model code: below 19 is 0, 19 to 35 is 1, 36 and above is 2.
std::int16_t MemoryGenerationOfModel(int modelCode);

// Resets a record to receive a new item (see ItemStore::ClearDFDRecord).
void ClearRecord(DFDRecord& r);

class ItemStore {
public:
    // Start-up state: generation 0 with the counts of the largest memory (100 panels,
    // 10000 ALogs), all records empty.
    ItemStore();

    // Records 0 .. MaxALogs + MaxPanels: ALogs at 1 .. MaxALogs, panels after them;
    // record 0 holds the live settings during a transfer.
    std::vector<DFDRecord> WorkItems;
    std::vector<DFDRecord> Panels;  // 0 .. MaxPanels, used from 1
    std::vector<DFDRecord> ALogs;   // 0 .. MaxALogs, used from 1

    std::int16_t MaxPanels = kMaxPanelSlots;
    std::int16_t MaxALogs = kMaxALogSlots;
    std::int16_t MemoryGeneration = 0;
    std::int16_t FirmwareVersion = 0;  // 2 or 3 from the instrument; 0 after a file load
    std::int32_t ThicknessCount = 0;

    // Per-slot occupancy on the instrument, filled by the status read; fixed sizes.
    std::array<bool, kMaxPanelSlots + 1> PanelOccupied{};
    std::array<bool, kMaxALogSlots + 1> ALogOccupied{};

    bool LiveSettingsShown = false;

    // Model names by model code; filled at construction, InitModelNames refills it.
    ModelNameTable ModelNames = makeModelNames();

    // Sets the generation and its counts and re-creates the three arrays empty at the
    // new sizes, whatever the current generation; held records are discarded.
    void RecreateArrays(int generation);

    // What identifying a model does to the arrays: re-creates them only when the
    // generation differs from MemoryGeneration. True when they were re-created.
    bool ApplyMemoryGeneration(int generation);

    // Resets WorkItems[index] to receive a new item. Throws std::out_of_range when the
    // index is outside the array.
    void ClearDFDRecord(int index);

    DFDRecord& workItem(int index);  // bounds-checked (std::out_of_range)

private:
    void createArrays(std::int16_t maxPanels, std::int16_t maxALogs);
};

} // namespace tovu::items
