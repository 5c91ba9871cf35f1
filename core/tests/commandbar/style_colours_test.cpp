#include "core/commandbar/style_colours.h"

#include <gtest/gtest.h>

#include <map>

#include "core/runtime_error.h"

namespace core {
namespace {

constexpr Colour Rgb(int r, int g, int b) { return MakeRgb(r, g, b); }
constexpr Colour kNone = kNoColour;

// A desktop with fixed, distinct system colours (a beige XP-like scheme).
class FixedDesktop : public ColourTranslator {
public:
    FixedDesktop() {
        namespace sc = system_colour;
        colours_ = {{sc::kWindowText, Rgb(0, 0, 0)},
                    {sc::kMenu, Rgb(250, 250, 245)},
                    {sc::kWindow, Rgb(255, 255, 255)},
                    {sc::kHighlight, Rgb(49, 106, 197)},
                    {sc::kHighlightText, Rgb(255, 255, 255)},
                    {sc::kButtonFace, Rgb(236, 233, 216)},
                    {sc::kButtonShadow, Rgb(172, 168, 153)},
                    {sc::kGrayText, Rgb(161, 161, 146)},
                    {sc::kButtonHighlight, Rgb(255, 255, 255)},
                    {sc::kDarkShadow, Rgb(113, 111, 100)},
                    {sc::kLight, Rgb(241, 239, 226)}};
    }
    Colour SystemColour(int index) const override {
        auto it = colours_.find(index);
        return it == colours_.end() ? Rgb(1, 2, 3) : it->second;
    }
    Colour Translate(Colour colour) const override {
        if (IsSystemColourRef(colour)) {
            auto it = colours_.find(colour & 0xFF);
            return it == colours_.end() ? kNoColour : it->second;
        }
        return (colour & 0xFF000000) == 0 ? colour : kNoColour;
    }
    void Set(int index, Colour colour) { colours_[index] = colour; }

private:
    std::map<int, Colour> colours_;
};

struct TableCase {
    const char* name;
    int style;
    int scheme;
    bool highColour;
    Colour expected[30];
};

// Expected colours of elements 1..30, worked out from the element table for FixedDesktop.
const TableCase kTable[] = {
    // clang-format off
    {"Blended", 0, 0, true, {
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(172, 168, 153), kNone, kNone, Rgb(193, 210, 237),
        Rgb(193, 210, 237), Rgb(223, 225, 219), Rgb(223, 225, 219), Rgb(152, 181, 226), Rgb(152, 181, 226), Rgb(113, 111, 100),
        Rgb(138, 135, 122), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(199, 197, 181), Rgb(252, 252, 250), Rgb(252, 252, 250),
        Rgb(193, 210, 237), Rgb(193, 210, 237), Rgb(49, 106, 197), Rgb(223, 225, 219), Rgb(223, 225, 219), Rgb(152, 181, 226),
        Rgb(152, 181, 226), Rgb(172, 168, 153), Rgb(255, 255, 255), Rgb(172, 168, 153), Rgb(239, 236, 221), Rgb(239, 236, 221),
    }},
    {"BlendedLowColour", 0, 0, false, {
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(172, 168, 153), kNone, kNone, Rgb(236, 233, 216),
        Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(113, 111, 100),
        Rgb(172, 168, 153), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(172, 168, 153), Rgb(250, 250, 245), Rgb(250, 250, 245),
        Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(49, 106, 197), Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(255, 255, 255),
        Rgb(255, 255, 255), Rgb(172, 168, 153), Rgb(255, 255, 255), Rgb(172, 168, 153), Rgb(236, 233, 216), Rgb(236, 233, 216),
    }},
    {"ThemedNoScheme", 1, 0, true, {
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(196, 194, 183), kNone, kNone, Rgb(193, 210, 237),
        Rgb(187, 206, 236), Rgb(197, 213, 238), Rgb(253, 253, 251), Rgb(152, 180, 226), Rgb(134, 167, 221), Rgb(196, 194, 183),
        Rgb(150, 147, 133), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(196, 194, 183), Rgb(249, 248, 247), Rgb(249, 248, 247),
        Rgb(193, 210, 237), Rgb(187, 206, 236), Rgb(49, 106, 197), Rgb(197, 213, 238), Rgb(253, 253, 251), Rgb(152, 180, 226),
        Rgb(134, 167, 221), Rgb(182, 179, 165), Rgb(255, 255, 255), Rgb(196, 194, 183), Rgb(253, 253, 251), Rgb(236, 233, 216),
    }},
    {"ThemedNoSchemeLowColour", 1, 0, false, {
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(172, 168, 153), kNone, kNone, Rgb(236, 233, 216),
        Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(172, 168, 153),
        Rgb(172, 168, 153), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(172, 168, 153), Rgb(250, 250, 245), Rgb(250, 250, 245),
        Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(49, 106, 197), Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(255, 255, 255),
        Rgb(255, 255, 255), Rgb(172, 168, 153), Rgb(255, 255, 255), Rgb(172, 168, 153), Rgb(236, 233, 216), Rgb(236, 233, 216),
    }},
    {"ThemedNormalColor", 1, 1, true, {
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(106, 140, 203), kNone, kNone, Rgb(253, 254, 211),
        Rgb(253, 221, 152), Rgb(251, 223, 128), Rgb(245, 185, 74), Rgb(251, 139, 89), Rgb(206, 47, 3), Rgb(106, 140, 203),
        Rgb(0, 45, 150), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(160, 160, 160), Rgb(246, 246, 246), Rgb(246, 246, 246),
        Rgb(253, 254, 211), Rgb(253, 221, 152), Rgb(0, 0, 128), Rgb(251, 223, 128), Rgb(245, 185, 74), Rgb(251, 139, 89),
        Rgb(206, 47, 3), Rgb(109, 150, 208), Rgb(255, 255, 255), Rgb(106, 140, 203), Rgb(209, 227, 251), Rgb(129, 169, 226),
    }},
    {"ThemedMetallic", 1, 2, true, {
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(110, 109, 143), kNone, kNone, Rgb(255, 239, 192),
        Rgb(255, 220, 115), Rgb(250, 218, 152), Rgb(229, 165, 33), Rgb(236, 176, 139), Rgb(196, 103, 48), Rgb(110, 109, 143),
        Rgb(124, 124, 148), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(148, 148, 148), Rgb(253, 250, 255), Rgb(253, 250, 255),
        Rgb(255, 239, 192), Rgb(255, 220, 115), Rgb(75, 75, 111), Rgb(250, 218, 152), Rgb(229, 165, 33), Rgb(236, 176, 139),
        Rgb(196, 103, 48), Rgb(168, 167, 190), Rgb(255, 255, 255), Rgb(110, 109, 143), Rgb(249, 249, 255), Rgb(159, 157, 185),
    }},
    {"ThemedHomestead", 1, 3, true, {
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), kNone, kNone, Rgb(0, 0, 0),
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0),
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0),
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0),
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0),
    }},
    {"Dark", 2, 0, true, {
        Rgb(255, 255, 255), Rgb(255, 223, 127), Rgb(190, 190, 190), kNone, kNone, Rgb(70, 70, 70),
        Rgb(70, 70, 70), Rgb(70, 70, 70), Rgb(70, 70, 70), Rgb(90, 90, 90), Rgb(90, 90, 90), Rgb(0, 0, 0),
        Rgb(68, 68, 68), Rgb(255, 255, 255), Rgb(255, 223, 127), Rgb(145, 145, 145), Rgb(91, 91, 91), Rgb(91, 91, 91),
        Rgb(70, 70, 70), Rgb(70, 70, 70), Rgb(65, 65, 65), Rgb(70, 70, 70), Rgb(70, 70, 70), Rgb(90, 90, 90),
        Rgb(90, 90, 90), Rgb(70, 70, 70), Rgb(160, 160, 160), Rgb(112, 112, 112), Rgb(91, 91, 91), Rgb(91, 91, 91),
    }},
    {"DarkLowColour", 2, 0, false, {
        Rgb(255, 255, 255), Rgb(255, 223, 127), Rgb(190, 190, 190), kNone, kNone, Rgb(70, 70, 70),
        Rgb(70, 70, 70), Rgb(70, 70, 70), Rgb(70, 70, 70), Rgb(90, 90, 90), Rgb(90, 90, 90), Rgb(0, 0, 0),
        Rgb(68, 68, 68), Rgb(255, 255, 255), Rgb(255, 223, 127), Rgb(145, 145, 145), Rgb(250, 250, 245), Rgb(250, 250, 245),
        Rgb(70, 70, 70), Rgb(70, 70, 70), Rgb(65, 65, 65), Rgb(70, 70, 70), Rgb(70, 70, 70), Rgb(90, 90, 90),
        Rgb(90, 90, 90), Rgb(70, 70, 70), Rgb(160, 160, 160), Rgb(112, 112, 112), Rgb(250, 250, 245), Rgb(250, 250, 245),
    }},
    {"System", 3, 0, true, {
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(172, 168, 153), kNone, kNone, Rgb(236, 233, 216),
        Rgb(236, 233, 216), Rgb(252, 252, 250), Rgb(252, 252, 250), Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(113, 111, 100),
        Rgb(172, 168, 153), Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(172, 168, 153), Rgb(250, 250, 245), Rgb(250, 250, 245),
        Rgb(49, 106, 197), Rgb(49, 106, 197), Rgb(49, 106, 197), Rgb(250, 250, 245), Rgb(250, 250, 245), Rgb(250, 250, 245),
        Rgb(250, 250, 245), Rgb(172, 168, 153), Rgb(255, 255, 255), Rgb(172, 168, 153), kNone, kNone,
    }},
    {"SystemLowColour", 3, 0, false, {
        Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(172, 168, 153), kNone, kNone, Rgb(236, 233, 216),
        Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(236, 233, 216), Rgb(113, 111, 100),
        Rgb(172, 168, 153), Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(172, 168, 153), Rgb(250, 250, 245), Rgb(250, 250, 245),
        Rgb(49, 106, 197), Rgb(49, 106, 197), Rgb(49, 106, 197), Rgb(250, 250, 245), Rgb(250, 250, 245), Rgb(250, 250, 245),
        Rgb(250, 250, 245), Rgb(172, 168, 153), Rgb(255, 255, 255), Rgb(172, 168, 153), kNone, kNone,
    }},
    // clang-format on
};

