#pragma once
// Icons with known pixels, made in memory, for tests that check what an icon draws like.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "win/bitmap_info.h"
#include "win/handles.h"

namespace testing_support {

// pixel(x, y) returns 0xAARRGGBB; alpha 0 is transparent. The mask follows the alpha.
inline win::UniqueIcon MakeIcon(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
    BITMAPINFO info = win::TopDown32BitmapInfo(width, height);
    void* bits = nullptr;
    win::WindowDc screen(nullptr);
    win::UniqueBitmap colour(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour) return {};
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const int maskStride = ((width + 15) / 16) * 2;
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixel(x, y);
            pixels[y * width + x] = p;
            if ((p >> 24) == 0)
                maskBits[static_cast<std::size_t>(y) * maskStride + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    win::UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, maskBits.data()));
    ICONINFO iconInfo{TRUE, 0, 0, mask.get(), colour.get()};
    return win::UniqueIcon(::CreateIconIndirect(&iconInfo));
}

inline win::UniqueIcon MakeSolidIcon(int width, int height, std::uint32_t argb) {
    return MakeIcon(width, height, [argb](int, int) { return argb; });
}

// An image list that destroys itself.
class OwnedImageList {
public:
    OwnedImageList(int width, int height, UINT flags = ILC_COLOR32 | ILC_MASK)
        : handle_(::ImageList_Create(width, height, flags, 4, 4)) {}
    OwnedImageList(const OwnedImageList&) = delete;
    OwnedImageList& operator=(const OwnedImageList&) = delete;
    ~OwnedImageList() {
        if (handle_) ::ImageList_Destroy(handle_);
    }
    HIMAGELIST get() const noexcept { return handle_; }
    int Add(HICON icon) { return ::ImageList_AddIcon(handle_, icon); }

private:
    HIMAGELIST handle_;
};

}  // namespace testing_support
