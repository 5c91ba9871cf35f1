#include "commandbar/command_bar_canvas.h"

#include <algorithm>

#include "commandbar/command_bar_colours.h"
#include "commandbar/drawing_utilities.h"
#include "core/commandbar/style_colours.h"
#include "win/gdi.h"
#include "win/window.h"

namespace commandbar {

namespace cb = core::commandbar;
namespace element = core::colour_element;

namespace {

constexpr int kVerticalEscapement = 2700;

void FillSolid(HDC dc, core::Colour colour, int left, int top, int width, int height) {
    FillGradient(dc, colour, colour, left, top, width, height, true);
}

}  // namespace

bool BarCanvas::Prepare(HWND window, bool keep) {
    if (keep && surface_) return true;
    const RECT client = win::ClientRect(window);
    return surface_.Resize(std::max<int>(client.right, 1), std::max<int>(client.bottom, 1));
}

HFONT BarCanvas::Font(const core::FontDescription& font, bool vertical) {
    return fontCache_.Font(font, vertical ? kVerticalEscapement : 0, surface_.Dc());
}

void BarCanvas::PaintBackground(HDC dc, const RECT& client, const BarLook& look) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (look.popup) {
        PaintMenuBackground(dc, client, look);
        return;
    }
    if (background_.Bitmap()) {
        TileBitmap(dc, client.left, client.top, width, height, background_.hdc(), background_.Width(),
                   background_.Height(), 0);
        return;
    }
    const core::Colour start = GetElementColour(element::kBarBackStart);
    const core::Colour end = GetElementColour(element::kBarBackEnd);
    if (start == core::kNoColour || look.mainMenu) {
        HWND parent = look.form ? look.form : ::GetAncestor(look.window, GA_ROOT);
        const bool systemLook = GetStyle() == static_cast<std::int32_t>(core::ColourStyle::System);
        if (!(systemLook && IsHighColour()) && (start == core::kNoColour || end == core::kNoColour)) {
            // Without colours (the system style on a low-colour screen) the gradient would paint
            // nothing and leave the last picture behind.
            FillSolid(dc, win::TranslateColour(core::SystemColourRef(COLOR_BTNFACE)), client.left, client.top, width,
                      height);
            return;
        }
        FillParentRelative(look.window, parent, dc, end, start, client.left, client.top, width, height, true,
                           systemLook);
    } else {
        // Across the bar's depth: downwards on horizontal bars, rightwards on vertical ones.
        FillGradient(dc, start, end, client.left, client.top, width, height, look.vertical);
    }
}

void BarCanvas::PaintMenuBackground(HDC dc, const RECT& rect, const BarLook& look) {
    FillGradient(dc, GetElementColour(element::kMenuBackStart), GetElementColour(element::kMenuBackEnd), rect.left,
                 rect.top, rect.right - rect.left, rect.bottom - rect.top, false);
    const RECT client = win::ClientRect(look.window);
    DrawRectOutline(dc, GetElementColour(element::kMenuBorder), 0, 0, client.right, client.bottom);
    PaintJoinLine(dc, client, look);
    const int x = look.rightToLeft ? rect.right - look.iconColumn - 2 : rect.left + 1;
    FillGradient(dc, GetElementColour(element::kBarBackStart), GetElementColour(element::kBarBackEnd), x, rect.top + 2,
                 look.iconColumn, rect.bottom - rect.top - 4, true);
}

// The stretch of border the popup shares with the item it opened from is left open.
void BarCanvas::PaintJoinLine(HDC dc, const RECT& client, const BarLook& look) {
    const cb::PopupContext& context = look.join;
    const int side = static_cast<int>(context.side);
    if (side < 0 || side > 3 || context.joinLength <= 1) return;
    POINT origin{0, 0};
    ::ClientToScreen(look.window, &origin);
    const core::Colour colour = GetElementColour(element::kMenuBackStart);
    const int length = context.joinLength - 2;
    if (side == 0 || side == 3) {
        const int y = side == 0 ? 0 : client.bottom - 1;
        FillSolid(dc, colour, context.joinStart + 1 - origin.x, y, length, 1);
    } else {
        const int x = side == 1 ? 0 : client.right - 1;
        FillSolid(dc, colour, x, context.joinStart + 1 - origin.y, 1, length);
    }
}

void BarCanvas::Refresh(HWND window) {
    win::WindowDc dc(window);
    if (dc.get()) surface_.CopyTo(dc.get());
    ++refreshCount_;
}

void BarCanvas::Paint(HDC dc, const RECT& client, const BarLook& look) {
    if (surface_) surface_.CopyTo(dc);
    if (client.right > surface_.Width() || client.bottom > surface_.Height()) {
        ::ExcludeClipRect(dc, 0, 0, surface_.Width(), surface_.Height());
        PaintBackground(dc, client, look);
    }
}

// Background picture -------------------------------------------------------------------------

imaging::Picture BarCanvas::BackgroundImage() const {
    return background_.Bitmap() ? background_.Picture() : imaging::Picture();
}

void BarCanvas::SetBackgroundImage(const imaging::Picture* picture) {
    if (!picture || picture->Empty() || !background_.CreateFromPicture(*picture)) background_.ClearUp();
}

bool BarCanvas::AdjustBackgroundImage(int newHue, int newSaturation, float luminanceAdjust) {
    if (!background_.Bitmap()) return false;
    background_.AdjustHLS(newHue, newSaturation, luminanceAdjust);
    return true;
}

imaging::Picture BarCanvas::AdjustImage(const imaging::Picture& picture, int newHue, int newSaturation,
                                        float luminanceAdjust) {
    imaging::AlphaDibSection image;
    if (!image.CreateFromPicture(picture)) return {};
    if (newHue >= 0 && newSaturation >= 0) image.AdjustHLS(newHue, newSaturation, luminanceAdjust);
    return image.Picture();
}

}  // namespace commandbar
