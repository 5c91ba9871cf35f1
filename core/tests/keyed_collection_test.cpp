#include "core/keyed_collection.h"

#include <gtest/gtest.h>

#include <string>

#include "support/error_number.h"

namespace core {

namespace {

using testing_support::ErrorNumberOf;

std::wstring Joined(const KeyedCollection<std::wstring>& items) {
    std::wstring text;
    for (const auto& entry : items) text += entry.value;
    return text;
}

}  // namespace

TEST(KeyedCollection, KeepsInsertionOrderFromPositionOne) {
    KeyedCollection<std::wstring> items;
    items.Add(L"b", L"B");
    items.Add(L"d");  // no key
    items.AddBefore(1, L"a", L"A");
    items.AddAfter(2, L"c", L"C");
    EXPECT_EQ(Joined(items), L"abcd");
    EXPECT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Item(1), L"a");
    EXPECT_EQ(items.Item(4), L"d");
    EXPECT_EQ(items.Item(L"C"), L"c");
    EXPECT_EQ(items.IndexOf(L"C"), 3);
    EXPECT_FALSE(items.KeyAt(4).has_value());
    items.Remove(L"B");
    items.Remove(1);
    EXPECT_EQ(Joined(items), L"cd");
}

TEST(KeyedCollection, DuplicateKeyFailsWith457AndChangesNothing) {
    KeyedCollection<int> items;
    items.Add(1, L"ONE");
    EXPECT_EQ(ErrorNumberOf([&] { items.Add(2, L"ONE"); }), 457);
    EXPECT_EQ(ErrorNumberOf([&] { items.AddBefore(1, 2, L"ONE"); }), 457);
    EXPECT_EQ(items.Count(), 1);
    // Keys compare exactly, so another case is another key.
    items.Add(3, L"one");
    EXPECT_EQ(items.Item(L"one"), 3);
    try {
        items.Add(4, L"ONE");
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Description(), L"This key is already associated with an element of this collection.");
    }
}

TEST(KeyedCollection, RekeyingAndSwappingKeepKeysUniqueUnlessDuplicatesAreAllowed) {
    KeyedCollection<int> items;
    items.Add(1, L"A");
    items.Add(2, L"B");
    EXPECT_EQ(ErrorNumberOf([&] { items.SetKey(2, L"A"); }), 457);
    items.SetKey(1, L"A");  // its own key again
    items.Swap(1, 2);
    EXPECT_EQ(items.Item(L"A"), 1);
    EXPECT_EQ(items.IndexOf(L"A"), 2);

    KeyedCollection<int> parallel(DuplicateKeys::Allowed);
    parallel.Add(1, L"A");
    parallel.Add(2, L"A");
    parallel.SetKey(1, L"B");
    parallel.SetKey(1, L"A");
    EXPECT_EQ(parallel.IndexOf(L"A"), 1) << "the first match wins";
}

TEST(KeyedCollection, MissingKeyAndBadPositionFailWithTheirOwnErrors) {
    KeyedCollection<int> items;
    EXPECT_EQ(ErrorNumberOf([&] { items.Item(1); }), 9);
    items.Add(7, L"SEVEN");
    EXPECT_EQ(ErrorNumberOf([&] { items.Item(0); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { items.Item(2); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { items.Remove(-1); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { items.AddAfter(2, 1); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { items.Item(L"EIGHT"); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { items.Remove(L"EIGHT"); }), 5);
    EXPECT_EQ(items.Find(L"EIGHT"), nullptr);
    EXPECT_EQ(*items.Find(L"SEVEN"), 7);
    EXPECT_EQ(items.Count(), 1);
}

}  // namespace core
