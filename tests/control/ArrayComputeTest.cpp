// Array arithmetic: each operation over one, two and three dimensions, the elements that
// count as numbers, and where the walk stops when an element fails.
#include "ControlFixture.h"

#include <limits>

namespace tovu::control::testing {
namespace {

using automation::SafeArray;

Variant text(const char* s) { return Variant(QString::fromLatin1(s)); }
Variant i32(std::int32_t v) { return Variant(v); }

class ComputeTest : public ControlTest {
protected:
    std::int16_t compute(const char* method, Variant& array, std::int32_t operation, double number)
    {
        Args args{array, i32(operation), Variant(number)};
        const std::int16_t s = call(method, args).toInteger();
        array = args[0];
        return s;
    }
};

TEST_F(ComputeTest, EachOperationTakesTheElementAsItsLeftOperand)
{
    struct Case {
        std::int32_t operation;
        std::vector<double> expected;
    } cases[] = {{vrbAdd, {6, 8, 2}}, {vrbSubtract, {2, 4, -2}}, {vrbMultiply, {8, 12, 0}}, {vrbDivide, {2, 3, 0}}};
    for (const Case& c : cases) {
        Variant array(SafeArray::ofValues({i32(4), Variant(std::int16_t{6}), Variant()}, 1));
        ASSERT_EQ(compute("ComputeOneDArray", array, c.operation, 2.0), 1) << c.operation;
        std::vector<Variant> expected;
        for (double v : c.expected)
            expected.emplace_back(v);
        EXPECT_EQ(array.array().elements(), expected) << c.operation;
        EXPECT_EQ(array.array().lbound(1), 1);
    }
}

TEST_F(ComputeTest, NumericTextsBooleansAndEmptyCountAsNumbers)
{
    Variant array(SafeArray::ofValues({text("12"), text(" 1.5e1 "), Variant(true), Variant()}));
    ASSERT_EQ(compute("ComputeOneDArray", array, vrbAdd, 1.0), 1);
    EXPECT_EQ(array.array().elements(), (std::vector<Variant>{Variant(13.0), Variant(16.0), Variant(0.0), Variant(1.0)}));

    Variant empty(SafeArray::ofValues({Variant()}));
    ASSERT_EQ(compute("ComputeOneDArray", empty, vrbMultiply, 9.0), 1);
    EXPECT_EQ(empty.array().get({0}), Variant(0.0));

    Variant none(SafeArray({{0, -1}}));
    EXPECT_EQ(compute("ComputeOneDArray", none, vrbDivide, 0.0), 1) << "no element, nothing to fail";
}

TEST_F(ComputeTest, ArgumentStatusesChangeNothing)
{
    const Variant original(SafeArray::ofValues({i32(1), i32(2)}));
    struct Case {
        Variant array;
        std::int32_t operation;
        std::int16_t expected;
    } cases[] = {{text("no array"), vrbAdd, -1}, {Variant(), vrbAdd, -1}, {original, 4, -2}, {original, -1, -2},
                 {original, std::numeric_limits<std::int32_t>::min(), -2}};
    for (const Case& c : cases) {
        Variant array = c.array;
        EXPECT_EQ(compute("ComputeOneDArray", array, c.operation, 1.0), c.expected) << c.operation;
        EXPECT_EQ(array, c.array);
    }
}

TEST_F(ComputeTest, AFailingElementStopsTheWalkThereWithMinusThree)
{
    struct Case {
        std::vector<Variant> elements;
        std::int32_t operation;
        double number;
        std::vector<Variant> after;
    } cases[] = {
        {{i32(4), i32(8)}, vrbDivide, 0.0, {i32(4), i32(8)}},                       // division by zero
        {{i32(0)}, vrbDivide, 0.0, {i32(0)}},                                        // 0 / 0
        {{Variant(2.0), text("x"), i32(3)}, vrbAdd, 1.0, {Variant(3.0), text("x"), i32(3)}},
        {{Variant(2.0), Variant::null(), i32(3)}, vrbAdd, 1.0, {Variant(3.0), Variant::null(), i32(3)}},
        {{Variant(1e308)}, vrbMultiply, 10.0, {Variant(1e308)}},                    // overflow
        {{Variant(SafeArray::ofValues({i32(1)}))}, vrbAdd, 1.0, {Variant(SafeArray::ofValues({i32(1)}))}},
    };
    for (const Case& c : cases) {
        Variant array(SafeArray::ofValues(c.elements));
        EXPECT_EQ(compute("ComputeOneDArray", array, c.operation, c.number), -3);
        EXPECT_EQ(array.array().elements(), c.after);
    }
}

TEST_F(ComputeTest, EachMethodWalksItsOwnNumberOfDimensionsInItsOrder)
{
    // Two dimensions: the first is the outer loop, so (0, 1) is reached before (1, 0).
    SafeArray two({{0, 1}, {0, 1}});
    for (std::int32_t r = 0; r <= 1; ++r)
        for (std::int32_t c = 0; c <= 1; ++c)
            two.set({r, c}, i32(10 * r + c));
    two.set({0, 1}, text("bad"));
    Variant array2(two);
    EXPECT_EQ(compute("ComputeTwoDArray", array2, vrbAdd, 0.5), -3);
    EXPECT_EQ(array2.array().get({0, 0}), Variant(0.5));
    EXPECT_EQ(array2.array().get({1, 0}), i32(10));

    // Three dimensions: the third is the outer loop and the first the inner one.
    SafeArray three({{0, 1}, {0, 1}, {0, 1}});
    for (const Variant& v : three.elements())
        EXPECT_TRUE(v.isEmpty());
    three.set({1, 0, 0}, text("bad"));
    Variant array3(three);
    EXPECT_EQ(compute("ComputeThreeDArray", array3, vrbSubtract, 1.0), -3);
    const auto& e = array3.array().elements();
    EXPECT_EQ(std::count(e.begin(), e.end(), Variant(-1.0)), 1) << "only (0, 0, 0) came before the bad one";

    Variant full(SafeArray({{1, 2}, {1, 3}, {0, 1}}));
    ASSERT_EQ(compute("ComputeThreeDArray", full, vrbAdd, 2.0), 1);
    for (const Variant& v : full.array().elements())
        EXPECT_EQ(v, Variant(2.0));

    Variant flat(SafeArray::ofValues({i32(1)}));
    EXPECT_EQ(compute("ComputeTwoDArray", flat, vrbAdd, 1.0), -3);
    EXPECT_EQ(compute("ComputeThreeDArray", array2, vrbAdd, 1.0), -3);
    Variant square(SafeArray({{0, 1}, {0, 1}}));
    EXPECT_EQ(compute("ComputeOneDArray", square, vrbAdd, 1.0), -3);
    EXPECT_EQ(square, Variant(SafeArray({{0, 1}, {0, 1}})));
}

TEST_F(ComputeTest, ATypedArrayKeepsItsKindAndTheNumberMayComeAsAnyKind)
{
    Args args{Variant(SafeArray::ofElements({{0, 1}}, {i32(3), i32(5)}, automation::VarType::Long)),
              Variant(std::int16_t{vrbMultiply}), text("2")};
    ASSERT_EQ(call("ComputeOneDArray", args).toInteger(), 1);
    EXPECT_EQ(args[0].array().elements(), (std::vector<Variant>{i32(6), i32(10)}));

    Args overflow{Variant(SafeArray::ofElements({{0, 0}}, {Variant(std::int16_t{30000})}, automation::VarType::Integer)),
                  i32(vrbAdd), Variant(5000.0)};
    EXPECT_EQ(call("ComputeOneDArray", overflow).toInteger(), -3);
}

} // namespace
} // namespace tovu::control::testing
