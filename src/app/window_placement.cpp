#include "app/window_placement.h"

#include "app/preferences.h"

namespace app {

void ApplyTopMostPreference(HWND window) {
    HWND band = prefs::IsOn(pref::kTopMost) ? HWND_TOPMOST : HWND_NOTOPMOST;
    ::SetWindowPos(window, band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CentreOn(HWND window, HWND owner) {
    RECT area{};
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own{};
    ::GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Keep the whole window on the screen even when the owner is near an edge.
    RECT screen{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    if (x + width > screen.right) x = screen.right - width;
    if (y + height > screen.bottom) y = screen.bottom - height;
    if (x < screen.left) x = screen.left;
    if (y < screen.top) y = screen.top;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace app
