#include "controls/gdi_values.h"

#include "win/dpi.h"
#include "win/gdi.h"

namespace controls {

win::UniqueFont CreateFontFrom(const core::FontDescription& font) {
    return win::CreateFontFrom(font, win::ScreenDpi(), win::FontRounding::NearestPixel, CLEARTYPE_QUALITY);
}

}  // namespace controls
