#include "app/artwork.h"

#include <cstring>

#include "win/handles.h"

namespace app {

void DrawPremultiplied(HDC dc, int x, int y, int width, int height, const std::uint8_t* bgra) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    win::UniqueBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return;
    std::memcpy(bits, bgra, static_cast<size_t>(width) * height * 4);
    win::UniqueMemoryDc source(::CreateCompatibleDC(dc));
    win::SelectGuard select(source.get(), bitmap.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, x, y, width, height, source.get(), 0, 0, width, height, blend);
}

}  // namespace app
