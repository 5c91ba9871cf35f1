#pragma once
// What the menu interaction asks of a command bar control window, answered by the window: the one
// interface between the two. A separate object rather than a base of the window: several of its
// names are the window's own properties with other meanings.

#include "commandbar/command_bar_window.h"

namespace commandbar {

class CommandBarWindow::MenuHost final : public core::commandbar::InteractionHost {
public:
    explicit MenuHost(CommandBarWindow& window) noexcept : window_(window) {}

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
    void SetToolTip(const std::wstring& text) override { window_.SetToolTip(text); }
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
    void ShowPopupWindow(std::int32_t left, std::int32_t top) override { window_.ShowPopupWindow(left, top); }
    bool HasShadows() const override { return window_.shadowsShown_; }
    void HidePopupWindow() override { window_.HidePopupWindow(); }

private:
    CommandBarWindow& window_;
};

}  // namespace commandbar
