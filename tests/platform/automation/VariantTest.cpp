#include "platform/automation/SafeArray.h"
#include "platform/automation/Variant.h"

#include "ErrorNumberOf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace tovu::platform::automation;


TEST(Variant, KindsStayApart)
{
    EXPECT_EQ(Variant().type(), VarType::Empty);
    EXPECT_EQ(Variant::null().type(), VarType::Null);
    EXPECT_EQ(Variant(std::int16_t{1}).type(), VarType::Integer);
    EXPECT_EQ(Variant(1).type(), VarType::Long);
    EXPECT_EQ(Variant(1.0f).type(), VarType::Single);
    EXPECT_EQ(Variant(1.0).type(), VarType::Double);
    EXPECT_EQ(Variant(Currency{10000}).type(), VarType::Currency);
    EXPECT_EQ(Variant(Date{1.0}).type(), VarType::Date);
    EXPECT_EQ(Variant("a").type(), VarType::String);
    EXPECT_EQ(Variant(true).type(), VarType::Boolean);
    EXPECT_EQ(Variant(std::uint8_t{1}).type(), VarType::Byte);
    EXPECT_EQ(Variant::missing().type(), VarType::Error);
    EXPECT_EQ(Variant::nothing().type(), VarType::Object);
    EXPECT_EQ(Variant(SafeArray()).type(), VarType::Array | VarType::Variant);
    EXPECT_EQ(Variant(SafeArray(VarType::String)).type(), VarType::Array | VarType::String);

    // The same number as Integer and as Long are different values.
    EXPECT_NE(Variant(std::int16_t{2}), Variant(2));
    EXPECT_EQ(Variant(std::int16_t{2}), Variant(std::int16_t{2}));
    EXPECT_NE(Variant(), Variant::null());
    EXPECT_NE(Variant(), Variant(QString()));
    EXPECT_TRUE(Variant::missing().isMissing());
    EXPECT_FALSE(Variant(ErrorValue{5}).isMissing());
    EXPECT_EQ(Variant::missing().errorCode(), static_cast<std::int32_t>(0x80020004u));
    EXPECT_TRUE(Variant::nothing().isNothing());
}

TEST(Variant, ToLongRoundsHalfToEvenAndChecksRange)
{
    struct Case {
        Variant value;
        std::int32_t expected;
        int error;
    };
    const Case cases[] = {
        {Variant(0.5), 0, 0},
        {Variant(1.5), 2, 0},
        {Variant(2.5), 2, 0},
        {Variant(-2.5), -2, 0},
        {Variant(-3.5), -4, 0},
        {Variant(2.500001), 3, 0},
        {Variant(2147483647.0), 2147483647, 0},
        {Variant(2147483647.5), 0, 6},
        {Variant(-2147483648.0), std::numeric_limits<std::int32_t>::min(), 0},
        {Variant(-2147483649.0), 0, 6},
        {Variant(std::numeric_limits<double>::infinity()), 0, 6},
        {Variant(std::nan("")), 0, 6},
        {Variant(Currency{25000}), 2, 0},  // 2.5
        {Variant(Currency{35000}), 4, 0},  // 3.5
        {Variant(Currency{-25001}), -3, 0},
        {Variant(Currency{std::numeric_limits<std::int64_t>::min()}), 0, 6},
        {Variant(" 12 "), 12, 0},
        {Variant("2.5"), 2, 0},
        {Variant("-1e3"), -1000, 0},
        {Variant("&H10"), 16, 0},
        {Variant("&HFFFF"), -1, 0},
        {Variant("&HFFFFFFFF"), -1, 0},
        {Variant("&O17"), 15, 0},
        {Variant("12abc"), 0, 13},
        {Variant(""), 0, 13},
        {Variant("   "), 0, 13},
        {Variant("1,5"), 0, 13},
        {Variant(true), -1, 0},
        {Variant(false), 0, 0},
        {Variant(), 0, 0},
        {Variant::null(), 0, 94},
        {Variant::missing(), 0, 13},
        {Variant(SafeArray()), 0, 13},
        {Variant(Date{1.75}), 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.type() == VarType::String ? c.value.toString().toStdString()
                                                         : std::to_string(static_cast<int>(c.value.type())));
        std::int32_t got = 0;
        EXPECT_EQ(errorNumberOf([&] { got = c.value.toLong(); }), c.error);
        if (c.error == 0) {
            EXPECT_EQ(got, c.expected);
        }
    }
}

TEST(Variant, ToIntegerAndByteHaveTheirOwnRanges)
{
    EXPECT_EQ(Variant(32767).toInteger(), 32767);
    EXPECT_EQ(errorNumberOf([] { (void)Variant(32768).toInteger(); }), 6);
    EXPECT_EQ(errorNumberOf([] { (void)Variant(32767.5).toInteger(); }), 6);  // rounds to 32768
    EXPECT_EQ(Variant(-32768.4).toInteger(), -32768);
    EXPECT_EQ(Variant(254.5).toByte(), 254);
    EXPECT_EQ(errorNumberOf([] { (void)Variant(255.5).toByte(); }), 6);  // rounds to 256
    EXPECT_EQ(errorNumberOf([] { (void)Variant(-1).toByte(); }), 6);
    EXPECT_EQ(errorNumberOf([] { (void)Variant(1e39).toSingle(); }), 6);
}

