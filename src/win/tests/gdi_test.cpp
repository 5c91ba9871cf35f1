#include "win/gdi.h"

#include <gtest/gtest.h>

namespace {

TEST(Colours, SystemReferencesResolveAndOnlyTranslationCanFail) {
    EXPECT_EQ(win::ToColorRef(core::SystemColourRef(COLOR_HIGHLIGHT)), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(win::ToColorRef(core::MakeRgb(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(win::ToColorRef(core::kNoColour), RGB(255, 255, 255)) << "no colour is no system reference";
    EXPECT_EQ(win::TranslateColour(core::SystemColourRef(COLOR_BTNFACE)),
              static_cast<core::Colour>(::GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(win::TranslateColour(core::MakeRgb(1, 2, 3)), core::MakeRgb(1, 2, 3));
    EXPECT_EQ(win::TranslateColour(static_cast<core::Colour>(0x7F000000)), core::kNoColour);
    EXPECT_EQ(win::TranslateColour(core::kNoColour), core::kNoColour);
}

TEST(MakeLogFont, RoundingIsTheCallersChoice) {
    // 10.5 pt at 96 dpi is exactly 14 px; taken as whole points (10, half to even) it is 13.
    const core::FontDescription font{L"Arial", 10.5, true, false, true, true, 204};
    const LOGFONTW nearest = win::MakeLogFont(font, 96, win::FontRounding::NearestPixel);
    EXPECT_EQ(nearest.lfHeight, -14);
    EXPECT_EQ(win::MakeLogFont(font, 96, win::FontRounding::WholePoints).lfHeight, -13);
    EXPECT_STREQ(nearest.lfFaceName, L"Arial");
    EXPECT_EQ(nearest.lfWeight, FW_BOLD);
    EXPECT_FALSE(nearest.lfItalic);
    EXPECT_TRUE(nearest.lfUnderline && nearest.lfStrikeOut);
    EXPECT_EQ(nearest.lfCharSet, 204);
    EXPECT_EQ(nearest.lfQuality, 0) << "quality is left to the caller";
}

}  // namespace
