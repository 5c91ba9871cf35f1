#pragma once
// What screen readers and automation see of a command bar control: the bar as a menu bar, menu or
// tool bar, and each of its buttons as a simple child whose id is its 1-based position in the bar.
// The object keeps only the control's window handle and looks the control up in the registry on
// every call, so it outlives the control and then answers CO_E_OBJNOTCONNECTED.

#include <windows.h>

#include <oleacc.h>

namespace commandbar {

// The answer to WM_GETOBJECT for the control's client area; 0 for any other object id.
LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam);

}  // namespace commandbar
