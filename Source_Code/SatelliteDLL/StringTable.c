#include "SatelliteDLL/StringTable.h"

const TovuStringEntry *tovu_find_string(const TovuStringTable *table, int id)
{
    unsigned lo = 0;
    unsigned hi = table->count;
    while (lo < hi) {
        unsigned mid = lo + (hi - lo) / 2;
        const TovuStringEntry *e = &table->entries[mid];
        if (e->id == id)
            return e;
        if (e->id < id)
            lo = mid + 1;
        else
            hi = mid;
    }
    return 0;
}
