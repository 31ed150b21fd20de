#include "control/clsConcat.h"

#include <gtest/gtest.h>

namespace tovu::control {
namespace {

TEST(clsConcat, GathersPiecesInOrderAndGetStringEmptiesTheBuffer)
{
    clsConcat builder;
    builder.SConcat(QStringLiteral("a"));
    builder.SConcat(QStringLiteral("b"));
    builder.SConcat(QStringLiteral("c"));
    EXPECT_EQ(builder.GetString(), QStringLiteral("abc"));
    EXPECT_EQ(builder.bufferLength(), 0);
    builder.ReInit();
    builder.SConcat(QStringLiteral("xyz"));
    EXPECT_EQ(builder.GetString(), QStringLiteral("xyz"));
}

TEST(clsConcat, BufferGrowsByThePieceFirstThenInSteps)
{
    clsConcat builder;
    builder.SConcat(QStringLiteral("12345"));
    EXPECT_EQ(builder.bufferLength(), 5);
    builder.SConcat(QStringLiteral("678"));
    EXPECT_EQ(builder.bufferLength(), 5 + 15000);
    EXPECT_EQ(builder.used(), 8);
    EXPECT_EQ(builder.GetString(), QStringLiteral("12345678"));
}

TEST(clsConcat, LongPieceArrivesWhole)
{
    clsConcat builder;
    const QString head(30000, QLatin1Char('h'));
    const QString tail(20000, QLatin1Char('t'));
    builder.SConcat(head);
    builder.SConcat(tail);
    const QString text = builder.GetString();
    ASSERT_EQ(text.size(), 50000);
    EXPECT_EQ(text, head + tail);
}

TEST(clsConcat, EmptyPieceAddsNoText)
{
    clsConcat builder;
    builder.SConcat(QString());
    EXPECT_EQ(builder.used(), 0);
    EXPECT_EQ(builder.bufferLength(), 15000);
    builder.SConcat(QStringLiteral("q"));
    EXPECT_EQ(builder.GetString(), QStringLiteral("q"));
}

TEST(clsConcat, ReInitStartsOver)
{
    clsConcat builder;
    builder.SConcat(QStringLiteral("old"));
    builder.ReInit();
    EXPECT_EQ(builder.used(), 0);
    builder.SConcat(QStringLiteral("new"));
    EXPECT_EQ(builder.GetString(), QStringLiteral("new"));
}

} // namespace
} // namespace tovu::control
