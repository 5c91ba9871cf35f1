#pragma once
// Text on the clipboard.

#include <windows.h>

#include <string>

namespace win {

// Replaces the clipboard's contents with the text; false when the clipboard stayed busy.
bool SetClipboardText(HWND owner, const std::wstring& text);

}  // namespace win
