#include "commandbar/drawing_utilities.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>
#include <set>
#include <utility>

#include "commandbar/command_bar_colours.h"
#include "commandbar/font_cache.h"
#include "core/runtime_error.h"
#include "core/commandbar/style_colours.h"
#include "support/canvas.h"

namespace commandbar {
namespace {

using core::commandbar::ButtonStyle;
using testing_support::Canvas;
using PixelSet = std::set<std::pair<int, int>>;

constexpr COLORREF kWhiteRef = RGB(255, 255, 255);

// The coordinates of every pixel that is not white.
PixelSet Marked(const Canvas& canvas) {
    PixelSet marked;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.Pixel(x, y) != kWhiteRef) marked.insert({x, y});
        }
    }
    return marked;
}

class Drawing : public testing::Test {
protected:
    void SetUp() override {
        DetectPlatform();
        saved_ = Platform();
        InitialiseColours();
    }
    void TearDown() override {
        SetPlatform(saved_);
        InitialiseColours();
    }
    void WithoutGradients() {
        auto caps = Platform();
        caps.canGradient = false;
        SetPlatform(caps);
    }
    core::PlatformCapabilities saved_;
};

TEST_F(Drawing, PlatformOfThisSystemHasEverything) {
    EXPECT_TRUE(Platform().isNt);
    EXPECT_TRUE(Platform().canGradient);
    EXPECT_TRUE(Platform().is2000OrLater);
    EXPECT_TRUE(Platform().isXpOrLater);
}

TEST_F(Drawing, BlendResolvesSystemColours) {
    EXPECT_EQ(BlendColour(core::kWhite, core::kBlack, 128), core::MakeRgb(128, 128, 128));
    EXPECT_EQ(BlendColour(core::SystemColourRef(COLOR_HIGHLIGHT), core::kBlack, 255),
              static_cast<Colour>(::GetSysColor(COLOR_HIGHLIGHT)));
    // An untranslatable colour blends as white.
    EXPECT_EQ(BlendColour(static_cast<Colour>(0x7F000000), core::kBlack, 128), core::MakeRgb(128, 128, 128));
}

TEST_F(Drawing, FillGradientRunsInTheRequestedDirection) {
    Canvas canvas(40, 40);
    FillGradient(canvas.dc(), core::MakeRgb(0, 0, 0), core::MakeRgb(255, 0, 0), 0, 0, 40, 20, true);
    EXPECT_LT(GetRValue(canvas.Pixel(0, 5)), 10);
    EXPECT_GT(GetRValue(canvas.Pixel(39, 5)), 240);
    EXPECT_EQ(canvas.Pixel(20, 0), canvas.Pixel(20, 19)) << "a horizontal gradient is constant down a column";
    EXPECT_EQ(canvas.Pixel(5, 20), kWhiteRef) << "nothing below the rectangle";

    FillGradient(canvas.dc(), core::MakeRgb(0, 0, 255), core::MakeRgb(0, 0, 0), 0, 20, 40, 20, false);
    EXPECT_GT(GetBValue(canvas.Pixel(5, 20)), 240);
    EXPECT_LT(GetBValue(canvas.Pixel(5, 39)), 15);
    EXPECT_EQ(canvas.Pixel(0, 30), canvas.Pixel(39, 30)) << "a vertical gradient is constant along a row";
}

TEST_F(Drawing, FillGradientWithoutColourOrWithEqualColours) {
    Canvas canvas(10, 10);
    FillGradient(canvas.dc(), core::kNoColour, core::kBlack, 0, 0, 10, 10, true);
    FillGradient(canvas.dc(), core::kBlack, core::kNoColour, 0, 0, 10, 10, true);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 0, 0, 10, 10), 0);
    FillGradient(canvas.dc(), core::MakeRgb(10, 20, 30), core::MakeRgb(10, 20, 30), 2, 2, 5, 5, true);
    EXPECT_EQ(canvas.CountOtherThan(RGB(10, 20, 30), 2, 2, 7, 7), 0);
    EXPECT_EQ(canvas.Pixel(7, 7), kWhiteRef);
}

