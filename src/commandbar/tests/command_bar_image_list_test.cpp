#include "commandbar/command_bar_image_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "commandbar/drawing_utilities.h"
#include "core/runtime_error.h"
#include "support/canvas.h"
#include "support/test_icons.h"

namespace commandbar {
namespace {

using testing_support::Canvas;
using testing_support::MakeIcon;
using testing_support::MakeSolidIcon;
using testing_support::OwnedImageList;

constexpr COLORREF kWhiteRef = RGB(255, 255, 255);

// Quadrants of a 16 x 16 icon: black top left, white top right, pure green bottom left,
// transparent bottom right.
std::uint32_t QuadrantPixel(int x, int y) {
    if (y < 8) return x < 8 ? 0xFF000000u : 0xFFFFFFFFu;
    return x < 8 ? 0xFF00FF00u : 0x00000000u;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 1) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class ImageListTest : public testing::Test {
protected:
    void SetUp() override {
        DetectPlatform();
        saved_ = Platform();
        // Twelve icons of distinct solid colours, then the quadrant icon at index 12.
        for (int i = 0; i < 12; ++i) {
            auto icon = MakeSolidIcon(16, 16, 0xFF000000u | static_cast<std::uint32_t>(i * 20) << 16 | 0x40u);
            list_.Add(icon.get());
        }
        auto quadrants = MakeIcon(16, 16, QuadrantPixel);
        ASSERT_EQ(list_.Add(quadrants.get()), kQuadrantIcon);
    }
    void TearDown() override { SetPlatform(saved_); }

    static constexpr int kQuadrantIcon = 12;
    OwnedImageList list_{16, 16};
    core::PlatformCapabilities saved_;
};

TEST_F(ImageListTest, StartsEmptyWithTheSourcesIconSize) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list_.get());
    EXPECT_EQ(images.IconWidth(), 16);
    EXPECT_EQ(images.IconHeight(), 16);
    EXPECT_EQ(images.Count(), 0);
    EXPECT_EQ(images.Capacity(), 10);
    EXPECT_EQ(images.StripWidth(), 160);
    EXPECT_EQ(images.Handle(), list_.get());
}

TEST_F(ImageListTest, EntriesArePerIconAndState) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list_.get());
    Canvas canvas(64, 64);
    EXPECT_EQ(images.IndexOf(3, core::IconState::Disabled), 0);
    images.Draw(canvas.dc(), 3, core::IconState::Disabled, 0, 0);
    EXPECT_EQ(images.IndexOf(3, core::IconState::Disabled), 1);
    images.Draw(canvas.dc(), 3, core::IconState::Highlighted, 0, 0);
    EXPECT_EQ(images.IndexOf(3, core::IconState::Highlighted), 2);
    images.Draw(canvas.dc(), 3, core::IconState::Disabled, 20, 0);  // cached already
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(images.EntryOffset(1), 0);
    EXPECT_EQ(images.EntryOffset(2), 16);
    EXPECT_EQ(images.IconIndexOf(2), 3);
    images.Draw(canvas.dc(), 3, core::IconState::Normal, 0, 0);
    EXPECT_EQ(images.Count(), 2) << "normal icons are drawn from the source";
    for (int bad : {0, 3, -1}) {
        try {
            images.IconIndexOf(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const core::RuntimeError& e) {
            EXPECT_EQ(e.Number(), 9);
        }
    }
}

std::vector<std::uint32_t> StripCells(const CommandBarImageList& images, int cells) {
    std::vector<std::uint32_t> pixels;
    for (int row = 0; row < images.IconHeight(); ++row) {
        const std::uint32_t* line = images.StripPixels() + row * images.StripWidth();
        pixels.insert(pixels.end(), line, line + cells * images.IconWidth());
    }
    return pixels;
}

TEST_F(ImageListTest, TheStripGrowsByTenCellsKeepingASpareOneAndTheCachedPixels) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list_.get());
    Canvas canvas(20, 20);
    for (int icon = 0; icon < 9; ++icon) images.Draw(canvas.dc(), icon, core::IconState::Dimmed, 0, 0);
    EXPECT_EQ(images.Capacity(), 10) << "nine entries and the spare cell fit";
    const auto nineCells = StripCells(images, 9);
    images.Draw(canvas.dc(), 9, core::IconState::Dimmed, 0, 0);
    EXPECT_EQ(images.Capacity(), 20) << "a tenth entry would leave no spare cell";
    EXPECT_EQ(images.StripWidth(), 320);
    EXPECT_EQ(StripCells(images, 9), nineCells);
    const auto tenCells = StripCells(images, 10);
    images.Draw(canvas.dc(), 10, core::IconState::Dimmed, 0, 0);
    images.Draw(canvas.dc(), 11, core::IconState::Dimmed, 0, 0);
    for (int icon = 0; icon < 7; ++icon) images.Draw(canvas.dc(), icon, core::IconState::Disabled, 0, 0);
    EXPECT_EQ(images.Count(), 19);
    EXPECT_EQ(images.Capacity(), 20);
    images.Draw(canvas.dc(), 7, core::IconState::Disabled, 0, 0);
    EXPECT_EQ(images.Count(), 20);
    EXPECT_EQ(images.Capacity(), 30);
    EXPECT_EQ(StripCells(images, 10), tenCells);
    EXPECT_EQ(images.EntryOffset(20), 19 * 16);
    // Each dimmed solid icon is its own colour at full alpha.
    EXPECT_EQ(tenCells[5 * 16 + 3], 0xFF000000u | (100u << 16) | 0x40u);
    // Drawing an early entry after growth still shows it.
    Canvas check(16, 16);
    images.Draw(check.dc(), 5, core::IconState::Dimmed, 0, 0);
    EXPECT_EQ(check.Pixel(8, 8), RGB(100, 0, 0x40));
}