class ElementTable : public testing::TestWithParam<TableCase> {};

TEST_P(ElementTable, EveryElementMatches) {
    const TableCase& c = GetParam();
    FixedDesktop desktop;
    StylePalette palette;
    palette.SetStyle(c.style);
    palette.SetScheme(static_cast<ColourScheme>(c.scheme));
    palette.SetHighColour(c.highColour);
    for (int id = colour_element::kFirst; id <= colour_element::kLast; ++id) {
        const Colour got = palette.ElementColour(id, desktop);
        const Colour want = c.expected[id - 1];
        EXPECT_EQ(got, want) << c.name << " element " << id << " ("
                             << testing::PrintToString(std::wstring(ColourElementName(id))) << "): got " << RedOf(got)
                             << "," << GreenOf(got) << "," << BlueOf(got) << " want " << RedOf(want) << ","
                             << GreenOf(want) << "," << BlueOf(want);
        EXPECT_EQ(palette.StyleColour(id, desktop), want) << c.name << " element " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(AllStyles, ElementTable, testing::ValuesIn(kTable),
                         [](const testing::TestParamInfo<TableCase>& info) { return std::string(info.param.name); });

TEST(StylePalette, StartsThemedHighColourWithoutCustomColours) {
    StylePalette palette;
    EXPECT_EQ(palette.Style(), 1);
    EXPECT_TRUE(palette.IsHighColour());
    EXPECT_EQ(palette.Scheme(), ColourScheme::None);
    for (int id = 0; id < colour_element::kSlotCount; ++id) EXPECT_TRUE(palette.IsUsingStyleColour(id)) << id;
}

TEST(StylePalette, HomesteadGivesBlackWhereTheSchemeIsListed) {
    FixedDesktop desktop;
    StylePalette palette;
    palette.SetScheme(ColourScheme::Homestead);
    for (int id : {6, 7, 8, 9, 10, 11, 13, 16, 17, 21, 26, 27, 28, 29, 30}) {
        EXPECT_EQ(palette.ElementColour(id, desktop), kBlack) << id;
    }
    // Text colours do not depend on the scheme.
    EXPECT_EQ(palette.ElementColour(colour_element::kMenuText, desktop), Rgb(0, 0, 0));
    desktop.Set(system_colour::kWindowText, Rgb(10, 20, 30));
    EXPECT_EQ(palette.ElementColour(colour_element::kMenuText, desktop), Rgb(10, 20, 30));
}

TEST(StylePalette, ColoursFollowTheDesktopAtEveryCall) {
    FixedDesktop desktop;
    StylePalette palette;
    palette.SetStyle(3);
    EXPECT_EQ(palette.ElementColour(colour_element::kMenuHotStart, desktop), Rgb(49, 106, 197));
    desktop.Set(system_colour::kHighlight, Rgb(200, 0, 0));
    EXPECT_EQ(palette.ElementColour(colour_element::kMenuHotStart, desktop), Rgb(200, 0, 0));
    EXPECT_EQ(palette.ElementColour(colour_element::kMenuHotEnd, desktop), Rgb(200, 0, 0));
}

TEST(StylePalette, CustomColoursAreTranslatedExceptForThreeElements) {
    FixedDesktop desktop;
    StylePalette palette;
    const Colour buttonFaceRef = SystemColourRef(system_colour::kButtonFace);
    palette.SetCustomColour(colour_element::kMenuBorder, buttonFaceRef);
    EXPECT_EQ(palette.ElementColour(colour_element::kMenuBorder, desktop), Rgb(236, 233, 216));
    for (int id :
         {colour_element::kToolbarTextHot, colour_element::kMenuIconDisabled, colour_element::kSeparatorDark}) {
        palette.SetCustomColour(id, buttonFaceRef);
        EXPECT_EQ(palette.ElementColour(id, desktop), buttonFaceRef) << id;
    }
    // An untranslatable custom colour gives no colour.
    palette.SetCustomColour(colour_element::kMenuBorder, static_cast<Colour>(0x7F000000));
    EXPECT_EQ(palette.ElementColour(colour_element::kMenuBorder, desktop), kNoColour);
    // Custom colours show through the elements that derive from them.
    palette.SetCustomColour(colour_element::kButtonHotStart, Rgb(1, 2, 3));
    EXPECT_EQ(palette.ElementColour(colour_element::kMenuHotStart, desktop), Rgb(1, 2, 3));
    palette.SetCustomColour(colour_element::kButtonHotStart, kNoColour);
    EXPECT_TRUE(palette.IsUsingStyleColour(colour_element::kButtonHotStart));
    EXPECT_FALSE(palette.IsUsingStyleColour(colour_element::kMenuBorder));
}

TEST(StylePalette, StyleColourIgnoresOnlyTheElementsOwnCustomColour) {
    FixedDesktop desktop;
    StylePalette palette;
    palette.SetCustomColour(colour_element::kButtonCheckedEnd, Rgb(9, 9, 9));
    const Colour styleColour = palette.StyleColour(colour_element::kButtonCheckedEnd, desktop);
    EXPECT_EQ(styleColour, palette.ElementColour(colour_element::kBarBackStart, desktop));
    EXPECT_EQ(palette.CustomColour(colour_element::kButtonCheckedEnd), Rgb(9, 9, 9));
    EXPECT_EQ(palette.ElementColour(colour_element::kButtonCheckedEnd, desktop), Rgb(9, 9, 9));

    palette.SetCustomColour(colour_element::kBarBackStart, Rgb(7, 7, 7));
    EXPECT_EQ(palette.StyleColour(colour_element::kButtonCheckedEnd, desktop), Rgb(7, 7, 7));
}

TEST(StylePalette, SlotsZeroAndThirtyOneExistButHoldNoElement) {
    FixedDesktop desktop;
    StylePalette palette;
    palette.SetCustomColour(0, Rgb(5, 5, 5));
    EXPECT_EQ(palette.CustomColour(0), Rgb(5, 5, 5));
    EXPECT_EQ(palette.StyleColour(0, desktop), 0);
    EXPECT_EQ(palette.StyleColour(31, desktop), 0);
    EXPECT_EQ(palette.ElementColour(31, desktop), 0);
}

TEST(StylePalette, IdsOutsideTheSlotsRaiseError9) {
    FixedDesktop desktop;
    StylePalette palette;
    for (int id : {-1, 32, 1000}) {
        try {
            palette.CustomColour(id);
            ADD_FAILURE() << "no error for " << id;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), 9);
            EXPECT_EQ(e.Source(), ErrorSource(L".zentPicker"));
        }
        EXPECT_THROW(palette.SetCustomColour(id, 0), RuntimeError);
        EXPECT_THROW(palette.IsUsingStyleColour(id), RuntimeError);
        EXPECT_THROW(palette.StyleColour(id, desktop), RuntimeError);
        EXPECT_THROW(palette.ElementColour(id, desktop), RuntimeError);
    }
}

TEST(StylePalette, UnknownStylesPaintLikeTheBlendedStyle) {
    FixedDesktop desktop;
    StylePalette blended, odd;
    blended.SetStyle(0);
    odd.SetStyle(7);
    EXPECT_EQ(odd.Style(), 7);
    for (int id = colour_element::kFirst; id <= colour_element::kLast; ++id) {
        EXPECT_EQ(odd.ElementColour(id, desktop), blended.ElementColour(id, desktop)) << id;
    }
}

TEST(ColourScheme, NamesCompareExactly) {
    EXPECT_EQ(ColourSchemeFromName(L"NormalColor"), ColourScheme::NormalColour);
    EXPECT_EQ(ColourSchemeFromName(L"Metallic"), ColourScheme::Metallic);
    EXPECT_EQ(ColourSchemeFromName(L"Homestead"), ColourScheme::Homestead);
    EXPECT_EQ(ColourSchemeFromName(L"normalcolor"), ColourScheme::None);
    EXPECT_EQ(ColourSchemeFromName(L""), ColourScheme::None);
    EXPECT_EQ(ColourElementName(13), L"MenuBorder");
    EXPECT_EQ(ColourElementName(31), L"");
}

}  // namespace
}  // namespace core
