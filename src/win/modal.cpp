#include "win/modal.h"

#include "core/centring.h"
#include "win/error_report.h"

namespace win {

void RunModalLoop(HWND window, HWND owner, const PreTranslate& preTranslate) {
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);
    MSG msg{};
    while (::IsWindow(window)) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        bool handled = false;
        if (preTranslate) GuardCallback([&] { handled = preTranslate(msg); });
        if (handled) continue;
        if (::IsWindow(window) && ::IsDialogMessageW(window, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (disableOwner && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
}

void CentreOnOwner(HWND window, HWND owner) {
    // The owner's monitor even while the owner is hidden or minimised (then its restored place
    // counts); the primary monitor without an owner.
    HMONITOR monitor = owner ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                             : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT work{};
    if (monitor && ::GetMonitorInfoW(monitor, &info)) {
        work = info.rcWork;
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    }
    RECT anchor = work;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &anchor);
    RECT self{};
    ::GetWindowRect(window, &self);
    auto toScreen = [](const RECT& r) { return core::ScreenRect{r.left, r.top, r.right, r.bottom}; };
    core::ScreenPoint at =
        core::CentredWithin(toScreen(anchor), self.right - self.left, self.bottom - self.top, toScreen(work));
    ::SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CloseModal(Window& window, HWND owner) noexcept {
    if (owner) ::EnableWindow(owner, TRUE);
    window.Destroy();
}

void ReturnToOwner(HWND& owner) noexcept {
    if (!owner) return;
    ::EnableWindow(owner, TRUE);
    ::SetActiveWindow(owner);
    owner = nullptr;
}

}  // namespace win
