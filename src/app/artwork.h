#pragma once
// The program's small pictures (the about logo and the progress picture), 48 × 48 pixels with
// alpha, drawn by tools/make_artwork.py and carried as resources (res/artwork.rc).

#include <windows.h>

#include <cstdint>
#include <span>

#include "resource.h"  // res/: the resource ids

namespace app {

inline constexpr int kArtworkSide = 48;

// The picture's premultiplied B, G, R, A bytes, rows top to bottom; empty when the executable
// lacks the resource or it has another size.
std::span<const std::uint8_t> ArtworkPixels(int resourceId);

// Blends the picture onto dc at (x, y), unscaled; nothing when it is missing.
void DrawArtwork(HDC dc, int x, int y, int resourceId);

}  // namespace app
