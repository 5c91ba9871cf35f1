#include "app/artwork.h"

#include <algorithm>

#include "win/dib_surface.h"
#include "win/window.h"

namespace app {

std::span<const std::uint8_t> ArtworkPixels(int resourceId) {
    constexpr DWORD kBytes = kArtworkSide * kArtworkSide * 4;
    // Resources stay mapped for the life of the module: nothing to free.
    HRSRC found = ::FindResourceW(win::ModuleInstance(), MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    HGLOBAL loaded = found ? ::LoadResource(win::ModuleInstance(), found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || ::SizeofResource(win::ModuleInstance(), found) != kBytes) return {};
    return {static_cast<const std::uint8_t*>(bytes), kBytes};
}

void DrawArtwork(HDC dc, int x, int y, int resourceId) {
    const auto pixels = ArtworkPixels(resourceId);
    win::DibSurface picture;
    if (pixels.empty() || !picture.Create(kArtworkSide, kArtworkSide)) return;
    std::ranges::copy(pixels, picture.Bytes().begin());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, x, y, kArtworkSide, kArtworkSide, picture.Dc(), 0, 0, kArtworkSide, kArtworkSide, blend);
}

}  // namespace app
