#pragma once
// Pixel rules of the command bar's icon states: how an icon looks disabled, dimmed and
// highlighted. The result is premultiplied 32-bit pixels ready for per-pixel alpha blending.

#include <cstdint>
#include <span>
#include <vector>

#include "core/colour_math.h"

namespace core {

enum class IconState : int { Normal = 0, Disabled = 1, Dimmed = 2, Highlighted = 3 };

// One pixel of the source icon. alpha 0 is transparent (from the mask or the key colour); a
// 32-bit icon's partial alpha scales the state's alpha, so smooth edges stay smooth.
struct IconPixel {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;
};

// The two greys icons use as a soft background; dimmed and highlighted copies treat them apart.
bool IsIconBackgroundGrey(int red, int green, int blue);

// True when every visible pixel other than the background greys is pure white: such an icon keeps
// its white pixels opaque when disabled, so that it stays visible.
bool IsAllWhiteIcon(std::span<const IconPixel> pixels);

// Renders `pixels` in `state` (colours are plain RGB) into premultiplied 0xAARRGGBB values, the
// layout of a 32-bit top-down DIB's pixels read as 32-bit numbers.
std::vector<std::uint32_t> RenderIconState(std::span<const IconPixel> pixels, IconState state, Colour disabledColour,
                                           Colour highlightColour);

// Packs premultiplied channels the way RenderIconState returns them.
constexpr std::uint32_t PackPremultiplied(int red, int green, int blue, int alpha) {
    return static_cast<std::uint32_t>(blue) | (static_cast<std::uint32_t>(green) << 8) |
           (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(alpha) << 24);
}

}  // namespace core
