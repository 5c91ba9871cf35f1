#include "commandbar/drawing_utilities.h"

#include <uxtheme.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_image_list.h"
#include "core/commandbar/command_bar_error.h"
#include "core/number_text.h"
#include "core/commandbar/style_colours.h"
#include "win/gdi.h"
#include "win/handles.h"

namespace commandbar {

namespace {

void CloseTheme(HTHEME theme) noexcept { ::CloseThemeData(theme); }
using UniqueTheme = win::UniqueHandle<HTHEME, CloseTheme>;

// Opening the theme for each button painted costs several window-property round trips under Wine,
// dozens per drop-down; one handle, not tied to a window, serves every bar until the style changes.
struct ToolbarThemeCache {
    bool opened = false;
    UniqueTheme theme;
};

ToolbarThemeCache& CachedToolbarTheme() {
    static ToolbarThemeCache cache;
    return cache;
}

// Null without visual styles.
HTHEME ToolbarTheme() {
    if (!Platform().isXpOrLater) return nullptr;
    ToolbarThemeCache& cache = CachedToolbarTheme();
    if (!cache.opened) {
        cache.theme = UniqueTheme(::OpenThemeData(nullptr, L"TOOLBAR"));
        cache.opened = true;
    }
    return cache.theme.get();
}

void FillSolid(HDC hdc, Colour colour, const RECT& rect) {
    win::UniqueBrush brush(::CreateSolidBrush(win::ToColorRef(colour)));
    ::FillRect(hdc, &rect, brush.get());
}

TRIVERTEX Vertex(LONG x, LONG y, Colour colour) {
    TRIVERTEX vertex{};
    vertex.x = x;
    vertex.y = y;
    vertex.Red = static_cast<COLOR16>(core::RedOf(colour) << 8);
    vertex.Green = static_cast<COLOR16>(core::GreenOf(colour) << 8);
    vertex.Blue = static_cast<COLOR16>(core::BlueOf(colour) << 8);
    return vertex;
}

void SystemGradient(HDC hdc, const RECT& rect, Colour colourStart, Colour colourEnd, GradientMode mode) {
    TRIVERTEX vertices[2] = {Vertex(rect.left, rect.top, colourStart), Vertex(rect.right, rect.bottom, colourEnd)};
    GRADIENT_RECT gradient{0, 1};
    ::GdiGradientFill(hdc, vertices, 2, &gradient, 1,
                      mode == GradientMode::LeftToRight ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

// Straight line from (x1, y1) to (x2, y2) with the end point excluded, in the selected pen.
void Line(HDC hdc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(hdc, x1, y1, nullptr);
    ::LineTo(hdc, x2, y2);
}

// A one-pixel pen of `colour`, selected for the lifetime of the object and deleted afterwards.
class PenScope {
public:
    PenScope(HDC hdc, Colour colour) : pen_(::CreatePen(PS_SOLID, 1, win::ToColorRef(colour))), select_(hdc, pen_.get()) {}

private:
    win::UniquePen pen_;
    win::SelectGuard select_;
};

// Coordinates are summed in 64 bits: a sum that leaves 32 bits is the overflow error, never a
// wrapped coordinate.
int Sum(long long a, long long b) { return core::CheckedInt32(a + b); }
RECT RectOf(int left, int top, int width, int height) { return RECT{left, top, Sum(left, width), Sum(top, height)}; }

// Integer halves as the glyphs use them: towards zero, like an integer division. Every glyph
// pixel lies within kGlyphReach of the centre, so checking that reach covers all of them.
constexpr int kGlyphReach = 5;
int Centre(int start, int length) {
    const int centre = Sum(start, length / 2);
    Sum(centre, -kGlyphReach);
    Sum(centre, kGlyphReach);
    return centre;
}

}  // namespace

Colour BlendColour(Colour colourA, Colour colourB, int weight) noexcept {
    return core::BlendRgb(win::TranslateColour(colourA), win::TranslateColour(colourB), weight);
}

void FillGradient(HDC hdc, Colour colourStart, Colour colourEnd, int left, int top, int width, int height,
                  bool horizontal) {
    if (colourStart == core::kNoColour || colourEnd == core::kNoColour) return;
    const RECT rect = RectOf(left, top, width, height);
    if (colourStart != colourEnd && Platform().canGradient) {
        SystemGradient(hdc, rect, colourStart, colourEnd,
                       horizontal ? GradientMode::LeftToRight : GradientMode::TopToBottom);
    } else {
        FillSolid(hdc, colourStart, rect);
    }
}

void GradientFillRect(HDC hdc, const RECT& rect, Colour colourStart, Colour colourEnd, GradientMode mode) {
    if (Platform().canGradient) {
        SystemGradient(hdc, rect, colourStart, colourEnd, mode);
    } else {
        FillSolid(hdc, colourEnd, rect);
    }
}

void FillParentRelative(HWND hwnd, HWND parent, HDC hdc, Colour colourStart, Colour colourEnd, int left, int top,
                        int width, int height, bool horizontal, bool systemLook) {
    const RECT clip = RectOf(left, top, width, height);
    const bool systemColours = systemLook && IsHighColour();
    if (!systemColours && (colourStart == colourEnd || !Platform().canGradient)) {
        FillGradient(hdc, colourStart, colourEnd, left, top, width, height, horizontal);
        return;
    }
    if (systemColours) {
        colourStart = BlendColour(core::SystemColourRef(COLOR_BTNHIGHLIGHT), core::SystemColourRef(COLOR_BTNFACE), 192);
        colourEnd = win::TranslateColour(core::SystemColourRef(COLOR_BTNFACE));
    }
    // The parent's rectangle in hwnd's client coordinates.
    RECT parentRect{};
    ::GetWindowRect(parent, &parentRect);
    ::MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&parentRect), 2);
    // Clipping within a saved state keeps whatever clip the caller had.
    win::DcStateGuard state(hdc);
    ::IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
    GradientFillRect(hdc, parentRect, colourStart, colourEnd,
                     horizontal ? GradientMode::LeftToRight : GradientMode::TopToBottom);
}

void TileBitmap(HDC hdc, int left, int top, int width, int height, HDC source, int tileWidth, int tileHeight,
                int yOffset) {
    if (tileWidth <= 0 || tileHeight <= 0 || width <= 0 || height <= 0) return;
    auto wrap = [](long long value, int size) { return static_cast<int>(((value % size) + size) % size); };
    const int right = Sum(left, width);
    const int bottom = Sum(top, height);
    for (int y = top; y < bottom;) {
        const int sourceY = wrap(static_cast<long long>(y) + yOffset, tileHeight);
        const int rowHeight = std::min(tileHeight - sourceY, bottom - y);
        for (int x = left; x < right;) {
            const int sourceX = wrap(x, tileWidth);
            const int columnWidth = std::min(tileWidth - sourceX, right - x);
            ::BitBlt(hdc, x, y, columnWidth, rowHeight, source, sourceX, sourceY, SRCCOPY);
            x += columnWidth;
        }
        y += rowHeight;
    }
}

void DrawRectOutline(HDC hdc, Colour colour, int left, int top, int width, int height) {
    const int right = Sum(left, width - 1LL);
    const int bottom = Sum(top, height - 1LL);
    PenScope pen(hdc, colour);
    ::MoveToEx(hdc, left, bottom, nullptr);
    ::LineTo(hdc, left, top);
    ::LineTo(hdc, right, top);
    ::LineTo(hdc, right, bottom);
    ::LineTo(hdc, left, bottom);
}

void DrawIconOrColourBox(HDC hdc, CommandBarImageList* imageList, int iconIndex, Colour boxColour, int left, int top,
                         core::IconState drawState) {
    if (iconIndex >= 0) {
        if (imageList) imageList->Draw(hdc, iconIndex, drawState, left, top);
        return;
    }
    if (boxColour == core::kNoColour) return;
    const Colour fill = win::TranslateColour(boxColour);
    if (fill != core::kNoColour) FillSolid(hdc, fill, RectOf(left, top, kColourBoxSize, kColourBoxSize));
    const Colour border = GetElementColour(core::colour_element::kMenuBorder);
    if (border != core::kNoColour) DrawRectOutline(hdc, border, left, top, kColourBoxSize, kColourBoxSize);
}

int ToolbarThemePart(core::commandbar::ButtonStyle buttonStyle, bool dropDownPart, Orientation orientation) noexcept {
    enum { kButton = 1, kSplitButton = 3, kSplitDropDown = 4, kSeparator = 5, kSeparatorVertical = 6 };
    if (buttonStyle == core::commandbar::ButtonStyle::Separator)
        return IsVerticalOrientation(orientation) ? kSeparatorVertical : kSeparator;
    if (buttonStyle == core::commandbar::ButtonStyle::Split) return dropDownPart ? kSplitDropDown : kSplitButton;
    return kButton;
}

int ToolbarThemeState(bool enabled, bool hot, bool checked, bool pressed) noexcept {
    enum { kNormal = 1, kHot = 2, kPressed = 3, kDisabled = 4, kChecked = 5, kHotChecked = 6 };
    if (!enabled) return kDisabled;
    if (pressed) return kPressed;
    if (hot) return checked ? kHotChecked : kHot;
    return checked ? kChecked : kNormal;
}

void DrawThemedToolbarPart(HWND hwnd, HDC hdc, int left, int top, int width, int height, bool enabled, bool hot,
                           core::commandbar::ButtonStyle buttonStyle, bool dropDownPart, Orientation orientation,
                           bool checked, bool pressed) {
    const RECT rect = RectOf(left, top, width, height);
    const HTHEME theme = ToolbarTheme();
    if (!theme) return;
    ::DrawThemeBackground(theme, hdc, ToolbarThemePart(buttonStyle, dropDownPart, orientation),
                          ToolbarThemeState(enabled, hot, checked, pressed), &rect, nullptr);
}

bool HasToolbarTheme(HWND) { return ToolbarTheme() != nullptr; }

void ForgetToolbarTheme() noexcept {
    ToolbarThemeCache& cache = CachedToolbarTheme();
    cache.theme.reset();
    cache.opened = false;
}

void DrawDropDownArrow(HDC hdc, int left, int top, int width, int height, Colour colour, Orientation orientation) {
    const int cx = Centre(left, width);
    const int cy = Centre(top, height);
    const COLORREF rgb = win::ToColorRef(colour);
    if (IsVerticalOrientation(orientation)) {
        for (int y = cy - 2; y <= cy + 2; ++y) ::SetPixelV(hdc, cx + 1, y, rgb);
        for (int y = cy - 1; y <= cy + 1; ++y) ::SetPixelV(hdc, cx, y, rgb);
        ::SetPixelV(hdc, cx - 1, cy, rgb);
    } else {
        for (int x = cx - 2; x <= cx + 2; ++x) ::SetPixelV(hdc, x, cy - 1, rgb);
        for (int x = cx - 1; x <= cx + 1; ++x) ::SetPixelV(hdc, x, cy, rgb);
        ::SetPixelV(hdc, cx, cy + 1, rgb);
    }
}

void DrawSubmenuArrow(HDC hdc, int left, int top, int width, int height) {
    const int cx = Centre(left, width);
    const int cy = Centre(top, height);
    PenScope pen(hdc, core::kBlack);
    Line(hdc, cx - 2, cy - 3, cx - 2, cy + 4);
    Line(hdc, cx - 1, cy - 2, cx - 1, cy + 3);
    Line(hdc, cx, cy - 1, cx, cy + 2);
    ::SetPixelV(hdc, cx + 1, cy, RGB(0, 0, 0));
}

void DrawCheckMark(HDC hdc, int left, int top, int width, int height) {
    const int cx = Centre(left, width);
    const int cy = Centre(top, height);
    PenScope pen(hdc, core::kBlack);
    Line(hdc, cx - 3, cy, cx - 1, cy + 2);
    Line(hdc, cx - 3, cy + 1, cx - 1, cy + 3);
    Line(hdc, cx - 1, cy + 3, cx + 5, cy - 3);
    Line(hdc, cx - 1, cy + 2, cx + 5, cy - 4);
}

void DrawCaption(HDC hdc, std::wstring_view text, int left, int top, int width, int height, Colour colour,
                 Orientation orientation, bool centred) {
    RECT rect = RectOf(left, top, width, height);
    UINT format = DT_SINGLELINE;
    if (IsVerticalOrientation(orientation)) {
        // A font rotated by 270 degrees grows from the right edge of the box downwards.
        rect = RECT{rect.right, top, left, Sum(rect.bottom, 4)};
    } else {
        format |= DT_VCENTER | (centred ? DT_CENTER : 0);
    }
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(hdc, win::ToColorRef(colour));
    DrawTextAnyPlatform(hdc, text, rect, format);
    ::SetTextColor(hdc, oldColour);
    ::SetBkMode(hdc, oldMode);
}

int DrawTextAnyPlatform(HDC hdc, std::wstring_view text, RECT& rect, UINT format) {
    // DrawTextW wants a writable buffer only with DT_MODIFYSTRING, which no caller uses.
    return ::DrawTextW(hdc, text.data(), static_cast<int>(text.size()), &rect, format);
}

BYTE CaptionQuality() noexcept { return Platform().isXpOrLater ? CLEARTYPE_QUALITY : ANTIALIASED_QUALITY; }

}  // namespace commandbar
