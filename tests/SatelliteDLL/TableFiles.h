#pragma once
// The string-table files of the source tree, read for the tests.

#include "SatelliteDLL/StringTableFile.h"

#include <map>
#include <string>

namespace tovu::satellite::test {

struct TableInfo {
    std::string name;   // "own" for the program's table, else the library's locale code
    std::string folder; // path below Source_Code
};

// The program's own table and the seven library tables.
const std::map<std::string, TableInfo>& tableFiles();

// Parses a table file; the test fails (and an empty table returns) when it does not parse.
std::map<int, std::string> loadTable(const std::string& name);

} // namespace tovu::satellite::test
