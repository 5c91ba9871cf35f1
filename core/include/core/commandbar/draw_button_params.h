#pragma once
// What the painting pass hands to a button's painter. The control fills the bar-wide fields once
// per paint; painting a bar fills the rectangle and the mouse state of each button.

#include <cstdint>

#include "core/commandbar/measure_button_params.h"

namespace core::commandbar {

class DrawButtonParams : public BarParams {
public:
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Height = 0;
    // The button's length along the bar.
    std::int32_t Size = 0;
    bool MouseOverButton = false;
    bool MouseDownButton = false;
    bool MouseOverSplit = false;
    bool MouseDownSplit = false;
    bool ShowingMenu = false;
    bool Enabled = true;
    bool Hidden = false;
    // The control's client height (width for vertical bars); panels centre their control in it.
    std::int32_t ToolbarSize = 0;
    // The bar's image list as the platform keeps it; the painter knows its type.
    std::uintptr_t ImageList = 0;
};

}  // namespace core::commandbar
