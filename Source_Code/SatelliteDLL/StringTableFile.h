// Reading the string-table text files of the language libraries and of the program, and
// writing them out as C source. The file format is described in SatelliteDLL/README.md.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tovu::satellite {

struct ParseResult {
    std::map<int, std::string> entries; // id -> UTF-8 text, escapes decoded
    std::string error;                  // "line N: ..." when the text is not a valid table
    bool ok() const { return error.empty(); }
};

// Parses a whole table file. Any fault (bad id, missing tab, unknown escape, id twice,
// invalid UTF-8) fails the whole table: a table that builds is a table that is complete.
ParseResult parseStringTable(std::string_view fileText);

// C source defining `const TovuStringTable <symbol>` with the entries in ascending id order.
std::string compileStringTable(const std::map<int, std::string> &entries, const std::string &symbol);

} // namespace tovu::satellite
