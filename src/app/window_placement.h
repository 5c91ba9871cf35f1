#pragma once
// Placement rules the small windows share.

#include <windows.h>

#include "win/window.h"

namespace app {

// The load step of every window of the program: the topmost band when TopMost is "1", the normal
// band otherwise.
void ApplyTopMostPreference(HWND window);
// TopMost is "1": the program's windows go in the topmost band.
bool TopMostPreferred();
// WS_EX_TOPMOST when TopMost is "1", for windows created in their band.
DWORD TopMostExStyle();

// How the progress, about and settings windows are created: owned by owner, with a client area of
// clientWidth × clientHeight twips, at the top left until they are centred, and in the topmost
// band when TopMost is "1".
win::CreateArgs OwnedWindowArgs(HWND owner, DWORD style, DWORD exStyle, double clientWidth, double clientHeight);

}  // namespace app
