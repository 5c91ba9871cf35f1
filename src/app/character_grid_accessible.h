#pragma once
// What screen readers see of the character grid: a table whose cells are named by code point and
// character ("U+0416 Ж") and described by the character's name; child id = cell number + 1. The
// object keeps only the window handle and finds the view again on every call, so it outlives it.

#include <windows.h>

namespace app {

// The answer to WM_GETOBJECT for the grid's client area; 0 for any other object id.
LRESULT AnswerGridObject(HWND grid, WPARAM wParam, LPARAM lParam);

}  // namespace app
