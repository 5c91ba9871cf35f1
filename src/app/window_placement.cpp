#include "app/window_placement.h"

#include "app/preferences.h"
#include "win/dpi.h"

namespace app {

void ApplyTopMostPreference(HWND window) {
    HWND band = TopMostPreferred() ? HWND_TOPMOST : HWND_NOTOPMOST;
    ::SetWindowPos(window, band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TopMostPreferred() { return prefs::IsOn(pref::kTopMost); }

DWORD TopMostExStyle() { return TopMostPreferred() ? WS_EX_TOPMOST : 0; }

win::CreateArgs OwnedWindowArgs(HWND owner, DWORD style, DWORD exStyle, double clientWidth, double clientHeight) {
    win::CreateArgs args;
    args.style = style;
    // Created in its band as well: Wine does not move an owned window to the topmost band
    // through SetWindowPos alone.
    args.exStyle = exStyle | TopMostExStyle();
    args.parent = owner;
    SIZE outer = win::OuterSizeFor(win::TwipsToPixels(clientWidth), win::TwipsToPixels(clientHeight), style, exStyle);
    args.x = 0;
    args.y = 0;
    args.width = outer.cx;
    args.height = outer.cy;
    return args;
}

}  // namespace app
