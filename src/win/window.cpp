#include "win/window.h"

#include "core/runtime_error.h"
#include "win/error_report.h"

namespace win {

HINSTANCE ModuleInstance() { return ::GetModuleHandleW(nullptr); }

void RegisterWindowClassOnce(const WindowClassArgs& windowClass, WNDPROC procedure) {
    WNDCLASSEXW existing{sizeof(existing)};
    if (::GetClassInfoExW(ModuleInstance(), windowClass.name, &existing)) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = windowClass.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = ModuleInstance();
    wc.hCursor = windowClass.cursor ? windowClass.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    wc.hIcon = windowClass.icon;
    wc.hIconSm = windowClass.smallIcon;
    if (!::RegisterClassExW(&wc)) {
        throw LastError(std::wstring(L"Cannot register window class ") + windowClass.name, core::ExecutableName());
    }
}

Window::~Window() { Destroy(); }

void Window::Create(const WindowClassArgs& windowClass, const CreateArgs& args) {
    RegisterWindowClassOnce(windowClass, &Window::StaticProc);
    HWND created =
        ::CreateWindowExW(args.exStyle, windowClass.name, args.title.c_str(), args.style, args.x, args.y, args.width,
                          args.height, args.parent, reinterpret_cast<HMENU>(args.id), ModuleInstance(), this);
    if (!created) {
        throw LastError(std::wstring(L"Cannot create window ") + windowClass.name, core::ExecutableName());
    }
}

void Window::Destroy() noexcept {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

Window* Window::FromHandle(HWND hwnd) noexcept {
    if (!hwnd) return nullptr;
    WNDPROC procedure = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (procedure != &Window::StaticProc) return nullptr;
    return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    bool handled = GuardCallback([&] { result = self->HandleMessage(message, wParam, lParam); });
    if (!handled) {
        // The handler failed part-way: let the platform finish the message so the window stays usable.
        result = ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        GuardCallback([&] { self->OnDestroyed(); });
    }
    return result;
}

SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

CreateArgs ChildWindowArgs(HWND parent, UINT_PTR id, const RECT& bounds, DWORD style, DWORD exStyle) {
    CreateArgs args;
    args.style = style;
    args.exStyle = exStyle;
    args.parent = parent;
    args.id = id;
    args.x = bounds.left;
    args.y = bounds.top;
    args.width = bounds.right - bounds.left;
    args.height = bounds.bottom - bounds.top;
    return args;
}

}  // namespace win
