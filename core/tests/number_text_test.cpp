#include "core/number_text.h"

#include <gtest/gtest.h>

namespace core {

TEST(NumberText, WholeNumbersAcceptBlanksSignsAndFractions) {
    EXPECT_EQ(ParseInt32(L"16777215"), 16777215);
    EXPECT_EQ(ParseInt32(L"  -42 "), -42);
    EXPECT_EQ(ParseInt32(L"+7"), 7);
    EXPECT_EQ(ParseInt32(L"2.5"), 2);   // half to even
    EXPECT_EQ(ParseInt32(L"3.5"), 4);
    EXPECT_EQ(ParseInt32(L"-2.5"), -2);
    EXPECT_EQ(ParseInt32(L"1e3"), 1000);
    EXPECT_EQ(ParseInt32(L"1,5", L','), 2);
    EXPECT_EQ(ParseInt32(L"&HFF"), 255);
    EXPECT_EQ(ParseInt32(L"&HFFFFFFFF"), -1);
    EXPECT_EQ(ParseInt32(L"&O17"), 15);
}

TEST(NumberText, TextsThatDoNotConvertAreRejected) {
    for (const wchar_t* text : {L"", L"   ", L"red", L"12abc", L"1e", L"--1", L"1.2.3", L"&H", L"&HXYZ",
                                L"&H123456789", L"+", L"."}) {
        EXPECT_FALSE(ParseInt32(text).has_value()) << "accepted: " << testing::PrintToString(std::wstring(text));
    }
}

TEST(NumberText, RangesOfEachTarget) {
    EXPECT_EQ(ParseInt32(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseInt32(L"-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseInt32(L"2147483648").has_value());
    EXPECT_FALSE(ParseInt32(L"1e400").has_value());
    EXPECT_EQ(ParseInt16(L"1"), 1);
    EXPECT_EQ(ParseInt16(L"-32768"), -32768);
    EXPECT_FALSE(ParseInt16(L"32768").has_value());
    EXPECT_FLOAT_EQ(*ParseSingle(L"1234.5"), 1234.5f);
    EXPECT_FLOAT_EQ(*ParseSingle(L"-15"), -15.0f);
    EXPECT_FALSE(ParseSingle(L"1e39").has_value());
}

TEST(NumberText, DecimalFractionsAreTheNearestDouble) {
    EXPECT_EQ(*ParseNumber(L"8.25"), 8.25);
    EXPECT_EQ(*ParseNumber(L"0.1"), 0.1);
    EXPECT_EQ(*ParseNumber(L"1234.5678"), 1234.5678);
    EXPECT_EQ(*ParseNumber(L"12.5e-1"), 1.25);
    EXPECT_EQ(*ParseNumber(L"9007199254740993"), 9007199254740992.0);  // past 2^53, still the nearest
    EXPECT_EQ(*ParseNumber(L"-7279253412930364463"), -7279253412930364463.0);
    EXPECT_EQ(*ParseNumber(L"0e400"), 0.0);
    EXPECT_EQ(*ParseNumber(L"1" + std::wstring(400, L'0') + L"e-300"), 1e100);
    EXPECT_EQ(*ParseNumber(L"1e-400"), 0.0);
}

TEST(NumberText, HugeTextDoesNotOverflow) {
    std::wstring digits(100000, L'9');
    EXPECT_FALSE(ParseInt32(digits).has_value());
    EXPECT_FALSE(ParseSingle(digits).has_value());
}

TEST(NumberText, FormatRoundTrips) {
    for (std::int64_t v : {0LL, 1LL, -1LL, 16777215LL, -2147483648LL}) {
        EXPECT_EQ(ParseInt32(FormatInt(v)), static_cast<std::int32_t>(v));
    }
}

}  // namespace core
