#pragma once
// Plain text on the clipboard.

#include <windows.h>

#include <string>

namespace win {

// Replaces what the clipboard holds with the text; false when the clipboard was not to be had.
bool SetClipboardText(HWND owner, const std::wstring& text);

}  // namespace win
