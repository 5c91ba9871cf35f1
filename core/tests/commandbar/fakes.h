#pragma once
// Stand-ins for the platform and for command bar controls, so the model runs without windows.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/commandbar/button_platform.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/command_bar_registry.h"
#include "core/runtime_error.h"
#include "support/error_number.h"

namespace core::commandbar::testing {

// Windows are numbers; a window is live while it is in `live`.
class FakeEnvironment : public RegistryEnvironment {
public:
    std::map<WindowHandle, CommandBarControl*> properties;
    std::set<WindowHandle> live;
    WindowHandle foreground = 0;
    std::map<std::int32_t, int> keyboardHooks;
    std::map<std::int32_t, int> mouseHooks;
    int renderingInitialised = 0;
    wchar_t decimalSeparator = L'.';
    // What screen readers would be told, in order, e.g. "start 100", "focus 100:2".
    std::vector<std::string> winEvents;

    void BindControlWindow(WindowHandle hwnd, CommandBarControl* control, bool set) override {
        if (set) {
            properties[hwnd] = control;
        } else {
            properties.erase(hwnd);
        }
    }
    CommandBarControl* ControlFromWindow(WindowHandle hwnd) const override {
        if (!live.count(hwnd)) return nullptr;
        auto found = properties.find(hwnd);
        return found == properties.end() ? nullptr : found->second;
    }
    bool WindowExists(WindowHandle hwnd) const override { return live.count(hwnd) != 0; }
    WindowHandle ActiveForegroundWindow() const override { return foreground; }
    void InstallKeyboardHook(std::int32_t owner) override { keyboardHooks[owner] = 1; }
    void RemoveKeyboardHook(std::int32_t owner) override { keyboardHooks.erase(owner); }
    void InstallMouseHook(std::int32_t owner) override { mouseHooks[owner] = 1; }
    void RemoveMouseHook(std::int32_t owner) override { mouseHooks.erase(owner); }
    void InitialiseRendering(WindowHandle) override { ++renderingInitialised; }
    wchar_t DecimalSeparator() const override { return decimalSeparator; }
    void MenuModeChanged(bool on, WindowHandle control) override {
        winEvents.push_back((on ? "start " : "end ") + std::to_string(control));
    }

    bool KeyboardHooked() const { return !keyboardHooks.empty(); }
    bool MouseHooked() const { return !mouseHooks.empty(); }
};

struct BarChange {
    std::wstring bar;
    BarChangeKind kind;
    std::wstring button;
};

class FakeControl : public CommandBarControl {
public:
    FakeControl(CommandBarRegistry& registry, FakeEnvironment& environment, WindowHandle hwnd, WindowHandle form)
        : registry_(registry), environment_(environment), hwnd_(hwnd), form_(form) {
        environment_.live.insert(hwnd_);
    }
    ~FakeControl() override { environment_.live.erase(hwnd_); }

    void Register() { registry_.RegisterControl(hwnd_, *this); }
    void Unregister() { registry_.UnregisterControl(hwnd_); }
    // The window goes away without unregistering.
    void DestroyWindow() { environment_.live.erase(hwnd_); }

    void Show(const std::wstring& barKey) {
        ShowNothing();
        registry_.GetBar(barKey).AttachControl(hwnd_, form_);
        shownBar = barKey;
    }
    void ShowNothing() {
        if (shownBar.empty()) return;
        if (BarRecord* bar = registry_.FindBar(shownBar)) bar->DetachControl(hwnd_);
        shownBar.clear();
    }

