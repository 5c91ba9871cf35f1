#include "imaging/alpha_dib_section.h"

#include <algorithm>

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

bool AlphaDibSection::Create(int width, int height) {
    return surface_.Create(width, height, win::DibSurface::RowOrder::BottomUp);
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
    if (!CopyBitmap(surface_.Dc(), bitmap, info.bmWidth, height)) {
        ClearUp();
        return false;
    }
    return true;
}

bool AlphaDibSection::CreateFromPicture(const imaging::Picture& picture) { return CreateFromHBitmap(picture.Handle()); }

void AlphaDibSection::LoadPictureBlt(HDC source, int sourceLeft, int sourceTop, int sourceWidth, int sourceHeight,
                                     DWORD rop) {
    if (!surface_) return;
    if (sourceWidth < 0) sourceWidth = Width();
    if (sourceHeight < 0) sourceHeight = Height();
    ::BitBlt(surface_.Dc(), 0, 0, sourceWidth, sourceHeight, source, sourceLeft, sourceTop, rop);
}

imaging::Picture AlphaDibSection::Picture() const {
    if (!surface_) return {};
    AlphaDibSection copy;
    if (!copy.Create(Width(), Height())) return {};
    std::ranges::copy(surface_.Pixels(), copy.surface_.Pixels().begin());
    return imaging::Picture(copy.ExtractDib());
}

HBITMAP AlphaDibSection::ExtractDib() { return surface_.Release(); }

void AlphaDibSection::AdjustHLS(int newHue, int newSaturation, float luminanceAdjust) {
    core::AdjustHlsPixels(surface_.Bytes(), newHue, newSaturation, luminanceAdjust);
}

void AlphaDibSection::PaintPicture(HDC hdc, int destLeft, int destTop, int destWidth, int destHeight, int sourceLeft,
                                   int sourceTop, DWORD rop) const {
    if (!surface_) return;
    if (destWidth < 0) destWidth = Width();
    if (destHeight < 0) destHeight = Height();
    ::BitBlt(hdc, destLeft, destTop, destWidth, destHeight, surface_.Dc(), sourceLeft, sourceTop, rop);
}

void AlphaDibSection::AlphaPaintPicture(HDC hdc, int destLeft, int destTop, int destWidth, int destHeight,
                                        int sourceLeft, int sourceTop, int constantAlpha, bool perPixelAlpha) const {
    if (!surface_) return;
    if (destWidth < 0) destWidth = Width();
    if (destHeight < 0) destHeight = Height();
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(constantAlpha, 0, 255)),
                              static_cast<BYTE>(perPixelAlpha ? AC_SRC_ALPHA : 0)};
    ::GdiAlphaBlend(hdc, destLeft, destTop, destWidth, destHeight, surface_.Dc(), sourceLeft, sourceTop, destWidth,
                    destHeight, blend);
}

void AlphaDibSection::PreMultiplyAlpha() {
    core::PremultiplyAlpha(surface_.Bytes());
}

void AlphaDibSection::ClearUp() { surface_.Reset(); }

}  // namespace imaging
