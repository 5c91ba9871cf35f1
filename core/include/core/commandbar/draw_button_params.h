#pragma once
// What the painting pass hands to a button's painter. The control fills the bar-wide fields once
// per paint; painting a bar fills the rectangle and the mouse state of each button.

#include <cstdint>

#include "core/commandbar/measure_button_params.h"

namespace core::commandbar {

class DrawButtonParams : public BarParams {
public:
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t height = 0;
    // The button's length along the bar.
    std::int32_t size = 0;
    bool mouseOverButton = false;
    bool mouseDownButton = false;
    bool mouseOverSplit = false;
    bool mouseDownSplit = false;
    bool showingMenu = false;
    bool enabled = true;
    bool hidden = false;
    // The control's client height (width for vertical bars); panels centre their control in it.
    std::int32_t toolbarSize = 0;
    // The bar's image list as the platform keeps it; the painter knows its type.
    std::uintptr_t imageList = 0;
};

}  // namespace core::commandbar
