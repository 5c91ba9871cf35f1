#include "controls/gdi_values.h"

#include "win/dpi.h"
#include "win/gdi.h"

namespace controls {

win::UniqueFont CreateFontFrom(const core::FontDescription& font) {
    LOGFONTW logFont = win::MakeLogFont(font, win::ScreenDpi(), win::FontRounding::NearestPixel);
    logFont.lfQuality = CLEARTYPE_QUALITY;
    return win::UniqueFont(::CreateFontIndirectW(&logFont));
}

}  // namespace controls
