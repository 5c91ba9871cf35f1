#pragma once
// A plain visible top-level window for controls under test.

#include "win/window.h"

namespace controls_testing {

class HostWindow : public win::Window {
public:
    UINT postedSeen = 0;

    explicit HostWindow(int width = 420, int height = 200) {
        win::CreateArgs args;
        args.title = L"Host";
        args.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        args.x = 100;
        args.y = 100;
        args.width = width;
        args.height = height;
        Create(win::WindowClassArgs{L"GlyphControlsTestHost"}, args);
        ::SetForegroundWindow(hwnd());
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) ++postedSeen;
        return DefaultProc(message, wParam, lParam);
    }
};

}  // namespace controls_testing
