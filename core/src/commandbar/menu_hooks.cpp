#include "core/commandbar/menu_hooks.h"

#include "core/commandbar/bar_interaction.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/command_bar_registry.h"

namespace core::commandbar {

namespace {

constexpr std::uint16_t kAltKey = 18;

bool IsButtonPress(std::uint32_t message) {
    switch (message) {
    case 0x00A1:  // WM_NCLBUTTONDOWN
    case 0x00A4:  // WM_NCRBUTTONDOWN
    case 0x00A7:  // WM_NCMBUTTONDOWN
    case 0x0201:  // WM_LBUTTONDOWN
    case 0x0204:  // WM_RBUTTONDOWN
    case 0x0207:  // WM_MBUTTONDOWN
        return true;
    default:
        return false;
    }
}

bool IsLeftButtonRelease(std::uint32_t message) {
    return message == 0x0202 || message == 0x00A2;  // WM_LBUTTONUP, WM_NCLBUTTONUP
}

// Alt reached the active form's menu bar: menu mode on with it as the initiator.
void EnterMenuBar(CommandBarRegistry& registry, WindowHandle menuBar, BarInteraction* bar, bool highlightFirst) {
    if (bar) registry.SetMenuModeControl(menuBar);
    // Menu mode first, so that the first title's highlight is announced after its start.
    registry.SetMenuMode(true, menuBar);
    if (bar && highlightFirst) bar->UpdateHotItem(MouseButton::None, 1, false, true);
}

// Menu mode comes from Alt pressed and released with no other key meanwhile, or from Alt with a
// title's letter: Alt+Shift (the usual switch of keyboard layouts), Alt+Ctrl or Alt+Tab must not
// leave an invisible menu mode behind that swallows the next keys.
void TrackAltAlone(CommandBarRegistry& registry, const KeyHookInput& input, bool released) {
    constexpr std::int32_t kRepeated = 0x40000000;  // bit 30: the key was already down
    if (input.virtualKey != kAltKey) {
        registry.SetAltAlone(false);
    } else if (!released && (input.flags & kRepeated) == 0) {
        registry.SetAltAlone(true);
    }
}

bool DecideKey(CommandBarRegistry& registry, const KeyHookInput& input) {
    bool released = input.flags < 0;
    bool alt = input.alt || input.virtualKey == kAltKey;
    bool altItself = input.virtualKey == kAltKey;
    std::int32_t modifiers = (input.shift ? ModifierBits(ShortcutModifier::Shift) : 0) |
                             (input.ctrl ? ModifierBits(ShortcutModifier::Ctrl) : 0) |
                             (alt ? ModifierBits(ShortcutModifier::Alt) : 0);
    TrackAltAlone(registry, input, released);
    if (registry.InMenuMode()) {
        if (alt && !released) {
            registry.SetMenuMode(false, 0);
            return false;
        }
        if (released) return false;
        if (BarInteraction* menu = FindInteraction(registry, registry.MenuModeControl())) {
            registry.SetKeyboardInitiated(true);
            menu->HandleMenuKey(input.virtualKey);
            return true;
        }
    } else if (alt && (released ? altItself : !altItself)) {
        WindowHandle menuBar = registry.GetMainMenuControl();
        BarInteraction* bar = FindInteraction(registry, menuBar);
        if (released) {
            const bool alone = registry.AltAlone();
            registry.SetAltAlone(false);
            if (!alone || menuBar == 0) return false;
            EnterMenuBar(registry, menuBar, bar, true);
            return true;
        }
        // Alt with a title's letter opens that title's menu; the letter may still be a shortcut.
        if (bar && bar->ItemWithMnemonic(input.virtualKey) != 0) {
            EnterMenuBar(registry, menuBar, bar, false);
            bar->HandleMenuKey(input.virtualKey);
            if (!registry.ProcessAccelerator(input.virtualKey, modifiers)) return false;
            // A shortcut that opened no menu leaves the menu bar too: the window its command may
            // open must get the keys that follow.
            if (registry.InMenuMode() && registry.MenuModeControl() == menuBar) registry.SetMenuMode(false, 0);
            return true;
        }
    }
    return !released && registry.ProcessAccelerator(input.virtualKey, modifiers);
}

}  // namespace

HookOutcome KeyboardHookDecision(CommandBarRegistry& registry, const KeyHookInput& input) noexcept {
    HookOutcome outcome;
    if (input.code != 0) return outcome;
    try {
        outcome.discard = DecideKey(registry, input);
    } catch (...) {
        outcome.discard = false;
        outcome.failure = std::current_exception();
    }
    return outcome;
}

HookOutcome MouseHookDecision(CommandBarRegistry& registry, std::int32_t code, std::uint32_t message,
                              WindowHandle underPointer) noexcept {
    HookOutcome outcome;
    if (code != 0) return outcome;
    registry.SetKeyboardInitiated(false);
    if (IsLeftButtonRelease(message)) {
        try {
            // A press that opened a menu took no capture: its release lands in another window,
            // which handles it itself; every other control's press ends here.
            for (WindowHandle hwnd : registry.Instances().Values()) {
                BarInteraction* control = hwnd != underPointer ? FindInteraction(registry, hwnd) : nullptr;
                if (control) control->EndPress();
            }
        } catch (...) {
            outcome.failure = std::current_exception();
        }
        return outcome;
    }
    if (!IsButtonPress(message)) return outcome;
    try {
        if (underPointer != 0 && underPointer == registry.MenuModeControl()) return outcome;
        CommandBarControl* control = registry.TryControlFromHwnd(underPointer);
        bool leave = true;
        if (control && underPointer == registry.MenuModeInitiator()) {
            // A click on another title of the bar that opened the menus switches menus.
            BarInteraction* bar = FindInteraction(registry, underPointer);
            leave = !bar || bar->HitTestCursor() == 0;
        } else if (control) {
            // A click into another open menu keeps menu mode.
            leave = !control->IsPopupHost();
        }
        if (leave) registry.SetMenuMode(false, 0);
    } catch (...) {
        outcome.failure = std::current_exception();
        try {
            registry.SetMenuMode(false, 0);
        } catch (...) {
        }
    }
    return outcome;
}

}  // namespace core::commandbar
