#pragma once
// The command bar control's back buffer and what is drawn into it around the buttons: the bar's
// gradient or picture, a menu's background with its icon column and the border left open where
// the menu joins its item. The window lays the bar out and has the core paint the buttons into
// Dc(); Refresh and WM_PAINT only copy the buffer.

#include <windows.h>

#include "commandbar/button_painter.h"
#include "commandbar/font_cache.h"
#include "core/commandbar/bar_interaction.h"
#include "core/font_description.h"
#include "imaging/alpha_dib_section.h"
#include "win/dib_surface.h"

namespace commandbar {

// What the background depends on, read from the window each time it is painted.
struct BarLook {
    HWND window = nullptr;
    // The form whose background a menu bar continues; null: the window's own top-level window.
    HWND form = nullptr;
    bool popup = false;
    bool mainMenu = false;
    bool vertical = false;
    bool rightToLeft = false;
    // A menu's column behind its icons (and check boxes, in the add-or-remove list).
    int iconColumn = 0;
    core::commandbar::PopupContext join;
};

class BarCanvas {
public:
    // Fits the buffer to the window's client area; with keep, a buffer that exists stays as it is.
    bool Prepare(HWND window, bool keep);
    HDC Dc() const noexcept { return surface_.Dc(); }
    // The bar's font, turned to run downwards on a vertical bar.
    HFONT Font(const core::FontDescription& font, bool vertical);
    void PaintBackground(HDC dc, const RECT& area, const BarLook& look);
    // Puts the buffer on the window.
    void Refresh(HWND window);
    // WM_PAINT: the buffer, and the background beyond it in a window grown while nothing painted.
    void Paint(HDC dc, const RECT& client, const BarLook& look);

    // An empty picture when none is set.
    imaging::Picture BackgroundImage() const;
    // Null or an empty picture removes the image.
    void SetBackgroundImage(const imaging::Picture* picture);
    // False, and nothing changed, without an image.
    bool AdjustBackgroundImage(int newHue, int newSaturation, float luminanceAdjust);
    static imaging::Picture AdjustImage(const imaging::Picture& picture, int newHue, int newSaturation,
                                        float luminanceAdjust);

    const win::DibSurface& Surface() const noexcept { return surface_; }
    // How many times the buffer has been put on the window.
    unsigned RefreshCount() const noexcept { return refreshCount_; }
    Win32ButtonPainter& Painter() noexcept { return painter_; }

private:
    void PaintMenuBackground(HDC dc, const RECT& rect, const BarLook& look);
    void PaintJoinLine(HDC dc, const RECT& client, const BarLook& look);

    imaging::AlphaDibSection background_;
    win::DibSurface surface_;
    FontCache fontCache_;
    Win32ButtonPainter painter_;
    unsigned refreshCount_ = 0;
};

}  // namespace commandbar
