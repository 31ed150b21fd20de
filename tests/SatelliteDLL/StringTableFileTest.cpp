// The table-file format: escapes, comments, and every fault that must stop the build.
#include "SatelliteDLL/StringTableFile.h"

#include <gtest/gtest.h>

using tovu::satellite::parseStringTable;

TEST(StringTableFile, DecodesEntriesEscapesAndTrailingBlanks)
{
    const auto r = parseStringTable("# a comment\n"
                                    "\n"
                                    "101\tFile\\s\n"
                                    "7\ta\\tb\\nc\\rd\\\\e\n"
                                    "548\tCOM\\s\\s\r\n"
                                    "20\t\n"
                                    "3021\t-\\s\n"
                                    "419\t\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA" // Cyrillic passes as it is
                                    "\n999\t##### VT 230 Resources ####"); // last line without a newline
    ASSERT_TRUE(r.ok()) << r.error;
    const std::map<int, std::string> expected = {
        {7, "a\tb\nc\rd\\e"}, {20, ""}, {101, "File "}, {419, "\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA"},
        {548, "COM  "},       {999, "##### VT 230 Resources ####"}, {3021, "- "},
    };
    EXPECT_EQ(r.entries, expected);
}

TEST(StringTableFile, PlainBlankInsideOrBeforeTextIsKept)
{
    const auto r = parseStringTable("184\t into Panel\\s\n");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.entries.at(184), " into Panel ");
}

TEST(StringTableFile, FaultsFailTheWholeTableWithTheLine)
{
    const struct {
        const char* text;
        const char* line;
    } cases[] = {
        {"1\tok\n2 no tab\n", "line 2:"},
        {"1\tok\nx\ttext\n", "line 2:"},
        {"\ttext\n", "line 1:"},
        {"-5\ttext\n", "line 1:"},
        {"12a\ttext\n", "line 1:"},
        {"99999999999\ttext\n", "line 1:"},
        {"1\tbad \\q escape\n", "line 1:"},
        {"1\tends in a backslash\\\n", "line 1:"},
        {"1\ta\ttab inside\n", "line 1:"},
        {"1\tone\n# c\n1\ttwice\n", "line 3:"},
        {"1\t\xC3\n", "line 1:"},          // truncated sequence
        {"1\t\xC0\xAF\n", "line 1:"},      // overlong form
        {"1\t\xED\xA0\x80\n", "line 1:"},  // surrogate
        {"1\t\xFF\n", "line 1:"},
    };
    for (const auto& c : cases) {
        const auto r = parseStringTable(c.text);
        EXPECT_FALSE(r.ok()) << c.text;
        EXPECT_TRUE(r.entries.empty()) << c.text;
        EXPECT_EQ(r.error.rfind(c.line, 0), 0u) << c.text << " -> " << r.error;
    }
}
