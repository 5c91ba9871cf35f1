#include "core/tabcontrol/tab_keys.h"

#include <gtest/gtest.h>

namespace {

using core::ItemRef;
using core::TabKeyList;

TEST(ItemRef, TheTabStripReadsNumericTextAsATabNumber) {
    EXPECT_TRUE(ItemRef(L"3").KeyReadAsNumber().IsNumber());
    EXPECT_EQ(ItemRef(L" 3 ").KeyReadAsNumber().Number(), 3);
    EXPECT_FALSE(ItemRef(L"GENERAL").KeyReadAsNumber().IsNumber());
    EXPECT_FALSE(ItemRef(L"").KeyReadAsNumber().IsNumber());
    EXPECT_FALSE(ItemRef(L"3").IsNumber()) << "other lists keep numeric text as a key";
    EXPECT_EQ(ItemRef(-1).Text(), L"-1");
    EXPECT_EQ(ItemRef(L"x").Text(), L"x");
}

TEST(TabKeyList, InsertPositionsFollowNumbersKeysAndAppendPastTheEnd) {
    TabKeyList keys;
    keys.Insert(*keys.InsertPosition(-1, 0), L"A");
    keys.Insert(*keys.InsertPosition(-1, 1), L"B");
    keys.Insert(*keys.InsertPosition(1, 2), L"C");
    ASSERT_EQ(keys.Count(), 3u);
    EXPECT_EQ(keys.KeyAt(0), L"C");
    EXPECT_EQ(keys.KeyAt(1), L"A");
    EXPECT_EQ(keys.KeyAt(2), L"B");

    EXPECT_EQ(keys.InsertPosition(4, 3), 3u);  // count + 1 appends
    EXPECT_EQ(keys.InsertPosition(9, 3), 3u);
    EXPECT_EQ(keys.InsertPosition(0, 3), 3u);
    EXPECT_EQ(keys.InsertPosition(L"B", 3), 2u);
    EXPECT_EQ(keys.InsertPosition(L"missing", 3), std::nullopt);
}

TEST(TabKeyList, IndexForChecksTheRangeAndTakesTheFirstMatchingKey) {
    TabKeyList keys;
    keys.Insert(0, L"A");
    keys.Insert(1, L"B");
    keys.Insert(2, L"A");
    EXPECT_EQ(keys.IndexFor(L"A", 3), 1);
    EXPECT_EQ(keys.IndexFor(L"B", 3), 2);
    EXPECT_EQ(keys.IndexFor(L"a", 3), std::nullopt);
    EXPECT_EQ(keys.IndexFor(3, 3), 3);
    EXPECT_EQ(keys.IndexFor(L"2", 3), 2);
    EXPECT_EQ(keys.IndexFor(0, 3), std::nullopt);
    EXPECT_EQ(keys.IndexFor(4, 3), std::nullopt);

    keys.Remove(0);
    EXPECT_EQ(keys.IndexFor(L"A", 2), 2);
    EXPECT_EQ(keys.KeyAt(0), L"B");
}

TEST(TabKeyList, SelectionMovesToTheTabInTheGapOrTheNewLast) {
    EXPECT_EQ(core::SelectionAfterRemoval(1, 3), 1u);
    EXPECT_EQ(core::SelectionAfterRemoval(3, 3), 2u);
    EXPECT_EQ(core::SelectionAfterRemoval(0, 0), std::nullopt);
}

}  // namespace
