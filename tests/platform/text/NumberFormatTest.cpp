// The display's number patterns and the readings of setting texts it relies on.

#include "platform/text/NumberText.h"

#include <gtest/gtest.h>

using namespace tovu::platform::text;

TEST(NumberFormat, PatternsWithEitherDecimalSeparator)
{
    struct Case {
        double value;
        const char* pattern;
        const char* point;
        const char* comma;
    };
    const Case cases[] = {
        {25, "0.##", "25.", "25,"},          // a whole number keeps its separator
        {25.5, "0.##", "25.5", "25,5"},
        {12.345, "0.##", "12.35", "12,35"},  // 12.345 lies above the half in binary
        {0.004, "0.##", "0.", "0,"},
        {-3.25, "0.##", "-3.25", "-3,25"},
        {-0.001, "0.##", "0.", "0,"},        // no minus sign on a value that rounds to 0
        {50, "###0.00", "50.00", "50,00"},
        {0.5, "###0.00", "0.50", "0,50"},
        {1234.5, "###0.00", "1234.50", "1234,50"},
        {76.602540378, "0.00", "76.60", "76,60"},
        {10, "0.000", "10.000", "10,000"},
        {0.0625, "0.000", "0.063", "0,063"},  // binary 0.0625 is exact: half to even
        {7, "0", "7", "7"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatNumber(c.value, QString::fromLatin1(c.pattern), u"."), QLatin1String(c.point))
            << c.value << " " << c.pattern;
        EXPECT_EQ(formatNumber(c.value, QString::fromLatin1(c.pattern), u","), QLatin1String(c.comma))
            << c.value << " " << c.pattern;
    }
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), u"0.00", u"."), QString());
    EXPECT_EQ(formatNumber(std::nan(""), u"0.00", u"."), QString());
}

TEST(NumberFormat, GeneralNumberUsesTheLocaleSeparator)
{
    EXPECT_EQ(generalNumber(50, u","), u"50");
    EXPECT_EQ(generalNumber(0.5, u","), u"0,5");
    EXPECT_EQ(generalNumber(0.5, u"."), u"0.5");
    EXPECT_EQ(generalNumber(-12.25, u","), u"-12,25");
}

TEST(NumberFormat, ValReadingOfTheSettingsGrid)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"050", 50},   {"0.50", 0.5},  {" 1 2 ", 12},   {"\t3\n4", 34}, {"N/A", 0},   {"", 0},
        {"&H1F", 31},  {"&hff", 255},  {"&O17", 15},    {"1E3", 1000},  {"2D2", 200}, {"-4.5x", -4.5},
        {"1E10", 1e10}, {"&Hxyz", 0},  {".5", 0.5},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(valOfText(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(NumberFormat, StrictReadingFailsOnAnythingButANumber)
{
    EXPECT_EQ(strictValueOfText(u"2", u"."), 2.0);
    EXPECT_EQ(strictValueOfText(u" 2 ", u"."), 2.0);
    EXPECT_EQ(strictValueOfText(u"-1.5", u"."), -1.5);
    EXPECT_EQ(strictValueOfText(u"1,5", u","), 1.5);
    EXPECT_EQ(strictValueOfText(u"1e2", u"."), 100.0);
    for (const char* bad : {"N/A", "", "2x", "1.5", "--", "1e", "+"})
        EXPECT_FALSE(strictValueOfText(QString::fromUtf8(bad), u",").has_value()) << bad;
}

TEST(NumberFormat, SinglePrecisionWithoutUndefinedCasts)
{
    EXPECT_EQ(singlePrecision(0.1), static_cast<double>(0.1f));
    EXPECT_EQ(singlePrecision(1e300), std::numeric_limits<double>::infinity());
    EXPECT_EQ(singlePrecision(-1e300), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(singlePrecision(std::nan(""))));
}
