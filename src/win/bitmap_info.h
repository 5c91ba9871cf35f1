#pragma once
// The one DIB layout the program reads and writes pixels in.

#include <windows.h>

namespace win {

// 32 bits a pixel, top row first, so that row y starts at pixel y × width.
inline BITMAPINFO TopDown32BitmapInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace win
