#pragma once
// The one store behind every command bar control of the process: the control instances, the
// bar and button records with their cross-references, the popup pool and popup stack, and the
// menu-mode state. It runs from the first control's registration to the last one's
// unregistration; the final teardown forgets every record, and the next registration builds the
// built-in chevron bars afresh.
//
// Controls are never held by pointer: every use resolves a window handle through the
// environment's window binding, so a control that is gone is simply skipped.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/commandbar/button_record.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/bar_record.h"
#include "core/commandbar/menu_popup_stack_entry.h"
#include "core/keyed_collection.h"

namespace core::commandbar {

class CommandBarRegistry {
public:
    explicit CommandBarRegistry(RegistryEnvironment& environment);
    ~CommandBarRegistry();
    CommandBarRegistry(const CommandBarRegistry&) = delete;
    CommandBarRegistry& operator=(const CommandBarRegistry&) = delete;

    RegistryEnvironment& Environment() const noexcept { return environment_; }
    bool IsRunning() const noexcept { return running_; }

    // Registration. A second registration of a handle fails with 457; unregistering an unknown
    // handle with the collection's missing-key error.
    void RegisterControl(WindowHandle hwnd, CommandBarControl& control);
    void UnregisterControl(WindowHandle hwnd);
    void BindControlWindow(WindowHandle hwnd, CommandBarControl* control, bool set);
    // Raises "Owning zentCommandBar Control does not exist." when the window has no control.
    CommandBarControl& ControlFromHwnd(WindowHandle hwnd) const;
    CommandBarControl* TryControlFromHwnd(WindowHandle hwnd) const noexcept;
    const KeyedCollection<WindowHandle>& Instances() const noexcept { return instances_; }

    // Records. Lookups by position or key fail with the collection's own errors.
    BarRecord& AddBar(const std::wstring& key);
    void RemoveBar(std::wstring_view key);
    BarRecord& GetBar(std::int32_t position) const;
    BarRecord& GetBar(std::wstring_view key) const;
    BarRecord* FindBar(std::wstring_view key) const noexcept;
    std::int32_t BarCount() const noexcept { return bars_.Count(); }
    ButtonRecord& AddButton(const std::wstring& key);
    void RemoveButton(std::wstring_view key);
    ButtonRecord& GetButton(std::int32_t position) const;
    ButtonRecord& GetButton(std::wstring_view key) const;
    ButtonRecord* FindButton(std::wstring_view key) const noexcept;
    std::int32_t ButtonCount() const noexcept { return buttons_.Count(); }

    // Menus and keyboard.
    void SetMenuMode(bool on, WindowHandle initiator);
    // Another program came to the front: the menus close, and an Alt held meanwhile no longer
    // counts as pressed alone.
    void ProgramDeactivated();
    bool ProcessAccelerator(std::uint16_t keyCode, std::int32_t shiftBits);
    WindowHandle GetActiveForegroundWindow() const;
    WindowHandle GetMainMenuControl() const;
    CommandBarControl* GetPopupControl();
    void ReleasePopupControls();
    void ClearPopupPool();
    bool HasPopupPool() const noexcept { return popupPool_.has_value(); }
    const KeyedCollection<WindowHandle>* PopupPool() const noexcept { return popupPool_ ? &*popupPool_ : nullptr; }
    void CloseAllMenus();
    void CloseOtherMenus(WindowHandle except);
    void CloseMenusFromLevel(std::int32_t level);
    void RefreshAllControls();

    // The popup stack.
    void PushPopup(WindowHandle popup, WindowHandle source, bool shownAsPopup, bool nested);
    void PopPopup(WindowHandle popup);
    const KeyedCollection<MenuPopupStackEntry>* PopupStack() const noexcept {
        return popupStack_ ? &*popupStack_ : nullptr;
    }
    std::int32_t PopupLevel() const noexcept { return popupLevel_; }

    bool HideInfrequentlyUsed() const noexcept { return hideInfrequentlyUsed_; }
    void SetHideInfrequentlyUsed(bool hide) noexcept { hideInfrequentlyUsed_ = hide; }
    bool ShowAll() const noexcept { return showAll_; }
    void SetShowAll(bool showAll) noexcept { showAll_ = showAll; }
    bool InMenuMode() const noexcept { return inMenuMode_; }
    bool KeyboardInitiated() const noexcept { return keyboardInitiated_; }
    void SetKeyboardInitiated(bool fromKeyboard) noexcept { keyboardInitiated_ = fromKeyboard; }
    WindowHandle MenuModeControl() const noexcept { return menuModeControl_; }
    void SetMenuModeControl(WindowHandle control) noexcept { menuModeControl_ = control; }
    WindowHandle MenuModeInitiator() const noexcept { return menuModeInitiator_; }
    // Alt is down and no other key has been pressed or released since.
    bool AltAlone() const noexcept { return altAlone_; }
    void SetAltAlone(bool alone) noexcept { altAlone_ = alone; }

private:
    void BuildChevronBars();
    void TearDown() noexcept;
    bool IsRootFor(const ButtonRecord& button, WindowHandle topLevel) const;
    void SetControlEnabled(WindowHandle hwnd, bool enabled) const;
    // In menu mode: the control started it, takes the keys, or shows or opened an open menu.
    bool TakesPartInMenus(WindowHandle hwnd) const;
    // The control that opened the first popup of the level, 0 for none.
    WindowHandle LevelOpener(std::int32_t level) const;

    RegistryEnvironment& environment_;
    bool running_ = false;
    KeyedCollection<WindowHandle> instances_;
    KeyedCollection<std::shared_ptr<BarRecord>> bars_;
    KeyedCollection<std::shared_ptr<ButtonRecord>> buttons_;
    std::optional<KeyedCollection<WindowHandle>> popupPool_;
    std::optional<KeyedCollection<WindowHandle>> disabledControls_;
    std::optional<KeyedCollection<MenuPopupStackEntry>> popupStack_;
    std::int32_t popupLevel_ = 0;
    bool hideInfrequentlyUsed_ = false;
    bool showAll_ = false;
    bool inMenuMode_ = false;
    bool keyboardInitiated_ = false;
    bool altAlone_ = false;
    WindowHandle menuModeControl_ = 0;
    WindowHandle menuModeInitiator_ = 0;
};

}  // namespace core::commandbar
