#include "win/gdi.h"

#include <ole2.h>
#include <olectl.h>

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

TEST(Colours, TranslationReadsAsThePlatformsOwn) {
    for (const core::Colour colour : {core::MakeRgb(1, 2, 3), core::SystemColourRef(0), core::SystemColourRef(COLOR_BTNFACE),
                                      core::SystemColourRef(COLOR_MENUBAR), core::SystemColourRef(COLOR_MENUBAR + 1),
                                      static_cast<core::Colour>(0x01000005), static_cast<core::Colour>(0x02123456),
                                      static_cast<core::Colour>(0x7F000000), core::kNoColour}) {
        COLORREF platform = CLR_INVALID;
        const bool known = SUCCEEDED(::OleTranslateColor(static_cast<OLE_COLOR>(colour), nullptr, &platform));
        EXPECT_EQ(win::TranslateColour(colour), known ? static_cast<core::Colour>(platform) : core::kNoColour)
            << std::hex << colour;
    }
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

TEST(CreateFontFrom, TheFontCarriesQualityAndTurnAndDescribesBack) {
    const core::FontDescription font{L"Arial", 12, true, true, false, true, 204};
    const win::UniqueFont created =
        win::CreateFontFrom(font, 96, win::FontRounding::NearestPixel, CLEARTYPE_QUALITY, 900);
    LOGFONTW held{};
    ASSERT_EQ(::GetObjectW(created.get(), sizeof(held), &held), static_cast<int>(sizeof(held)));
    EXPECT_EQ(held.lfQuality, CLEARTYPE_QUALITY);
    EXPECT_EQ(held.lfEscapement, 900);
    EXPECT_EQ(held.lfOrientation, 900);
    EXPECT_EQ(win::DescribeLogFont(held, 96), font) << "12 pt is 16 px at 96 dpi, and back";
    held.lfHeight = 16;  // a cell height counts by its size too
    EXPECT_EQ(win::DescribeLogFont(held, 96).points, 12);
}

}  // namespace
