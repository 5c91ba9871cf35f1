#pragma once
// A form with real command bar controls, a pool of popup hosts and real mouse input, shared by
// the menu tests and the menu benchmark.

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "commandbar/command_bar_process.h"
#include "commandbar/command_bar_window.h"
#include "core/commandbar/command_bar_registry.h"
#include "support/pump.h"

namespace commandbar::testing {

namespace cb = core::commandbar;

struct Entry {
    const wchar_t* key;
    const wchar_t* caption = L"";
    cb::ButtonStyle style = cb::ButtonStyle::Normal;
    // The key (without prefix) of a bar opened from the entry.
    const wchar_t* subBar = nullptr;
};

// The pointer to a screen point and, when flags are given, a button change there.
inline void SendMouse(POINT at, DWORD flags = 0) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Rounded up so that the system's way back lands on the very pixel.
    input.mi.dx = static_cast<LONG>((at.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((at.y * 65536LL + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    auto arrived = [&] {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        return cursor.x == at.x && cursor.y == at.y;
    };
    ::SendInput(1, &input, sizeof(input));
    // Under Wine on a bare X server the position falls back to the X pointer's a moment later
    // unless that is moved too.
    ::SetCursorPos(at.x, at.y);
    testing_support::PumpUntil(arrived, 5000);
    testing_support::PumpFor(30);
}

inline void Click(POINT at) {
    SendMouse(at);
    SendMouse(at, MOUSEEVENTF_LEFTDOWN);
    SendMouse(at, MOUSEEVENTF_LEFTUP);
}

// One key event, handled before the call returns: the input arrives a little later, and its
// arrival shows in the key's state.
inline void Send(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
    testing_support::PumpUntil([&] { return ((::GetAsyncKeyState(key) & 0x8000) != 0) != up; }, 5000);
    testing_support::PumpFor(30);
}

inline void Key(WORD key) {
    Send(key, false);
    Send(key, true);
}

// A key pressed and released while the others (Ctrl, Shift, Alt) are held.
inline void KeyWith(WORD key, const std::vector<WORD>& held) {
    for (WORD modifier : held) Send(modifier, false);
    Key(key);
    for (WORD modifier : held) Send(modifier, true);
}

// Alt pressed and released, around a key when one is given.
inline void AltWith(WORD key) {
    Send(VK_MENU, false);
    if (key) Key(key);
    Send(VK_MENU, true);
}

class RigForm : public win::Window {
public:
    explicit RigForm(RECT bounds) {
        win::CreateArgs args;
        args.title = L"Меню";
        args.x = bounds.left;
        args.y = bounds.top;
        args.width = bounds.right - bounds.left;
        args.height = bounds.bottom - bounds.top;
        Create(win::WindowClassArgs{L"GlyphTestMenuForm"}, args);
    }
    int lastClicks = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_LBUTTONDOWN) ++lastClicks;
        return win::Window::HandleMessage(message, wParam, lParam);
    }
};

class MenuRig {
public:
    explicit MenuRig(RECT formBounds = {60, 60, 620, 460}) : form(formBounds) {
        static std::atomic<int> rigs{0};
        prefix_ = L"RIG" + std::to_wstring(++rigs) + L":";
        ::ShowWindow(form.hwnd(), SW_SHOW);
        ::SetForegroundWindow(form.hwnd());
        testing_support::PumpUntil([&] { return ::GetForegroundWindow() == form.hwnd(); }, 2000);
        // The pointer rests on the form, away from every control, until a test moves it.
        SendMouse({formBounds.left + 200, formBounds.top + 300});
    }
    ~MenuRig() {
        Registry().SetMenuMode(false, 0);
        controls.clear();
        pool.clear();
    }

    CommandBarWindow& AddControl(RECT bounds, bool mainMenu = false, std::int32_t orientation = 0) {
        controls.push_back(std::make_unique<CommandBarWindow>());
        CommandBarWindow& control = *controls.back();
        control.Create(CommandBarWindowArgs{form.hwnd(), bounds, true});
        control.SetMainMenu(mainMenu);
        control.SetOrientation(orientation);
        Wire(control);
        return control;
    }

    std::wstring Key(const std::wstring& key) const { return prefix_ + key; }

    cb::CommandBar Bar(CommandBarWindow& control, const std::wstring& key, const std::vector<Entry>& entries) {
        cb::CommandBar bar = control.CommandBars().Add(Key(key), key);
        for (const Entry& entry : entries) {
            cb::Button button = control.Buttons().Add(Key(entry.key), -1, entry.caption, entry.style);
            button.SetShowCaptionInToolbar(true);
            if (entry.subBar) button.SetBar(control.CommandBars().Item(Key(entry.subBar)));
            bar.Buttons().Add(button);
        }
        return bar;
    }

    // The popup host showing the menu of the control's item, or null.
    static CommandBarWindow* MenuOf(const CommandBarWindow& control, int index) {
        const auto& info = control.DisplayInfo();
        if (index < 1 || index > static_cast<int>(info.size())) return nullptr;
        const auto& item = info[static_cast<std::size_t>(index - 1)];
        if (!item.showingMenu) return nullptr;
        return dynamic_cast<CommandBarWindow*>(Registry().TryControlFromHwnd(item.hwndMenu));
    }

    static RECT ItemRect(const CommandBarWindow& control, int index) {
        const auto& item = control.DisplayInfo()[static_cast<std::size_t>(index - 1)];
        RECT rect{item.left, item.top, item.right, item.bottom};
        ::MapWindowPoints(control.hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    static POINT ItemCentre(const CommandBarWindow& control, int index) {
        const RECT rect = ItemRect(control, index);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    // The pointer onto the item, in two steps. Under Wine on a bare X server a move can be
    // followed by a late one back to where the pointer was before; the first step puts that
    // place on the item too.
    static void Hover(const CommandBarWindow& popup, int index) {
        const RECT rect = ItemRect(popup, index);
        const POINT centre = ItemCentre(popup, index);
        SendMouse({rect.left + 4, centre.y});
        testing_support::PumpFor(150);
        SendMouse(centre);
    }

    std::vector<std::wstring> Shown() const {
        std::vector<std::wstring> shown;
        for (const auto& popup : pool) {
            if (!::IsWindowVisible(popup->hwnd())) continue;
            const std::wstring& key = popup->BarKey();
            shown.push_back(key.rfind(prefix_, 0) == 0 ? key.substr(prefix_.size()) : key);
        }
        return shown;
    }

    RigForm form;
    std::vector<std::unique_ptr<CommandBarWindow>> controls;
    std::vector<std::unique_ptr<CommandBarWindow>> pool;
    // Keys, without prefix, of the buttons clicked anywhere.
    std::vector<std::wstring> clicks;

private:
    void Wire(CommandBarWindow& control) {
        control.events.buttonClick = [this](const cb::Button& button) {
            clicks.push_back(button.Key().substr(prefix_.size()));
        };
        control.events.requestNewInstance = [this](CommandBarWindow*& supplied) {
            pool.push_back(std::make_unique<CommandBarWindow>());
            CommandBarWindow& popup = *pool.back();
            popup.Create(CommandBarWindowArgs{form.hwnd(), {0, 0, 10, 10}, false});
            Wire(popup);
            supplied = &popup;
        };
    }

    std::wstring prefix_;
};

}  // namespace commandbar::testing
