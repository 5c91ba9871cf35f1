#include "win/dpi.h"

#include "win/handles.h"

namespace win {

int ScreenDpi() {
    WindowDc screen(nullptr);
    int dpi = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

RECT ToPixels(const TwipsRect& rect) {
    int dpi = ScreenDpi();
    int left = core::TwipsToPixels(rect.left, dpi);
    int top = core::TwipsToPixels(rect.top, dpi);
    // Convert the far edges, not the sizes, so that adjacent rectangles stay adjacent.
    return RECT{left, top, core::TwipsToPixels(rect.left + rect.width, dpi),
                core::TwipsToPixels(rect.top + rect.height, dpi)};
}

}  // namespace win
