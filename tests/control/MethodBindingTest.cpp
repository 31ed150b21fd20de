// The binding of methods to the dispatch interface: defaults of left-out arguments, missing
// Variants, conversions and what goes back to the caller's by-reference arguments.
#include "control/MethodBinding.h"

#include <gtest/gtest.h>

namespace tovu::control {
namespace {

using automation::Args;
using automation::AutomationError;
using automation::VarType;
using automation::Variant;

struct Probe {
    std::int16_t twice(std::int16_t& n, QString& text, bool& flag, Variant& any, float& size)
    {
        seenText = text;
        seenFlag = flag;
        seenMissing = any.isMissing();
        seenSize = size;
        n = static_cast<std::int16_t>(n * 2);
        text = QStringLiteral("written");
        return n;
    }
    void clamp(std::int32_t& value)
    {
        if (value < 0 || value > 1)
            value = 0;
    }
    QString seenText;
    bool seenFlag = false;
    bool seenMissing = false;
    float seenSize = -1;
};

const std::vector<ParamDecl> kTwiceParams = {required("n"), opt("text", QStringLiteral("dflt")), opt("flag"),
                                            opt("any"), opt("size", 12.5f)};

TEST(MethodBinding, LeftOutArgumentsTakeDefaultsOrTheEmptyValueOfTheirType)
{
    Probe probe;
    Args args{Variant(std::int16_t{4})};
    const Variant r = invokeMethod<&Probe::twice>(probe, args, kTwiceParams);
    EXPECT_EQ(r, Variant(std::int16_t{8}));
    EXPECT_EQ(probe.seenText, QStringLiteral("dflt"));
    EXPECT_FALSE(probe.seenFlag);
    EXPECT_TRUE(probe.seenMissing);
    EXPECT_EQ(probe.seenSize, 12.5f);
    EXPECT_EQ(args[0], Variant(std::int16_t{8}));  // by reference: the caller sees the change
}

TEST(MethodBinding, MissingMarkerInTheMiddleCountsAsLeftOut)
{
    Probe probe;
    Args args{Variant(std::int16_t{1}), Variant::missing(), Variant(true), Variant(QStringLiteral("v"))};
    invokeMethod<&Probe::twice>(probe, args, kTwiceParams);
    EXPECT_EQ(probe.seenText, QStringLiteral("dflt"));
    EXPECT_TRUE(probe.seenFlag);
    EXPECT_FALSE(probe.seenMissing);
    EXPECT_TRUE(args[1].isMissing()) << "a left-out argument receives nothing";
}

TEST(MethodBinding, ConvertedArgumentsAreCopiesAndSameTypedOnesAreWrittenBack)
{
    Probe probe;
    // A Long and a Double where an Integer and a String are declared: converted, not written.
    Args converted{Variant(std::int32_t{3}), Variant(2.5)};
    invokeMethod<&Probe::twice>(probe, converted, kTwiceParams);
    EXPECT_EQ(converted[0], Variant(std::int32_t{3}));
    EXPECT_EQ(converted[1], Variant(2.5));
    EXPECT_EQ(probe.seenText, QStringLiteral("2.5"));

    Args same{Variant(std::int16_t{3}), Variant(QStringLiteral("in"))};
    invokeMethod<&Probe::twice>(probe, same, kTwiceParams);
    EXPECT_EQ(same[0], Variant(std::int16_t{6}));
    EXPECT_EQ(same[1], Variant(QStringLiteral("written")));
}

TEST(MethodBinding, CallErrorsReachTheCallerAsAutomationErrors)
{
    Probe probe;
    const struct {
        Args args;
        std::int32_t number;
    } cases[] = {
        {{}, automation::ErrorNumber::ArgumentNotOptional},
        {{Variant::missing()}, automation::ErrorNumber::ArgumentNotOptional},
        {{Variant(std::int16_t{1}), Variant(), Variant(), Variant(), Variant(), Variant()},
         automation::ErrorNumber::WrongArgumentCount},
        {{Variant(QStringLiteral("not a number"))}, automation::ErrorNumber::TypeMismatch},
    };
    for (const auto& c : cases) {
        Args args = c.args;
        try {
            invokeMethod<&Probe::twice>(probe, args, kTwiceParams);
            ADD_FAILURE() << "no error for " << args.size() << " arguments";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), c.number);
        }
    }
}

TEST(MethodBinding, VoidMethodWritesBackAndReturnsEmpty)
{
    Probe probe;
    Args args{Variant(std::int32_t{7})};
    const Variant r = invokeMethod<&Probe::clamp>(probe, args, {required("value")});
    EXPECT_TRUE(r.isEmpty());
    EXPECT_EQ(args[0], Variant(std::int32_t{0}));
}

} // namespace
} // namespace tovu::control
