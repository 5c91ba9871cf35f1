#include "core/colour_math.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace core {

namespace {

int BlendChannel(int a, int b, int weight) {
    const double sum = (255.0 - weight) * b / 255.0 + static_cast<double>(weight) * a / 255.0;
    return static_cast<int>(RoundHalfEven(sum));
}

int ToByte(float unit) {
    const double value = RoundHalfEven(static_cast<double>(unit * 255.0f));
    return static_cast<int>(std::clamp(value, 0.0, 255.0));
}

}  // namespace

Colour BlendRgb(Colour a, Colour b, int weight) {
    return MakeRgb(BlendChannel(RedOf(a), RedOf(b), weight), BlendChannel(GreenOf(a), GreenOf(b), weight),
                   BlendChannel(BlueOf(a), BlueOf(b), weight));
}

Hls RgbToHls(int red, int green, int blue) {
    const float r = static_cast<float>(red) / 255.0f;
    const float g = static_cast<float>(green) / 255.0f;
    const float b = static_cast<float>(blue) / 255.0f;
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});
    Hls hls;
    hls.luminance = (max + min) / 2.0f;
    if (max == min) return hls;
    const float delta = max - min;
    hls.saturation = hls.luminance <= 0.5f ? delta / (max + min) : delta / (2.0f - max - min);
    if (r == max) {
        hls.hue = (g - b) / delta;
    } else if (g == max) {
        hls.hue = 2.0f + (b - r) / delta;
    } else {
        hls.hue = 4.0f + (r - g) / delta;
    }
    return hls;
}

Rgb8 HlsToRgb(const Hls& hls) {
    const float l = hls.luminance;
    const float s = hls.saturation;
    if (s == 0.0f) {
        const int grey = ToByte(l);
        return {grey, grey, grey};
    }
    // min and max are the smallest and largest channel; the hue places the third between them.
    const float min = l <= 0.5f ? l * (1.0f - s) : l - s * (1.0f - l);
    const float max = 2.0f * l - min;
    const float span = max - min;
    const float h = hls.hue;
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    if (h < 1.0f) {
        r = max;
        if (h < 0.0f) {
            g = min;
            b = g - h * span;
        } else {
            b = min;
            g = h * span + b;
        }
    } else if (h < 3.0f) {
        g = max;
        if (h < 2.0f) {
            b = min;
            r = b - (h - 2.0f) * span;
        } else {
            r = min;
            b = (h - 2.0f) * span + r;
        }
    } else {
        b = max;
        if (h < 4.0f) {
            r = min;
            g = r - (h - 4.0f) * span;
        } else {
            g = min;
            r = (h - 4.0f) * span + g;
        }
    }
    return {ToByte(r), ToByte(g), ToByte(b)};
}

int IconLuminance(int red, int green, int blue) {
    return static_cast<int>(RoundHalfEven((222.0 * red + 707.0 * green + 71.0 * blue) / 1000.0));
}

void AdjustHlsPixels(std::span<std::uint8_t> bgra, int newHue, int newSaturation, float luminanceAdjust) {
    if (newHue == -1 && newSaturation == -1) return;
    const float hue = static_cast<float>(newHue) * 6.0f / 255.0f - 1.0f;
    const float saturation = static_cast<float>(newSaturation) / 255.0f;
    const float factor = 1.0f + luminanceAdjust;
    for (std::size_t i = 0; i + 3 < bgra.size(); i += 4) {
        Hls hls = RgbToHls(bgra[i + 2], bgra[i + 1], bgra[i]);
        if (newHue != -1) hls.hue = hue;
        if (newSaturation != -1) hls.saturation = saturation;
        hls.luminance = std::clamp(hls.luminance * factor, 0.0f, 1.0f);
        const Rgb8 rgb = HlsToRgb(hls);
        bgra[i] = static_cast<std::uint8_t>(rgb.blue);
        bgra[i + 1] = static_cast<std::uint8_t>(rgb.green);
        bgra[i + 2] = static_cast<std::uint8_t>(rgb.red);
    }
}

void PremultiplyAlpha(std::span<std::uint8_t> bgra) {
    for (std::size_t i = 0; i + 3 < bgra.size(); i += 4) {
        const unsigned alpha = bgra[i + 3];
        for (std::size_t c = 0; c < 3; ++c) bgra[i + c] = static_cast<std::uint8_t>(bgra[i + c] * alpha / 255);
    }
}

}  // namespace core
