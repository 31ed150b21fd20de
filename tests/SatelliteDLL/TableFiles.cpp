#include "TableFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tovu::satellite::test {

const std::map<std::string, TableInfo>& tableFiles()
{
    static const std::map<std::string, TableInfo> files = {
        {"own", {"own", "app/resources"}},      {"407", {"407", "SatelliteDLL/German"}},
        {"419", {"419", "SatelliteDLL/Russian"}}, {"409", {"409", "SatelliteDLL/EnglishUS"}},
        {"40b", {"40b", "SatelliteDLL/Finnish"}}, {"809", {"809", "SatelliteDLL/EnglishUK"}},
        {"40a", {"40a", "SatelliteDLL/Spanish"}}, {"40c", {"40c", "SatelliteDLL/French"}},
    };
    return files;
}

std::map<int, std::string> loadTable(const std::string& name)
{
    const std::string path = std::string(TOVU_SOURCE_DIR) + "/Source_Code/" + tableFiles().at(name).folder +
                             "/StringTable.txt";
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    std::ostringstream text;
    text << in.rdbuf();
    auto parsed = parseStringTable(text.str());
    EXPECT_TRUE(parsed.ok()) << path << ": " << parsed.error;
    return parsed.entries;
}

} // namespace tovu::satellite::test
