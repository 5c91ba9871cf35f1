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
    WindowHandle hwnd = 0;
    std::uintptr_t hdc = 0;
    std::wstring fontFace;
    std::int32_t fontSize = 0;
    // The bar's font handle, from the control's font cache.
    std::uintptr_t font = 0;
    // From the bar's image list.
    std::int32_t iconWidth = 0;
    std::int32_t iconHeight = 0;
    bool rightToLeft = false;
    // 0 until the control sets it: nothing is measured.
    commandbar::SizeStyle sizeStyle{};
    commandbar::Orientation orientation = commandbar::Orientation::Top;
    ButtonTextPosition buttonPosition = ButtonTextPosition::Beside;
};

class MeasureButtonParams : public BarParams {
public:
    std::int32_t height = 0;
    std::int32_t size = 0;

    // Both copy everything but Size.
    void FromDrawButtonParams(const DrawButtonParams& draw);
    void FromMeasureButtonParams(const MeasureButtonParams& other);

    // 0 when a measurement made with `other` holds for these parameters too, else 1.
    int CompareTo(const MeasureButtonParams& other) const;
};

}  // namespace core::commandbar
