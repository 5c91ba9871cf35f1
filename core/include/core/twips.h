#pragma once
// Forms measure in twips (1/1440 inch); the screen measures in pixels at its real DPI.

#include <cmath>

namespace core {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(double twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

inline double PixelsToTwips(int pixels, int dpi) {
    return static_cast<double>(pixels) * kTwipsPerInch / dpi;
}

// Point sizes to character heights in pixels (negative heights ask for the em size).
inline int PointsToPixels(double points, int dpi) {
    return static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace core
