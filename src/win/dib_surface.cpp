#include "win/dib_surface.h"

#include <algorithm>
#include <utility>

#include "win/bitmap_info.h"

namespace win {

DibSurface::DibSurface(DibSurface&& other) noexcept { *this = std::move(other); }

DibSurface& DibSurface::operator=(DibSurface&& other) noexcept {
    if (this != &other) {
        Reset();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        selected_ = std::move(other.selected_);
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        order_ = other.order_;
    }
    return *this;
}

bool DibSurface::Create(int width, int height, RowOrder order) {
    Reset();
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF / 4 / height) return false;
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return false;
    BITMAPINFO info = TopDown32BitmapInfo(width, height);
    if (order == RowOrder::BottomUp) info.bmiHeader.biHeight = height;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    SelectGuard selected(dc.get(), bitmap.get());
    if (!selected.Selected()) return false;
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    selected_ = std::move(selected);
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    order_ = order;
    std::ranges::fill(Pixels(), 0u);
    return true;
}

bool DibSurface::Resize(int width, int height, RowOrder order) {
    if (bits_ && width == width_ && height == height_ && order == order_) return true;
    return Create(width, height, order);
}

void DibSurface::Reset() noexcept {
    selected_.Restore();
    bitmap_.reset();
    dc_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

HBITMAP DibSurface::Release() noexcept {
    selected_.Restore();
    HBITMAP bitmap = bitmap_.release();
    Reset();
    return bitmap;
}

std::span<std::uint32_t> DibSurface::Pixels() const noexcept {
    if (!bits_) return {};
    ::GdiFlush();
    return {bits_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
}

std::span<std::uint8_t> DibSurface::Bytes() const noexcept {
    const auto pixels = Pixels();
    return {reinterpret_cast<std::uint8_t*>(pixels.data()), pixels.size_bytes()};
}

void DibSurface::CopyTo(HDC target, int x, int y) const noexcept {
    if (bits_) ::BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace win
