#include "platform/text/FieldText.h"

#include <gtest/gtest.h>

using namespace tovu::platform::text;

TEST(ItemText, StrictInt16)
{
    const struct { const char* text; std::optional<std::int16_t> value; } cases[] = {
        {"0", 0},          {"-1", -1},        {"32767", 32767},   {"-32768", -32768},
        {" 7 ", 7},        {"+5", 5},         {"007", 7},         {"2.5", 2},
        {"3.5", 4},        {"1e3", 1000},     {"-0", 0},
        {"32768", std::nullopt},  {"-32769", std::nullopt}, {"", std::nullopt},
        {" ", std::nullopt},      {"-", std::nullopt},      {"+", std::nullopt},
        {"5a", std::nullopt},     {"0x10", std::nullopt},   {"nan", std::nullopt},
        {"inf", std::nullopt},    {"--5", std::nullopt},    {"1 2", std::nullopt},
        {"\t5", std::nullopt},    {"1e400", std::nullopt},  {"9999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(strictInt16(QString::fromLatin1(c.text)), c.value) << '"' << c.text << '"';
}

TEST(ItemText, StrictDouble)
{
    EXPECT_EQ(strictDouble(u" 3 "), 3.0);
    EXPECT_EQ(strictDouble(u"2.05"), 2.05);
    EXPECT_EQ(strictDouble(u"1.7976931348623157e+308"), 1.7976931348623157e308);
    for (const char16_t* bad : {u"", u"three", u"3,0", u"nan", u"1e999", u"0x3"})
        EXPECT_FALSE(strictDouble(bad)) << QString::fromUtf16(bad).toStdString();
}

TEST(ItemText, CleanValueRemovesBlanksAndLineBreaksOnly)
{
    EXPECT_EQ(cleanValue(u"  a b  "), "a b");
    EXPECT_EQ(cleanValue(u"\ta\t"), "\ta\t");
    EXPECT_EQ(cleanValue(u"a\r\nb\n"), "a  b");
    EXPECT_EQ(cleanValue(u"\r\n"), "");

    LineBuffer out(1252);
    out.cleanText(u"  x\ry  ").comma().cleanText(u"\u00e9 ").comma().samples(
        std::array<std::int16_t, 2>{-32768, 32767}.data(), nullptr, 2);
    EXPECT_EQ(out.bytes(), QByteArray("x y,\xe9,,-32768,32767"));
}
