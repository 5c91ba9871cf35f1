#include "commandbar/command_bar_process.h"

#include <algorithm>
#include <exception>
#include <iterator>

#include "commandbar/button_platform_win32.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_hooks.h"
#include "commandbar/monitor_queries_win32.h"
#include "core/commandbar/menu_hooks.h"
#include "win/error_report.h"

namespace commandbar {

namespace {

// The thread's own key state as well: it already holds the modifier presses this thread has
// received, when the asynchronous state can lag behind (seen under Wine). Read in one call: every
// read of it is a round trip to the server under Wine, and the hook sees every key.
class ModifierState {
public:
    ModifierState() {
        if (!::GetKeyboardState(thread_)) std::fill(std::begin(thread_), std::end(thread_), BYTE{0});
    }
    bool Pressed(int key) const { return (::GetAsyncKeyState(key) & 0x8000) != 0 || (thread_[key] & 0x80) != 0; }

private:
    BYTE thread_[256];
};

// A failed decision has already let the input pass; it is only reported.
bool Settle(const core::commandbar::HookOutcome& outcome) {
    if (outcome.failure) win::GuardCallback([&] { std::rethrow_exception(outcome.failure); });
    return outcome.discard;
}

bool KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    core::commandbar::KeyHookInput input;
    input.code = code;
    input.virtualKey = static_cast<std::uint16_t>(wParam);
    // Bit 31, the release flag, becomes the sign.
    input.flags = static_cast<std::int32_t>(static_cast<std::uint32_t>(lParam));
    const ModifierState modifiers;
    input.shift = modifiers.Pressed(VK_SHIFT);
    input.ctrl = modifiers.Pressed(VK_CONTROL);
    input.alt = modifiers.Pressed(VK_MENU);
    return Settle(core::commandbar::KeyboardHookDecision(Registry(), input));
}

bool MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    HWND under = mouse ? ::WindowFromPoint(mouse->pt) : nullptr;
    return Settle(core::commandbar::MouseHookDecision(Registry(), code, static_cast<std::uint32_t>(wParam),
                                                      ToHandle(under)));
}

}  // namespace

core::commandbar::CommandBarRegistry& Registry() {
    // Display-setting changes reach the controls through the registry they are registered with.
    static Win32RegistryEnvironment environment([] { Registry().RefreshAllControls(); });
    static core::commandbar::CommandBarRegistry registry(environment);
    static const bool hooked = [] {
        SetKeyboardHookHandler(&KeyboardHook);
        SetMouseHookHandler(&MouseHook);
        return true;
    }();
    (void)hooked;
    return registry;
}

const core::commandbar::KeyboardLayout& Keyboard() {
    static const Win32KeyboardLayout keyboard;
    return keyboard;
}

const core::commandbar::TextMeasurer& ButtonTextMeasurer() {
    static const Win32TextMeasurer measurer;
    return measurer;
}

const core::commandbar::MonitorQueries& Monitors() {
    static const Win32MonitorQueries monitors;
    return monitors;
}

}  // namespace commandbar
