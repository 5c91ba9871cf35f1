#include <gtest/gtest.h>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_image_list.h"
#include "commandbar/drawing_utilities.h"
#include "commandbar/font_cache.h"
#include "support/canvas.h"
#include "support/gui_resources.h"
#include "support/test_icons.h"
#include "win/handles.h"

namespace commandbar {
namespace {

// Every primitive, drawn once with the arguments that take its longest path.
void DrawEverything(HWND window, HDC dc, HDC tile, CommandBarImageList& images, int round) {
    const Colour a = core::MakeRgb(round % 256, 40, 200);
    const Colour b = core::MakeRgb(250, 10, round % 256);
    FillGradient(dc, a, b, 0, 0, 50, 20, round % 2 == 0);
    GradientFillRect(dc, RECT{0, 20, 50, 40}, a, b, GradientMode::TopToBottom);
    FillParentRelative(window, window, dc, a, b, 5, 5, 30, 10, true, false);
    FillParentRelative(window, window, dc, a, b, 5, 5, 30, 10, false, true);
    TileBitmap(dc, 0, 40, 60, 20, tile, 8, 8, round);
    DrawRectOutline(dc, a, 1, 1, 30, 30);
    DrawIconOrColourBox(dc, &images, 0, core::kNoColour, 60, 0, static_cast<core::IconState>(round % 4));
    DrawIconOrColourBox(dc, nullptr, -1, b, 60, 20, core::IconState::Normal);
    DrawThemedToolbarPart(window, dc, 0, 0, 24, 24, true, round % 2 == 0,
                          static_cast<core::commandbar::ButtonStyle>(round % 3), true, Orientation::Top, false, false);
    DrawDropDownArrow(dc, 0, 0, 10, 10, a, static_cast<Orientation>(round % 3));
    DrawSubmenuArrow(dc, 10, 0, 10, 10);
    DrawCheckMark(dc, 20, 0, 10, 10);
    DrawCaption(dc, L"&Файл", 0, 0, 60, 20, a, Orientation::Top, true);
    DrawCaption(dc, L"Вертикально", 0, 0, 20, 60, a, Orientation::Left, false);
    RECT rect{0, 0, 80, 20};
    DrawTextAnyPlatform(dc, L"Ctrl+F1", rect, DT_SINGLELINE);
    GetElementColour(round % 30 + 1);
}

TEST(GdiHandles, NoGrowthAfterDrawingEveryPrimitiveAThousandTimes) {
    DetectPlatform();
    InitialiseColours();
    win::UniqueWindow window(
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    testing_support::Canvas canvas(100, 100);
    testing_support::Canvas tile(8, 8, RGB(10, 20, 30));
    testing_support::OwnedImageList list(16, 16);
    auto icon = testing_support::MakeSolidIcon(16, 16, 0xFF336699u);
    list.Add(icon.get());
    CommandBarImageList images;
    images.InitialiseFromHandle(list.get());
    FontCache fonts;

    // First use fills the caches (ours and the system's).
    for (int round = 0; round < 4; ++round) {
        DrawEverything(window.get(), canvas.dc(), tile.dc(), images, round);
        fonts.Font(core::FontDescription{L"Tahoma", 8.25}, (round % 2) * 2700, canvas.dc());
    }
    const unsigned before = testing_support::GdiObjectCount();
    for (int round = 0; round < 1000; ++round) {
        DrawEverything(window.get(), canvas.dc(), tile.dc(), images, round);
        fonts.Font(core::FontDescription{L"Tahoma", 8.25}, (round % 2) * 2700, canvas.dc());
    }
    const unsigned after = testing_support::GdiObjectCount();
    EXPECT_EQ(after, before);
    EXPECT_EQ(fonts.Count(), 2u);
}

TEST(GdiHandles, ImageListStripsAreReleased) {
    DetectPlatform();
    testing_support::OwnedImageList list(16, 16);
    auto icon = testing_support::MakeSolidIcon(16, 16, 0xFF336699u);
    list.Add(icon.get());
    testing_support::Canvas canvas(16, 16);
    const unsigned before = testing_support::GdiObjectCount();
    for (int i = 0; i < 200; ++i) {
        CommandBarImageList images;
        images.InitialiseFromHandle(list.get());
        images.Draw(canvas.dc(), 0, core::IconState::Disabled, 0, 0);
        images.SetDisabledColour(core::MakeRgb(i, 0, 0));
        CommandBarImageList copy;
        copy.InitialiseFromInstance(images);
    }
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

}  // namespace
}  // namespace commandbar
