#include "core/commandbar/measure_button_params.h"

#include "core/commandbar/draw_button_params.h"

namespace core::commandbar {

void MeasureButtonParams::FromDrawButtonParams(const DrawButtonParams& draw) {
    // Only the bar-wide part is wanted: the slice is the point.
    static_cast<BarParams&>(*this) = static_cast<const BarParams&>(draw);
    Height = draw.Height;
}

void MeasureButtonParams::FromMeasureButtonParams(const MeasureButtonParams& other) {
    std::int32_t keptSize = Size;
    *this = other;
    Size = keptSize;
}

int MeasureButtonParams::CompareTo(const MeasureButtonParams& other) const {
    bool same = Hwnd == other.Hwnd && SizeStyle == other.SizeStyle && Orientation == other.Orientation &&
                Height == other.Height && FontFace == other.FontFace && FontSize == other.FontSize &&
                IconWidth == other.IconWidth && IconHeight == other.IconHeight && RightToLeft == other.RightToLeft &&
                ButtonPosition == other.ButtonPosition;
    return same ? 0 : 1;
}

}  // namespace core::commandbar
