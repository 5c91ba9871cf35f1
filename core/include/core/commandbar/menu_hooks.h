#pragma once
// What the thread's keyboard and mouse hooks do with what they see: the decisions, taken against
// the registry and the controls' interactions. The window side reads the key states and the
// window under the pointer, calls these and passes the message on unless told to discard it.
// Nothing thrown inside escapes: a failure passes the input on and is handed back for reporting.

#include <cstdint>
#include <exception>

#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

class CommandBarRegistry;

struct KeyHookInput {
    std::int32_t code = 0;
    std::uint16_t virtualKey = 0;
    // The hook's lParam as 32 bits: bit 31 set for a key release.
    std::int32_t flags = 0;
    // Asynchronous states of Shift, Ctrl and Alt.
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

struct HookOutcome {
    bool discard = false;
    std::exception_ptr failure;
};

HookOutcome KeyboardHookDecision(CommandBarRegistry& registry, const KeyHookInput& input) noexcept;

// message: the mouse message; underPointer: the window the pointer is over, 0 for none. Clicks are
// never discarded, so the click that closes the menus still reaches its window.
HookOutcome MouseHookDecision(CommandBarRegistry& registry, std::int32_t code, std::uint32_t message,
                              WindowHandle underPointer) noexcept;

}  // namespace core::commandbar
