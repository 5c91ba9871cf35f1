#pragma once
// The message loop of a modal window: its owner is disabled while it runs, and dialog keys (Tab,
// arrows between buttons, Enter, Escape, mnemonics) work as in any Windows dialog.

#include <windows.h>

#include <functional>

#include "win/window.h"

namespace win {

// Sees each message before dialog navigation; true means it was handled.
using PreTranslate = std::function<bool(MSG&)>;

// Runs until the window is destroyed. A WM_QUIT met on the way ends the loop and is posted again
// for the main loop. The owner is enabled again afterwards.
void RunModalLoop(HWND window, HWND owner, const PreTranslate& preTranslate = {});

// Places a top-level window centred on its owner (on the owner's work area while the owner is
// hidden or minimised, on the primary one without an owner), inside the work area of the
// owner's monitor.
void CentreOnOwner(HWND window, HWND owner);

// Closes a window whose owner it disabled. The owner comes back before the window goes, so that
// activation returns to it rather than to some other program's window.
void CloseModal(Window& window, HWND owner) noexcept;

// Once that window is gone: the owner enabled and active again, then forgotten.
void ReturnToOwner(HWND& owner) noexcept;

}  // namespace win
