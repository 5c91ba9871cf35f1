#pragma once
// The base of modal windows: owned by a window, created in the band the caller names and centred
// on the owner, which stays disabled while the window is open and gets the activation back when it
// closes, however it closes. Clicks and notifications of the window's controls go through one
// command table.

#include <windows.h>

#include "win/command_table.h"
#include "win/modal.h"
#include "win/window.h"

namespace win {

class ModalWindow : public Window {
public:
    // The window goes while this class can still hand the owner back (see window.h).
    ~ModalWindow() override { Destroy(); }

    bool IsOpen() const noexcept { return hwnd() != nullptr; }

protected:
    struct Frame {
        const wchar_t* className = nullptr;
        const wchar_t* caption = L"";
        DWORD style = 0;
        DWORD exStyle = 0;
        double clientWidth = 0;  // twips
        double clientHeight = 0;
        // The top-most band; the program decides from its preferences.
        bool topMost = false;
    };

    // Creates the window owned by owner, still hidden, in its band and centred on the owner.
    void CreateOver(HWND owner, const Frame& frame);
    // Disables the owner, shows the window and puts the focus on focus.
    void ShowOver(HWND focus);
    // Runs until the window is gone.
    void RunModal(const PreTranslate& preTranslate = {}) { RunModalLoop(hwnd(), owner_, preTranslate); }
    // The owner comes back before the window goes, so that activation returns to it.
    void Close() noexcept { CloseModal(*this, owner_); }

    // WM_COMMAND goes through commands_ and WM_CLOSE closes; everything else goes to the default
    // procedure.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override { ReturnToOwner(owner_); }

    CommandTable commands_;

private:
    HWND owner_ = nullptr;
};

}  // namespace win
