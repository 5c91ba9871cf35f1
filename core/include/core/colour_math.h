#pragma once
// Colour arithmetic shared by the command bar and the imaging classes: OLE colour values,
// channel blends, the HLS colour model and the luminance that fades disabled icons.
//
// Colours are 32-bit OLE colours: 0x00BBGGRR for plain values, 0x80000000 + index for a
// system colour reference, -1 for "no colour".

#include <cstddef>
#include <cstdint>
#include <span>

namespace core {

using Colour = std::int32_t;

inline constexpr Colour kNoColour = -1;

constexpr Colour MakeRgb(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Colour colour) { return static_cast<int>(static_cast<std::uint32_t>(colour) & 0xFF); }
constexpr int GreenOf(Colour colour) { return static_cast<int>((static_cast<std::uint32_t>(colour) >> 8) & 0xFF); }
constexpr int BlueOf(Colour colour) { return static_cast<int>((static_cast<std::uint32_t>(colour) >> 16) & 0xFF); }

// The one reading of an OLE colour: a top byte of 0x80 names system colour `index` (COLOR_WINDOW
// and friends) in the low byte; anything else is plain RGB in the low three bytes.
inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
constexpr Colour SystemColourRef(int index) {
    return static_cast<Colour>(kSystemColourFlag | static_cast<std::uint32_t>(index));
}
constexpr bool IsSystemColourRef(Colour colour) {
    return (static_cast<std::uint32_t>(colour) & 0xFF000000u) == kSystemColourFlag;
}
constexpr int SystemColourIndex(Colour colour) { return static_cast<int>(static_cast<std::uint32_t>(colour) & 0xFFu); }
constexpr Colour RgbPart(Colour colour) { return static_cast<Colour>(static_cast<std::uint32_t>(colour) & 0x00FFFFFFu); }

inline constexpr Colour kWhite = MakeRgb(255, 255, 255);
inline constexpr Colour kBlack = MakeRgb(0, 0, 0);

// Blend of two colours that are already plain RGB: weight (0..255) is the share of `a`.
// Each channel is (255 - w) * b / 255 + w * a / 255 with both quotients in floating point and the
// sum rounded half to even. An untranslatable colour (-1) counts as 255 in every channel.
Colour BlendRgb(Colour a, Colour b, int weight);

// Hue in sixths of the colour circle (-1 to 5), saturation and luminance in 0..1.
struct Hls {
    float hue = 0.0f;
    float saturation = 0.0f;
    float luminance = 0.0f;
};
struct Rgb8 {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

Hls RgbToHls(int red, int green, int blue);
Rgb8 HlsToRgb(const Hls& hls);

// Perceived brightness 0..255 of a pixel, as used for disabled icons: (222 r + 707 g + 71 b) / 1000,
// rounded to the nearest integer.
int IconLuminance(int red, int green, int blue);

// Recolours 32-bit blue-green-red-alpha pixels in place. newHue and newSaturation are 0..255 or -1
// to keep the pixel's own; both -1 leaves the pixels alone. The luminance is scaled by
// (1 + luminanceAdjust) and clamped to 0..1. Alpha bytes are not touched.
void AdjustHlsPixels(std::span<std::uint8_t> bgra, int newHue, int newSaturation, float luminanceAdjust);

// Multiplies each colour channel of 32-bit blue-green-red-alpha pixels by its alpha (integer
// division by 255), the form the system's per-pixel alpha blend expects.
void PremultiplyAlpha(std::span<std::uint8_t> bgra);

}  // namespace core
