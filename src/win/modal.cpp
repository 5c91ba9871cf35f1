#include "win/modal.h"

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
    RECT area{};
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT self{};
    ::GetWindowRect(window, &self);
    int width = self.right - self.left;
    int height = self.bottom - self.top;
    int left = area.left + (area.right - area.left - width) / 2;
    int top = area.top + (area.bottom - area.top - height) / 2;
    // Keep the caption reachable when a small owner sits near the screen's edge.
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (left + width > work.right) left = work.right - width;
    if (top + height > work.bottom) top = work.bottom - height;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
