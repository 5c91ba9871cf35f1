#include "core/commandbar/measure_button_params.h"

#include "core/commandbar/draw_button_params.h"

namespace core::commandbar {

void MeasureButtonParams::FromDrawButtonParams(const DrawButtonParams& draw) {
    Hwnd = draw.Hwnd;
    Hdc = draw.Hdc;
    FontFace = draw.FontFace;
    FontSize = draw.FontSize;
    Font = draw.Font;
    IconWidth = draw.IconWidth;
    IconHeight = draw.IconHeight;
    Height = draw.Height;
    RightToLeft = draw.RightToLeft;
    SizeStyle = draw.SizeStyle;
    Orientation = draw.Orientation;
    ButtonPosition = draw.ButtonPosition;
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
