#include "platform/serial/CommSettings.h"

#include <gtest/gtest.h>

using tovu::platform::serial::CommSettings;

TEST(CommSettings, ParsesTheFourFieldsAndWritesThemBack)
{
    const auto s = CommSettings::parse(QStringLiteral("115200,N,8,1"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->baud, 115200);
    EXPECT_EQ(s->parity, 'N');
    EXPECT_EQ(s->dataBits, 8);
    EXPECT_EQ(s->stopBits, 1);
    EXPECT_EQ(s->text(), QStringLiteral("115200,N,8,1"));
    EXPECT_EQ(CommSettings::parse(QStringLiteral(" 9600 , e , 7 , 2 "))->text(), QStringLiteral("9600,E,7,2"));
}

TEST(CommSettings, RefusesMalformedTexts)
{
    for (const char* bad : {"", "115200", "115200,N,8", "115200,N,8,1,0", "fast,N,8,1", "-9600,N,8,1",
                            "9600,X,8,1", "9600,N,9,1", "9600,N,8,3", "9600,NN,8,1"})
        EXPECT_FALSE(CommSettings::parse(QString::fromLatin1(bad))) << bad;
}