TEST_F(Drawing, WithoutGradientsTheTwoFillsUseDifferentEnds) {
    WithoutGradients();
    Canvas canvas(20, 10);
    FillGradient(canvas.dc(), core::MakeRgb(200, 0, 0), core::MakeRgb(0, 0, 200), 0, 0, 10, 10, true);
    GradientFillRect(canvas.dc(), RECT{10, 0, 20, 10}, core::MakeRgb(200, 0, 0), core::MakeRgb(0, 0, 200),
                     GradientMode::LeftToRight);
    EXPECT_EQ(canvas.CountOtherThan(RGB(200, 0, 0), 0, 0, 10, 10), 0);
    EXPECT_EQ(canvas.CountOtherThan(RGB(0, 0, 200), 10, 0, 20, 10), 0);
}

TEST_F(Drawing, GradientFillRectTopToBottom) {
    Canvas canvas(10, 30);
    GradientFillRect(canvas.dc(), RECT{0, 0, 10, 30}, core::MakeRgb(0, 255, 0), core::MakeRgb(0, 0, 0),
                     GradientMode::TopToBottom);
    EXPECT_GT(GetGValue(canvas.Pixel(3, 0)), GetGValue(canvas.Pixel(3, 15)));
    EXPECT_GT(GetGValue(canvas.Pixel(3, 15)), GetGValue(canvas.Pixel(3, 29)));
}

// A parent with two children side by side, each painting its part of one gradient.
class TwoBars {
public:
    TwoBars() {
        parent_.reset(
            ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 100, 100, 200, 40, nullptr, nullptr, nullptr, nullptr));
        left_.reset(
            ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 100, 40, parent_.get(), nullptr, nullptr, nullptr));
        right_.reset(
            ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 100, 0, 100, 40, parent_.get(), nullptr, nullptr, nullptr));
    }
    HWND parent() const { return parent_.get(); }
    HWND left() const { return left_.get(); }
    HWND right() const { return right_.get(); }

private:
    win::UniqueWindow parent_, left_, right_;
};

TEST_F(Drawing, ParentRelativeFillsJoinIntoOneGradient) {
    TwoBars bars;
    Canvas left(100, 40), right(100, 40), whole(200, 40);
    const Colour start = core::MakeRgb(0, 0, 0), end = core::MakeRgb(200, 200, 200);
    FillParentRelative(bars.left(), bars.parent(), left.dc(), start, end, 0, 0, 100, 40, true, false);
    FillParentRelative(bars.right(), bars.parent(), right.dc(), start, end, 0, 0, 100, 40, true, false);
    GradientFillRect(whole.dc(), RECT{0, 0, 200, 40}, start, end, GradientMode::LeftToRight);
    for (int x : {0, 50, 99}) {
        EXPECT_EQ(left.Pixel(x, 20), whole.Pixel(x, 20)) << x;
        EXPECT_EQ(right.Pixel(x, 20), whole.Pixel(100 + x, 20)) << x;
    }
    EXPECT_GT(GetRValue(right.Pixel(0, 20)), 90) << "the right bar continues where the left one ends";

    // Only the given rectangle is painted.
    Canvas part(100, 40);
    FillParentRelative(bars.right(), bars.parent(), part.dc(), start, end, 10, 10, 20, 10, true, false);
    EXPECT_EQ(part.CountOtherThan(kWhiteRef, 0, 0, 100, 10), 0);
    EXPECT_EQ(part.CountOtherThan(kWhiteRef, 30, 0, 100, 40), 0);
    EXPECT_EQ(part.CountOtherThan(kWhiteRef, 10, 10, 30, 20), 20 * 10);
    // The caller's own clipping is still there afterwards.
    Canvas clipped(100, 40);
    ::IntersectClipRect(clipped.dc(), 0, 0, 50, 40);
    FillParentRelative(bars.right(), bars.parent(), clipped.dc(), start, end, 10, 10, 20, 10, true, false);
    FillGradient(clipped.dc(), core::MakeRgb(0, 0, 255), core::MakeRgb(0, 0, 255), 0, 0, 100, 40, true);
    EXPECT_EQ(clipped.Pixel(20, 15), RGB(0, 0, 255));
    EXPECT_EQ(clipped.Pixel(70, 15), kWhiteRef);
}

