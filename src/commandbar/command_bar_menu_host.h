#pragma once
// The window side of the menu interaction: what the interaction asks of a command bar control
// (InteractionHost, the one interface between the two), the mouse messages, timers and tool tip
// it is fed from, and the popup window with its shadows when the control shows a menu. A separate
// object rather than a base of the window: several of its names are the window's own properties
// with other meanings.

#include <windows.h>

#include <string>

#include "commandbar/command_bar_window.h"
#include "commandbar/menu_drop_shadow.h"
#include "win/handles.h"

namespace commandbar {

class CommandBarWindow::MenuHost final : public core::commandbar::InteractionHost {
public:
    explicit MenuHost(CommandBarWindow& window) noexcept : window_(window) {}

    // The window's mouse, timer and activation messages for the interaction; true when handled.
    bool HandleMessage(UINT message, WPARAM wParam, LRESULT& result);
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Timers, shadows and tool tip go with the window.
    void TearDown() noexcept;
    // Shows the drop shadows of a shown popup host, around its window as it is now.
    void ShowShadows();
    const MenuShadows& Shadows() const noexcept { return shadows_; }

    // The control as the registry knows it.
    core::commandbar::WindowHandle Hwnd() const override { return window_.Hwnd(); }
    bool IsPopupHost() const override { return window_.popupHost_; }
    bool MainMenu() const override { return window_.mainMenu_; }
    bool Enabled() const override { return window_.enabled_; }
    void SetInUse(bool inUse) override { window_.SetInUse(inUse); }
    bool ShowsBar() const override { return window_.ShowsBar(); }

    core::commandbar::BarRecord* ShownBar() const override { return window_.ShownBar(); }
    std::vector<core::commandbar::DisplayButtonInfo>& Items() override { return window_.info_; }
    core::commandbar::Orientation BarOrientation() const override;
    bool RightToLeft() const override { return window_.RightToLeft(); }
    bool ChevronList() const override { return window_.chevronList_; }
    core::ColourStyle Style() const override;
    const core::commandbar::KeyboardLayout& Keyboard() const override;

    core::ScreenPoint CursorPosition() const override;
    core::ScreenPoint ScreenToClient(core::ScreenPoint point) const override;
    core::ScreenPoint ClientToScreen(core::ScreenPoint point) const override;
    core::ScreenRect WindowRect() const override;
    core::ScreenRect ScreenArea() const override;

    void DrawBar() override { window_.DrawBar(); }
    void DrawBarItem(std::int32_t index) override { window_.DrawBarItem(index); }
    void SetToolTip(const std::wstring& text) override;
    void EnableLostMouseTimer(bool enable) override;
    void EnableSubmenuTimer(bool enable) override;

    void RaiseButtonClick(const core::commandbar::ButtonRecord& button) override;
    bool RaiseButtonDropDown(const core::commandbar::ButtonRecord& button) override;
    void RaiseRightClick(const core::commandbar::ButtonRecord* button, std::int32_t x, std::int32_t y) override;
    void RaiseBeforeShowMenu(core::commandbar::WindowHandle popup, const std::wstring& barKey) override;
    void RaiseAfterShowMenu(const std::wstring& barKey) override;
    bool ProgramActive() const override;
    void ItemFocused(std::int32_t index) override {
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window_.hwnd(), OBJID_CLIENT, index);
    }

    void MakePopupHost() override;
    void CopyPopupSettings(core::commandbar::WindowHandle source) override;
    void ShowMenuBar(core::commandbar::WindowHandle source, std::wstring barKey) override;
    core::ScreenPoint WindowSize() const override;
    void ShowPopupWindow(std::int32_t left, std::int32_t top) override;
    bool HasShadows() const override { return shadowsShown_; }
    void HidePopupWindow() noexcept override;

private:
    void EnableTimer(UINT_PTR id, UINT interval, bool enable) noexcept;
    void StopTimers() noexcept;

    CommandBarWindow& window_;
    MenuShadows shadows_;
    bool shadowsShown_ = false;
    win::UniqueWindow toolTip_;
    bool capturing_ = false;
};

}  // namespace commandbar