    WindowHandle Hwnd() const override { return hwnd_; }
    WindowHandle OwnerForm() const override { return form_; }
    bool IsPopupHost() const override { return popupHost; }
    bool MainMenu() const override { return mainMenu; }
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }
    bool InUse() const override { return inUse; }
    void SetInUse(bool value) override {
        inUse = value;
        if (value) enabled = true;
    }
    bool ShowsBar() const override { return !shownBar.empty(); }
    void BarChanged(const BarRecord& bar, BarChangeKind kind, const ButtonRecord* button) override {
        if (bar.Key() != shownBar) return;
        changes.push_back(BarChange{bar.Key(), kind, button ? button->Key() : std::wstring()});
        if (onBarChanged) onBarChanged();
    }
    void BarRemoved(const std::wstring& barKey) override {
        if (barKey != shownBar) return;
        shownBar.clear();
        if (onBarRemoved) onBarRemoved();
    }
    // Runs `action` from the first notification only. The callback stays in place, so nothing
    // destroys it while it runs.
    void ReactOnce(std::function<void()> action) {
        onBarChanged = [action = std::move(action), done = false]() mutable {
            if (done) return;
            done = true;
            action();
        };
    }
    void StyleChanged() override { ++styleChanges; }
    std::int32_t ButtonIndex(const ButtonRecord& button) const override {
        if (shownBar.empty()) return 0;
        BarRecord* bar = registry_.FindBar(shownBar);
        return bar ? bar->IndexOf(button.Key()) : 0;
    }
    void ClickItem(std::int32_t index) override { clickedItems.push_back(index); }
    void RaiseButtonClick(const ButtonRecord& button) override { raisedClicks.push_back(button.Key()); }
    CommandBarControl* RequestInstance() override { return supplyInstance ? supplyInstance() : nullptr; }
    void CloseMenus(bool hideSelf) override { closeMenuCalls.push_back(hideSelf); }
    void ClearHotItem() override { ++hotItemCleared; }
    void AdoptPanelControl(WindowHandle panel) override { adopted.push_back(panel); }
    void HidePanelControl(WindowHandle panel) override { hidden.push_back(panel); }

    bool popupHost = false;
    bool mainMenu = false;
    bool enabled = true;
    bool inUse = false;
    std::wstring shownBar;
    std::vector<BarChange> changes;
    std::function<void()> onBarChanged;
    std::function<void()> onBarRemoved;
    int styleChanges = 0;
    std::vector<std::int32_t> clickedItems;
    std::vector<std::wstring> raisedClicks;
    std::function<CommandBarControl*()> supplyInstance;
    std::vector<bool> closeMenuCalls;
    int hotItemCleared = 0;
    std::vector<WindowHandle> adopted;
    std::vector<WindowHandle> hidden;

private:
    CommandBarRegistry& registry_;
    FakeEnvironment& environment_;
    WindowHandle hwnd_;
    WindowHandle form_;
};

// Every character is 6 wide, a line 13 high, unless told otherwise.
class FakeMeasurer : public TextMeasurer {
public:
    std::int32_t charWidth = 6;
    std::int32_t lineHeight = 13;
    mutable std::vector<std::wstring> measured;

    TextExtent MeasureText(const MeasureButtonParams&, std::wstring_view text, std::uint32_t) const override {
        measured.emplace_back(text);
        return TextExtent{static_cast<std::int32_t>(text.size()) * charWidth, lineHeight};
    }
};

// A US layout: letters and digits map to themselves, a few keys have names.
class FakeKeyboard : public KeyboardLayout {
public:
    std::wstring KeyName(std::uint16_t key) const override {
        if (key >= 0x70 && key <= 0x87) return L"F" + std::to_wstring(key - 0x6F);
        if (key >= L'A' && key <= L'Z') return std::wstring(1, static_cast<wchar_t>(key));
        if (key == 0x22) return L"PAGE DOWN";
        if (key == 46) return L"DELETE";
        return {};
    }
    std::int32_t VirtualKeyFromChar(wchar_t ch) const override {
        if (ch >= L'a' && ch <= L'z') return ch - 32;
        if (ch >= L'A' && ch <= L'Z') return 0x100 | ch;  // with Shift
        if (ch >= L'0' && ch <= L'9') return ch;
        return -1;
    }
};

using testing_support::ErrorNumberOf;

template <typename Call>
std::wstring ErrorTextOf(Call&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.Description();
    }
    return {};
}

}  // namespace core::commandbar::testing
