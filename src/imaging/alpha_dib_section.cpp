#include "imaging/alpha_dib_section.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "core/colour_math.h"

namespace imaging {

namespace {

testing::MemoryDcMaker& Maker() {
    static testing::MemoryDcMaker maker = nullptr;
    return maker;
}

// Copies the whole bitmap to (0, 0) of target.
bool CopyBitmap(HDC target, HBITMAP bitmap, int width, int height) {
    win::WindowDc desktop(::GetDesktopWindow());
    win::UniqueMemoryDc source(Maker() ? Maker()(desktop.get()) : ::CreateCompatibleDC(desktop.get()));
    if (!source) return false;
    // A bitmap still selected into another device context cannot be selected here: that is a
    // failure, not a black copy.
    win::SelectGuard select(source.get(), bitmap);
    return select.Selected() && ::BitBlt(target, 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
}

}  // namespace

namespace testing {
void SetMemoryDcMaker(MemoryDcMaker maker) noexcept { Maker() = maker; }
}  // namespace testing

bool AlphaDibSection::CreateDIB(HDC hdc, int width, int height, win::UniqueBitmap& dib) {
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * 4 * static_cast<DWORD>(height);
    void* bits = nullptr;
    dib.reset(::CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) {
        dib.reset();
        return false;
    }
    bits_ = static_cast<std::uint8_t*>(bits);
    return true;
}

bool AlphaDibSection::Create(int width, int height) {
    ClearUp();
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF / 4 / height) return false;
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!dc_) return false;
    if (!CreateDIB(dc_.get(), width, height, dib_)) {
        dc_.reset();
        bits_ = nullptr;
        return false;
    }
    previousBitmap_ = ::SelectObject(dc_.get(), dib_.get());
    width_ = width;
    height_ = height;
    return true;
}

bool AlphaDibSection::CreateFromHBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) {
        ClearUp();
        return false;
    }
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    if (!Create(info.bmWidth, height)) return false;
    // A section that could not be filled is not kept: false means empty.
    if (!CopyBitmap(dc_.get(), bitmap, info.bmWidth, height)) {
        ClearUp();
        return false;
    }
    return true;
}

bool AlphaDibSection::CreateFromPicture(const imaging::Picture& picture) { return CreateFromHBitmap(picture.Handle()); }

void AlphaDibSection::LoadPictureBlt(HDC source, int sourceLeft, int sourceTop, int sourceWidth, int sourceHeight,
                                     DWORD rop) {
    if (!dc_) return;
    if (sourceWidth < 0) sourceWidth = width_;
    if (sourceHeight < 0) sourceHeight = height_;
    ::BitBlt(dc_.get(), 0, 0, sourceWidth, sourceHeight, source, sourceLeft, sourceTop, rop);
}

imaging::Picture AlphaDibSection::Picture() const {
    if (!dib_) return {};
    AlphaDibSection copy;
    if (!copy.Create(width_, height_)) return {};
    ::GdiFlush();
    std::memcpy(copy.bits_, bits_, static_cast<std::size_t>(BytesPerScanLine()) * height_);
    return imaging::Picture(copy.ExtractDib());
}

HBITMAP AlphaDibSection::ExtractDib() {
    if (dc_ && previousBitmap_) ::SelectObject(dc_.get(), previousBitmap_);
    previousBitmap_ = nullptr;
    dc_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    return dib_.release();
}

void AlphaDibSection::AdjustHLS(int newHue, int newSaturation, float luminanceAdjust) {
    if (!bits_) return;
    ::GdiFlush();
    core::AdjustHlsPixels(std::span(bits_, static_cast<std::size_t>(BytesPerScanLine()) * height_), newHue,
                          newSaturation, luminanceAdjust);
}

void AlphaDibSection::PaintPicture(HDC hdc, int destLeft, int destTop, int destWidth, int destHeight, int sourceLeft,
                                   int sourceTop, DWORD rop) const {
    if (!dc_) return;
    if (destWidth < 0) destWidth = width_;
    if (destHeight < 0) destHeight = height_;
    ::BitBlt(hdc, destLeft, destTop, destWidth, destHeight, dc_.get(), sourceLeft, sourceTop, rop);
}

void AlphaDibSection::AlphaPaintPicture(HDC hdc, int destLeft, int destTop, int destWidth, int destHeight,
                                        int sourceLeft, int sourceTop, int constantAlpha, bool perPixelAlpha) const {
    if (!dc_) return;
    if (destWidth < 0) destWidth = width_;
    if (destHeight < 0) destHeight = height_;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(constantAlpha, 0, 255)),
                              static_cast<BYTE>(perPixelAlpha ? AC_SRC_ALPHA : 0)};
    ::AlphaBlend(hdc, destLeft, destTop, destWidth, destHeight, dc_.get(), sourceLeft, sourceTop, destWidth, destHeight,
                 blend);
}

void AlphaDibSection::PreMultiplyAlpha() {
    if (!bits_) return;
    ::GdiFlush();
    core::PremultiplyAlpha(std::span(bits_, static_cast<std::size_t>(BytesPerScanLine()) * height_));
}

void AlphaDibSection::ClearUp() {
    if (dc_ && previousBitmap_) ::SelectObject(dc_.get(), previousBitmap_);
    previousBitmap_ = nullptr;
    dib_.reset();
    dc_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

}  // namespace imaging
