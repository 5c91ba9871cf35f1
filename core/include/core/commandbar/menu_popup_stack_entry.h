#pragma once
// One entry of the registry's popup stack: a shown popup menu, the control it was opened from
// and its nesting level.

#include <cstdint>

#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

class MenuPopupStackEntry {
public:
    void Initialise(WindowHandle hwnd, WindowHandle hwndSource, bool shownAsPopup, std::int32_t recursionLevel) {
        hwnd_ = hwnd;
        hwndSource_ = hwndSource;
        shownAsPopup_ = shownAsPopup;
        recursionLevel_ = recursionLevel;
    }

    WindowHandle HwndSource() const noexcept { return hwndSource_; }
    bool ShownAsPopup() const noexcept { return shownAsPopup_; }
    WindowHandle Hwnd() const noexcept { return hwnd_; }
    std::int32_t RecursionLevel() const noexcept { return recursionLevel_; }

private:
    WindowHandle hwnd_ = 0;
    WindowHandle hwndSource_ = 0;
    bool shownAsPopup_ = false;
    std::int32_t recursionLevel_ = 0;
};

}  // namespace core::commandbar
