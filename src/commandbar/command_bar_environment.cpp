#include "commandbar/command_bar_environment.h"

#include <utility>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_hooks.h"
#include "commandbar/drawing_utilities.h"
#include "win/locale.h"

namespace commandbar {

using core::commandbar::CommandBarControl;
using core::commandbar::WindowHandle;

Win32RegistryEnvironment::Win32RegistryEnvironment(std::function<void()> refreshControls)
    : refreshControls_(std::move(refreshControls)) {}

void Win32RegistryEnvironment::BindControlWindow(WindowHandle hwnd, CommandBarControl* control, bool set) {
    HWND window = ToHwnd(hwnd);
    if (set) {
        controls_[window] = control;
        ::SetPropW(window, kControlProperty, static_cast<HANDLE>(control));
    } else {
        controls_.erase(window);
        ::RemovePropW(window, kControlProperty);
    }
}

CommandBarControl* Win32RegistryEnvironment::ControlFromWindow(WindowHandle hwnd) const {
    HWND window = ToHwnd(hwnd);
    const auto found = controls_.find(window);
    if (found == controls_.end()) return nullptr;
    if (!::IsWindow(window)) {
        controls_.erase(found);
        return nullptr;
    }
    return found->second;
}

bool Win32RegistryEnvironment::WindowExists(WindowHandle hwnd) const { return ::IsWindow(ToHwnd(hwnd)) != FALSE; }

WindowHandle Win32RegistryEnvironment::ActiveForegroundWindow() const {
    HWND foreground = ::GetForegroundWindow();
    if (!foreground || !::IsWindowEnabled(foreground) || ::IsIconic(foreground)) return 0;
    return ToHandle(foreground);
}

void Win32RegistryEnvironment::InstallKeyboardHook(std::int32_t ownerKey) { commandbar::InstallKeyboardHook(ownerKey); }
void Win32RegistryEnvironment::RemoveKeyboardHook(std::int32_t ownerKey) { commandbar::RemoveKeyboardHook(ownerKey); }
void Win32RegistryEnvironment::InstallMouseHook(std::int32_t ownerKey) { commandbar::InstallMouseHook(ownerKey); }
void Win32RegistryEnvironment::RemoveMouseHook(std::int32_t ownerKey) { commandbar::RemoveMouseHook(ownerKey); }

void Win32RegistryEnvironment::InitialiseRendering(WindowHandle firstControl) {
    // The capabilities come first: the colour detection asks whether visual styles exist.
    DetectPlatform();
    InitialiseColours();
    SetDisplaySettingsListener(refreshControls_);
    ForgetToolbarTheme();
    DetectDisplaySettings(ToHwnd(firstControl));
}

void Win32RegistryEnvironment::MenuModeChanged(bool on, WindowHandle control) {
    ::NotifyWinEvent(on ? EVENT_SYSTEM_MENUSTART : EVENT_SYSTEM_MENUEND, ToHwnd(control), OBJID_CLIENT, CHILDID_SELF);
}

wchar_t Win32RegistryEnvironment::DecimalSeparator() const { return win::LocaleDecimalSeparator(); }

}  // namespace commandbar
