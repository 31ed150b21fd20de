// Every text the window and the reports ask for is in the string tables: each named id in
// the program's own table, each added text in all eight tables, translated where the
// table's language is not English, with its placeholders and edge blanks kept; and no
// window or report source asks for an id by bare number, so the named list is complete.
#include "TableFiles.h"
#include "app/resources/StringIds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using namespace tovu::satellite::test;
using tovu::resources::kFirstAddedStringId;
using tovu::resources::kNamedStringIds;

namespace {

const std::set<std::string> kEnglishTables = {"809", "409", "40b"};
const std::set<std::string> kTranslatedTables = {"407", "40c", "40a", "419"};

// Added texts that are the same word in the table's language as in English.
const std::set<std::pair<std::string, int>> kSameAsEnglish = {
    {"407", 6281}, {"40c", 6281},  // "Version "
    {"407", 6292}, {"40c", 6292},  // "OK"
    {"40a", 6295},                 // "No"
    {"407", 6122}, {"40a", 6122},  // "Panel"
    {"407", 6123}, {"40a", 6123}, {"40c", 6123}, {"419", 6123},  // "ALog", the instruments' word
    {"407", 6170}, {"40c", 6170},  // "Bitmap"
};

// What a translation must keep of the English text: the placeholders in order, the line
// breaks, and the blanks at either end (the texts are joined to others).
struct Shape {
    std::vector<std::string> placeholders;
    int lineBreaks = 0;
    bool leadingBlank = false;
    bool trailingBlank = false;
    bool operator==(const Shape&) const = default;
};

Shape shapeOf(const std::string& text)
{
    Shape s;
    static const std::regex placeholder("%[0-9]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator(); ++it)
        s.placeholders.push_back(it->str());
    for (char c : text)
        s.lineBreaks += c == '\n';
    s.leadingBlank = !text.empty() && text.front() == ' ';
    s.trailingBlank = !text.empty() && text.back() == ' ';
    return s;
}

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(StringIds, NamesAndIdsAreEachListedOnce)
{
    std::set<std::string> names;
    std::set<int> ids;
    for (const auto& named : kNamedStringIds) {
        EXPECT_TRUE(names.insert(named.name).second) << named.name;
        EXPECT_TRUE(ids.insert(named.id).second) << named.name << " " << named.id;
    }
}

TEST(StringIds, EveryNamedIdHasATextInTheProgramsOwnTable)
{
    const auto own = loadTable("own");
    for (const auto& named : kNamedStringIds) {
        const auto entry = own.find(named.id);
        ASSERT_NE(entry, own.end()) << named.name << " " << named.id;
        EXPECT_FALSE(entry->second.empty()) << named.name << " " << named.id;
    }
}

TEST(StringIds, EveryAddedTextIsInEveryTableTranslatedAndOfTheSameShape)
{
    const auto own = loadTable("own");
    std::set<int> added;
    for (const auto& [id, text] : own)
        if (id >= kFirstAddedStringId)
            added.insert(id);
    for (const auto& named : kNamedStringIds)
        if (named.id >= kFirstAddedStringId) {
            EXPECT_TRUE(added.count(named.id)) << named.name;
        }

    for (const auto& [name, info] : tableFiles()) {
        if (name == "own")
            continue;
        const auto table = loadTable(name);
        for (const auto& [id, text] : table)
            if (id >= kFirstAddedStringId) {
                EXPECT_TRUE(added.count(id)) << name << " holds " << id << ", which the program's own table lacks";
            }
        for (int id : added) {
            const auto entry = table.find(id);
            if (entry == table.end()) {
                ADD_FAILURE() << name << " lacks " << id << " (\"" << own.at(id) << "\")";
                continue;
            }
            const std::string& english = own.at(id);
            const std::string& text = entry->second;
            EXPECT_FALSE(text.empty()) << name << " " << id;
            EXPECT_EQ(shapeOf(text), shapeOf(english)) << name << " " << id << ": \"" << text << "\"";
            if (kEnglishTables.count(name)) {
                EXPECT_EQ(text, english) << name << " " << id;
            } else if (kTranslatedTables.count(name) && !kSameAsEnglish.count({name, id})) {
                EXPECT_NE(text, english) << name << " " << id << " is an English copy";
            }
        }
    }
}

TEST(StringIds, TheWindowAndTheReportsAskForNoIdByBareNumber)
{
    // A bare number would bypass the named list above, and with it the table checks.
    const std::regex bare(R"(GetResString\s*\(\s*[0-9])");
    const std::filesystem::path app = std::filesystem::path(TOVU_SOURCE_DIR) / "Source_Code" / "app";
    int files = 0;
    for (const char* folder : {"mainwindow", "reports"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(app / folder)) {
            if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h")
                continue;
            ++files;
            const std::string text = fileText(entry.path());
            std::smatch m;
            EXPECT_FALSE(std::regex_search(text, m, bare)) << entry.path() << ": " << m.str();
        }
    }
    EXPECT_GT(files, 0) << "no sources under " << app;
}
