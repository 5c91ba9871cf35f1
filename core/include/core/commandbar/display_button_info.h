#pragma once
// What a control keeps for each button of the bar it shows, in bar order: the rectangle layout
// gave it in client pixels, and the mouse and menu state of the item. Layout writes only the
// rectangle and Hidden; Hidden survives from one layout to the next.

#include <cstdint>

#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

struct DisplayButtonInfo {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool MouseOver = false;
    bool MouseDown = false;
    bool MouseOverSplit = false;
    bool MouseDownSplit = false;
    bool MenuInitiator = false;
    bool ShowingMenu = false;
    // The popup host showing this item's drop-down menu; 0 when none is open.
    WindowHandle HwndMenu = 0;
    // Moved behind the chevron by the tool bar layout.
    bool Hidden = false;
};

}  // namespace core::commandbar
