#include "control/InsertionPoint.h"
#include "control/VerboltEnums.h"

#include <gtest/gtest.h>

namespace tovu::control {
namespace {

TEST(GetInsertionPointBookmark, EveryMemberAndOutOfRangeValues)
{
    const struct {
        std::int32_t value;
        const char* bookmark;
    } cases[] = {
        {vrbEndofDoc, "\\EndOfDoc"},   {vrbPage, "\\Page"},           {vrbCurLine, "\\Line"},
        {vrbCharacter, "\\Char"},      {vrbParagraph, "\\Para"},      {vrbCursor, "\\Sel"},
        {vrbStartOfSel, "\\StartOfSel"}, {vrbEndOfSel, "\\EndOfSel"}, {vrbSection, "\\Section"},
        {vrbHeading, "\\HeadingLevel"}, {vrbStartofDoc, "\\StartOfDoc"}, {vrbDoc, "\\Doc"},
        {12, "\\EndOfDoc"},            {-1, "\\EndOfDoc"},            {INT32_MIN, "\\EndOfDoc"},
        {INT32_MAX, "\\EndOfDoc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetInsertionPointBookmark(c.value), QString::fromLatin1(c.bookmark)) << c.value;
}

} // namespace
} // namespace tovu::control
