#pragma once
// A bitmap picture that owns its handle: what the imaging classes hand out as an independent copy.

#include <windows.h>

#include "win/handles.h"

namespace imaging {

class Picture {
public:
    Picture() = default;
    // Takes ownership of bitmap.
    explicit Picture(HBITMAP bitmap) noexcept : bitmap_(bitmap) {
        BITMAP info{};
        if (bitmap && ::GetObjectW(bitmap, sizeof(info), &info)) {
            width_ = info.bmWidth;
            height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
        }
    }

    bool Empty() const noexcept { return !bitmap_; }
    HBITMAP Handle() const noexcept { return bitmap_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }

    // Hands the bitmap to the caller, who deletes it.
    HBITMAP Release() noexcept {
        width_ = height_ = 0;
        return bitmap_.release();
    }

private:
    win::UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace imaging
