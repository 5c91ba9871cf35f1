#pragma once
// The base of the program's modal windows (about, settings): owned by the main window, created in
// the top-most band the preferences ask for and centred on the owner, which stays disabled while
// the window is open and gets the activation back when it closes, however it closes.

#include <windows.h>

#include "win/modal.h"
#include "win/window.h"

namespace app {

class ModalWindow : public win::Window {
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
    };

    // Creates the window owned by owner, still hidden, in its band and centred on the owner.
    void CreateOver(HWND owner, const Frame& frame);
    // Disables the owner, shows the window and puts the focus on focus.
    void ShowOver(HWND focus);
    // Runs until the window is gone.
    void RunModal(const win::PreTranslate& preTranslate = {}) { win::RunModalLoop(hwnd(), owner_, preTranslate); }
    // The owner comes back before the window goes, so that activation returns to it.
    void Close() noexcept { win::CloseModal(*this, owner_); }

    // WM_CLOSE closes; everything else goes to the default procedure.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override { win::ReturnToOwner(owner_); }

private:
    HWND owner_ = nullptr;
};

}  // namespace app