TEST_F(ImageListTest, DisabledRenderingOfAKnownIcon) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list_.get());
    images.SetDisabledColour(core::MakeRgb(100, 50, 200));
    Canvas canvas(16, 16);
    images.Draw(canvas.dc(), kQuadrantIcon, core::IconState::Disabled, 0, 0);
    // The cached cell, premultiplied.
    const std::uint32_t* cell = images.StripPixels();
    const int stride = images.StripWidth();
    EXPECT_EQ(cell[2 * stride + 2], 0xFF000000u | (100u << 16) | (50u << 8) | 200u) << "black stays opaque";
    EXPECT_EQ(cell[2 * stride + 12], 0u) << "white fades out completely";
    EXPECT_EQ(cell[12 * stride + 2],
              (75u << 24) | ((75u * 100 / 255) << 16) | ((75u * 50 / 255) << 8) | (75u * 200 / 255))
        << "green: luminance 180, alpha 75";
    EXPECT_EQ(cell[12 * stride + 12], 0u) << "transparent stays transparent";
    // On a white background.
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(100, 50, 200));
    EXPECT_EQ(canvas.Pixel(12, 2), kWhiteRef);
    EXPECT_EQ(canvas.Pixel(12, 12), kWhiteRef);
    EXPECT_TRUE(Near(canvas.Pixel(2, 12), RGB(29 + 180, 14 + 180, 58 + 180))) << std::hex << canvas.Pixel(2, 12);
}

TEST_F(ImageListTest, AnAllWhiteIconStaysVisibleWhenDisabled) {
    OwnedImageList list(16, 16);
    auto white = MakeIcon(16, 16, [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFFFu : 0u; });
    list.Add(white.get());
    CommandBarImageList images;
    images.InitialiseFromHandle(list.get());
    images.SetDisabledColour(core::MakeRgb(0, 0, 128));
    Canvas canvas(16, 16);
    images.Draw(canvas.dc(), 0, core::IconState::Disabled, 0, 0);
    EXPECT_EQ(canvas.Pixel(1, 0), RGB(0, 0, 128));
    EXPECT_EQ(canvas.Pixel(0, 0), kWhiteRef);
}

TEST_F(ImageListTest, HighlightedAndDimmedTreatTheBackgroundGreys) {
    OwnedImageList list(16, 16);
    auto icon = MakeIcon(16, 16, [](int x, int) { return x < 8 ? 0xFFDDDDDDu : 0xFF102030u; });
    list.Add(icon.get());
    CommandBarImageList images;
    images.InitialiseFromHandle(list.get());
    images.SetHighlightColour(core::MakeRgb(255, 0, 0));
    Canvas canvas(32, 16, RGB(0, 0, 0));
    images.Draw(canvas.dc(), 0, core::IconState::Highlighted, 0, 0);
    images.Draw(canvas.dc(), 0, core::IconState::Dimmed, 16, 0);
    EXPECT_TRUE(Near(canvas.Pixel(2, 2), RGB(90, 0, 0))) << std::hex << canvas.Pixel(2, 2);
    EXPECT_EQ(canvas.Pixel(12, 2), RGB(0x10, 0x20, 0x30));
    EXPECT_TRUE(Near(canvas.Pixel(18, 2), RGB(50 * 221 / 255, 50 * 221 / 255, 50 * 221 / 255)));
    EXPECT_EQ(canvas.Pixel(28, 2), RGB(0x10, 0x20, 0x30));
}

TEST_F(ImageListTest, ColourChangesReRenderOnlyWhenTheyChangeSomething) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list_.get());
    images.SetDisabledColour(core::MakeRgb(0, 0, 0));
    Canvas canvas(16, 16);
    images.Draw(canvas.dc(), kQuadrantIcon, core::IconState::Disabled, 0, 0);
    // Mark the cached cell so that a re-render shows.
    ::SetPixelV(images.StripDc(), 0, 0, RGB(1, 2, 3));
    images.SetDisabledColour(core::MakeRgb(0, 0, 0));
    EXPECT_EQ(images.StripPixels()[0] & 0xFFFFFF, 0x010203u) << "same colour: no re-render";
    images.SetHighlightColour(core::MakeRgb(9, 9, 9));
    EXPECT_EQ(images.StripPixels()[0] & 0xFFFFFF, 0x010203u) << "no highlighted entries to re-render";
    images.SetDisabledColour(core::MakeRgb(0, 0, 255));
    EXPECT_EQ(images.StripPixels()[0], 0xFF0000FFu) << "re-rendered in place in the new colour";
    EXPECT_EQ(images.Count(), 1);
}

