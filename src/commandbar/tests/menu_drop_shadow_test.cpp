#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "commandbar/command_bar_colours.h"
#include "commandbar/drawing_utilities.h"
#include "commandbar/menu_drop_shadow.h"
#include "support/gui_resources.h"
#include "support/pump.h"
#include "win/gdi.h"
#include "win/handles.h"

namespace commandbar {
namespace {

namespace shadow = core::commandbar;
using Pixels = std::vector<std::uint32_t>;

// Layered or screen-copy strips for the scope of a test.
class PlatformScope {
public:
    explicit PlatformScope(bool layered) {
        DetectPlatform();
        InitialiseColours();
        core::PlatformCapabilities caps = Platform();
        caps.layeredWindowsBlend = layered;
        previous_ = SetPlatform(caps);
    }
    ~PlatformScope() { SetPlatform(previous_); }

private:
    core::PlatformCapabilities previous_;
};

// Stands in for a popup menu, or for whatever lies under one (SS_WHITERECT, SS_BLACKRECT).
win::UniqueWindow ShowWindowAt(const RECT& r, DWORD style = SS_WHITERECT) {
    win::UniqueWindow window(::CreateWindowExW(0, L"Static", L"", WS_POPUP | style, r.left, r.top, r.right - r.left,
                                               r.bottom - r.top, nullptr, nullptr, nullptr, nullptr));
    ::ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(window.get());
    return window;
}

// What a window (the screen when null) shows over place, bottom row first like the strips' pictures.
Pixels Capture(HWND window, const shadow::ShadowStrip& place) {
    win::DibSurface copy;
    if (!copy.Create(place.width, place.height, win::DibSurface::RowOrder::BottomUp)) return {};
    win::WindowDc source(window);
    ::BitBlt(copy.Dc(), 0, 0, place.width, place.height, source.get(), window ? 0 : place.left, window ? 0 : place.top,
             SRCCOPY);
    Pixels pixels(copy.Pixels().begin(), copy.Pixels().end());
    for (auto& pixel : pixels) pixel &= 0xFFFFFFu;
    return pixels;
}

shadow::ShadowStrip StripOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Pixels PictureOf(const MenuDropShadow& strip) {
    const auto pixels = strip.Picture().Pixels();
    return {pixels.begin(), pixels.end()};
}

constexpr RECT kMenu{10, 20, 110, 220};

TEST(MenuDropShadow, StripsSitBesideTheMenuAsInactiveTopMostToolWindows) {
    for (const bool layered : {true, false}) {
        SCOPED_TRACE(layered ? "layered" : "screen copy");
        PlatformScope platform(layered);
        win::UniqueWindow front(::CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 100,
                                                  100, nullptr, nullptr, nullptr, nullptr));
        ::SetForegroundWindow(front.get());
        testing_support::PumpFor(20);
        const HWND foreground = ::GetForegroundWindow();
        const auto menu = ShowWindowAt(kMenu);
        MenuShadows shadows;
        shadows.Show(menu.get());
        testing_support::PumpFor(20);
        const LONG_PTR exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | (layered ? WS_EX_LAYERED | WS_EX_TRANSPARENT : 0);
        const std::pair<const MenuDropShadow&, shadow::ShadowStrip> cases[] = {{shadows.Right(), {110, 25, 5, 195}},
                                                                               {shadows.Bottom(), {15, 220, 100, 5}}};
        for (const auto& [strip, expected] : cases) {
            ASSERT_TRUE(strip.hwnd());
            EXPECT_EQ(StripOf(strip.hwnd()), expected);
            EXPECT_EQ(std::pair(strip.Picture().Width(), strip.Picture().Height()),
                      std::pair(expected.width, expected.height));
            EXPECT_EQ(::GetWindow(strip.hwnd(), GW_OWNER), menu.get());
            EXPECT_EQ(::GetWindowLongPtrW(strip.hwnd(), GWL_EXSTYLE), exStyle);
            EXPECT_TRUE(::IsWindowVisible(strip.hwnd()));
        }
        EXPECT_EQ(::GetForegroundWindow(), foreground);
        shadows.Hide();
        EXPECT_FALSE(shadows.Right().hwnd());
        EXPECT_FALSE(shadows.Bottom().Picture());
    }
}

bool InFrontOf(HWND window, HWND other) {
    for (HWND next = ::GetWindow(window, GW_HWNDNEXT); next; next = ::GetWindow(next, GW_HWNDNEXT)) {
        if (next == other) return true;
    }
    return false;
}

// Kept between a menu's showings, the strips still belong to it when it shows again, and still lie
// over a top-most window that came meanwhile.
TEST(MenuDropShadow, StripsShownAgainBelongToTheirMenuInFront) {
    for (const bool layered : {true, false}) {
        SCOPED_TRACE(layered ? "layered" : "screen copy");
        PlatformScope platform(layered);
        const auto menu = ShowWindowAt(kMenu);
        MenuShadows shadows;
        shadows.Show(menu.get());
        const HWND kept = shadows.Right().hwnd();
        shadows.Conceal();
        const auto cover = ShowWindowAt({100, 20, 200, 300});
        ::SetWindowPos(cover.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        shadows.Show(menu.get());
        EXPECT_EQ(shadows.Right().hwnd(), kept);
        for (const MenuDropShadow* strip : {&shadows.Right(), &shadows.Bottom()}) {
            EXPECT_EQ(::GetWindow(strip->hwnd(), GW_OWNER), menu.get());
            EXPECT_TRUE(::IsWindowVisible(strip->hwnd()));
            EXPECT_TRUE(InFrontOf(strip->hwnd(), cover.get()));
        }
    }
}

// What the last strip handed to UpdateLayeredWindow: its place, constant alpha, alpha format, flags.
std::tuple<shadow::ShadowStrip, int, int, DWORD> lastLayeredCall;

BOOL RecordLayeredCall(HWND hwnd, HDC screen, POINT* at, SIZE* size, HDC source, POINT* origin, COLORREF key,
                       BLENDFUNCTION* blend, DWORD flags) {
    lastLayeredCall = {{at->x, at->y, size->cx, size->cy}, blend->SourceConstantAlpha, blend->AlphaFormat, flags};
    return ::UpdateLayeredWindow(hwnd, screen, at, size, source, origin, key, blend, flags);
}

TEST(MenuDropShadow, LayeredPictureFadesAsTheCoreSays) {
    PlatformScope platform(true);
    shadow_testing::SetLayeredUpdater(&RecordLayeredCall);
    const core::Colour colour = core::MakeRgb(40, 80, 160);
    // The narrow menu's end ramps overlap: the bottom strip has no full-strength middle.
    for (const RECT menu : {kMenu, RECT{10, 20, 18, 60}}) {
        for (const ShadowSide side : {ShadowSide::Right, ShadowSide::Bottom}) {
            MenuDropShadow strip(side);
            strip.SetShadowColour(colour);
            lastLayeredCall = {};
            ASSERT_TRUE(strip.Create(menu, nullptr));
            const shadow::ShadowStrip place = StripOf(strip.hwnd());
            EXPECT_EQ(lastLayeredCall, std::tuple(place, 96, AC_SRC_ALPHA, static_cast<DWORD>(ULW_ALPHA)));
            EXPECT_EQ(PictureOf(strip), shadow::LayeredShadowPixels(side, place, 5, colour));
        }
    }
    shadow_testing::SetLayeredUpdater(nullptr);

    // As GDI sees the picture, the bottom strip is strongest on its top row, next to the menu.
    MenuDropShadow bottom(ShadowSide::Bottom);
    ASSERT_TRUE(bottom.Create(kMenu, nullptr));
    EXPECT_NE(::GetPixel(bottom.Picture().Dc(), 50, 0), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(bottom.Picture().Dc(), 50, 4), RGB(0, 0, 0));
}

TEST(MenuDropShadow, ScreenCopyKeepsWhatWasUnderTheStrip) {
    PlatformScope platform(false);
    const auto under = ShowWindowAt({0, 0, 200, 300});
    const auto menu = ShowWindowAt(kMenu);
    testing_support::PumpFor(50);
    const core::Colour colour = win::TranslateColour(GetElementColour(core::colour_element::kDropShadow));
    std::vector<Pixels> expected;
    for (const ShadowSide side : {ShadowSide::Right, ShadowSide::Bottom}) {
        const auto place = shadow::ShadowStripFor(side, kMenu.left, kMenu.top, kMenu.right, kMenu.bottom);
        expected.push_back(Capture(nullptr, place));
        shadow::DarkenScreenCopy(expected.back(), side, place, 5, colour);
    }

    MenuShadows shadows;
    shadows.Show(menu.get());
    // What lies under the strips changes; they still paint the old copy. (Their own surfaces are
    // read back: Wine's desktop may stack a window shown later over a top-most one.)
    const auto black = ShowWindowAt({0, 0, 200, 300}, SS_BLACKRECT);
    const MenuDropShadow* strips[] = {&shadows.Right(), &shadows.Bottom()};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(PictureOf(*strips[i]), expected[i]);
        ::RedrawWindow(strips[i]->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        testing_support::PumpFor(50);
        EXPECT_EQ(Capture(strips[i]->hwnd(), StripOf(strips[i]->hwnd())), expected[i]);
    }
}

TEST(MenuDropShadow, NoHandlesLeakOverManyMenus) {
    const char* configured = std::getenv("GLYPH_SHADOW_CYCLES");
    const int count = configured ? std::atoi(configured) : 1000;
    const auto menu = ShowWindowAt(kMenu);
    const auto cycles = [&](int rounds) {
        for (const bool layered : {true, false}) {
            PlatformScope platform(layered);
            MenuShadows shadows;
            for (int round = 0; round < rounds / 2; ++round) {
                shadows.Show(menu.get());
                ::UpdateWindow(shadows.Right().hwnd());
            }
        }
    };
    cycles(4);
    const unsigned gdi = testing_support::GdiObjectCount();
    const unsigned user = testing_support::UserObjectCount();
    cycles(count);
    EXPECT_EQ(testing_support::GdiObjectCount(), gdi);
    EXPECT_EQ(testing_support::UserObjectCount(), user);
}

}  // namespace
}  // namespace commandbar