TEST_F(Drawing, ParentRelativeSimpleAndSystemLooks) {
    TwoBars bars;
    Canvas canvas(100, 40);
    FillParentRelative(bars.right(), bars.parent(), canvas.dc(), core::MakeRgb(9, 9, 9), core::MakeRgb(9, 9, 9), 0, 0,
                       100, 40, true, false);
    EXPECT_EQ(canvas.CountOtherThan(RGB(9, 9, 9), 0, 0, 100, 40), 0) << "equal colours: a plain fill";

    // The system look ignores the colours passed and runs from a light blend to the button face.
    Canvas system(100, 40);
    FillParentRelative(bars.left(), bars.parent(), system.dc(), core::MakeRgb(255, 0, 0), core::MakeRgb(255, 0, 0), 0,
                       0, 100, 40, true, true);
    const Colour light =
        BlendColour(core::SystemColourRef(COLOR_BTNHIGHLIGHT), core::SystemColourRef(COLOR_BTNFACE), 192);
    const COLORREF first = system.Pixel(0, 20);
    EXPECT_LE(std::abs(GetRValue(first) - core::RedOf(light)), 2);
    EXPECT_LE(std::abs(GetGValue(first) - core::GreenOf(light)), 2);
    EXPECT_NE(first, RGB(255, 0, 0));
}

TEST_F(Drawing, RectOutlineCoversExactlyTheBorder) {
    Canvas canvas(12, 12);
    DrawRectOutline(canvas.dc(), core::MakeRgb(255, 0, 0), 2, 3, 6, 5);
    PixelSet expected;
    for (int x = 2; x <= 7; ++x) expected.insert({x, 3}), expected.insert({x, 7});
    for (int y = 3; y <= 7; ++y) expected.insert({2, y}), expected.insert({7, y});
    EXPECT_EQ(Marked(canvas), expected);
    for (auto [x, y] : expected) EXPECT_EQ(canvas.Pixel(x, y), RGB(255, 0, 0)) << x << "," << y;
}

TEST_F(Drawing, ColourBoxIsFifteenSquareWithAMenuBorder) {
    Canvas canvas(20, 20);
    DrawIconOrColourBox(canvas.dc(), nullptr, -1, core::kBlack, 2, 3, core::IconState::Normal);
    const COLORREF border = static_cast<COLORREF>(GetElementColour(core::colour_element::kMenuBorder));
    ASSERT_NE(border, RGB(0, 0, 0));
    for (auto [x, y] : {std::pair{2, 3}, {16, 3}, {2, 17}, {16, 17}, {9, 3}, {2, 10}}) {
        EXPECT_EQ(canvas.Pixel(x, y), border) << x << "," << y;
    }
    EXPECT_EQ(canvas.CountOtherThan(RGB(0, 0, 0), 3, 4, 16, 17), 0);
    EXPECT_EQ(canvas.Pixel(17, 10), kWhiteRef);
    EXPECT_EQ(canvas.Pixel(10, 18), kWhiteRef);
    EXPECT_EQ(Marked(canvas).size(), 15u * 15u);

    canvas.Fill(kWhiteRef);
    DrawIconOrColourBox(canvas.dc(), nullptr, -1, core::kNoColour, 2, 3, core::IconState::Normal);
    EXPECT_TRUE(Marked(canvas).empty());
    // A system colour reference is translated.
    DrawIconOrColourBox(canvas.dc(), nullptr, -1, core::SystemColourRef(COLOR_HIGHLIGHT), 0, 0,
                        core::IconState::Normal);
    EXPECT_EQ(canvas.Pixel(7, 7), ::GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(Drawing, TilesAreAnchoredToTheDestinationOrigin) {
    // A 4 x 3 tile whose every pixel is different.
    Canvas tile(4, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) ::SetPixelV(tile.dc(), x, y, RGB(x * 50, y * 80, 7));
    }
    Canvas canvas(30, 30);
    TileBitmap(canvas.dc(), 6, 5, 11, 8, tile.dc(), 4, 3, 1);
    for (int y = 5; y < 13; ++y) {
        for (int x = 6; x < 17; ++x) {
            const int sx = x % 4;
            const int sy = (y + 1) % 3;
            ASSERT_EQ(canvas.Pixel(x, y), RGB(sx * 50, sy * 80, 7)) << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 0, 0, 30, 5), 0);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 17, 0, 30, 30), 0);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 0, 13, 30, 30), 0);
}

TEST_F(Drawing, DropDownArrowPixels) {
    Canvas canvas(20, 20);
    DrawDropDownArrow(canvas.dc(), 0, 0, 11, 10, core::MakeRgb(0, 0, 255), Orientation::Top);  // cx 5, cy 5
    EXPECT_EQ(Marked(canvas), (PixelSet{{3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 4}, {4, 5}, {5, 5}, {6, 5}, {5, 6}}));
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(0, 0, 255));

    canvas.Fill(kWhiteRef);
    DrawDropDownArrow(canvas.dc(), 10, 2, 8, 8, core::kBlack, Orientation::Right);  // cx 14, cy 6, pointing left
    EXPECT_EQ(Marked(canvas),
              (PixelSet{{15, 4}, {15, 5}, {15, 6}, {15, 7}, {15, 8}, {14, 5}, {14, 6}, {14, 7}, {13, 6}}));
}

