#pragma once
// What the painting pass hands to a button's painter. The control fills the bar-wide fields once
// per paint; painting a bar fills the rectangle and the mouse state of each button.

#include <cstdint>
#include <string>

#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

class DrawButtonParams {
public:
    WindowHandle Hwnd = 0;
    std::uintptr_t Hdc = 0;
    std::wstring FontFace;
    std::int32_t FontSize = 0;
    std::uintptr_t Font = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Height = 0;
    bool RightToLeft = false;
    bool MouseOverButton = false;
    bool MouseDownButton = false;
    bool MouseOverSplit = false;
    bool MouseDownSplit = false;
    bool ShowingMenu = false;
    commandbar::SizeStyle SizeStyle{};
    commandbar::Orientation Orientation = commandbar::Orientation::Top;
    bool Enabled = true;
    // The button's length along the bar.
    std::int32_t Size = 0;
    // The control's client height (width for vertical bars); panels centre their control in it.
    std::int32_t ToolbarSize = 0;
    // The bar's image list as the platform keeps it, with its icon size; the painter knows its type.
    std::uintptr_t ImageList = 0;
    std::int32_t IconWidth = 0;
    std::int32_t IconHeight = 0;
    bool Hidden = false;
    ButtonTextPosition ButtonPosition = ButtonTextPosition::Beside;
};

}  // namespace core::commandbar
