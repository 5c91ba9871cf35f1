#pragma once
// Base class for the program's own windows: the static window procedure attaches `this` on
// WM_NCCREATE and forwards every message to HandleMessage. Exceptions stop at the procedure.
//
// The destructor destroys a window that is still open, but it runs after the derived class's
// destructor: by then the derived HandleMessage and OnDestroyed no longer run, and the derived
// members (child controls, timers, brushes) are already gone. A derived window that handles
// WM_DESTROY or OnDestroyed therefore calls Destroy() first in its own destructor, so that its
// window goes the same way whether it is closed or its object ends.

#include <windows.h>

#include <string>

namespace win {

struct CreateArgs {
    std::wstring title;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // parent of a child window, owner of a top-level one
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    UINT_PTR id = 0;  // child control identifier
};

struct WindowClassArgs {
    const wchar_t* name = nullptr;
    UINT style = CS_DBLCLKS;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HCURSOR cursor = nullptr;  // arrow when null
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const noexcept { return hwnd_; }

    // Creates the window with a class registered once per name. Throws RuntimeError on failure.
    void Create(const WindowClassArgs& windowClass, const CreateArgs& args);
    // Destroys the window now, while this object still handles its last messages.
    void Destroy() noexcept;

    // The Window object behind a handle created by this class, or null.
    static Window* FromHandle(HWND hwnd) noexcept;

protected:
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
    // Runs after WM_NCDESTROY, once the handle is gone.
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

void RegisterWindowClassOnce(const WindowClassArgs& windowClass, WNDPROC procedure);

// The window's client area; empty for a window that is gone.
inline RECT ClientRect(HWND hwnd) noexcept {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    return client;
}

// Outer size of a window whose client area is clientWidth × clientHeight pixels.
SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

// A child window numbered id, covering bounds of parent's client area.
CreateArgs ChildWindowArgs(HWND parent, UINT_PTR id, const RECT& bounds, DWORD style, DWORD exStyle = 0);

// The instance handle of the executable.
HINSTANCE ModuleInstance();

}  // namespace win
