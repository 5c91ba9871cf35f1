#include "app/progress_window.h"

#include "app/artwork.h"
#include "app/window_placement.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/modal.h"

namespace app {

namespace {

constexpr wchar_t kClassName[] = L"GlyphoscopeProgressWindow";
constexpr DWORD kStyle = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;

// Layout in twips: the picture on the left, the text and the bar beside it.
constexpr win::TwipsRect kPicture{180, 180, 720, 720};
constexpr win::TwipsRect kInfo{1080, 150, 4380, 600};
constexpr win::TwipsRect kBar{1080, 810, 4380, 330};

}  // namespace

void ProgressWindow::CreateWindowAndControls(HWND owner) {
    win::WindowClassArgs windowClass;
    windowClass.name = kClassName;
    Create(windowClass, OwnedWindowArgs(owner, kStyle, kExStyle, kClientWidth, kClientHeight));

    info_.Create(hwnd(), 1, kInfoText);
    info_.SetBoundsTwips(kInfo);
    bar_.Create(hwnd(), 2, win::ToPixels(kBar));
    core::FontDescription font = bar_.Font();
    font.name = L"MS Sans Serif";
    font.points = 8.25;
    bar_.SetFont(font);
    ApplyTopMostPreference(hwnd());
}

void ProgressWindow::Begin(HWND owner) {
    if (!hwnd()) {
        CreateWindowAndControls(owner);
    } else {
        // Owned by the main window at start-up, ownerless when a command loads the fonts.
        ::SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
    // Reset while hidden, so that the first paint shows 0 % rather than the end of the last load.
    bar_.SetCalculatePercentage(false);
    bar_.SetValue(0);
    win::CentreOnOwner(hwnd(), owner);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::UpdateWindow(hwnd());
}

void ProgressWindow::SetPercent(float percent) { bar_.SetValue(percent); }

void ProgressWindow::End() {
    if (hwnd()) ::ShowWindow(hwnd(), SW_HIDE);
}

LRESULT ProgressWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            win::PaintGuard paint(hwnd());
            RECT at = win::ToPixels(kPicture);
            DrawArtwork(paint.dc(), at.left, at.top, IDR_PROGRESS_PICTURE);
            return 0;
        }
        case WM_CLOSE:
            // Only the load hides it; Alt+F4 while loading must not take it away half way.
            return 0;
        default:
            return DefaultProc(message, wParam, lParam);
    }
}

}  // namespace app
