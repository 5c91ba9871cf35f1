#pragma once
// A memory device context over a 32-bit top-down DIB whose pixels tests can read directly.

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "win/bitmap_info.h"
#include "win/handles.h"

namespace testing_support {

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : width_(width), height_(height) {
        BITMAPINFO info = win::TopDown32BitmapInfo(width, height);
        void* bits = nullptr;
        dc_.reset(::CreateCompatibleDC(nullptr));
        bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        previous_ = ::SelectObject(dc_.get(), bitmap_.get());
        Fill(fill);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() { ::SelectObject(dc_.get(), previous_); }

    HDC dc() const noexcept { return dc_.get(); }
    HBITMAP bitmap() const noexcept { return bitmap_.get(); }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }

    void Fill(COLORREF colour) {
        ::GdiFlush();
        const std::uint32_t value = ToPixel(colour);
        for (int i = 0; i < width_ * height_; ++i) bits_[i] = value;
    }
    // The pixel as a COLORREF (alpha dropped).
    COLORREF Pixel(int x, int y) const {
        const std::uint32_t p = Raw(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    std::uint32_t Raw(int x, int y) const {
        ::GdiFlush();
        return bits_[static_cast<std::size_t>(y) * width_ + x];
    }
    const std::uint32_t* Bits() const {
        ::GdiFlush();
        return bits_;
    }
    // Number of pixels in the rectangle that differ from `colour`.
    int CountOtherThan(COLORREF colour, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (Pixel(x, y) != colour) ++count;
            }
        }
        return count;
    }

    static std::uint32_t ToPixel(COLORREF colour) {
        return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
               (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
    }

private:
    int width_;
    int height_;
    win::UniqueMemoryDc dc_;
    win::UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

}  // namespace testing_support
