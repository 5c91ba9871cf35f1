#include "core/app/font_family_list.h"

#include <gtest/gtest.h>

namespace core {

TEST(FontFamilyList, KeepsFirstReportOrderAndDropsCharsetRepeats) {
    FontFamilyList list;
    // A platform reporting each family once per character set.
    for (const wchar_t* name : {L"Tahoma", L"Arial", L"Tahoma", L"@MS Gothic", L"Arial", L"Marlett", L"Tahoma"}) {
        list.Add(name);
    }
    EXPECT_EQ(list.Names(), (std::vector<std::wstring>{L"Tahoma", L"Arial", L"@MS Gothic", L"Marlett"}));
    // What any report says of a family holds for it.
    list.Add(L"Arial", {true, false});
    list.Add(L"Arial", {false, true});
    EXPECT_TRUE(list.Families()[1].traits.cyrillic && list.Families()[1].traits.monospaced);
    EXPECT_FALSE(list.Families()[0].traits.cyrillic || list.Families()[0].traits.monospaced);
}

TEST(FontFamilyList, NamesDifferingOnlyInCaseAreDifferentFamilies) {
    FontFamilyList list;
    EXPECT_TRUE(list.Add(L"Symbol"));
    EXPECT_TRUE(list.Add(L"symbol"));
    EXPECT_FALSE(list.Add(L"Symbol"));
    EXPECT_EQ(list.size(), 2u);
}

TEST(FontFamilyList, ThousandsOfFamiliesKeepTheirOrder) {
    FontFamilyList list;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 5000; ++i) list.Add(L"Family " + std::to_wstring(i));
    }
    ASSERT_EQ(list.size(), 5000u);
    EXPECT_EQ(list.Names()[4999], L"Family 4999");
}

}  // namespace core
