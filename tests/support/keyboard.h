#pragma once
// Real key presses through SendInput: they reach the foreground window as a user's would.

#include <windows.h>

#include <string>

namespace testing_support {

// Presses and releases a key, with Shift held when asked.
void PressKey(WORD virtualKey, bool shift = false);
// Each character as a keyboard layout would deliver it, whatever the layout is.
void TypeText(const std::wstring& text);

}  // namespace testing_support
