#pragma once
// One entry of the registry's popup stack: a shown popup menu, the control it was opened from
// and its nesting level.

#include <cstdint>

#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

class MenuPopupStackEntry {
public:
    void Initialise(WindowHandle hWnd, WindowHandle hWndSource, bool bShownAsPopup, std::int32_t iRecursionLevel) {
        hwnd_ = hWnd;
        hWndSource_ = hWndSource;
        shownAsPopup_ = bShownAsPopup;
        recursionLevel_ = iRecursionLevel;
    }

    WindowHandle hWndSource() const noexcept { return hWndSource_; }
    bool ShownAsPopup() const noexcept { return shownAsPopup_; }
    WindowHandle hwnd() const noexcept { return hwnd_; }
    std::int32_t RecursionLevel() const noexcept { return recursionLevel_; }

private:
    WindowHandle hwnd_ = 0;
    WindowHandle hWndSource_ = 0;
    bool shownAsPopup_ = false;
    std::int32_t recursionLevel_ = 0;
};

}  // namespace core::commandbar
