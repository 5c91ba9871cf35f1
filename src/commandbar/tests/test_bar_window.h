#pragma once
// A child window that stands in for the command bar control: it registers with the process
// registry when created and unregisters when destroyed, and records what the registry asks of it.

#include <windows.h>

#include <string>
#include <vector>

#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_process.h"
#include "win/window.h"

namespace commandbar::testing {

class TestForm : public win::Window {
public:
    explicit TestForm(const wchar_t* title = L"Форма") {
        win::CreateArgs args;
        args.title = title;
        args.x = 40;
        args.y = 40;
        args.width = 320;
        args.height = 200;
        Create(win::WindowClassArgs{L"GlyphTestCommandBarForm"}, args);
    }
};

class TestBarWindow : public win::Window, public core::commandbar::CommandBarControl {
public:
    explicit TestBarWindow(HWND form) : form_(form) {
        win::CreateArgs args;
        args.style = WS_CHILD | WS_VISIBLE;
        args.parent = form;
        args.width = 200;
        args.height = 24;
        Create(win::WindowClassArgs{L"GlyphTestCommandBar"}, args);
        handle_ = ToHandle(hwnd());
        Registry().RegisterControl(handle_, *this);
    }
    ~TestBarWindow() override {
        if (registered_) Unregister();
    }

    void Unregister() {
        ShowNothing();
        Registry().UnregisterControl(handle_);
        registered_ = false;
    }
    void Show(const std::wstring& barKey) {
        ShowNothing();
        Registry().GetBar(barKey).AttachControl(handle_, ToHandle(form_));
        shownBar = barKey;
    }
    void ShowNothing() {
        if (shownBar.empty()) return;
        if (auto* bar = Registry().FindBar(shownBar)) bar->DetachControl(handle_);
        shownBar.clear();
    }

    core::commandbar::WindowHandle Hwnd() const override { return handle_; }
    core::commandbar::WindowHandle OwnerForm() const override { return ToHandle(form_); }
    bool IsPopupHost() const override { return false; }
    bool MainMenu() const override { return true; }
    bool Enabled() const override { return ::IsWindowEnabled(hwnd()) != FALSE; }
    void SetEnabled(bool enabled) override { ::EnableWindow(hwnd(), enabled); }
    bool InUse() const override { return inUse_; }
    void SetInUse(bool inUse) override {
        inUse_ = inUse;
        if (inUse) SetEnabled(true);
    }
    bool ShowsBar() const override { return !shownBar.empty(); }
    void BarChanged(const core::commandbar::BarRecord&, core::commandbar::BarChangeKind kind,
                    const core::commandbar::ButtonRecord*) override {
        changes.push_back(kind);
    }
    void BarRemoved(const std::wstring& key) override {
        if (key == shownBar) shownBar.clear();
    }
    void StyleChanged() override { ++styleChanges; }
    std::int32_t ButtonIndex(const core::commandbar::ButtonRecord& button) const override {
        auto* bar = shownBar.empty() ? nullptr : Registry().FindBar(shownBar);
        return bar ? bar->IndexOf(button.Key()) : 0;
    }
    void ClickItem(std::int32_t index) override { clicked.push_back(index); }
    void RaiseButtonClick(const core::commandbar::ButtonRecord& button) override { raised.push_back(button.Key()); }
    core::commandbar::CommandBarControl* RequestInstance() override { return nullptr; }
    void CloseMenus(bool) override {}
    void ClearHotItem() override {}
    void AdoptPanelControl(core::commandbar::WindowHandle panel) override {
        ::SetParent(ToHwnd(panel), hwnd());
        ::ShowWindow(ToHwnd(panel), SW_HIDE);
    }
    void HidePanelControl(core::commandbar::WindowHandle panel) override { ::ShowWindow(ToHwnd(panel), SW_HIDE); }

    std::wstring shownBar;
    std::vector<core::commandbar::BarChangeKind> changes;
    std::vector<std::int32_t> clicked;
    std::vector<std::wstring> raised;
    int styleChanges = 0;

private:
    HWND form_;
    core::commandbar::WindowHandle handle_ = 0;
    bool registered_ = true;
    bool inUse_ = false;
};

}  // namespace commandbar::testing
