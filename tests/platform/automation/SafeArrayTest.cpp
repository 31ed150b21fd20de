#include "platform/automation/SafeArray.h"

#include "ErrorNumberOf.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tovu::platform::automation;


TEST(SafeArray, UnallocatedArrayRaisesSubscriptOnEveryBound)
{
    SafeArray a;
    EXPECT_FALSE(a.isAllocated());
    EXPECT_EQ(a.dims(), 0);
    EXPECT_EQ(errorNumberOf([&] { (void)a.lbound(); }), 9);
    EXPECT_EQ(errorNumberOf([&] { (void)a.ubound(); }), 9);
    EXPECT_EQ(errorNumberOf([&] { (void)a.get({0}); }), 9);
}

TEST(SafeArray, BoundsPerDimensionAndIndexChecks)
{
    SafeArray a({Bounds{1, 3}, Bounds{-2, 0}});
    EXPECT_EQ(a.dims(), 2);
    EXPECT_EQ(a.lbound(1), 1);
    EXPECT_EQ(a.ubound(1), 3);
    EXPECT_EQ(a.lbound(2), -2);
    EXPECT_EQ(a.ubound(2), 0);
    EXPECT_EQ(errorNumberOf([&] { (void)a.lbound(3); }), 9);
    EXPECT_EQ(errorNumberOf([&] { (void)a.lbound(0); }), 9);
    EXPECT_EQ(a.elementCount(), 9u);

    a.set({3, -2}, Variant(7));
    a.set({1, 0}, Variant("corner"));
    EXPECT_EQ(a.get({3, -2}), Variant(7));
    EXPECT_EQ(a.get({1, 0}), Variant("corner"));
    EXPECT_TRUE(a.get({2, -1}).isEmpty());
    // First index fastest.
    EXPECT_EQ(a.elements()[2], Variant(7));
    EXPECT_EQ(a.elements()[6], Variant("corner"));

    for (auto bad : {std::vector<std::int32_t>{0, 0}, {4, 0}, {1, 1}, {1, -3}, {1}, {1, 0, 0}})
        EXPECT_EQ(errorNumberOf([&] { (void)a.get(bad); }), 9);
    EXPECT_EQ(errorNumberOf([] { SafeArray({Bounds{3, 1}}); }), 9);
    EXPECT_EQ(SafeArray({Bounds{0, -1}}).elementCount(), 0u);  // empty but allocated
}

TEST(SafeArray, TypedArrayConvertsWhatIsStored)
{
    SafeArray s({Bounds{0, 1}}, VarType::String);
    EXPECT_EQ(s.get({0}), Variant(QString()));
    s.set({1}, Variant(2.5));
    EXPECT_EQ(s.get({1}), Variant("2.5"));

    SafeArray n({Bounds{0, 0}}, VarType::Integer);
    EXPECT_EQ(n.get({0}), Variant(std::int16_t{0}));
    n.set({0}, Variant("3.5"));
    EXPECT_EQ(n.get({0}), Variant(std::int16_t{4}));
    EXPECT_EQ(errorNumberOf([&] { n.set({0}, Variant(40000)); }), 6);
    EXPECT_EQ(errorNumberOf([&] { n.set({0}, Variant("x")); }), 13);
}

TEST(SafeArray, RedimPreserveKeepsElementsAndOnlyGrowsTheLastDimension)
{
    SafeArray a;
    a.redimPreserve({Bounds{0, 0}});  // unallocated: takes the bounds
    a.set({0}, Variant("first"));
    a.redimPreserve({Bounds{0, 1}});
    a.set({1}, Variant("second"));
    EXPECT_EQ(a.get({0}), Variant("first"));
    EXPECT_EQ(a.get({1}), Variant("second"));

    SafeArray g({Bounds{0, 1}, Bounds{0, 0}});
    g.set({1, 0}, Variant(10));
    g.redimPreserve({Bounds{0, 1}, Bounds{0, 2}});
    EXPECT_EQ(g.get({1, 0}), Variant(10));
    EXPECT_TRUE(g.get({1, 2}).isEmpty());
    g.redimPreserve({Bounds{0, 1}, Bounds{0, 0}});
    EXPECT_EQ(g.get({1, 0}), Variant(10));

    EXPECT_EQ(errorNumberOf([&] { g.redimPreserve({Bounds{0, 2}, Bounds{0, 0}}); }), 9);
    EXPECT_EQ(errorNumberOf([&] { g.redimPreserve({Bounds{1, 2}, Bounds{0, 0}}); }), 9);
    EXPECT_EQ(errorNumberOf([&] { g.redimPreserve({Bounds{0, 1}, Bounds{1, 1}}); }), 9);
    EXPECT_EQ(errorNumberOf([&] { g.redimPreserve({Bounds{0, 1}}); }), 9);

    g.redim({Bounds{5, 6}});
    EXPECT_EQ(g.lbound(), 5);
    EXPECT_TRUE(g.get({5}).isEmpty());
    g.erase();
    EXPECT_FALSE(g.isAllocated());
}

TEST(SafeArray, ArraysNestAsElements)
{
    SafeArray inner = SafeArray::ofValues({Variant(1), Variant(2)});
    SafeArray outer({Bounds{0, 0}});
    outer.set({0}, Variant(inner));
    EXPECT_EQ(outer.get({0}).array().get({1}), Variant(2));
    EXPECT_EQ(outer.get({0}).type(), VarType::Array | VarType::Variant);
}
