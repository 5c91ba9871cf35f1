#pragma once
// A 32-bit DIB section kept selected into a memory DC of its own: GDI draws into it through Dc(),
// the program reads and writes its pixels directly, and CopyTo puts it on a window. Resize keeps
// the surface when the size has not changed, so that it can serve as a persistent back buffer.

#include <windows.h>

#include <cstdint>
#include <span>

#include "win/handles.h"

namespace win {

class DibSurface {
public:
    // Top-down rows start at pixel y × width; bottom-up ones (the classic DIB order) store the
    // bottom row first.
    enum class RowOrder { TopDown, BottomUp };

    DibSurface() noexcept = default;
    DibSurface(DibSurface&& other) noexcept;
    DibSurface& operator=(DibSurface&& other) noexcept;
    ~DibSurface() { Reset(); }

    // Empties the surface first; false (and empty) for a size of nothing or beyond 2 GB, or when the
    // DC or the section cannot be made. New pixels are zero.
    bool Create(int width, int height, RowOrder order = RowOrder::TopDown);
    // Create unless the surface already has this size and order; true when it is usable.
    bool Resize(int width, int height, RowOrder order = RowOrder::TopDown);
    void Reset() noexcept;
    // Gives up the bitmap, no longer selected anywhere; the surface is empty afterwards.
    HBITMAP Release() noexcept;

    explicit operator bool() const noexcept { return bits_ != nullptr; }
    HDC Dc() const noexcept { return dc_.get(); }
    HBITMAP Bitmap() const noexcept { return bitmap_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    RowOrder Order() const noexcept { return order_; }

    // The pixels (blue, green, red, alpha from the lowest byte up) in memory order. Pending GDI
    // drawing is flushed first, so that what the span shows is complete.
    std::span<std::uint32_t> Pixels() const noexcept;
    std::span<std::uint8_t> Bytes() const noexcept;

    // The whole surface to (x, y) of target.
    void CopyTo(HDC target, int x = 0, int y = 0) const noexcept;

private:
    // Declared so that the selection is undone before the bitmap and the DC go.
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    SelectGuard selected_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    RowOrder order_ = RowOrder::TopDown;
};

}  // namespace win
