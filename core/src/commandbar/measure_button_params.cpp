#include "core/commandbar/measure_button_params.h"

#include "core/commandbar/draw_button_params.h"

namespace core::commandbar {

void MeasureButtonParams::FromDrawButtonParams(const DrawButtonParams& draw) {
    // Only the bar-wide part is wanted: the slice is the point.
    static_cast<BarParams&>(*this) = static_cast<const BarParams&>(draw);
    height = draw.height;
}

void MeasureButtonParams::FromMeasureButtonParams(const MeasureButtonParams& other) {
    std::int32_t keptSize = size;
    *this = other;
    size = keptSize;
}

int MeasureButtonParams::CompareTo(const MeasureButtonParams& other) const {
    bool same = hwnd == other.hwnd && sizeStyle == other.sizeStyle && orientation == other.orientation &&
                height == other.height && fontFace == other.fontFace && fontSize == other.fontSize &&
                iconWidth == other.iconWidth && iconHeight == other.iconHeight && rightToLeft == other.rightToLeft &&
                buttonPosition == other.buttonPosition;
    return same ? 0 : 1;
}

}  // namespace core::commandbar
