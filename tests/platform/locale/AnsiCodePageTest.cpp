#include "platform/locale/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tovu::platform::locale;

TEST(AnsiCodePage, RussianLocalesUse1251)
{
    EXPECT_EQ(ansiCodePage(0x419), 1251);
    EXPECT_EQ(ansiCodePage(0x819), 1251);  // Russian of another territory
    for (std::uint32_t lcid : {0x809u, 0x409u, 0x407u, 0x40Cu, 0x40Au, 0xC0Au, 0x40Bu, 0x415u})
        EXPECT_EQ(ansiCodePage(lcid), 1252) << std::hex << lcid;
}

TEST(AnsiCodePage, OfALanguageCode)
{
    EXPECT_EQ(ansiCodePageOfLanguage(u"419"), 1251);
    EXPECT_EQ(ansiCodePageOfLanguage(u"819"), 1251);
    EXPECT_EQ(ansiCodePageOfLanguage(u"40c"), 1252);
    EXPECT_EQ(ansiCodePageOfLanguage(u"809"), 1252);
    EXPECT_EQ(ansiCodePageOfLanguage(u""), 1252);
    EXPECT_EQ(ansiCodePageOfLanguage(u"xyz"), 1252);
}

TEST(AnsiCodePage, EveryByteSurvivesARoundTrip)
{
    for (int cp : {1252, 1251}) {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const QString text = decode(all, cp);
        ASSERT_EQ(text.size(), 256) << cp;
        EXPECT_EQ(encode(text, cp), all) << cp;
    }
}

TEST(AnsiCodePage, KnownCharacters)
{
    const struct { int cp; const char16_t* text; const char* bytes; } cases[] = {
        {1252, u"\u20AC", "\x80"},           // euro sign
        {1252, u"\u00E9\u00DF", "\xE9\xDF"},  // e acute, sharp s
        {1252, u"\u201C\u201D", "\x93\x94"},  // curly quotes
        {1251, u"\u042F\u0436", "\xDF\xE6"},  // Cyrillic Ya, zhe
        {1251, u"\u0401", "\xA8"},            // Cyrillic Yo
        {1252, u"\u0081", "\x81"},            // undefined byte passes through
        {1251, u"\u0098", "\x98"},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(encode(text, c.cp), QByteArray(c.bytes)) << c.cp;
        EXPECT_EQ(decode(QByteArray(c.bytes), c.cp), text) << c.cp;
    }
}

TEST(AnsiCodePage, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(encode(u"a\u042Fb", 1252), QByteArray("a?b"));
    EXPECT_EQ(encode(u"\u00E9", 1251), QByteArray("?"));
    EXPECT_EQ(encode(QString::fromUtf8("x\xF0\x9F\x98\x80y"), 1252), QByteArray("x?y"));
    EXPECT_EQ(encode(u"\u20AC", 1251), QByteArray("\x88"));
}

TEST(AnsiCodePage, UnsupportedPagesAreRefused)
{
    EXPECT_FALSE(isSupportedCodePage(936));
    EXPECT_THROW(encode(u"a", 936), std::invalid_argument);
    EXPECT_THROW(decode("a", 65001), std::invalid_argument);
}
