#pragma once
// Bars, menu bars and popup hosts as numbered windows on a fake screen, each with a real
// BarInteraction, so that menus open, nest and close as they do on the platform. Items are 50 × 20
// pixels: side by side on a bar, stacked in a popup 100 pixels wide.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/commandbar/bar_interaction.h"
#include "core/commandbar/button_record.h"
#include "core/commandbar/bar_record.h"
#include "fakes.h"

namespace core::commandbar::testing {

class MenuWorld;

class MenuFake : public FakeControl, public InteractionHost {
public:
    MenuFake(MenuWorld& world, WindowHandle hwnd, ScreenPoint origin);

    // FakeControl's recorders become the real thing.
    void ClickItem(std::int32_t index) override { interaction.ClickItem(index); }
    void CloseMenus(bool hideSelf) override { interaction.CloseMenus(hideSelf); }
    void ClearHotItem() override { interaction.UpdateHotItem(MouseButton::None, 0, false, true); }
    void RaiseButtonClick(const ButtonRecord& button) override;
    CommandBarControl* RequestInstance() override;

    void ShowBar(const std::wstring& key);
    // Screen point inside item i, dx from its left edge.
    ScreenPoint At(std::int32_t index, std::int32_t dx = 5) const;

    BarInteraction* Interaction() override { return &interaction; }
    // The interaction asks the host what the registry asks the control.
    WindowHandle Hwnd() const override { return FakeControl::Hwnd(); }
    bool IsPopupHost() const override { return FakeControl::IsPopupHost(); }
    bool MainMenu() const override { return FakeControl::MainMenu(); }
    bool Enabled() const override { return FakeControl::Enabled(); }
    void SetInUse(bool value) override { FakeControl::SetInUse(value); }
    bool ShowsBar() const override { return FakeControl::ShowsBar(); }
    BarRecord* ShownBar() const override;
    std::vector<DisplayButtonInfo>& Items() override { return items; }
    Orientation BarOrientation() const override { return orientation; }
    bool RightToLeft() const override { return false; }
    bool ChevronList() const override { return shownBar == L"CHEVRON:ADDORREMOVE"; }
    ColourStyle Style() const override { return ColourStyle::Themed; }
    const KeyboardLayout& Keyboard() const override { return keyboard; }
    ScreenPoint CursorPosition() const override;
    ScreenPoint ScreenToClient(ScreenPoint p) const override { return {p.x - origin.x, p.y - origin.y}; }
    ScreenPoint ClientToScreen(ScreenPoint p) const override { return {p.x + origin.x, p.y + origin.y}; }
    ScreenRect WindowRect() const override { return {origin.x, origin.y, origin.x + size.x, origin.y + size.y}; }
    ScreenRect ScreenArea() const override { return {0, 0, 1000, 800}; }
    void DrawBar() override {}
    void DrawBarItem(std::int32_t) override {}
    void SetToolTip(const std::wstring& text) override { toolTip = text; }
    void EnableLostMouseTimer(bool enable) override { lostMouseTimer = enable; }
    void EnableSubmenuTimer(bool enable) override { submenuTimer = enable; }
    bool RaiseButtonDropDown(const ButtonRecord& button) override;
    void RaiseRightClick(const ButtonRecord* button, std::int32_t x, std::int32_t y) override;
    void RaiseBeforeShowMenu(WindowHandle, const std::wstring&) override {}
    void RaiseAfterShowMenu(const std::wstring&) override {}
    bool ProgramActive() const override { return true; }
    void ItemFocused(std::int32_t index) override;
    void MakePopupHost() override { popupHost = true; }
    void CopyPopupSettings(WindowHandle) override {}
    void ShowMenuBar(WindowHandle, std::wstring key) override { ShowBar(key); }
    ScreenPoint WindowSize() const override { return size; }
    void ShowPopupWindow(std::int32_t left, std::int32_t top) override;
    bool HasShadows() const override { return shown; }
    void HidePopupWindow() override;

    MenuWorld& world;
    FakeKeyboard keyboard;
    BarInteraction interaction;
    std::vector<DisplayButtonInfo> items;
    Orientation orientation = Orientation::Top;
    ScreenPoint origin;
    ScreenPoint size;
    std::wstring toolTip;
    bool lostMouseTimer = false;
    bool submenuTimer = false;
    bool shown = false;
};

class OneMonitor : public MonitorQueries {
public:
    ScreenRect work{0, 0, 1000, 800};
    MonitorHandle MonitorFromPoint(std::int32_t, std::int32_t) const override { return 1; }
    MonitorHandle MonitorFromWindow(WindowHandle) const override { return 1; }
    bool Describe(MonitorHandle, MonitorDescription& description) const override {
        description.monitor = description.work = work;
        return true;
    }
};

class MenuWorld {
public:
    FakeEnvironment environment;
    CommandBarRegistry registry{environment};
    OneMonitor monitors;
    ScreenPoint cursor{-100, -100};
    // "click:KEY", "dropdown:KEY", "right:KEY x,y" in the order raised.
    std::vector<std::wstring> events;
    bool cancelDropDown = false;
    std::deque<std::unique_ptr<MenuFake>> controls;

    MenuFake& AddControl(ScreenPoint origin, const std::wstring& barKey = {});
    // Buttons "&KEY" (made when missing): "-KEY" a separator, "~KEY" invisible, "!KEY" disabled;
    // KEY>SUB gives the button the sub-bar SUB.
    BarRecord& MakeBar(const std::wstring& key, const std::vector<std::wstring>& buttons);
    ButtonRecord& Button(const std::wstring& key) { return registry.GetButton(key); }
    // The popup host showing the bar, null when none is shown.
    MenuFake* Popup(const std::wstring& barKey);
    void MoveTo(MenuFake& control, ScreenPoint point, MouseButton held = MouseButton::None);
    void Press(MenuFake& control, MouseButton button = MouseButton::Left);
    void Release(MenuFake& control, MouseButton button = MouseButton::Left);
};

}  // namespace core::commandbar::testing
