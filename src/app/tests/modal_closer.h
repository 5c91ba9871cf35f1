#pragma once
// Closes each window the main window comes to own, noting whether the main window was disabled.

#include <windows.h>

#include <functional>

#include "win/controls.h"

namespace testing_support {

class ModalCloser {
public:
    // By default a window is asked to close; a test driving real input passes a key press instead.
    explicit ModalCloser(HWND mainWindow, std::function<void(HWND)> close = {})
        : main_(mainWindow), close_(std::move(close)) {
        timer_.SetOwner(mainWindow);
        timer_.SetInterval(20);
        timer_.OnTick([this] {
            found_ = nullptr;
            ::EnumThreadWindows(::GetCurrentThreadId(), &Find, reinterpret_cast<LPARAM>(this));
            if (!found_ || found_ == closing_) return;  // a closed window may take a tick to go
            if (close_ && ::GetForegroundWindow() != found_) return;  // keys go to the foreground
            closing_ = found_;
            ++closed;
            ownerAlwaysDisabled = ownerAlwaysDisabled && !::IsWindowEnabled(main_);
            if (close_) {
                close_(found_);
            } else {
                ::PostMessageW(found_, WM_CLOSE, 0, 0);
            }
        });
        timer_.SetEnabled(true);
    }
    int closed = 0;
    bool ownerAlwaysDisabled = true;

private:
    static BOOL CALLBACK Find(HWND window, LPARAM self) {
        auto* closer = reinterpret_cast<ModalCloser*>(self);
        if (!::IsWindowVisible(window) || ::GetWindow(window, GW_OWNER) != closer->main_) return TRUE;
        closer->found_ = window;
        return FALSE;
    }
    HWND main_;
    std::function<void(HWND)> close_;
    HWND found_ = nullptr;
    HWND closing_ = nullptr;
    win::Timer timer_;
};

}  // namespace testing_support
