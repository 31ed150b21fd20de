// Cell texts under their number formats, as the spreadsheet shows them.
#include "platform/office/excel/NumberFormat.h"

#include <gtest/gtest.h>

namespace tovu::platform::excel {
namespace {

struct Case {
    const char* code;
    double value;
    const char* text;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << '\'' << c.code << "' of " << c.value;
}

class NumberTextTest : public ::testing::TestWithParam<Case> {};

TEST_P(NumberTextTest, ShowsTheValueAsItsFormatSays)
{
    const Case& c = GetParam();
    EXPECT_EQ(NumberFormat(QString::fromUtf8(c.code)).format(c.value).toStdString(), c.text)
        << c.code << " of " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberTextTest,
    ::testing::Values(
        Case{"General", 3, "3"}, Case{"General", 2.5, "2.5"}, Case{"General", -1.5, "-1.5"},
        Case{"General", 1.0 / 3, "0.333333333"}, Case{"General", 2.0 / 3 * 100, "66.66666667"},
        Case{"General", 123456789012.0, "1.23457E+11"}, Case{"General", 0.00001, "1E-05"},
        Case{"General", 0.1 + 0.2, "0.3"}, Case{"", 7, "7"},
        // Rounding half away from zero on the shown digits, not on the binary value.
        Case{"0.00", 2.675, "2.68"}, Case{"0.00", 1.005, "1.01"}, Case{"0", 2.5, "3"}, Case{"0", -2.5, "-3"},
        Case{"#,##0.00", 1234567.891, "1,234,567.89"}, Case{"#,##0", -1234, "-1,234"}, Case{"#,##0", 5, "5"},
        Case{"0%", 0.256, "26%"}, Case{"0.00%", 0.5, "50.00%"}, Case{"0.00E+00", 12345, "1.23E+04"},
        Case{"0.00E+00", 0.000123, "1.23E-04"}, Case{"##0.0E+0", 12345, "12.3E+3"},
        Case{"000", 7, "007"}, Case{"#.##", 0.5, ".5"}, Case{"0.0,,", 1234567, "1.2"},
        Case{"0.0?", 1.5, "1.5 "}, Case{"0 \"kg\"", 12, "12 kg"},
        // Currency: quoted and bracketed signs, padding, a negative section in parentheses.
        Case{"\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)", 1234.5, "$1,234.50 "},
        Case{"\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)", -1234.5, "($1,234.50)"},
        Case{"[$\xE2\x82\xAC-407] #,##0.00", 5, "\xE2\x82\xAC 5.00"},
        Case{"\xC2\xA3#,##0.00;[Red]-\xC2\xA3#,##0.00", -3, "-\xC2\xA3" "3.00"},
        Case{"$#,##0.00", -3, "-$3.00"},
        Case{"0;-0;\"zero\"", 0, "zero"}, Case{"0;-0;\"zero\"", -4, "-4"}, Case{"0;;", -4, ""},
        // Dates and times from serials of the 1900 system.
        Case{"yyyy-mm-dd", 45000, "2023-03-15"}, Case{"d-mmm-yy", 45000, "15-Mar-23"},
        Case{"dddd, mmmm d, yyyy", 45000, "Wednesday, March 15, 2023"},
        Case{"m/d/yyyy h:mm", 45000.5, "3/15/2023 12:00"}, Case{"h:mm AM/PM", 0.75, "6:00 PM"},
        Case{"h:mm:ss am/pm", 0.25, "6:00:00 am"}, Case{"[h]:mm:ss", 1.5, "36:00:00"},
        Case{"mm:ss.0", 61.25 / 86400, "01:01.3"}, Case{"hh:mm:ss", 0.999999, "00:00:00"},
        Case{"yyyy-mm-dd", 59, "1900-02-28"}, Case{"yyyy-mm-dd", 60, "1900-02-29"},
        Case{"yyyy-mm-dd", 61, "1900-03-01"}, Case{"yyyy-mm-dd", 1, "1900-01-01"}));

TEST(NumberFormat, TellsDatesAndCurrenciesFromOtherNumbers)
{
    EXPECT_TRUE(NumberFormat(QStringLiteral("d-mmm-yy")).isDate());
    EXPECT_TRUE(NumberFormat(QStringLiteral("[h]:mm")).isDate());
    EXPECT_FALSE(NumberFormat(QStringLiteral("0.00E+00")).isDate());
    EXPECT_FALSE(NumberFormat(QStringLiteral("General")).isDate());
    EXPECT_FALSE(NumberFormat(QStringLiteral("\"days\" 0")).isDate());
    EXPECT_TRUE(NumberFormat(QStringLiteral("\"$\"#,##0.00")).isCurrency());
    EXPECT_TRUE(NumberFormat(QStringLiteral("[$EUR-407] 0.00")).isCurrency());
    EXPECT_FALSE(NumberFormat(QStringLiteral("[$-409]0.00")).isCurrency());
    EXPECT_FALSE(NumberFormat(QStringLiteral("#,##0.00")).isCurrency());
}

TEST(NumberFormat, The1904SystemCountsFromItsOwnStart)
{
    EXPECT_EQ(NumberFormat(QStringLiteral("yyyy-mm-dd")).format(0, true), QStringLiteral("1904-01-01"));
    EXPECT_EQ(NumberFormat(QStringLiteral("yyyy-mm-dd")).format(45000 - 1462, true), QStringLiteral("2023-03-15"));
    EXPECT_EQ(automationDateOfSerial(0, true), 1462.0);
    EXPECT_EQ(automationDateOfSerial(45000, false), 45000.0);
    // Before the phantom 29 February 1900 the automation date is one day ahead.
    EXPECT_EQ(automationDateOfSerial(1, false), 2.0);
    // A time alone is the same fraction of day 0, in either system's serial below 1.
    EXPECT_EQ(automationDateOfSerial(0.25, false), 0.25);
    EXPECT_EQ(automationDateOfSerial(0, false), 0.0);
}

TEST(NumberFormat, TextSectionsWrapTexts)
{
    EXPECT_EQ(NumberFormat(QStringLiteral("0;-0;0;\"<\"@\">\"")).formatText(QStringLiteral("a")), QStringLiteral("<a>"));
    EXPECT_EQ(NumberFormat(QStringLiteral("@")).formatText(QStringLiteral(" x ")), QStringLiteral(" x "));
    EXPECT_EQ(NumberFormat(QStringLiteral("0.00")).formatText(QStringLiteral("t")), QStringLiteral("t"));
}

} // namespace
} // namespace tovu::platform::excel
