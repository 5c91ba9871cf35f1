#include "app/window_placement.h"

#include "app/preferences.h"

namespace app {

void ApplyTopMostPreference(HWND window) {
    HWND band = prefs::IsOn(pref::kTopMost) ? HWND_TOPMOST : HWND_NOTOPMOST;
    ::SetWindowPos(window, band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace app