TEST_F(Drawing, SubmenuArrowPixels) {
    Canvas canvas(20, 20);
    DrawSubmenuArrow(canvas.dc(), 0, 0, 20, 20);  // cx 10, cy 10
    PixelSet expected;
    for (int y = 7; y < 14; ++y) expected.insert({8, y});
    for (int y = 8; y < 13; ++y) expected.insert({9, y});
    for (int y = 9; y < 12; ++y) expected.insert({10, y});
    expected.insert({11, 10});
    EXPECT_EQ(Marked(canvas), expected);
    EXPECT_EQ(canvas.Pixel(8, 7), RGB(0, 0, 0));
}

TEST_F(Drawing, CheckMarkPixels) {
    Canvas canvas(20, 20);
    DrawCheckMark(canvas.dc(), 0, 0, 20, 20);  // cx 10, cy 10
    const PixelSet expected{                   // (7,10)-(9,12) and (7,11)-(9,13)
                            {7, 10},
                            {8, 11},
                            {7, 11},
                            {8, 12},
                            // (9,13)-(15,7)
                            {9, 13},
                            {10, 12},
                            {11, 11},
                            {12, 10},
                            {13, 9},
                            {14, 8},
                            // (9,12)-(15,6)
                            {9, 12},
                            {10, 11},
                            {11, 10},
                            {12, 9},
                            {13, 8},
                            {14, 7}};
    EXPECT_EQ(Marked(canvas), expected);
}

TEST_F(Drawing, CaptionDrawsInItsColourAndUnderlinesTheAccelerator) {
    Canvas plain(80, 20), marked(80, 20);
    DrawCaption(plain.dc(), L"File", 0, 0, 80, 20, core::MakeRgb(255, 0, 0), Orientation::Top, false);
    DrawCaption(marked.dc(), L"&File", 0, 0, 80, 20, core::MakeRgb(255, 0, 0), Orientation::Top, false);
    const int plainInk = plain.CountOtherThan(kWhiteRef, 0, 0, 80, 20);
    EXPECT_GT(plainInk, 10);
    EXPECT_GT(marked.CountOtherThan(kWhiteRef, 0, 0, 80, 20), plainInk) << "the underline adds ink";
    EXPECT_EQ(plain.CountOtherThan(kWhiteRef, 40, 0, 80, 20), 0) << "left aligned";

    Canvas centred(80, 20);
    DrawCaption(centred.dc(), L"File", 0, 0, 80, 20, core::MakeRgb(255, 0, 0), Orientation::Top, true);
    EXPECT_EQ(centred.CountOtherThan(kWhiteRef, 0, 0, 20, 20), 0) << "centred";
    EXPECT_GT(centred.CountOtherThan(kWhiteRef, 30, 0, 50, 20), 0);
}

TEST_F(Drawing, VerticalCaptionRunsDownwards) {
    Canvas canvas(30, 100);
    FontCache fonts;
    win::SelectGuard select(canvas.dc(), fonts.Font(core::FontDescription{L"Tahoma", 10}, 2700, canvas.dc()));
    DrawCaption(canvas.dc(), L"Vertical", 0, 0, 20, 90, core::kBlack, Orientation::Left, false);
    int top = 100, bottom = -1, left = 30, right = -1;
    for (auto [x, y] : Marked(canvas)) {
        top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x), right = std::max(right, x);
    }
    ASSERT_GE(bottom, 0) << "nothing drawn";
    EXPECT_GT(bottom - top, 2 * (right - left)) << "text runs down the bar";
}

