#pragma once
// Real key presses through SendInput: they reach the foreground window as a user's would.

#include <windows.h>

namespace testing_support {

// Presses and releases a key, with Shift held when asked.
void PressKey(WORD virtualKey, bool shift = false);

}  // namespace testing_support
