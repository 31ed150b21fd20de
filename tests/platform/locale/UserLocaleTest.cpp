#include "platform/locale/UserLocale.h"

#include <gtest/gtest.h>

using namespace tovu::platform::locale;

TEST(UserLocale, LcidOfLocaleNames)
{
    const struct { const char* name; std::uint32_t lcid; const char* text; } cases[] = {
        {"en_GB", 0x809, "809"}, {"en_US", 0x409, "409"}, {"de_DE", 0x407, "407"},
        {"fr_FR", 0x40C, "40C"}, {"es_ES", 0x40A, "40A"}, {"fi_FI", 0x40B, "40B"},
        {"ru_RU", 0x419, "419"}, {"pl_PL", 0x415, "415"}, {"zh_CN", 0x804, "804"},
        // Another territory of a known language: the language's primary identifier.
        {"de_AT", 0x407, "407"}, {"en_AU", 0x409, "409"}, {"fr_CA", 0x40C, "40C"},
        // Unknown language and the C locale.
        {"ja_JP", 0x409, "409"}, {"C", 0x409, "409"},
    };
    for (const auto& c : cases) {
        const std::uint32_t lcid = lcidOfLocale(QLocale(QString::fromLatin1(c.name)));
        EXPECT_EQ(lcid, c.lcid) << c.name;
        EXPECT_EQ(lcidText(lcid), c.text) << c.name;
    }
}

TEST(UserLocale, HexTextHasNoLeadingZeros)
{
    EXPECT_EQ(lcidText(0xC0A), "C0A");
    EXPECT_EQ(lcidText(0x7F), "7F");
    EXPECT_EQ(lcidText(0), "0");
}

TEST(UserLocale, DecimalSeparatorFollowsTheLocale)
{
    EXPECT_EQ(decimalSeparator(QLocale(QStringLiteral("de_DE"))), ",");
    EXPECT_EQ(decimalSeparator(QLocale(QStringLiteral("en_GB"))), ".");
    EXPECT_EQ(decimalSeparator(QLocale(QStringLiteral("fr_FR"))), ",");
    EXPECT_FALSE(decimalSeparator().isEmpty());
}
