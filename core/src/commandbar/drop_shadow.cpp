#include "core/commandbar/drop_shadow.h"

#include <algorithm>
#include <cstddef>

namespace core::commandbar {

namespace {

// numerator / denominator to the nearest whole number, halves to the even one (both non-negative).
std::int64_t NearestRatio(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0)) return quotient + 1;
    return quotient;
}

std::uint32_t Pack(std::int64_t alpha, std::int64_t red, std::int64_t green, std::int64_t blue) {
    return static_cast<std::uint32_t>(alpha) << 24 | static_cast<std::uint32_t>(red) << 16 |
           static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue);
}

std::size_t PixelCount(const ShadowStrip& strip) {
    return static_cast<std::size_t>(strip.width) * static_cast<std::size_t>(strip.height);
}

}  // namespace

ShadowStrip ShadowStripFor(ShadowSide side, std::int32_t menuLeft, std::int32_t menuTop, std::int32_t menuRight,
                           std::int32_t menuBottom, std::int32_t size) {
    const std::int64_t width = static_cast<std::int64_t>(menuRight) - menuLeft;
    const std::int64_t height = static_cast<std::int64_t>(menuBottom) - menuTop;
    if (size <= 0 || width <= 0 || height <= 0 || width > INT32_MAX - size) return {};
    if (side == ShadowSide::Right) {
        // It starts `size` below the menu's top, so a menu no taller than that has none.
        if (height <= size) return {};
        return {menuRight, menuTop + size, size, static_cast<std::int32_t>(height - size)};
    }
    return {menuLeft + size, menuBottom, static_cast<std::int32_t>(width), size};
}

int ShadowStrength(ShadowSide side, const ShadowStrip& strip, std::int32_t size, std::int32_t column,
                   std::int32_t row) {
    const std::int64_t s = size;
    if (side == ShadowSide::Bottom) {
        const std::int64_t p = column;
        const std::int64_t fromRight = strip.width - p;
        const std::int64_t ramp = p < s ? p * 255 / s : p < strip.width - s ? 255 : fromRight * 255 / s;
        return static_cast<int>(ramp * row / s);
    }
    const std::int64_t fromTop = static_cast<std::int64_t>(strip.height) - row;
    const std::int64_t rowRamp = row < strip.height - s ? 255 : fromTop * 255 / s;
    return static_cast<int>((s - column) * rowRamp / s);
}

std::vector<std::uint32_t> LayeredShadowPixels(ShadowSide side, const ShadowStrip& strip, std::int32_t size,
                                               Colour colour) {
    std::vector<std::uint32_t> pixels(PixelCount(strip));
    for (std::int32_t row = 0; row < strip.height; ++row) {
        for (std::int32_t column = 0; column < strip.width; ++column) {
            const std::int64_t a = ShadowStrength(side, strip, size, column, row);
            pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(strip.width) +
                   static_cast<std::size_t>(column)] =
                Pack(a, NearestRatio(a * RedOf(colour), 255), NearestRatio(a * GreenOf(colour), 255),
                     NearestRatio(a * BlueOf(colour), 255));
        }
    }
    return pixels;
}

void DarkenScreenCopy(std::span<std::uint32_t> pixels, ShadowSide side, const ShadowStrip& strip, std::int32_t size,
                      Colour colour) {
    const std::size_t count = std::min(pixels.size(), PixelCount(strip));
    for (std::size_t i = 0; i < count; ++i) {
        const auto row = static_cast<std::int32_t>(i / static_cast<std::size_t>(strip.width));
        const auto column = static_cast<std::int32_t>(i % static_cast<std::size_t>(strip.width));
        const std::int64_t a = NearestRatio(std::int64_t{ShadowStrength(side, strip, size, column, row)} * 3, 8);
        const auto blend = [a](std::uint32_t screen, int shadow) {
            return NearestRatio(static_cast<std::int64_t>(screen & 0xFFu) * (255 - a) + a * shadow, 255);
        };
        const std::uint32_t p = pixels[i];
        pixels[i] = Pack(0, blend(p >> 16, RedOf(colour)), blend(p >> 8, GreenOf(colour)), blend(p, BlueOf(colour)));
    }
}

}  // namespace core::commandbar
