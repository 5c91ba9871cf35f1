#include "core/colour_math.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/commandbar/platform_capabilities.h"

namespace core {
namespace {

TEST(BlendRgb, WeightIsTheShareOfTheFirstColour) {
    EXPECT_EQ(BlendRgb(kWhite, kBlack, 128), MakeRgb(128, 128, 128));
    EXPECT_EQ(BlendRgb(kWhite, kBlack, 127), MakeRgb(127, 127, 127));
    const Colour a = MakeRgb(10, 200, 33);
    const Colour b = MakeRgb(250, 3, 128);
    EXPECT_EQ(BlendRgb(a, b, 255), a);
    EXPECT_EQ(BlendRgb(a, b, 0), b);
    // 49,106,197 over 255,255,255 at 77: 178/255*255 + 77/255*49 = 178 + 14.796 -> 193 ...
    EXPECT_EQ(BlendRgb(MakeRgb(49, 106, 197), kWhite, 77), MakeRgb(193, 210, 237));
}

TEST(BlendRgb, NoColourCountsAsWhite) {
    EXPECT_EQ(BlendRgb(kNoColour, kBlack, 128), MakeRgb(128, 128, 128));
    EXPECT_EQ(BlendRgb(kBlack, kNoColour, 0), kWhite);
}

TEST(ColourChannels, PackAndUnpack) {
    const Colour c = MakeRgb(1, 2, 3);
    EXPECT_EQ(c, 0x030201);
    EXPECT_EQ(RedOf(c), 1);
    EXPECT_EQ(GreenOf(c), 2);
    EXPECT_EQ(BlueOf(c), 3);
    EXPECT_TRUE(IsSystemColourRef(SystemColourRef(15)));
    EXPECT_EQ(static_cast<std::uint32_t>(SystemColourRef(15)), 0x8000000Fu);
    EXPECT_FALSE(IsSystemColourRef(kNoColour));
    EXPECT_FALSE(IsSystemColourRef(c));
    EXPECT_EQ(SystemColourIndex(SystemColourRef(15)), 15);
    EXPECT_EQ(RgbPart(static_cast<Colour>(0x7F030201)), c);
}

TEST(Hls, PrimaryColoursSitOnTheirSextants) {
    Hls red = RgbToHls(255, 0, 0);
    EXPECT_FLOAT_EQ(red.hue, 0.0f);
    EXPECT_FLOAT_EQ(red.saturation, 1.0f);
    EXPECT_FLOAT_EQ(red.luminance, 0.5f);
    EXPECT_FLOAT_EQ(RgbToHls(0, 255, 0).hue, 2.0f);
    EXPECT_FLOAT_EQ(RgbToHls(0, 0, 255).hue, 4.0f);
    // Red maximum with blue above green: the hue goes below zero.
    EXPECT_NEAR(RgbToHls(255, 0, 128).hue, -128.0f / 255.0f, 1e-6f);
    Hls grey = RgbToHls(90, 90, 90);
    EXPECT_FLOAT_EQ(grey.hue, 0.0f);
    EXPECT_FLOAT_EQ(grey.saturation, 0.0f);
    EXPECT_NEAR(grey.luminance, 90.0f / 255.0f, 1e-6f);
    // Above half luminance the saturation uses the other denominator.
    Hls light = RgbToHls(255, 200, 200);
    EXPECT_NEAR(light.saturation, (55.0f / 255.0f) / (2.0f - 1.0f - 200.0f / 255.0f), 1e-6f);
}

TEST(Hls, RoundTripsEveryCornerAndAGrid) {
    for (int r = 0; r <= 255; r += 15) {
        for (int g = 0; g <= 255; g += 15) {
            for (int b = 0; b <= 255; b += 15) {
                const Rgb8 back = HlsToRgb(RgbToHls(r, g, b));
                ASSERT_EQ(back, (Rgb8{r, g, b})) << r << "," << g << "," << b;
            }
        }
    }
    EXPECT_EQ(HlsToRgb(RgbToHls(1, 254, 128)), (Rgb8{1, 254, 128}));
}

TEST(Hls, ExtremesOfLuminance) {
    EXPECT_EQ(HlsToRgb({3.0f, 1.0f, 1.0f}), (Rgb8{255, 255, 255}));
    EXPECT_EQ(HlsToRgb({3.0f, 1.0f, 0.0f}), (Rgb8{0, 0, 0}));
    EXPECT_EQ(HlsToRgb({4.0f, 1.0f, 0.5f}), (Rgb8{0, 0, 255}));
    EXPECT_EQ(HlsToRgb({-1.0f, 1.0f, 0.5f}), (Rgb8{255, 0, 255}));
}

TEST(IconLuminance, WeightsGreenMost) {
    EXPECT_EQ(IconLuminance(255, 255, 255), 255);
    EXPECT_EQ(IconLuminance(0, 0, 0), 0);
    EXPECT_EQ(IconLuminance(0, 255, 0), 180);  // 180.285
    EXPECT_EQ(IconLuminance(255, 0, 0), 57);   // 56.61
    EXPECT_EQ(IconLuminance(0, 0, 255), 18);   // 18.105
}

std::vector<std::uint8_t> Pixels(std::initializer_list<Rgb8> colours) {
    std::vector<std::uint8_t> bgra;
    std::uint8_t alpha = 10;
    for (const Rgb8& c : colours) {
        bgra.insert(bgra.end(), {static_cast<std::uint8_t>(c.blue), static_cast<std::uint8_t>(c.green),
                                 static_cast<std::uint8_t>(c.red), alpha++});
    }
    return bgra;
}

TEST(AdjustHls, BothMinusOneChangesNothingWhateverTheLuminance) {
    auto pixels = Pixels({{200, 10, 30}, {0, 0, 0}, {255, 255, 255}});
    const auto before = pixels;
    AdjustHlsPixels(pixels, -1, -1, 0.5f);
    EXPECT_EQ(pixels, before);
}

TEST(AdjustHls, SaturationAloneKeepsHueAndLuminance) {
    auto pixels = Pixels({{200, 40, 40}, {40, 200, 120}, {128, 128, 128}});
    const auto before = pixels;
    AdjustHlsPixels(pixels, -1, 128, 0.0f);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        const Hls was = RgbToHls(before[i + 2], before[i + 1], before[i]);
        const Hls now = RgbToHls(pixels[i + 2], pixels[i + 1], pixels[i]);
        EXPECT_NEAR(now.saturation, 128.0f / 255.0f, 0.01f) << i;
        EXPECT_NEAR(now.luminance, was.luminance, 0.005f) << i;
        if (was.saturation > 0) {
            EXPECT_NEAR(now.hue, was.hue, 0.02f) << i;
        }
        EXPECT_EQ(pixels[i + 3], before[i + 3]) << "alpha is not touched";
    }
    // 200,40,40: l = 0.4706, new s = 0.50196 -> min = l * (1 - s) = 0.2344, max = 2l - min = 0.7068
    EXPECT_EQ(pixels[2], 180);
    EXPECT_EQ(pixels[1], 60);
    EXPECT_EQ(pixels[0], 60);
}

TEST(AdjustHls, HueMapsZeroTo255OntoTheCircle) {
    auto pixels = Pixels({{200, 40, 40}});
    AdjustHlsPixels(pixels, 255, -1, 0.0f);  // hue 5: magenta-red side
    EXPECT_EQ(pixels[2], 200);
    EXPECT_EQ(pixels[1], 40);
    EXPECT_EQ(pixels[0], 200);
    pixels = Pixels({{200, 40, 40}});
    AdjustHlsPixels(pixels, 85, -1, 0.0f);  // hue 1: yellow
    EXPECT_EQ(pixels[2], 200);
    EXPECT_EQ(pixels[1], 200);
    EXPECT_EQ(pixels[0], 40);
}

TEST(AdjustHls, LuminanceIsScaledAndClamped) {
    auto pixels = Pixels({{100, 100, 100}, {200, 200, 200}});
    AdjustHlsPixels(pixels, -1, 0, -0.5f);
    EXPECT_EQ(pixels[0], 50);
    EXPECT_EQ(pixels[4], 100);
    pixels = Pixels({{200, 200, 200}});
    AdjustHlsPixels(pixels, -1, 0, 1.0f);
    EXPECT_EQ(pixels[0], 255);
}

TEST(PremultiplyAlpha, ScalesColourByAlphaAndKeepsAlpha) {
    std::vector<std::uint8_t> pixels{200, 100, 50, 255, 200, 100, 50, 128, 200, 100, 50, 0};
    PremultiplyAlpha(pixels);
    EXPECT_EQ(pixels, (std::vector<std::uint8_t>{200, 100, 50, 255, 100, 50, 25, 128, 0, 0, 0, 0}));
}

TEST(PlatformCapabilities, FollowTheVersion) {
    const auto nt4 = CapabilitiesFromVersion(4, 0, 2);
    EXPECT_TRUE(nt4.isNt);
    EXPECT_FALSE(nt4.canGradient);
    const auto win98 = CapabilitiesFromVersion(4, 10, 1);
    EXPECT_FALSE(win98.isNt);
    EXPECT_TRUE(win98.canGradient);
    EXPECT_FALSE(win98.is2000OrLater);
    const auto w2k = CapabilitiesFromVersion(5, 0, 2);
    EXPECT_TRUE(w2k.is2000OrLater);
    EXPECT_FALSE(w2k.isXpOrLater);
    EXPECT_TRUE(CapabilitiesFromVersion(5, 1, 2).isXpOrLater);
    const auto win10 = CapabilitiesFromVersion(10, 0, 2);
    EXPECT_TRUE(win10.isNt && win10.canGradient && win10.is2000OrLater && win10.isXpOrLater);
}

TEST(PlatformCapabilities, LayeredWindowsBlendUnlessCompositionIsReportedOff) {
    struct Row {
        unsigned major, minor;
        std::optional<bool> composition;
        bool blend;
    };
    const Row rows[] = {{4, 10, std::nullopt, false}, {4, 10, true, false}, {5, 1, std::nullopt, true},
                        {6, 1, false, false},         {6, 1, true, true},   {10, 0, true, true}};
    for (const Row& row : rows) {
        const auto caps = WithDesktopComposition(CapabilitiesFromVersion(row.major, row.minor, 2), row.composition);
        EXPECT_EQ(caps.layeredWindowsBlend, row.blend)
            << row.major << '.' << row.minor << ' ' << row.composition.has_value();
    }
}

}  // namespace
}  // namespace core
