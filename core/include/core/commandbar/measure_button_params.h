#pragma once
// What a bar hands to each button it measures. Height is also an output: the button's
// thickness across the bar.

#include <cstdint>
#include <string>

#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

class DrawButtonParams;

// The bar-wide part that measuring and painting share: the control fills it once per pass.
struct BarParams {
    WindowHandle Hwnd = 0;
    std::uintptr_t Hdc = 0;
    std::wstring FontFace;
    std::int32_t FontSize = 0;
    // The bar's font handle, from the control's font cache.
    std::uintptr_t Font = 0;
    // From the bar's image list.
    std::int32_t IconWidth = 0;
    std::int32_t IconHeight = 0;
    bool RightToLeft = false;
    // 0 until the control sets it: nothing is measured.
    commandbar::SizeStyle SizeStyle{};
    commandbar::Orientation Orientation = commandbar::Orientation::Top;
    ButtonTextPosition ButtonPosition = ButtonTextPosition::Beside;
};

class MeasureButtonParams : public BarParams {
public:
    std::int32_t Height = 0;
    std::int32_t Size = 0;

    // Both copy everything but Size.
    void FromDrawButtonParams(const DrawButtonParams& draw);
    void FromMeasureButtonParams(const MeasureButtonParams& other);

    // 0 when a measurement made with `other` holds for these parameters too, else 1.
    int CompareTo(const MeasureButtonParams& other) const;
};

}  // namespace core::commandbar
