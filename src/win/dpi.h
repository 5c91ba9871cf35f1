#pragma once
// Twips and points against the real screen DPI.

#include <windows.h>

#include "core/twips.h"

namespace win {

// Logical pixels per inch of the screen (the process is DPI aware, so this is the real value).
int ScreenDpi();

inline int TwipsToPixels(double twips) { return core::TwipsToPixels(twips, ScreenDpi()); }
inline double PixelsToTwips(int pixels) { return core::PixelsToTwips(pixels, ScreenDpi()); }

// A rectangle given in twips as left, top, width, height.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

RECT ToPixels(const TwipsRect& rect);

}  // namespace win
