#include "core/commandbar/icon_states.h"

#include <algorithm>

namespace core {

namespace {

constexpr int kDimmedGreyAlpha = 50;
constexpr int kHighlightedGreyAlpha = 90;

bool IsWhite(const IconPixel& p) { return p.red == 255 && p.green == 255 && p.blue == 255; }

}  // namespace

bool IsIconBackgroundGrey(int red, int green, int blue) {
    return (red == 221 && green == 221 && blue == 221) || (red == 227 && green == 227 && blue == 227);
}

bool IsAllWhiteIcon(std::span<const IconPixel> pixels) {
    return std::all_of(pixels.begin(), pixels.end(), [](const IconPixel& p) {
        return p.alpha == 0 || IsIconBackgroundGrey(p.red, p.green, p.blue) || IsWhite(p);
    });
}

std::vector<std::uint32_t> RenderIconState(std::span<const IconPixel> pixels, IconState state, Colour disabledColour,
                                           Colour highlightColour) {
    std::vector<std::uint32_t> out(pixels.size(), 0);
    const bool allWhite = state == IconState::Disabled && IsAllWhiteIcon(pixels);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const IconPixel& p = pixels[i];
        if (p.alpha == 0) continue;
        int red = p.red, green = p.green, blue = p.blue;
        int alpha = 255;
        const bool grey = IsIconBackgroundGrey(red, green, blue);
        switch (state) {
            case IconState::Disabled:
                // Dark pixels stay strong, light ones fade out.
                alpha = allWhite && IsWhite(p) ? 255 : 255 - IconLuminance(red, green, blue);
                red = RedOf(disabledColour);
                green = GreenOf(disabledColour);
                blue = BlueOf(disabledColour);
                break;
            case IconState::Dimmed:
                if (grey) alpha = kDimmedGreyAlpha;
                break;
            case IconState::Highlighted:
                if (grey) {
                    alpha = kHighlightedGreyAlpha;
                    red = RedOf(highlightColour);
                    green = GreenOf(highlightColour);
                    blue = BlueOf(highlightColour);
                }
                break;
            case IconState::Normal:
                break;
        }
        alpha = alpha * p.alpha / 255;
        out[i] = PackPremultiplied(alpha * red / 255, alpha * green / 255, alpha * blue / 255, alpha);
    }
    return out;
}

}  // namespace core
