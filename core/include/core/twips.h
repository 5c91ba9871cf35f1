#pragma once
// Forms measure in twips (1/1440 inch); the screen measures in pixels at its real DPI.

#include <cmath>
#include <optional>

namespace core {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(double twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

// The same for a stored coordinate, which may be anything: nullopt unless the rounded pixel value
// fits a 32-bit long (window coordinates on Windows), so that "1e30" reads like any other
// unconvertible number instead of overflowing the rounding.
inline std::optional<int> TwipsToPixelsInRange(double twips, int dpi) {
    // std::round rounds halves away from zero as lround does; NaN fails both comparisons.
    const double pixels = std::round(twips * dpi / kTwipsPerInch);
    if (!(pixels >= -2147483648.0 && pixels <= 2147483647.0)) return std::nullopt;
    return static_cast<int>(pixels);
}

inline double PixelsToTwips(int pixels, int dpi) {
    return static_cast<double>(pixels) * kTwipsPerInch / dpi;
}

// Point sizes to character heights in pixels (negative heights ask for the em size).
inline int PointsToPixels(double points, int dpi) {
    return static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace core
