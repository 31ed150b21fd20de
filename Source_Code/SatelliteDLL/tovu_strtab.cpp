// Build-time tool: turns one string-table text file into C source.
// Usage: tovu_strtab <table.txt> <output.c> <symbol>
#include "SatelliteDLL/StringTableFile.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: tovu_strtab <table.txt> <output.c> <symbol>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const auto parsed = tovu::satellite::parseStringTable(text.str());
    if (!parsed.ok()) {
        std::cerr << argv[1] << ": " << parsed.error << "\n";
        return 1;
    }
    // Written to a side file first so a failed run never leaves a half-written source behind.
    const std::string tmp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << tovu::satellite::compileStringTable(parsed.entries, argv[3]);
        if (!out.flush()) {
            std::cerr << tmp << ": cannot be written\n";
            return 1;
        }
    }
    if (std::rename(tmp.c_str(), argv[2]) != 0) {
        std::cerr << argv[2] << ": cannot be replaced\n";
        return 1;
    }
    return 0;
}
