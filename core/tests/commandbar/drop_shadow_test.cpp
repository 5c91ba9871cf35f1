#include "core/commandbar/drop_shadow.h"

#include <gtest/gtest.h>

#include <utility>

namespace core::commandbar {
namespace {

constexpr Colour kShadowBlue = MakeRgb(0, 0, 192);

TEST(DropShadow, StripsOfAMenuAt10By20Sized100By200) {
    const ShadowStrip right = ShadowStripFor(ShadowSide::Right, 10, 20, 110, 220);
    const ShadowStrip bottom = ShadowStripFor(ShadowSide::Bottom, 10, 20, 110, 220);
    EXPECT_EQ(right, (ShadowStrip{110, 25, 5, 195}));
    EXPECT_EQ(bottom, (ShadowStrip{15, 220, 100, 5}));
    // A menu no taller than the shadow has no right strip, but its bottom strip is whole.
    const std::pair<std::int32_t, ShadowStrip> shortMenus[] = {
        {25, {15, 25, 100, 5}}, {21, {15, 21, 100, 5}}, {20, {}}};
    for (const auto& [menuBottom, expected] : shortMenus) {
        EXPECT_EQ(ShadowStripFor(ShadowSide::Right, 10, 20, 110, menuBottom), ShadowStrip{}) << menuBottom;
        EXPECT_EQ(ShadowStripFor(ShadowSide::Bottom, 10, 20, 110, menuBottom), expected) << menuBottom;
    }

    // Bottom strip: transparent at its outer row and its ends, strongest against the menu.
    EXPECT_EQ(ShadowStrength(ShadowSide::Bottom, bottom, 5, 0, 4), 0);
    EXPECT_EQ(ShadowStrength(ShadowSide::Bottom, bottom, 5, 50, 0), 0);
    EXPECT_EQ(ShadowStrength(ShadowSide::Bottom, bottom, 5, 50, 4), 204);
    EXPECT_EQ(ShadowStrength(ShadowSide::Bottom, bottom, 5, 97, 4), 122);
    // Right strip: strongest along the menu's edge, fading outwards and towards its top end.
    EXPECT_EQ(ShadowStrength(ShadowSide::Right, right, 5, 0, 0), 255);
    EXPECT_EQ(ShadowStrength(ShadowSide::Right, right, 5, 4, 0), 51);
    EXPECT_EQ(ShadowStrength(ShadowSide::Right, right, 5, 0, 194), 51);

    // A shadow wider than half a narrow menu: the two end ramps overlap, every strength in range.
    const ShadowStrip narrow = ShadowStripFor(ShadowSide::Bottom, 0, 0, 6, 40);
    for (std::int32_t column = 0; column < narrow.width; ++column) {
        const int strength = ShadowStrength(ShadowSide::Bottom, narrow, 5, column, 4);
        EXPECT_TRUE(strength >= 0 && strength <= 255) << column;
    }
}

TEST(DropShadow, PicturesArePremultipliedOrBlendedIntoTheScreenCopy) {
    const ShadowStrip bottom = ShadowStripFor(ShadowSide::Bottom, 10, 20, 110, 220);
    const std::vector<std::uint32_t> layered = LayeredShadowPixels(ShadowSide::Bottom, bottom, 5, kShadowBlue);
    ASSERT_EQ(layered.size(), 500u);
    EXPECT_EQ(layered[4 * 100 + 50], 0xCC00009Au) << "strength 204 premultiplies 192 to 154";
    EXPECT_EQ(layered[50], 0u) << "the outer row";

    // Screen copy: 204 * 3/8 = 76.5 rounds to the even 76.
    std::vector<std::uint32_t> screen(500, 0x00FFFFFFu);
    DarkenScreenCopy(screen, ShadowSide::Bottom, bottom, 5, kShadowBlue);
    EXPECT_EQ(screen[4 * 100 + 50], 0x00B3B3ECu);
    EXPECT_EQ(screen[50], 0x00FFFFFFu);
}

}  // namespace
}  // namespace core::commandbar
