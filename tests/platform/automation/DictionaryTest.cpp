#include "platform/automation/Dictionary.h"

#include "ErrorNumberOf.h"

#include <gtest/gtest.h>

using namespace tovu::platform::automation;

TEST(Dictionary, KeysAndItemsKeepTheOrderOfAdding)
{
    auto d = std::make_shared<Dictionary>();
    EXPECT_EQ(d->typeName(), QStringLiteral("Dictionary"));
    d->call(QStringLiteral("Add"), {Variant("pear"), Variant("green")});
    d->call(QStringLiteral("Add"), {Variant("apple"), Variant("red")});
    d->call(QStringLiteral("Add"), {Variant(3), Variant("three")});
    EXPECT_EQ(d->get(QStringLiteral("Count")), Variant(3));
    const Variant keys = d->call(QStringLiteral("Keys"));
    const Variant items = d->call(QStringLiteral("Items"));
    EXPECT_EQ(keys.array().lbound(), 0);
    EXPECT_EQ(keys.array().ubound(), 2);
    EXPECT_EQ(keys.array().get({0}), Variant("pear"));
    EXPECT_EQ(keys.array().get({2}), Variant(3));
    EXPECT_EQ(items.array().get({1}), Variant("red"));

    d->remove(Variant("pear"));
    EXPECT_EQ(d->keys().get({0}), Variant("apple"));
    EXPECT_EQ(d->item(Variant(3)), Variant("three"));  // still found after the removal shifted it
    EXPECT_EQ(errorNumberOf([&] { d->remove(Variant("pear")); }), 32811);
    EXPECT_EQ(SafeArray(Dictionary().keys()).ubound(), -1);  // an empty dictionary: 0 To -1
}

TEST(Dictionary, WhatCountsAsTheSameKey)
{
    Dictionary d;
    d.add(Variant(1), Variant("one"));
    EXPECT_EQ(errorNumberOf([&] { d.add(Variant(std::int16_t{1}), Variant("x")); }), 457);
    EXPECT_EQ(errorNumberOf([&] { d.add(Variant(1.0), Variant("x")); }), 457);
    EXPECT_FALSE(d.exists(Variant(true)));  // True is -1
    d.add(Variant("1"), Variant("text one"));       // a text is not a number
    d.add(Variant("Apple"), Variant("a"));
    EXPECT_FALSE(d.exists(Variant("apple")));        // binary compare by default
    EXPECT_EQ(errorNumberOf([&] { d.add(Variant(SafeArray()), Variant("x")); }), 13);
    EXPECT_EQ(errorNumberOf([&] { d.setCompareMode(1); }), 5);  // only while empty

    Dictionary text;
    text.setCompareMode(Dictionary::TextCompare);
    text.add(Variant("Apple"), Variant("a"));
    EXPECT_TRUE(text.exists(Variant("APPLE")));
    EXPECT_EQ(errorNumberOf([&] { text.add(Variant("apple"), Variant("b")); }), 457);
}

TEST(Dictionary, ReadingAMissingKeyAddsItAndItemAndKeyCanBeAssigned)
{
    auto d = std::make_shared<Dictionary>();
    EXPECT_TRUE(d->call(QStringLiteral("Item"), {Variant("ghost")}).isEmpty());
    EXPECT_TRUE(d->exists(Variant("ghost")));  // the run-time's own behaviour
    EXPECT_EQ(d->count(), 1);

    std::vector<Variant> put{Variant("ghost"), Variant("seen")};
    d->invoke(DispIdValue, put, CallKind::PropertyPut);
    EXPECT_EQ(d->item(Variant("ghost")), Variant("seen"));
    std::vector<Variant> rename{Variant("ghost"), Variant("spirit")};
    d->invoke(d->dispIdOfName(QStringLiteral("Key")), rename, CallKind::PropertyPut);
    EXPECT_FALSE(d->exists(Variant("ghost")));
    EXPECT_EQ(d->item(Variant("spirit")), Variant("seen"));
    EXPECT_EQ(errorNumberOf([&] { d->renameKey(Variant("nobody"), Variant("x")); }), 32811);

    d->call(QStringLiteral("RemoveAll"));
    EXPECT_EQ(d->count(), 0);
}
