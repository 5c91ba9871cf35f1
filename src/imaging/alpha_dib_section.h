#pragma once
// A 32-bit device-independent bitmap selected into its own memory device context: background
// pictures are copied in, recoloured in hue, saturation and luminance, tiled from its DC and
// handed back as independent pictures.
//
// Rows are stored bottom-up (positive height); pixels are blue, green, red, alpha.

#include <windows.h>

#include <cstdint>

#include "imaging/picture.h"
#include "win/dib_surface.h"

namespace imaging {

class AlphaDibSection {
public:
    AlphaDibSection() = default;
    ~AlphaDibSection() { ClearUp(); }
    AlphaDibSection(const AlphaDibSection&) = delete;
    AlphaDibSection& operator=(const AlphaDibSection&) = delete;

    // Releases any current section first; false (and empty) when the DC or section cannot be made.
    bool Create(int width, int height);
    // A section of the bitmap's size holding a copy of it; false when the bitmap cannot be read
    // (for one, while it is selected into another device context).
    bool CreateFromHBitmap(HBITMAP bitmap);
    bool CreateFromPicture(const Picture& picture);

    // BitBlt from source into the section at 0,0; negative sizes mean the section's own.
    void LoadPictureBlt(HDC source, int sourceLeft, int sourceTop, int sourceWidth = -1, int sourceHeight = -1,
                        DWORD rop = SRCCOPY);

    // An independent copy of the section; empty when the section is.
    imaging::Picture Picture() const;

    // Gives up the section: the caller owns the bitmap; this object is empty afterwards.
    HBITMAP ExtractDib();

    // Recolours every pixel: hue and saturation 0..255 replace the pixel's own (-1 keeps it; both
    // -1 changes nothing); the luminance is multiplied by (1 + luminanceAdjust) and clamped.
    void AdjustHLS(int newHue, int newSaturation, float luminanceAdjust);

    // Copies (part of) the section to hdc; negative sizes mean the section's own.
    void PaintPicture(HDC hdc, int destLeft = 0, int destTop = 0, int destWidth = -1, int destHeight = -1,
                      int sourceLeft = 0, int sourceTop = 0, DWORD rop = SRCCOPY) const;
    // Blends (part of) the section onto hdc with a constant alpha, and with the pixels' own alpha
    // when perPixelAlpha is set (the pixels must then be premultiplied).
    void AlphaPaintPicture(HDC hdc, int destLeft = 0, int destTop = 0, int destWidth = -1, int destHeight = -1,
                           int sourceLeft = 0, int sourceTop = 0, int constantAlpha = 255,
                           bool perPixelAlpha = true) const;
    void PreMultiplyAlpha();

    void ClearUp();

    HDC hdc() const noexcept { return surface_.Dc(); }
    HBITMAP Bitmap() const noexcept { return surface_.Bitmap(); }
    int Width() const noexcept { return surface_.Width(); }
    int Height() const noexcept { return surface_.Height(); }
    int BytesPerScanLine() const noexcept { return Width() * 4; }
    // Pending GDI drawing is flushed first.
    std::uint8_t* DIBSectionBitsPtr() const noexcept { return surface_.Bytes().data(); }

private:
    win::DibSurface surface_;
};

namespace testing {
// Replaces CreateCompatibleDC for the DC a bitmap is read through, so that a refused DC can be
// provoked; null restores the platform call.
using MemoryDcMaker = HDC (*)(HDC);
void SetMemoryDcMaker(MemoryDcMaker maker) noexcept;
}  // namespace testing

}  // namespace imaging
