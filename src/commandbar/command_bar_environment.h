#pragma once
// The registry's link to Win32: the window property "zentCommandBar:Control" that leads from a
// control's window to the control (read from a table of this process: under Wine every property
// read is a round trip to the server, and building the menus reads it thousands of times), the
// foreground-window test, the thread hooks, the set-up of colours and drawing at the first
// registration, the user's decimal separator and the menu mode events screen readers listen for.

#include <windows.h>

#include <functional>
#include <unordered_map>

#include "core/commandbar/command_bar_control.h"

namespace commandbar {

inline constexpr const wchar_t* kControlProperty = L"zentCommandBar:Control";

inline core::commandbar::WindowHandle ToHandle(HWND hwnd) {
    return reinterpret_cast<core::commandbar::WindowHandle>(hwnd);
}
inline HWND ToHwnd(core::commandbar::WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

class Win32RegistryEnvironment : public core::commandbar::RegistryEnvironment {
public:
    // refreshControls runs whenever the display settings have been detected again (a change of
    // style included), so that every registered control repaints in the new colours.
    explicit Win32RegistryEnvironment(std::function<void()> refreshControls);

    void BindControlWindow(core::commandbar::WindowHandle hwnd, core::commandbar::CommandBarControl* control,
                           bool set) override;
    core::commandbar::CommandBarControl* ControlFromWindow(core::commandbar::WindowHandle hwnd) const override;
    bool WindowExists(core::commandbar::WindowHandle hwnd) const override;
    core::commandbar::WindowHandle ActiveForegroundWindow() const override;
    void InstallKeyboardHook(std::int32_t ownerKey) override;
    void RemoveKeyboardHook(std::int32_t ownerKey) override;
    void InstallMouseHook(std::int32_t ownerKey) override;
    void RemoveMouseHook(std::int32_t ownerKey) override;
    void InitialiseRendering(core::commandbar::WindowHandle firstControl) override;
    void MenuModeChanged(bool on, core::commandbar::WindowHandle control) override;
    // Read from the user's locale on every call, so a change of the regional settings counts.
    wchar_t DecimalSeparator() const override;

private:
    std::function<void()> refreshControls_;
    // The windows bound to controls; a window destroyed while bound is forgotten at its next lookup.
    mutable std::unordered_map<HWND, core::commandbar::CommandBarControl*> controls_;
};

}  // namespace commandbar
