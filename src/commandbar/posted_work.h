#pragma once
// Work a window does once the message being handled, or the hook running, has returned: each
// piece is posted to the window as kMessage and run, oldest first, when the window receives it.

#include <windows.h>

#include <deque>
#include <functional>

namespace commandbar {

class PostedWork {
public:
    static constexpr UINT kMessage = WM_APP + 1;

    void Post(HWND window, std::function<void()> work);
    // The window's answer to kMessage.
    void RunNext();

private:
    std::deque<std::function<void()>> work_;
};

}  // namespace commandbar
