#pragma once
// Stateless painting primitives of the command bar and the small services its modules share:
// what the platform can do, colour translation and blending, gradient and tiled fills, outlines,
// the three glyphs, captions, colour boxes and the visual-style tool bar parts.
// Everything draws into a device context handed in by the caller and releases what it creates.

#include <windows.h>

#include <string_view>

#include "core/colour_math.h"
#include "core/commandbar/command_bar_types.h"
#include "core/commandbar/icon_states.h"
#include "commandbar/platform_detection.h"
#include "core/font_description.h"

namespace commandbar {

class CommandBarImageList;

using core::Colour;

// Both colours are translated first (win::TranslateColour); weight 0..255 is the share of colourA.
Colour BlendColour(Colour colourA, Colour colourB, int weight) noexcept;

using core::commandbar::IsVerticalOrientation;
using core::commandbar::Orientation;

// Nothing when either colour is -1; a solid fill with colourStart when the colours are equal or
// gradients are not available. Colours must already be RGB.
void FillGradient(HDC hdc, Colour colourStart, Colour colourEnd, int left, int top, int width, int height,
                  bool horizontal);

enum class GradientMode : int { LeftToRight = 0, TopToBottom = 1 };
// The system gradient fill over rect; without gradients a solid fill with colourEnd.
void GradientFillRect(HDC hdc, const RECT& rect, Colour colourStart, Colour colourEnd, GradientMode mode);

// Paints the part (left, top, width, height) of hwnd with a gradient spanning the whole of
// parent, so that bars side by side show one continuous gradient. With systemLook on a
// high-colour screen the colours are the system look's, whatever is passed.
void FillParentRelative(HWND hwnd, HWND parent, HDC hdc, Colour colourStart, Colour colourEnd, int left, int top,
                        int width, int height, bool horizontal, bool systemLook);

// Covers the rectangle with straight copies of the tile; tiles are anchored to the destination's
// origin (columns at multiples of tileWidth, rows shifted by yOffset).
void TileBitmap(HDC hdc, int left, int top, int width, int height, HDC source, int tileWidth, int tileHeight,
                int yOffset);

// One-pixel outline of the rectangle.
void DrawRectOutline(HDC hdc, Colour colour, int left, int top, int width, int height);

inline constexpr int kColourBoxSize = 15;
// The icon from imageList when iconIndex >= 0; otherwise a 15 x 15 box of boxColour outlined in
// MenuBorder, or nothing when boxColour is -1.
void DrawIconOrColourBox(HDC hdc, CommandBarImageList* imageList, int iconIndex, Colour boxColour, int left, int top,
                         core::IconState drawState);

// Part and state numbers of the system's tool bar theme class; separators and split buttons have
// parts of their own, every other style is a plain button.
int ToolbarThemePart(core::commandbar::ButtonStyle buttonStyle, bool dropDownPart, Orientation orientation) noexcept;
int ToolbarThemeState(bool enabled, bool hot, bool checked, bool pressed) noexcept;
// Draws one tool bar part with the desktop's visual style; nothing without visual styles.
void DrawThemedToolbarPart(HWND hwnd, HDC hdc, int left, int top, int width, int height, bool enabled, bool hot,
                           core::commandbar::ButtonStyle buttonStyle, bool dropDownPart, Orientation orientation,
                           bool checked, bool pressed);
// Whether the desktop's visual style draws tool bar parts for the window.
bool HasToolbarTheme(HWND hwnd);
// The visual style changed: the next part drawn opens the tool bar theme again.
void ForgetToolbarTheme() noexcept;

// Glyphs, centred on (left + width / 2, top + height / 2).
void DrawDropDownArrow(HDC hdc, int left, int top, int width, int height, Colour colour, Orientation orientation);
void DrawSubmenuArrow(HDC hdc, int left, int top, int width, int height);
void DrawCheckMark(HDC hdc, int left, int top, int width, int height);

// Single-line caption with '&' marking the accelerator. Vertical bars expect a font rotated for
// top-to-bottom text to be selected already.
void DrawCaption(HDC hdc, std::wstring_view text, int left, int top, int width, int height, Colour colour,
                 Orientation orientation, bool centred);
// DrawText with the wide-character call; returns the text height.
int DrawTextAnyPlatform(HDC hdc, std::wstring_view text, RECT& rect, UINT format);

// How the command bar's captions are smoothed: ClearType where the system has it.
BYTE CaptionQuality() noexcept;

}  // namespace commandbar
