#pragma once
// The program's small pictures (the about logo and the progress picture), 48 × 48 pixels with
// alpha, drawn by tools/make_artwork.py into artwork_pixels.cpp.

#include <windows.h>

#include <cstdint>

namespace app {

inline constexpr int kArtworkSide = 48;

// Premultiplied B, G, R, A bytes, rows top to bottom.
extern const std::uint8_t kAboutLogoPixels[kArtworkSide * kArtworkSide * 4];
extern const std::uint8_t kProgressPicturePixels[kArtworkSide * kArtworkSide * 4];

// Blends a premultiplied 32-bit image onto dc at (x, y), unscaled.
void DrawPremultiplied(HDC dc, int x, int y, int width, int height, const std::uint8_t* bgra);

}  // namespace app