TEST(Variant, ToStringFollowsTheRunTimeTexts)
{
    struct Case {
        Variant value;
        const char* expected;
    };
    const Case cases[] = {
        {Variant(), ""},
        {Variant(std::int16_t{-5}), "-5"},
        {Variant(123456), "123456"},
        {Variant(0.1), "0.1"},
        {Variant(-0.0), "0"},
        {Variant(1.0 / 3.0), "0.333333333333333"},
        {Variant(123456789012345.0), "123456789012345"},
        {Variant(1234567890123456.0), "1.23456789012346E+15"},
        {Variant(1e20), "1E+20"},
        {Variant(1.5e-7), "1.5E-07"},
        {Variant(0.1f), "0.1"},
        {Variant(1.0f / 3.0f), "0.3333333"},
        {Variant(Currency{12345}), "1.2345"},
        {Variant(Currency{-25000}), "-2.5"},
        {Variant(Currency{std::numeric_limits<std::int64_t>::min()}), "-922337203685477.5808"},
        {Variant(true), "True"},
        {Variant(false), "False"},
        {Variant(std::uint8_t{200}), "200"},
        {Variant(Date{2.0}), "1900-01-01"},
        {Variant(Date{45000.5}), "2023-03-15 12:00:00"},
        {Variant(Date{0.25}), "06:00:00"},
        {Variant(Date{-1.25}), "1899-12-29 06:00:00"},
        {Variant(u"Grüße"), "Grüße"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.toString(), QString::fromUtf8(c.expected));
    EXPECT_EQ(errorNumberOf([] { (void)Variant::null().toString(); }), 94);
    EXPECT_EQ(errorNumberOf([] { (void)Variant::missing().toString(); }), 13);
    EXPECT_EQ(errorNumberOf([] { (void)Variant::nothing().toString(); }), 91);
    EXPECT_EQ(errorNumberOf([] { (void)Variant(Date{1e300}).toString(); }), 6);
    EXPECT_EQ(errorNumberOf([] { (void)Variant(Date{std::nan("")}).toString(); }), 6);
}

TEST(Variant, DoubleBooleanCurrencyAndDateConversions)
{
    EXPECT_DOUBLE_EQ(Variant("  -1.25E+2 ").toDouble(), -125.0);
    EXPECT_DOUBLE_EQ(Variant(".5").toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(Variant("1D2").toDouble(), 100.0);
    EXPECT_EQ(errorNumberOf([] { (void)Variant("1e").toDouble(); }), 13);
    EXPECT_EQ(errorNumberOf([] { (void)Variant("1e999").toDouble(); }), 6);
    EXPECT_EQ(errorNumberOf([] { (void)Variant("١٢").toDouble(); }), 13);  // digits of other scripts
    EXPECT_DOUBLE_EQ(Variant(true).toDouble(), -1.0);
    EXPECT_DOUBLE_EQ(Variant(Currency{15}).toDouble(), 0.0015);

    EXPECT_TRUE(Variant(" true ").toBoolean());
    EXPECT_FALSE(Variant("FALSE").toBoolean());
    EXPECT_TRUE(Variant("-2").toBoolean());
    EXPECT_FALSE(Variant("0").toBoolean());
    EXPECT_TRUE(Variant(0.1).toBoolean());
    EXPECT_FALSE(Variant().toBoolean());
    EXPECT_EQ(errorNumberOf([] { (void)Variant("yes").toBoolean(); }), 13);
    EXPECT_EQ(errorNumberOf([] { (void)Variant::null().toBoolean(); }), 94);

    EXPECT_EQ(Variant(1.00005).toCurrency().scaled, 10000);  // half to even at the fourth decimal
    EXPECT_EQ(Variant(2.00015).toCurrency().scaled, 20002);
    EXPECT_EQ(Variant(-1.23455).toCurrency().scaled, -12346);
    EXPECT_EQ(Variant(0.00004).toCurrency().scaled, 0);
    EXPECT_EQ(Variant(922337203685477.0).toCurrency().scaled, 9223372036854770000);
    EXPECT_EQ(Variant(2.5).toCurrency().scaled, 25000);
    EXPECT_EQ(Variant(-7).toCurrency().scaled, -70000);
    EXPECT_EQ(errorNumberOf([] { (void)Variant(1e15).toCurrency(); }), 6);

    EXPECT_DOUBLE_EQ(Variant("1900-01-01").toDate().days, 2.0);
    EXPECT_DOUBLE_EQ(Variant("2023-03-15T12:00:00").toDate().days, 45000.5);
    EXPECT_DOUBLE_EQ(Variant("06:00:00").toDate().days, 0.25);
    EXPECT_EQ(errorNumberOf([] { (void)Variant("tomorrow").toDate(); }), 13);
    EXPECT_EQ(errorNumberOf([] { (void)Variant(3e6).toDate(); }), 6);

    EXPECT_EQ(Variant("42").convertedTo(VarType::Integer), Variant(std::int16_t{42}));
    EXPECT_EQ(Variant(3).convertedTo(VarType::String), Variant("3"));
    EXPECT_EQ(errorNumberOf([] { (void)Variant(1).toObject(); }), 424);
}

TEST(Variant, CopiesOfAnArrayAreIndependent)
{
    Variant a(SafeArray({Bounds{0, 2}}));
    a.array().set({1}, Variant("x"));
    Variant b = a;
    b.array().set({1}, Variant("y"));
    EXPECT_EQ(a.array().get({1}), Variant("x"));
    EXPECT_EQ(b.array().get({1}), Variant("y"));
    EXPECT_NE(a, b);
    b.array().set({1}, Variant("x"));
    EXPECT_EQ(a, b);
}
