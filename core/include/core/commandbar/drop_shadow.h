#pragma once
// The soft shadow a popup menu casts: two strips, one along its right edge and one along its
// bottom edge, each a picture whose strength fades outwards and towards the strip's ends. Layered
// windows blend a premultiplied picture with what lies below; without them the strip darkens a copy
// of the screen taken when the menu opened. Rows run bottom first, as the strip's bitmap keeps them.

#include <cstdint>
#include <span>
#include <vector>

#include "core/colour_math.h"

namespace core::commandbar {

enum class ShadowSide : std::int32_t {
    Right = 0,
    Bottom = 1,
};

inline constexpr std::int32_t kDefaultShadowSize = 5;
// The layered window's constant alpha; the screen-copy fallback darkens by the same 96/256 = 3/8.
inline constexpr std::uint8_t kShadowConstantAlpha = 96;

// A strip's place on the screen and its picture's size. The window is exactly the picture: the
// right strip starts `size` pixels below the menu's top and ends at its bottom edge, the bottom
// strip starts `size` pixels right of its left edge and closes the corner beyond its right edge.
struct ShadowStrip {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const ShadowStrip&, const ShadowStrip&) = default;
};

// menuLeft..menuBottom: the popup window's screen rectangle. Empty when the menu is too small: the
// right strip needs a menu taller than `size`, the bottom strip only a menu at all.
ShadowStrip ShadowStripFor(ShadowSide side, std::int32_t menuLeft, std::int32_t menuTop, std::int32_t menuRight,
                           std::int32_t menuBottom, std::int32_t size = kDefaultShadowSize);

// Strength 0..255 of column `column` and row `row` (counted from the picture's bottom).
int ShadowStrength(ShadowSide side, const ShadowStrip& strip, std::int32_t size, std::int32_t column,
                   std::int32_t row);

// The layered picture: premultiplied 0xAARRGGBB pixels of `colour`, bottom row first.
std::vector<std::uint32_t> LayeredShadowPixels(ShadowSide side, const ShadowStrip& strip, std::int32_t size,
                                               Colour colour);

// Darkens a copy of the screen under the strip (0x00RRGGBB pixels, bottom row first) towards
// `colour`; the alpha bytes end up 0.
void DarkenScreenCopy(std::span<std::uint32_t> pixels, ShadowSide side, const ShadowStrip& strip, std::int32_t size,
                      Colour colour);

}  // namespace core::commandbar
