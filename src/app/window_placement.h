#pragma once
// Placement rules the small windows share.

#include <windows.h>

namespace app {

// The load step of the splash, progress and about windows: the topmost band when TopMost is "1",
// the normal band otherwise.
void ApplyTopMostPreference(HWND window);

// Moves a top-level window so that it is centred on owner's window, or on the screen's work
// area without an owner.
void CentreOn(HWND window, HWND owner);

// Outer size of a window whose client area is clientWidth × clientHeight pixels.
SIZE OuterSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

}  // namespace app
