#pragma once
// The program's own string table (English, United Kingdom), compiled in from
// StringTable.txt beside this header. It answers whatever the language library lacks.

#include "SatelliteDLL/StringTable.h"

extern "C" const TovuStringTable tovu_own_string_table;
