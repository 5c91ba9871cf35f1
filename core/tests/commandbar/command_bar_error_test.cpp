#include "core/commandbar/command_bar_error.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(CommandBarError, TableOfCodes) {
    struct Row {
        int code;
        std::int32_t number;
        const wchar_t* description;
    };
    const Row rows[] = {
        {1, 364, L"Object has been unloaded."},
        {2, static_cast<std::int32_t>(0x800462AEu), L"Owning zentCommandBar Control does not exist."},
        {3, static_cast<std::int32_t>(0x800462AFu), L"Item does not exist."},
        {4, 13, L"Type Mismatch."},
        {5, 457, L"This key is already associated with an element of this collection."},
        {6, 9, L"Subscript out of range."},
        {7, static_cast<std::int32_t>(0x800462B3u), L"Failed to add the item"},
        {8, 91, L"Object variable or With block variable not set."},
        {9, static_cast<std::int32_t>(0x80040009u), L""},
        {0, static_cast<std::int32_t>(0x80040000u), L""},
    };
    for (const Row& row : rows) {
        const RuntimeError e = CommandBarError(row.code);
        EXPECT_EQ(e.Number(), row.number) << row.code;
        EXPECT_EQ(e.Description(), row.description) << row.code;
        EXPECT_EQ(e.Source(), ErrorSource(L".zentPicker"));
    }
    EXPECT_EQ(CommandBarError(-2147483647 - 1).Number(), 0x00040000);  // wraps, never overflows
}

TEST(CommandBarError, RaiseThrows) {
    try {
        RaiseCommandBarError(9);
        FAIL() << "nothing raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), static_cast<std::int32_t>(0x80040009u));
        EXPECT_TRUE(e.Description().empty());
    }
}

TEST(CommandBarError, OverflowIsTheStandardErrorFromTheCommandBar) {
    try {
        RaiseCommandBarOverflow();
        FAIL() << "nothing raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 6);
        EXPECT_EQ(e.Description(), L"Overflow");
        EXPECT_EQ(e.Source(), ErrorSource(L".zentPicker"));
    }
    EXPECT_EQ(CheckedInt32(std::int64_t{INT32_MIN}), INT32_MIN);
    EXPECT_EQ(CheckedInt32(std::int64_t{INT32_MAX}), INT32_MAX);
    for (std::int64_t outside : {std::int64_t{INT32_MAX} + 1, std::int64_t{INT32_MIN} - 1}) {
        EXPECT_THROW(CheckedInt32(outside), RuntimeError) << outside;
    }
}

}  // namespace
}  // namespace core
