#include "core/app/preview.h"

#include <gtest/gtest.h>

namespace core {

TEST(Preview, StoredSizeMustBeOneOfTheMenuSizes) {
    EXPECT_EQ(PreviewPointsFor(L"14"), 14);
    EXPECT_EQ(PreviewPointsFor(L"26"), 26);
    // Absent, empty, unlisted, padded or fractional texts fall back to the default size.
    for (const wchar_t* text : {L"", L"0", L"15", L" 14", L"14.0", L"abc", L"-10"}) {
        EXPECT_EQ(PreviewPointsFor(std::wstring(text)), kDefaultPreviewPoints) << testing::PrintToString(std::wstring(text));
    }
    EXPECT_EQ(PreviewPointsFor(std::nullopt), kDefaultPreviewPoints);
}

TEST(Preview, TextIsFontDashSample) {
    EXPECT_EQ(PreviewText(L"Arial", L"0123456789 "), L"Arial - 0123456789 ");
    EXPECT_EQ(PreviewText(L"Arial", L""), L"Arial - ");
    EXPECT_EQ(PreviewText(L"Tahoma", L"абв\r\nABC"), L"Tahoma - абв\r\nABC");
}

}  // namespace core
