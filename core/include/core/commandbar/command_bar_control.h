#pragma once
// The narrow face a command bar control shows the registry. The window control implements it;
// the registry never keeps a pointer to one: it keeps window handles and resolves them through
// the window binding each time, so a destroyed control is simply not found.

#include <cstdint>
#include <string>

#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

class ButtonRecord;
class BarRecord;
class BarInteraction;

class CommandBarControl {
public:
    virtual ~CommandBarControl() = default;

    virtual WindowHandle Hwnd() const = 0;
    // Top-level window that contains the control; 0 while it shows no bar.
    virtual WindowHandle OwnerForm() const = 0;
    virtual bool IsPopupHost() const = 0;
    virtual bool MainMenu() const = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Popup pool bookkeeping; setting true also enables the control.
    virtual bool InUse() const = 0;
    virtual void SetInUse(bool inUse) = 0;
    // Whether the control currently shows a bar.
    virtual bool ShowsBar() const = 0;

    virtual void BarChanged(const BarRecord& bar, BarChangeKind kind, const ButtonRecord* button) = 0;
    // The shown bar left the registry: the control shows nothing from now on.
    virtual void BarRemoved(const std::wstring& barKey) = 0;
    virtual void StyleChanged() = 0;

    // 1-based position of the button in the shown bar, 0 when it is not there.
    virtual std::int32_t ButtonIndex(const ButtonRecord& button) const = 0;
    virtual void ClickItem(std::int32_t index) = 0;
    virtual void RaiseButtonClick(const ButtonRecord& button) = 0;

    // Asks the host program for another control instance; null when it supplies none.
    virtual CommandBarControl* RequestInstance() = 0;
    virtual void CloseMenus(bool hideSelf) = 0;
    // Menu mode ended: drop the highlighted item of the control that started it.
    virtual void ClearHotItem() = 0;

    // Panel buttons: take a hosted control in as a hidden child; hide a hosted control.
    virtual void AdoptPanelControl(WindowHandle panel) = 0;
    virtual void HidePanelControl(WindowHandle panel) = 0;

    // How the control answers the mouse and keys and opens menus; null for a control without.
    virtual BarInteraction* Interaction() { return nullptr; }
};

// What the registry needs from the platform besides the controls themselves.
class RegistryEnvironment {
public:
    virtual ~RegistryEnvironment() = default;

    // The window property "zentCommandBar:Control" leading from a window to its control.
    virtual void BindControlWindow(WindowHandle hwnd, CommandBarControl* control, bool set) = 0;
    // The control of a live window carrying the property, else null.
    virtual CommandBarControl* ControlFromWindow(WindowHandle hwnd) const = 0;
    virtual bool WindowExists(WindowHandle hwnd) const = 0;
    // The foreground window when it is enabled and not minimised, else 0.
    virtual WindowHandle ActiveForegroundWindow() const = 0;

    // The thread hooks; owner keys count their users.
    virtual void InstallKeyboardHook(std::int32_t ownerKey) = 0;
    virtual void RemoveKeyboardHook(std::int32_t ownerKey) = 0;
    virtual void InstallMouseHook(std::int32_t ownerKey) = 0;
    virtual void RemoveMouseHook(std::int32_t ownerKey) = 0;

    // First registration of the process: colour styles, drawing capabilities and display
    // settings for the first control's window.
    virtual void InitialiseRendering(WindowHandle firstControl) = 0;

    // Menu mode started or ended with this control as its initiator, told to screen readers.
    virtual void MenuModeChanged(bool on, WindowHandle control) = 0;

    // The user's decimal separator: with it, as with '.', a key such as "3,5" reads as a number.
    virtual wchar_t DecimalSeparator() const = 0;
};

}  // namespace core::commandbar
