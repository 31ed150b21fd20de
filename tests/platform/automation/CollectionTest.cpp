#include "platform/automation/Collection.h"

#include "ErrorNumberOf.h"

#include <gtest/gtest.h>

using namespace tovu::platform::automation;

namespace {

// The items of a collection as one text, read through its dispatch members.
QString itemsOf(Dispatch& c)
{
    QString text;
    const std::int32_t n = c.get(QStringLiteral("Count")).toLong();
    for (std::int32_t i = 1; i <= n; ++i)
        text += c.call(QStringLiteral("Item"), {Variant(i)}).toString() + u' ';
    return text.trimmed();
}

} // namespace

TEST(Collection, AddsInOrderBeforeAndAfterByIndexOrKey)
{
    auto c = std::make_shared<Collection>();
    EXPECT_EQ(c->typeName(), QStringLiteral("Collection"));
    c->call(QStringLiteral("Add"), {Variant("b"), Variant("kb")});
    c->call(QStringLiteral("add"), {Variant("d")});
    c->call(QStringLiteral("Add"), {Variant("a"), Variant::missing(), Variant(1)});
    const QString after[] = {QStringLiteral("After")};
    c->call(QStringLiteral("Add"), {Variant("c"), Variant("KB")}, after);  // named: after the element with key "kb"
    EXPECT_EQ(itemsOf(*c), QStringLiteral("a b c d"));
    EXPECT_EQ(c->count(), 4);

    // Item is the default member and reads by key without regard to case.
    std::vector<Variant> key{Variant("Kb")};
    EXPECT_EQ(c->invoke(DispIdValue, key, CallKind::PropertyGet), Variant("b"));
    EXPECT_EQ(c->item(Variant(2.0)), Variant("b"));  // an index of any numeric kind
}

TEST(Collection, KeysAreUniqueAndBadIndexesRaise)
{
    Collection c;
    c.add(Variant(1), Variant("apple"));
    EXPECT_EQ(errorNumberOf([&] { c.add(Variant(2), Variant("APPLE")); }), 457);
    EXPECT_EQ(c.count(), 1);
    EXPECT_EQ(errorNumberOf([&] { c.add(Variant(2), Variant(5)); }), 13);  // keys are texts
    EXPECT_EQ(errorNumberOf([&] { c.add(Variant(2), Variant::missing(), Variant(1), Variant(1)); }), 5);
    EXPECT_EQ(errorNumberOf([&] { (void)c.item(Variant(0)); }), 9);
    EXPECT_EQ(errorNumberOf([&] { (void)c.item(Variant(2)); }), 9);
    EXPECT_EQ(errorNumberOf([&] { (void)c.item(Variant("pear")); }), 5);
    EXPECT_EQ(errorNumberOf([&] { c.add(Variant(3), Variant::missing(), Variant(7)); }), 9);

    c.add(Variant(2), Variant("pear"));
    c.remove(Variant("Apple"));
    EXPECT_EQ(c.item(Variant(1)), Variant(2));
    c.add(Variant(3), Variant("apple"));  // a removed key is free again
    EXPECT_EQ(c.item(Variant("apple")), Variant(3));
    EXPECT_EQ(errorNumberOf([&] { c.remove(Variant(3)); }), 9);
}