TEST_F(ImageListTest, DrawingIsClippedToTheIconSize) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list_.get());
    Canvas canvas(120, 20);
    images.Draw(canvas.dc(), 1, core::IconState::Dimmed, 0, 0, 100, 100);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 0, 0, 16, 16), 16 * 16);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 16, 0, 120, 20), 0);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 0, 16, 120, 20), 0);
    canvas.Fill(kWhiteRef);
    images.Draw(canvas.dc(), 1, core::IconState::Normal, 0, 0, 8, 4);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 0, 0, 120, 20), 8 * 4);
}

TEST_F(ImageListTest, ManualBlendMatchesTheSystemBlend) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list_.get());
    images.SetDisabledColour(core::MakeRgb(100, 50, 200));
    Canvas systemBlend(16, 16, RGB(10, 200, 90));
    images.Draw(systemBlend.dc(), kQuadrantIcon, core::IconState::Disabled, 0, 0);
    auto caps = Platform();
    caps.is2000OrLater = false;
    SetPlatform(caps);
    Canvas manualBlend(16, 16, RGB(10, 200, 90));
    images.Draw(manualBlend.dc(), kQuadrantIcon, core::IconState::Disabled, 0, 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_TRUE(Near(systemBlend.Pixel(x, y), manualBlend.Pixel(x, y)))
                << x << "," << y << ": " << std::hex << systemBlend.Pixel(x, y) << " vs " << manualBlend.Pixel(x, y);
        }
    }
    EXPECT_EQ(manualBlend.Pixel(12, 12), RGB(10, 200, 90));
}

TEST_F(ImageListTest, PartialAlphaOfA32BitIconIsHonoured) {
    OwnedImageList list(16, 16);
    auto icon = MakeSolidIcon(16, 16, 0x80000000u);  // black at half alpha
    list.Add(icon.get());
    CommandBarImageList images;
    images.InitialiseFromHandle(list.get());
    images.SetDisabledColour(core::MakeRgb(0, 0, 0));
    Canvas canvas(16, 16);
    images.Draw(canvas.dc(), 0, core::IconState::Disabled, 0, 0);
    EXPECT_TRUE(Near(canvas.Pixel(4, 4), RGB(127, 127, 127))) << std::hex << canvas.Pixel(4, 4);
}

TEST_F(ImageListTest, AnotherInstanceSharesTheSourceButNotTheCache) {
    CommandBarImageList first;
    first.InitialiseFromHandle(list_.get());
    Canvas canvas(16, 16);
    first.Draw(canvas.dc(), 0, core::IconState::Disabled, 0, 0);
    CommandBarImageList second;
    second.InitialiseFromInstance(first);
    EXPECT_EQ(second.Handle(), list_.get());
    EXPECT_EQ(second.IconWidth(), 16);
    EXPECT_EQ(second.Count(), 0);
    EXPECT_EQ(second.Capacity(), 10);
    second.Draw(canvas.dc(), 0, core::IconState::Disabled, 0, 0);
    EXPECT_EQ(second.Count(), 1);
}

TEST_F(ImageListTest, WithoutASourceNothingIsDrawn) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list_.get());
    images.InitialiseFromHandle(nullptr);
    EXPECT_EQ(images.Handle(), nullptr);
    Canvas canvas(16, 16);
    images.Draw(canvas.dc(), 0, core::IconState::Disabled, 0, 0);
    images.Draw(canvas.dc(), 0, core::IconState::Normal, 0, 0);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 0, 0, 16, 16), 0);
    EXPECT_EQ(images.Count(), 0);
    images.DrawStrip(canvas.dc(), 0, 0);
}

TEST_F(ImageListTest, DestroyDropsTheCacheButKeepsTheSource) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list_.get());
    Canvas canvas(32, 16);
    images.Draw(canvas.dc(), 0, core::IconState::Disabled, 0, 0);
    images.Destroy();
    EXPECT_EQ(images.Count(), 0);
    EXPECT_EQ(images.Capacity(), 0);
    EXPECT_EQ(images.Handle(), list_.get());
    EXPECT_EQ(images.IconWidth(), 16);

    canvas.Fill(kWhiteRef);
    images.Draw(canvas.dc(), 0, core::IconState::Normal, 0, 0);
    images.Draw(canvas.dc(), 0, core::IconState::Disabled, 16, 0);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 0, 0, 16, 16), 256);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 16, 0, 32, 16), 256);
    EXPECT_EQ(images.Count(), 1);
}

}  // namespace
}  // namespace commandbar
