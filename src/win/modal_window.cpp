#include "win/modal_window.h"

#include "win/dpi.h"

namespace win {

void ModalWindow::CreateOver(HWND owner, const Frame& frame) {
    owner_ = owner;
    CreateArgs args;
    args.title = frame.caption;
    args.style = frame.style;
    // Created in its band as well: Wine does not move an owned window to the topmost band
    // through SetWindowPos alone.
    args.exStyle = frame.exStyle | (frame.topMost ? WS_EX_TOPMOST : 0);
    args.parent = owner;
    const SIZE outer =
        OuterSizeFor(TwipsToPixels(frame.clientWidth), TwipsToPixels(frame.clientHeight), frame.style, frame.exStyle);
    args.x = 0;
    args.y = 0;
    args.width = outer.cx;
    args.height = outer.cy;
    Create(WindowClassArgs{frame.className}, args);
    ::SetWindowPos(hwnd(), frame.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CentreOnOwner(hwnd(), owner);
}

void ModalWindow::ShowOver(HWND focus) {
    if (owner_) ::EnableWindow(owner_, FALSE);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(focus);
}

LRESULT ModalWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (commands_.Dispatch(wParam)) return 0;
            break;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace win
