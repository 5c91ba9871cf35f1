#pragma once
// What a control keeps for each button of the bar it shows, in bar order: the rectangle layout
// gave it in client pixels, and the mouse and menu state of the item. Layout writes only the
// rectangle and Hidden; Hidden survives from one layout to the next.

#include <cstdint>

#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

struct DisplayButtonInfo {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool mouseOver = false;
    bool mouseDown = false;
    bool mouseOverSplit = false;
    bool mouseDownSplit = false;
    bool menuInitiator = false;
    bool showingMenu = false;
    // The popup host showing this item's drop-down menu; 0 when none is open.
    WindowHandle hwndMenu = 0;
    // Moved behind the chevron by the tool bar layout.
    bool hidden = false;
};

}  // namespace core::commandbar
