#include "app/modal_window.h"

#include "app/window_placement.h"

namespace app {

void ModalWindow::CreateOver(HWND owner, const Frame& frame) {
    owner_ = owner;
    win::CreateArgs args = OwnedWindowArgs(owner, frame.style, frame.exStyle, frame.clientWidth, frame.clientHeight);
    args.title = frame.caption;
    Create(win::WindowClassArgs{frame.className}, args);
    ApplyTopMostPreference(hwnd());
    win::CentreOnOwner(hwnd(), owner);
}

void ModalWindow::ShowOver(HWND focus) {
    if (owner_) ::EnableWindow(owner_, FALSE);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(focus);
}

LRESULT ModalWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Close();
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace app
