#pragma once
// The soft shadow of a shown popup menu: two borderless top-most strip windows, one along the
// menu's right edge and one along its bottom edge. Where layered windows blend, the strip's picture
// carries per-pixel alpha and the system blends it with what lies below; elsewhere (no layered
// windows, or desktop composition reported off, where they may be drawn opaque) the strip takes a
// copy of the screen under it once, darkens it and paints that. A shown screen copy never moves:
// a new layout builds new strips; a layered strip, or a hidden one, is moved and repainted.

#include <windows.h>

#include <cstdint>

#include "core/colour_math.h"
#include "core/commandbar/drop_shadow.h"
#include "subclass/subclass.h"
#include "win/dib_surface.h"
#include "win/handles.h"

namespace commandbar {

using core::commandbar::ShadowSide;

// One strip window and its picture.
class MenuDropShadow final : public subclass::SubclassClient {
public:
    explicit MenuDropShadow(ShadowSide side = ShadowSide::Right) noexcept : type_(side) {}
    // The strip's window procedure refers to the object, so it stays where it was made.
    MenuDropShadow(const MenuDropShadow&) = delete;
    MenuDropShadow& operator=(const MenuDropShadow&) = delete;
    ~MenuDropShadow() { Destroy(); }

    ShadowSide ShadowType() const noexcept { return type_; }
    void SetShadowType(ShadowSide side) noexcept { type_ = side; }
    std::int32_t ShadowSize() const noexcept { return size_; }
    void SetShadowSize(std::int32_t size) noexcept { size_ = size; }
    core::Colour ShadowColour() const noexcept { return colour_; }
    void SetShadowColour(core::Colour colour) noexcept { colour_ = colour; }

    // Shows the strip beside the menu whose screen rectangle is given, owned by the menu's window:
    // a layered or hidden strip of that window is reused, anything else is destroyed and made
    // anew. Layered where the platform blends layered windows (Platform().layeredWindowsBlend), a
    // screen copy elsewhere. False when nothing could be shown: a menu too small for a shadow, or
    // no window. Throws only when the screen-copy strip cannot be subclassed.
    bool Create(const RECT& menu, HWND owner);
    void Destroy() noexcept;
    // Hides the strip, keeping its window and picture for the next Create for the same owner.
    void Conceal() noexcept;

    HWND hwnd() const noexcept { return window_.get(); }
    bool IsLayered() const noexcept { return layered_; }
    // The strip's picture, bottom row first: premultiplied shadow colour when layered, else the
    // darkened screen copy. Empty when there is no window.
    const win::DibSurface& Picture() const noexcept { return picture_; }

    core::MessageResponse MsgResponse() override;
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    ShadowSide type_;
    std::int32_t size_ = core::commandbar::kDefaultShadowSize;
    core::Colour colour_ = core::MakeRgb(0, 0, 192);
    bool layered_ = false;
    bool attached_ = false;
    // The menu the window was made for, which owns it while it shows.
    HWND owner_ = nullptr;
    bool disowned_ = false;
    // The colour the layered picture was made in.
    core::Colour pictureColour_ = core::kNoColour;
    // Declared before the window so that the window goes first.
    win::DibSurface picture_;
    win::UniqueWindow window_;
};

// The pair of strips of one popup window, as the command bar control shows and hides them.
class MenuShadows {
public:
    // Shows the pair around the popup's current window rectangle, in the current style's
    // DropShadow colour, in place of any previous one.
    void Show(HWND popup);
    void Hide() noexcept;
    // Hides the strips, keeping them for the next Show.
    void Conceal() noexcept;

    const MenuDropShadow& Right() const noexcept { return right_; }
    const MenuDropShadow& Bottom() const noexcept { return bottom_; }

private:
    MenuDropShadow right_{ShadowSide::Right};
    MenuDropShadow bottom_{ShadowSide::Bottom};
};

namespace shadow_testing {
// Replaces UpdateLayeredWindow so that a test can see what the strip hands the system; null
// restores the platform call.
using LayeredUpdater = BOOL (*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
void SetLayeredUpdater(LayeredUpdater updater) noexcept;
}  // namespace shadow_testing

}  // namespace commandbar
