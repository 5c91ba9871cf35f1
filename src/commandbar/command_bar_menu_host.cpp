// The window side of the menu interaction: the interaction's host, the mouse, the timers, the tool
// tip and the popup window with its shadows.

#include "commandbar/command_bar_menu_host.h"

#include <commctrl.h>
#include <windowsx.h>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_hooks.h"
#include "commandbar/command_bar_process.h"
#include "core/commandbar/command_bar_registry.h"
#include "core/scope_exit.h"

namespace commandbar {

namespace cb = core::commandbar;

namespace {

constexpr UINT_PTR kLostMouseTimer = 1;
constexpr UINT kLostMouseInterval = 50;
constexpr UINT_PTR kSubmenuTimer = 2;
constexpr UINT kSubmenuInterval = 250;

cb::MouseButton HeldButton(WPARAM keys) {
    if (keys & MK_LBUTTON) return cb::MouseButton::Left;
    if (keys & MK_RBUTTON) return cb::MouseButton::Right;
    if (keys & MK_MBUTTON) return cb::MouseButton::Middle;
    return cb::MouseButton::None;
}

}  // namespace

// Host -----------------------------------------------------------------------------------------

cb::Orientation CommandBarWindow::MenuHost::BarOrientation() const {
    return window_.popupHost_ ? cb::Orientation::Top : static_cast<cb::Orientation>(window_.orientation_);
}

core::ColourStyle CommandBarWindow::MenuHost::Style() const { return static_cast<core::ColourStyle>(GetStyle()); }

const cb::KeyboardLayout& CommandBarWindow::MenuHost::Keyboard() const { return commandbar::Keyboard(); }

core::ScreenPoint CommandBarWindow::MenuHost::CursorPosition() const {
    POINT point{};
    ::GetCursorPos(&point);
    return {point.x, point.y};
}

core::ScreenPoint CommandBarWindow::MenuHost::ScreenToClient(core::ScreenPoint point) const {
    POINT p{point.x, point.y};
    ::ScreenToClient(window_.hwnd(), &p);
    return {p.x, p.y};
}

core::ScreenPoint CommandBarWindow::MenuHost::ClientToScreen(core::ScreenPoint point) const {
    POINT p{point.x, point.y};
    ::ClientToScreen(window_.hwnd(), &p);
    return {p.x, p.y};
}

core::ScreenRect CommandBarWindow::MenuHost::WindowRect() const {
    RECT rect{};
    ::GetWindowRect(window_.hwnd(), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

core::ScreenRect CommandBarWindow::MenuHost::ScreenArea() const {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

core::ScreenPoint CommandBarWindow::MenuHost::WindowSize() const {
    if (window_.popupSize_) return {window_.popupSize_->cx, window_.popupSize_->cy};
    const core::ScreenRect rect = WindowRect();
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void CommandBarWindow::MenuHost::EnableLostMouseTimer(bool enable) {
    EnableTimer(kLostMouseTimer, kLostMouseInterval, enable);
}

void CommandBarWindow::MenuHost::EnableSubmenuTimer(bool enable) {
    EnableTimer(kSubmenuTimer, kSubmenuInterval, enable);
}

void CommandBarWindow::MenuHost::RaiseButtonClick(const cb::ButtonRecord& button) {
    // A click decided by a key in the thread's hook runs once the hook has returned: a dialog it
    // opened would otherwise receive that key (Enter pressing its default button).
    if (InsideInputHook()) {
        window_.later_.Post(window_.hwnd(), [this, key = button.Key()] {
            // The button may have gone in between.
            if (window_.events.buttonClick && Registry().FindButton(key)) {
                window_.events.buttonClick(cb::Button(Registry(), window_.Hwnd(), key));
            }
        });
        return;
    }
    if (window_.events.buttonClick) window_.events.buttonClick(cb::Button(Registry(), window_.Hwnd(), button.Key()));
}

bool CommandBarWindow::MenuHost::RaiseButtonDropDown(const cb::ButtonRecord& button) {
    bool cancel = false;
    if (window_.events.buttonDropDown) {
        window_.events.buttonDropDown(cb::Button(Registry(), window_.Hwnd(), button.Key()), cancel);
    }
    return cancel;
}

void CommandBarWindow::MenuHost::RaiseRightClick(const cb::ButtonRecord* button, std::int32_t x, std::int32_t y) {
    if (!window_.events.rightClick) return;
    std::optional<cb::Button> handle;
    if (button) handle.emplace(Registry(), window_.Hwnd(), button->Key());
    window_.events.rightClick(handle, x, y);
}

void CommandBarWindow::MenuHost::RaiseBeforeShowMenu(cb::WindowHandle popup, const std::wstring& barKey) {
    if (window_.events.beforeShowMenu) window_.events.beforeShowMenu(cb::CommandBar(Registry(), popup, barKey));
}

void CommandBarWindow::MenuHost::RaiseAfterShowMenu(const std::wstring& barKey) {
    if (window_.events.afterShowMenu) {
        window_.events.afterShowMenu(cb::CommandBar(Registry(), window_.Hwnd(), barKey));
    }
}

// Decided: a menu is not opened while another program's window is in front; the thread hooks
// would not see the clicks that must close it.
bool CommandBarWindow::MenuHost::ProgramActive() const {
    HWND foreground = ::GetForegroundWindow();
    DWORD process = 0;
    if (foreground) ::GetWindowThreadProcessId(foreground, &process);
    return process == ::GetCurrentProcessId();
}

void CommandBarWindow::MenuHost::MakePopupHost() {
    window_.MakePopupHost();
    window_.mainMenu_ = false;
    HWND hwnd = window_.hwnd();
    const LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    const LONG_PTR popupExStyle = (exStyle | WS_EX_TOOLWINDOW) & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW);
    // Set at the first open only: setting a style sends messages and asks the window manager
    // even when nothing changes.
    if (popupExStyle != exStyle) ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, popupExStyle);
    if (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) {
        // Off the form and onto the desktop, as a window of its own that never takes the focus.
        ::ShowWindow(hwnd, SW_HIDE);
        ::SetParent(hwnd, nullptr);
        LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
        ::SetWindowLongPtrW(hwnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP);
    }
}

void CommandBarWindow::MenuHost::CopyPopupSettings(cb::WindowHandle source) {
    if (auto* control = dynamic_cast<CommandBarWindow*>(Registry().TryControlFromHwnd(source))) {
        window_.CopyPopupSettings(*control);
    }
}

// The source comes again with the popup context, which the window reads from the interaction.
// Laid out only: ShowPopupWindow paints the bar once it has its place, which the join needs.
void CommandBarWindow::MenuHost::ShowMenuBar(cb::WindowHandle, std::wstring barKey) {
    window_.paintDeferred_ = true;
    core::ScopeExit paintLater([this] { window_.paintDeferred_ = false; });
    window_.SetToolbar(cb::CommandBar(Registry(), window_.Hwnd(), std::move(barKey)));
}

// Window side ----------------------------------------------------------------------------------

bool CommandBarWindow::MenuHost::HandleMessage(UINT message, WPARAM wParam, LRESULT& result) {
    cb::BarInteraction& interaction = *window_.interaction_;
    switch (message) {
        case WM_MOUSEMOVE:
            interaction.MouseMove(HeldButton(wParam));
            return true;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            interaction.MouseDown(cb::MouseButton::Left);
            // The release must come here even off the window, unless a menu opened and takes over.
            for (const cb::DisplayButtonInfo& item : window_.info_) {
                if (item.showingMenu) return true;
            }
            if (HWND hwnd = window_.hwnd(); hwnd && ::IsWindowVisible(hwnd)) {
                ::SetCapture(hwnd);
                capturing_ = true;
            }
            return true;
        case WM_LBUTTONUP:
            if (capturing_) {
                capturing_ = false;
                ::ReleaseCapture();
            }
            interaction.MouseUp(cb::MouseButton::Left);
            return true;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            // The window class asks for double clicks; here they are presses like any other.
            interaction.MouseDown(message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK ? cb::MouseButton::Middle
                                                                                        : cb::MouseButton::Right);
            return true;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            interaction.MouseUp(message == WM_RBUTTONUP ? cb::MouseButton::Right : cb::MouseButton::Middle);
            return true;
        case WM_CAPTURECHANGED:
            capturing_ = false;
            return true;
        case WM_TIMER:
            if (wParam == kLostMouseTimer) {
                interaction.LostMouseTick();
            } else if (wParam == kSubmenuTimer) {
                interaction.SubmenuTimerFired();
            } else {
                return false;
            }
            return true;
        case WM_MOUSEACTIVATE:
            if (!window_.popupHost_) return false;
            result = MA_NOACTIVATE;
            return true;
        default:
            return false;
    }
}

void CommandBarWindow::MenuHost::EnableTimer(UINT_PTR id, UINT interval, bool enable) noexcept {
    HWND hwnd = window_.hwnd();
    if (!hwnd) return;
    if (enable) {
        ::SetTimer(hwnd, id, interval, nullptr);
    } else {
        ::KillTimer(hwnd, id);
    }
}

void CommandBarWindow::MenuHost::StopTimers() noexcept {
    EnableTimer(kLostMouseTimer, 0, false);
    EnableTimer(kSubmenuTimer, 0, false);
}

// One tool covering the whole window; its text follows the hot item. The window relays its mouse
// messages itself: the tool tip's own subclassing would look its chain up in a window property
// for every message, a round trip to the server under Wine.
void CommandBarWindow::MenuHost::SetToolTip(const std::wstring& text) {
    HWND hwnd = window_.hwnd();
    if (!hwnd || window_.designMode_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    if (!toolTip_) {
        if (text.empty()) return;
        // A popup's tool tip has no owner: under Wine every show of a window moves the windows it
        // owns along with it, and a menu shows at every open.
        toolTip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                         window_.popupHost_ ? nullptr : hwnd, nullptr, nullptr, nullptr));
        if (!toolTip_) return;
        ::SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        ::SendMessageW(toolTip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::SendMessageW(toolTip_.get(), TTM_ACTIVATE, text.empty() ? FALSE : TRUE, 0);
}

void CommandBarWindow::MenuHost::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!toolTip_ || message < WM_MOUSEFIRST || message > WM_MOUSELAST || message == WM_MOUSEWHEEL ||
        message == WM_MOUSEHWHEEL) {
        return;
    }
    MSG msg{window_.hwnd(), message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    msg.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(msg.hwnd, &msg.pt);
    ::SendMessageW(toolTip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void CommandBarWindow::MenuHost::ShowPopupWindow(std::int32_t left, std::int32_t top) {
    HWND hwnd = window_.hwnd();
    const SIZE size = window_.popupSize_.value_or(SIZE{});
    const UINT keepSize = window_.popupSize_ ? 0 : SWP_NOSIZE;
    window_.popupSize_.reset();
    ::SetWindowPos(hwnd, HWND_TOPMOST, left, top, size.cx, size.cy, keepSize | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // Drawn in its new place (the join with its item is in screen terms) and put on the screen by
    // the first paint the showing asked for: a copy before it would only be painted over.
    window_.PaintSurface();
    // The menu first, its shadows after: taking the screen under a strip is the slow part of an open.
    ::UpdateWindow(hwnd);
    ShowShadows();
    ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void CommandBarWindow::MenuHost::ShowShadows() {
    // A bar that changes while its popup is hidden lays out again, but casts no shadow.
    HWND hwnd = window_.hwnd();
    if (!window_.popupHost_ || !hwnd || !::IsWindowVisible(hwnd)) return;
    shadows_.Show(hwnd);
    shadowsShown_ = true;
}

void CommandBarWindow::MenuHost::HidePopupWindow() noexcept {
    StopTimers();
    // The shadows first: hiding the menu would move them along while they are still its own.
    shadows_.Conceal();
    shadowsShown_ = false;
    // Only a popup that was shown announces its end.
    if (HWND hwnd = window_.hwnd(); hwnd && ::ShowWindow(hwnd, SW_HIDE)) {
        ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, hwnd, OBJID_CLIENT, CHILDID_SELF);
    }
}

void CommandBarWindow::MenuHost::TearDown() noexcept {
    StopTimers();
    shadows_.Hide();
    shadowsShown_ = false;
    toolTip_.reset();
}

}  // namespace commandbar
