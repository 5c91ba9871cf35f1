#include "controls/gdi_values.h"

#include <cmath>
#include <cwchar>

#include "win/dpi.h"

namespace controls {

win::UniqueFont CreateFontFrom(const core::FontSpec& font) {
    LOGFONTW logFont{};
    logFont.lfHeight = -static_cast<LONG>(std::lround(font.points * win::ScreenDpi() / 72.0));
    logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfCharSet = static_cast<BYTE>(font.charset);
    logFont.lfQuality = CLEARTYPE_QUALITY;
    std::wcsncpy(logFont.lfFaceName, font.name.c_str(), LF_FACESIZE - 1);
    return win::UniqueFont(::CreateFontIndirectW(&logFont));
}

}  // namespace controls
