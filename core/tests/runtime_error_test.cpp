#include "core/runtime_error.h"

#include <gtest/gtest.h>

namespace core {

TEST(RuntimeError, CarriesNumberDescriptionAndComponentSource) {
    SetExecutableName(L"Glyphoscope");
    RuntimeError error(error_number::kObjectErrorBase + 1, L"Ключ не найден", ErrorSource(L".cTabCtrl"));
    EXPECT_EQ(error.Number(), static_cast<std::int32_t>(0x80040001u));
    EXPECT_EQ(error.Description(), L"Ключ не найден");
    EXPECT_EQ(error.Source(), L"Glyphoscope.cTabCtrl");
    // what() stays printable for diagnostics even for Cyrillic descriptions.
    EXPECT_STREQ(RuntimeError(5, L"Bad \u0436", L"x").what(), "Bad ?");
}

TEST(RuntimeError, SourceFollowsRenamedExecutable) {
    SetExecutableName(L"Glyph2");
    EXPECT_EQ(ErrorSource(L".zentPicker"), L"Glyph2.zentPicker");
    SetExecutableName(L"Glyphoscope");
}

}  // namespace core
