// Sorting of arrays: the comparison of automation values, the quicksort with its cut-off and
// the insertion pass that finishes it, the row sort by keys, and the statuses of both methods.
#include "ArrayValues.h"
#include "ControlFixture.h"
#include "control/ArraySort.h"

#include <pthread.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

namespace tovu::control::testing {
namespace {

using automation::Currency;
using automation::SafeArray;

Variant text(const char* s) { return Variant(QString::fromLatin1(s)); }
Variant i32(std::int32_t v) { return Variant(v); }

SafeArray ints(const std::vector<std::int32_t>& values, std::int32_t lower = 0)
{
    std::vector<Variant> v;
    for (std::int32_t x : values)
        v.emplace_back(x);
    return SafeArray::ofValues(v, lower);
}

std::vector<std::int32_t> intsOf(const SafeArray& a)
{
    std::vector<std::int32_t> out;
    for (const Variant& v : a.elements())
        out.push_back(v.toLong());
    return out;
}

TEST(CompareValues, FollowsTheHostsRelationalRules)
{
    struct Case {
        Variant a, b;
        std::optional<int> expected;
    } cases[] = {
        {i32(1), i32(2), -1},
        {Variant(std::int16_t{2}), Variant(1.5), 1},
        {Variant(Currency{25000}), Variant(2.5f), 0},
        {text("a"), text("B"), 1},  // by character code, not alphabet
        {text("ab"), text("abc"), -1},
        {i32(100), text("1"), -1},  // any number before any text
        {text(""), Variant(-1.0e300), 1},
        {Variant(), i32(0), 0},
        {Variant(), i32(-1), 1},
        {Variant(), text(""), 0},
        {Variant(), text("a"), -1},
        {Variant(), Variant(), 0},
        {Variant(true), i32(0), -1},  // True is -1
        {Variant::null(), i32(1), std::nullopt},
        {text("x"), Variant::null(), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(compareValues(c.a, c.b), c.expected) << c.a.toString().toStdString() << " vs "
                                                        << (c.b.isNull() ? "Null" : c.b.toString().toStdString());
    EXPECT_FALSE(lessThan(Variant::null(), i32(1)));
    EXPECT_FALSE(greaterThan(Variant::null(), i32(1)));
    EXPECT_THROW(compareValues(Variant(ints({1})), i32(1)), automation::AutomationError);
    EXPECT_THROW(compareValues(i32(1), Variant(automation::ErrorValue{5})), automation::AutomationError);
}

TEST(QuickSortOneDArray, LeavesRangesOfFiveOrFewerForTheInsertionPass)
{
    SafeArray five = ints({5, 4, 3, 2, 1});
    QuickSortOneDArray(five, 4, 0, 4);
    EXPECT_EQ(intsOf(five), (std::vector<std::int32_t>{5, 4, 3, 2, 1}));

    // Six elements: one partition round with the median of elements 0, 2 (2.5 rounded to
    // even) and 5; both parts are then short enough to be left alone.
    SafeArray six = ints({6, 5, 4, 3, 2, 1});
    QuickSortOneDArray(six, 4, 0, 5);
    EXPECT_EQ(intsOf(six), (std::vector<std::int32_t>{1, 3, 2, 4, 5, 6}));
    InsertionSortOneDArray(six, 0, 5);
    EXPECT_EQ(intsOf(six), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6}));
}

TEST(QuickSortOneDArray, EveryValueEndsWithinTheCutOffOfItsPlace)
{
    std::vector<std::int32_t> values(500);
    std::iota(values.begin(), values.end(), 0);
    std::shuffle(values.begin(), values.end(), std::mt19937(7));
    SafeArray a = ints(values, -250);
    QuickSortOneDArray(a, 4, -250, 249);
    const std::vector<std::int32_t> after = intsOf(a);
    bool anyOutOfPlace = false;
    for (std::size_t k = 0; k < after.size(); ++k) {
        const auto place = static_cast<std::int64_t>(after[k]);
        EXPECT_LE(std::abs(place - static_cast<std::int64_t>(k)), 4) << k;
        anyOutOfPlace = anyOutOfPlace || place != static_cast<std::int64_t>(k);
    }
    EXPECT_TRUE(anyOutOfPlace) << "the quicksort alone is not meant to finish the job";
}

TEST(ReverseOneDArray, SwapsFromBothEndsAndIgnoresAnUnallocatedArray)
{
    SafeArray a = ints({1, 2, 3, 4}, 3);
    ReverseOneDArray(a);
    EXPECT_EQ(intsOf(a), (std::vector<std::int32_t>{4, 3, 2, 1}));
    SafeArray none;
    EXPECT_NO_THROW(ReverseOneDArray(none));
}

class SortTest : public ControlTest {};

TEST_F(SortTest, SortOneDArrayStatuses)
{
    EXPECT_EQ(status("SortOneDArray", {text("not an array")}), -1);
    EXPECT_EQ(status("SortOneDArray", {Variant(SafeArray())}), -2);
    EXPECT_EQ(status("SortOneDArray", {Variant(SafeArray({{0, 2}, {0, 2}}))}), -2);
    Args nested{Variant(SafeArray::ofValues({i32(1), Variant(ints({2})), i32(0)}))};
    EXPECT_EQ(call("SortOneDArray", nested).toInteger(), -2);
    Args one{Variant(ints({42}, 5))};
    EXPECT_EQ(call("SortOneDArray", one).toInteger(), 1);
    EXPECT_EQ(one[0], Variant(ints({42}, 5)));
}

TEST_F(SortTest, AscendingDescendingAndOrdersOutOfRange)
{
    std::mt19937 random(11);
    std::vector<std::int32_t> values(2000);
    for (auto& v : values)
        v = static_cast<std::int32_t>(random() % 300);  // many duplicates
    std::vector<std::int32_t> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::int32_t> reversed(sorted.rbegin(), sorted.rend());

    struct Case {
        Variant order;
        const std::vector<std::int32_t>& expected;
    } cases[] = {{Variant::missing(), sorted}, {i32(0), sorted}, {i32(1), reversed}, {i32(7), sorted}, {i32(-1), sorted}};
    for (const Case& c : cases) {
        Args args{Variant(ints(values, 1))};
        if (!c.order.isMissing())
            args.push_back(c.order);
        ASSERT_EQ(call("SortOneDArray", args).toInteger(), 1);
        EXPECT_EQ(args[0].array().lbound(1), 1);
        EXPECT_EQ(intsOf(args[0].array()), c.expected) << c.order.toString().toStdString();
    }
}

TEST_F(SortTest, MixedKindsSortNumbersFirstThenTextsByCode)
{
    const std::vector<Variant> mixed = {text("b"), i32(10), Variant(), text("B"), Variant(2.5), Variant(true),
                                        text("a"), Variant(std::int16_t{-3})};
    const std::vector<Variant> ascending = {Variant(std::int16_t{-3}), Variant(true), Variant(), Variant(2.5),
                                            i32(10), text("B"), text("a"), text("b")};
    Args up{Variant(SafeArray::ofValues(mixed))};
    ASSERT_EQ(call("SortOneDArray", up).toInteger(), 1);
    EXPECT_EQ(up[0].array().elements(), ascending);

    Args down{Variant(SafeArray::ofValues(mixed)), i32(vrbDescending)};
    ASSERT_EQ(call("SortOneDArray", down).toInteger(), 1);
    EXPECT_EQ(down[0].array().elements(), std::vector<Variant>(ascending.rbegin(), ascending.rend()));
}

TEST_F(SortTest, NullValuesNeitherFailNorRunPastTheArray)
{
    std::vector<Variant> values;
    for (int k = 0; k < 40; ++k)
        values.push_back(k % 5 == 0 ? Variant::null() : i32(40 - k));
    Args args{Variant(SafeArray::ofValues(values))};
    ASSERT_EQ(call("SortOneDArray", args).toInteger(), 1);
    const auto& after = args[0].array().elements();
    EXPECT_EQ(std::count_if(after.begin(), after.end(), [](const Variant& v) { return v.isNull(); }), 8);
    EXPECT_EQ(after.size(), 40u);
}

Variant rowsOf(std::vector<automation::Bounds> bounds, std::vector<Variant> rowMajor)
{
    return Variant(twoDArray(std::move(bounds), std::move(rowMajor)));
}

std::vector<QString> column(const Variant& v, std::int32_t c)
{
    std::vector<QString> out;
    const SafeArray& a = v.array();
    for (std::int32_t r = a.lbound(1); r <= a.ubound(1); ++r)
        out.push_back(a.get({r, c}).toString());
    return out;
}

Variant keyList(std::vector<Variant> pairs) { return Variant(SafeArray::ofValues(std::move(pairs))); }

TEST_F(SortTest, SortTwoDArrayStatuses)
{
    const Variant rows = rowsOf({{0, 1}, {1, 2}}, {text("b"), i32(1), text("a"), i32(2)});
    struct Case {
        Variant array, order;
        std::int16_t expected;
    } cases[] = {
        {text("no array"), keyList({i32(1), text("asc")}), -1},
        {rows, Variant(SafeArray()), -2},
        {rows, keyList({text("one"), text("asc")}), -2},
        {rows, keyList({i32(0), text("asc")}), -3},
        {rows, keyList({i32(3), text("asc")}), -3},
        {rows, keyList({i32(1), text("ASC")}), -4},
        {rows, keyList({i32(1), text("Dec")}), -4},
        {rows, keyList({i32(1), text("asc"), i32(2)}), -4},  // a pair without its direction
        {Variant(ints({3, 1, 2})), keyList({i32(0), text("asc")}), -5},
        {rowsOf({{40000, 40001}, {0, 0}}, {i32(2), i32(1)}), keyList({i32(0), text("asc")}), -5},
        {rows, keyList({i32(2), text("dec"), i32(1), text("asc")}), 1},
    };
    for (const Case& c : cases) {
        Args args{c.array, c.order};
        EXPECT_EQ(call("SortTwoDArray", args).toInteger(), c.expected) << c.order.toString().toStdString();
        if (c.expected != 1 && c.expected != -5) {
            EXPECT_EQ(args[0], c.array) << "an argument check changes nothing";
        }
    }
}

TEST_F(SortTest, RowsSortByTheirKeysInTurn)
{
    // (name, grade, age): by grade ascending, then by age descending.
    Args args{rowsOf({{1, 6}, {0, 2}}, {text("ann"), text("b"), i32(30), text("bob"), text("a"), i32(25),
                                       text("cid"), text("b"), i32(41), text("dan"), text("a"), i32(25),
                                       text("eve"), text("c"), i32(19), text("fay"), text("a"), i32(52)}),
              keyList({std::int16_t{1}, text("asc"), std::int16_t{2}, text("dec")})};
    ASSERT_EQ(call("SortTwoDArray", args).toInteger(), 1);
    EXPECT_EQ(column(args[0], 1), (std::vector<QString>{"a", "a", "a", "b", "b", "c"}));
    EXPECT_EQ(column(args[0], 2), (std::vector<QString>{"52", "25", "25", "41", "30", "19"}));
    const std::vector<QString> names = column(args[0], 0);
    EXPECT_EQ(names[0], QStringLiteral("fay"));
    EXPECT_EQ(names[3], QStringLiteral("cid"));
    EXPECT_EQ(names[5], QStringLiteral("eve"));
    // Whole rows move: the names stay with their own grades and ages.
    std::vector<QString> tied(names.begin() + 1, names.begin() + 3);
    std::sort(tied.begin(), tied.end());
    EXPECT_EQ(tied, (std::vector<QString>{"bob", "dan"}));
}

TEST_F(SortTest, EmptyKeyListOneRowAndMixedColumns)
{
    const Variant original = rowsOf({{0, 3}, {0, 0}}, {i32(3), i32(1), i32(2), i32(0)});
    Args none{original, Variant(SafeArray({{0, -1}}))};
    ASSERT_EQ(call("SortTwoDArray", none).toInteger(), 1);
    EXPECT_EQ(none[0], original);

    const Variant single = rowsOf({{5, 5}, {0, 1}}, {text("x"), i32(1)});
    Args one{single, keyList({i32(1), text("dec")})};
    ASSERT_EQ(call("SortTwoDArray", one).toInteger(), 1);
    EXPECT_EQ(one[0], single);

    Args mixed{rowsOf({{0, 4}, {0, 0}}, {text("10"), i32(100), text("2"), Variant(-1.5), Variant()}),
               keyList({i32(0), text("asc")})};
    ASSERT_EQ(call("SortTwoDArray", mixed).toInteger(), 1);
    EXPECT_EQ(column(mixed[0], 0), (std::vector<QString>{"-1.5", "", "100", "10", "2"}));
}

TEST_F(SortTest, ManyRowsMatchAStableReferenceByKey)
{
    std::mt19937 random(3);
    std::vector<std::pair<std::int32_t, std::int32_t>> rows(3000);
    for (std::size_t k = 0; k < rows.size(); ++k)
        rows[k] = {static_cast<std::int32_t>(random() % 50), static_cast<std::int32_t>(k)};
    std::vector<Variant> cells;
    for (const auto& [key, id] : rows) {
        cells.emplace_back(key);
        cells.emplace_back(id);
    }
    Args args{rowsOf({{0, 2999}, {0, 1}}, cells), keyList({i32(0), text("dec"), i32(1), text("asc")})};
    ASSERT_EQ(call("SortTwoDArray", args).toInteger(), 1);
    std::sort(rows.begin(), rows.end(), [](auto a, auto b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    const SafeArray& sorted = args[0].array();
    for (std::int32_t r = 0; r < 3000; ++r) {
        ASSERT_EQ(sorted.get({r, 0}).toLong(), rows[static_cast<std::size_t>(r)].first) << r;
        ASSERT_EQ(sorted.get({r, 1}).toLong(), rows[static_cast<std::size_t>(r)].second) << r;
    }
}

// Runs body on a thread with a small stack: a sort whose recursion grows with the number of
// rows would overflow it.
void onSmallStack(std::function<void()> body)
{
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 64 * 1024);
    pthread_t thread;
    auto run = [](void* p) -> void* {
        (*static_cast<std::function<void()>*>(p))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, &body), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

TEST(QuickSortRows, AlreadySortedRowsNeedNoDeepRecursion)
{
    // The first row is the pivot, so sorted input splits off one row per round.
    constexpr std::int32_t count = 1500;
    SafeArray rows({{0, count - 1}, {0, 1}});
    for (std::int32_t r = 0; r < count; ++r) {
        rows.set({r, 0}, i32(1));  // all equal: every round splits off one row
        rows.set({r, 1}, i32(r));
    }
    const SafeArray order = SafeArray::ofValues({i32(0), text("asc")});
    bool done = false;
    onSmallStack([&] {
        QuickSortRows(0, count - 1, rows, order);
        done = true;
    });
    EXPECT_TRUE(done);
    std::vector<std::int32_t> ids;
    for (std::int32_t r = 0; r < count; ++r)
        ids.push_back(rows.get({r, 1}).toLong());
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids.front(), 0);
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << "every row kept once";
}

} // namespace
} // namespace tovu::control::testing
