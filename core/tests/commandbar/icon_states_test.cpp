#include "core/commandbar/icon_states.h"

#include <gtest/gtest.h>

namespace core {
namespace {

IconPixel Px(int r, int g, int b, int a = 255) {
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b),
            static_cast<std::uint8_t>(a)};
}

std::uint32_t Alpha(std::uint32_t pixel) { return pixel >> 24; }

TEST(IconStates, DisabledFadesByLuminanceInTheDisabledColour) {
    const IconPixel pixels[] = {Px(0, 0, 0), Px(255, 255, 255), Px(0, 255, 0), Px(9, 9, 9, 0)};
    const Colour grey = MakeRgb(100, 50, 200);
    const auto out = RenderIconState(pixels, IconState::Disabled, grey, kBlack);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], PackPremultiplied(100, 50, 200, 255));  // black stays strong
    EXPECT_EQ(out[1], 0u);                                    // white fades out completely
    // green: L = 180, alpha 75, premultiplied by integer division
    EXPECT_EQ(out[2], PackPremultiplied(75 * 100 / 255, 75 * 50 / 255, 75 * 200 / 255, 75));
    EXPECT_EQ(out[3], 0u);  // transparent stays transparent
}

TEST(IconStates, AnAllWhiteIconStaysVisibleWhenDisabled) {
    const IconPixel pixels[] = {Px(255, 255, 255), Px(221, 221, 221), Px(227, 227, 227), Px(0, 0, 0, 0)};
    EXPECT_TRUE(IsAllWhiteIcon(pixels));
    const auto out = RenderIconState(pixels, IconState::Disabled, kBlack, kBlack);
    EXPECT_EQ(Alpha(out[0]), 255u);
    EXPECT_EQ(Alpha(out[1]), static_cast<std::uint32_t>(255 - 221));  // the greys follow the rule
    EXPECT_EQ(Alpha(out[2]), static_cast<std::uint32_t>(255 - 227));
    EXPECT_EQ(out[3], 0u);

    const IconPixel mixed[] = {Px(255, 255, 255), Px(254, 255, 255)};
    EXPECT_FALSE(IsAllWhiteIcon(mixed));
    EXPECT_EQ(Alpha(RenderIconState(mixed, IconState::Disabled, kBlack, kBlack)[0]), 0u);
}

TEST(IconStates, DimmedAndHighlightedTreatOnlyTheTwoGreysApart) {
    const IconPixel pixels[] = {Px(221, 221, 221), Px(227, 227, 227), Px(222, 222, 222), Px(10, 20, 30)};
    const auto dimmed = RenderIconState(pixels, IconState::Dimmed, kBlack, kBlack);
    EXPECT_EQ(dimmed[0], PackPremultiplied(50 * 221 / 255, 50 * 221 / 255, 50 * 221 / 255, 50));
    EXPECT_EQ(dimmed[1], PackPremultiplied(50 * 227 / 255, 50 * 227 / 255, 50 * 227 / 255, 50));
    EXPECT_EQ(dimmed[2], PackPremultiplied(222, 222, 222, 255));
    EXPECT_EQ(dimmed[3], PackPremultiplied(10, 20, 30, 255));

    const Colour hot = MakeRgb(255, 128, 0);
    const auto highlighted = RenderIconState(pixels, IconState::Highlighted, kBlack, hot);
    EXPECT_EQ(highlighted[0], PackPremultiplied(90, 90 * 128 / 255, 0, 90));
    EXPECT_EQ(highlighted[1], highlighted[0]);
    EXPECT_EQ(highlighted[2], PackPremultiplied(222, 222, 222, 255));
    EXPECT_EQ(highlighted[3], PackPremultiplied(10, 20, 30, 255));
}

TEST(IconStates, PartialSourceAlphaScalesTheStateAlpha) {
    const IconPixel pixels[] = {Px(0, 0, 0, 128), Px(200, 100, 50, 51)};
    const auto disabled = RenderIconState(pixels, IconState::Disabled, kWhite, kBlack);
    EXPECT_EQ(disabled[0], PackPremultiplied(128, 128, 128, 128));
    const auto dimmed = RenderIconState(pixels, IconState::Dimmed, kWhite, kBlack);
    EXPECT_EQ(dimmed[1], PackPremultiplied(51 * 200 / 255, 51 * 100 / 255, 51 * 50 / 255, 51));
}

}  // namespace
}  // namespace core
