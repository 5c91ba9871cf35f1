#include "commandbar/menu_drop_shadow.h"

#include <algorithm>

#include "commandbar/command_bar_colours.h"
#include "commandbar/drawing_utilities.h"
#include "win/gdi.h"
#include "win/window.h"

namespace commandbar {

namespace {

namespace shadow = core::commandbar;

shadow_testing::LayeredUpdater layeredUpdater = nullptr;

BOOL UpdateLayered(HWND hwnd, HDC screen, POINT* at, SIZE* size, HDC source, POINT* origin, BLENDFUNCTION* blend) {
    if (layeredUpdater) return layeredUpdater(hwnd, screen, at, size, source, origin, 0, blend, ULW_ALPHA);
    return ::UpdateLayeredWindow(hwnd, screen, at, size, source, origin, 0, blend, ULW_ALPHA);
}

// The owner-draw style keeps the static control from drawing a text or a frame of its own.
constexpr DWORD kStripStyle = WS_POPUP | SS_OWNERDRAW;
constexpr DWORD kLayeredExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST;
constexpr DWORD kScreenCopyExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
// A menu is showing: the shadow must neither take the focus nor move its menu in the z-order. It
// goes to the top of the top-most windows itself: a hidden strip has no owner (Conceal) to take it
// along when its menu shows, and a form made top-most since would cover it.
constexpr UINT kShowFlags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;

}  // namespace

bool MenuDropShadow::Create(const RECT& menu, HWND owner) {
    const shadow::ShadowStrip strip =
        shadow::ShadowStripFor(type_, menu.left, menu.top, menu.right, menu.bottom, size_);
    const bool layered = Platform().layeredWindowsBlend;
    // Making a window costs more than the rest of a menu's showing: a strip of the same menu is
    // moved and given its new picture instead; a screen copy only while hidden, or it would copy
    // itself. A strip shown with its menu went when the menu did.
    const bool reuse = window_ && ::IsWindow(window_.get()) && layered_ == layered && owner_ == owner &&
                       (layered || !::IsWindowVisible(window_.get()));
    if (!reuse || strip.width <= 0 || strip.height <= 0) Destroy();
    if (strip.width <= 0 || strip.height <= 0) return false;
    const core::Colour translated = win::TranslateColour(colour_);
    const core::Colour colour = translated == core::kNoColour ? core::MakeRgb(0, 0, 0) : translated;

    // Without layered windows the copy is taken before the strip shows, or it would copy itself,
    // and once what lies beneath has painted, or it would copy a menu or strip that was there.
    if (!layered && picture_.Create(strip.width, strip.height, win::DibSurface::RowOrder::BottomUp)) {
        const RECT area{strip.left, strip.top, strip.left + strip.width, strip.top + strip.height};
        ::RedrawWindow(nullptr, &area, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        win::WindowDc screen(nullptr);
        ::BitBlt(picture_.Dc(), 0, 0, strip.width, strip.height, screen.get(), strip.left, strip.top, SRCCOPY);
        shadow::DarkenScreenCopy(picture_.Pixels(), type_, strip, size_, colour);
    }

    if (!reuse) {
        window_.reset(::CreateWindowExW(layered ? kLayeredExStyle : kScreenCopyExStyle, L"Static", L"", kStripStyle,
                                        strip.left, strip.top, strip.width, strip.height, owner, nullptr,
                                        win::ModuleInstance(), nullptr));
    }
    if (!window_) {
        picture_.Reset();
        return false;
    }
    layered_ = layered;
    if (reuse && disowned_) ::SetWindowLongPtrW(window_.get(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    disowned_ = false;
    owner_ = owner;
    if (layered && reuse && picture_ && picture_.Width() == strip.width && picture_.Height() == strip.height &&
        pictureColour_ == colour) {
        // The same picture at another place: the system keeps the window's layered content.
        ::SetWindowPos(window_.get(), HWND_TOPMOST, strip.left, strip.top, strip.width, strip.height, kShowFlags);
        return true;
    }
    if (layered) {
        pictureColour_ = colour;
        if (picture_.Create(strip.width, strip.height, win::DibSurface::RowOrder::BottomUp)) {
            const auto pixels = shadow::LayeredShadowPixels(type_, strip, size_, colour);
            std::ranges::copy(pixels, picture_.Pixels().begin());
            win::WindowDc screen(nullptr);
            POINT at{strip.left, strip.top};
            SIZE size{strip.width, strip.height};
            POINT origin{0, 0};
            BLENDFUNCTION blend{AC_SRC_OVER, 0, shadow::kShadowConstantAlpha, AC_SRC_ALPHA};
            UpdateLayered(window_.get(), screen.get(), &at, &size, picture_.Dc(), &origin, &blend);
        }
    } else if (!attached_) {
        try {
            subclass::AttachMessage(*this, window_.get(), WM_PAINT);
        } catch (...) {
            Destroy();
            throw;
        }
        attached_ = true;
    } else {
        ::InvalidateRect(window_.get(), nullptr, FALSE);
    }
    ::SetWindowPos(window_.get(), HWND_TOPMOST, strip.left, strip.top, strip.width, strip.height, kShowFlags);
    return true;
}

void MenuDropShadow::Destroy() noexcept {
    if (attached_) {
        subclass::DetachMessage(*this, window_.get(), WM_PAINT);
        attached_ = false;
    }
    window_.reset();
    owner_ = nullptr;
    disowned_ = false;
    picture_.Reset();
    layered_ = false;
}

void MenuDropShadow::Conceal() noexcept {
    if (!window_) return;
    ::ShowWindow(window_.get(), SW_HIDE);
    // Under Wine every showing, hiding or raising of a window moves its owned windows along, and
    // a hidden strip moved that way is given a new drawing surface: more than half the cost of
    // opening a menu. A hidden strip waits without an owner and gets it back when it shows.
    ::SetWindowLongPtrW(window_.get(), GWLP_HWNDPARENT, 0);
    disowned_ = true;
}

core::MessageResponse MenuDropShadow::MsgResponse() { return core::MessageResponse::Consume; }

LRESULT MenuDropShadow::WindowProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
    // The picture is the whole strip; the static control's own painting would only ask its owner
    // (the menu) to draw an item that does not exist.
    if (message == WM_PAINT) {
        win::PaintGuard paint(hwnd);
        picture_.CopyTo(paint.dc());
    }
    return 0;
}

void MenuShadows::Show(HWND popup) {
    RECT menu{};
    if (!::GetWindowRect(popup, &menu)) {
        Hide();
        return;
    }
    const core::Colour colour = GetElementColour(core::colour_element::kDropShadow);
    for (MenuDropShadow* strip : {&right_, &bottom_}) {
        strip->SetShadowColour(colour);
        strip->Create(menu, popup);
    }
}

void MenuShadows::Hide() noexcept {
    right_.Destroy();
    bottom_.Destroy();
}

void MenuShadows::Conceal() noexcept {
    right_.Conceal();
    bottom_.Conceal();
}

namespace shadow_testing {
void SetLayeredUpdater(LayeredUpdater updater) noexcept { layeredUpdater = updater; }
}  // namespace shadow_testing

}  // namespace commandbar