TEST_F(Drawing, ToolbarThemePartsAndStates) {
    EXPECT_EQ(ToolbarThemePart(ButtonStyle::Separator, false, Orientation::Top), 5);
    EXPECT_EQ(ToolbarThemePart(ButtonStyle::Separator, false, Orientation::Left), 6);
    EXPECT_EQ(ToolbarThemePart(ButtonStyle::Separator, false, Orientation::Right), 6);
    EXPECT_EQ(ToolbarThemePart(ButtonStyle::Separator, false, Orientation::Bottom), 5);
    EXPECT_EQ(ToolbarThemePart(ButtonStyle::Split, true, Orientation::Top), 4);
    EXPECT_EQ(ToolbarThemePart(ButtonStyle::Split, false, Orientation::Top), 3);
    EXPECT_EQ(ToolbarThemePart(ButtonStyle::Normal, true, Orientation::Top), 1);
    EXPECT_EQ(ToolbarThemePart(ButtonStyle::Check, false, Orientation::Left), 1);
    EXPECT_EQ(ToolbarThemeState(false, true, true, true), 4);
    EXPECT_EQ(ToolbarThemeState(true, true, true, true), 3);
    EXPECT_EQ(ToolbarThemeState(true, true, true, false), 6);
    EXPECT_EQ(ToolbarThemeState(true, true, false, false), 2);
    EXPECT_EQ(ToolbarThemeState(true, false, true, false), 5);
    EXPECT_EQ(ToolbarThemeState(true, false, false, false), 1);

    // Without visual styles nothing is drawn at all.
    auto caps = Platform();
    caps.isXpOrLater = false;
    SetPlatform(caps);
    Canvas canvas(30, 30);
    DrawThemedToolbarPart(::GetDesktopWindow(), canvas.dc(), 0, 0, 30, 30, true, true, ButtonStyle::Normal, false,
                          Orientation::Top, false, false);
    EXPECT_TRUE(Marked(canvas).empty());
}

TEST_F(Drawing, CoordinatesBeyond32BitsRaiseTheOverflowError) {
    Canvas canvas(4, 4);
    const HDC dc = canvas.dc();
    constexpr int kFar = INT_MAX - 2;
    const std::function<void()> calls[] = {
        [&] { FillGradient(dc, 0, 0xFF, kFar, 0, 10, 1, true); },
        [&] { FillParentRelative(nullptr, nullptr, dc, 0, 0xFF, 0, kFar, 1, 10, false, false); },
        [&] { TileBitmap(dc, kFar, 0, 10, 1, dc, 2, 2, 0); },
        [&] { DrawRectOutline(dc, 0, 0, kFar, 1, 10); },
        [&] { DrawIconOrColourBox(dc, nullptr, -1, 0, kFar, 0, core::IconState::Normal); },
        [&] {
            DrawThemedToolbarPart(nullptr, dc, kFar, 0, 10, 1, true, false, ButtonStyle::Normal, false,
                                  Orientation::Top, false, false);
        },
        [&] { DrawDropDownArrow(dc, kFar, 0, 4, 4, 0, Orientation::Top); },
        [&] { DrawSubmenuArrow(dc, 0, INT_MIN, 4, 4); },
        [&] { DrawCheckMark(dc, kFar, 0, 4, 4); },
        [&] { DrawCaption(dc, L"x", 0, kFar, 1, 10, 0, Orientation::Left, false); },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        try {
            calls[i]();
            ADD_FAILURE() << "call " << i << " raised nothing";
        } catch (const core::RuntimeError& e) {
            EXPECT_EQ(e.Number(), 6) << "call " << i;
        }
    }
}

// The font the bars draw captions in, as GDI holds it.
LOGFONTW CaptionLogFont(const core::FontDescription& font, HDC dc) {
    FontCache fonts;
    LOGFONTW logFont{};
    ::GetObjectW(fonts.Font(font, 0, dc), sizeof(logFont), &logFont);
    return logFont;
}

TEST_F(Drawing, CaptionFontFollowsTheDescription) {
    Canvas canvas(1, 1);
    core::FontDescription font{L"Tahoma", 8.25, true, true, false, true, 204};
    const LOGFONTW logFont = CaptionLogFont(font, canvas.dc());
    EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");
    EXPECT_EQ(logFont.lfHeight, -::MulDiv(8, ::GetDeviceCaps(canvas.dc(), LOGPIXELSY), 72));
    EXPECT_EQ(logFont.lfWeight, 700);
    EXPECT_TRUE(logFont.lfItalic);
    EXPECT_FALSE(logFont.lfUnderline);
    EXPECT_TRUE(logFont.lfStrikeOut);
    EXPECT_EQ(logFont.lfCharSet, 204);
    EXPECT_EQ(logFont.lfQuality, CLEARTYPE_QUALITY);

    font.name = std::wstring(40, L'x');
    font.bold = false;
    const LOGFONTW longName = CaptionLogFont(font, canvas.dc());
    EXPECT_EQ(std::wstring(longName.lfFaceName).size(), 31u) << "a long face name is cut, not overrun";
    EXPECT_EQ(longName.lfWeight, 400);
}

}  // namespace
}  // namespace commandbar
