#pragma once
// Placement rules the small windows share.

#include <windows.h>

namespace app {

// The load step of the splash, progress and about windows: the topmost band when TopMost is "1",
// the normal band otherwise.
void ApplyTopMostPreference(HWND window);

// Outer size of a window whose client area is clientWidth × clientHeight pixels.
SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

}  // namespace app
