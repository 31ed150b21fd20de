// A full memory of the largest instrument: every ALog and panel of the store with all
// its parts filled (the shared full sample item), differing from item to item.
#pragma once

#include "app/items/ItemStore.h"
#include "support/SampleRecords.h"

#include <cstddef>

namespace tovu::bench {

inline void fillFullMemory(items::ItemStore& store)
{
    for (int i = 1; i <= store.MaxALogs; ++i)
        store.ALogs[static_cast<std::size_t>(i)] = test::fullItem(i, true);
    for (int i = 1; i <= store.MaxPanels; ++i)
        store.Panels[static_cast<std::size_t>(i)] = test::fullItem(i, false);
}

} // namespace tovu::bench
