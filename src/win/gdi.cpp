#include "win/gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/number_text.h"
#include "core/twips.h"

namespace win {

COLORREF ToColorRef(core::Colour colour) {
    if (core::IsSystemColourRef(colour)) return ::GetSysColor(core::SystemColourIndex(colour));
    return static_cast<COLORREF>(core::RgbPart(colour));
}

core::Colour TranslateColour(core::Colour colour) noexcept {
    const auto value = static_cast<std::uint32_t>(colour);
    switch (value >> 24) {
        case 0x00:  // RGB
        case 0x01:  // a palette index, passed on as it is without a palette
        case 0x02:  // palette-relative RGB
            return colour;
        case 0x80: {
            const std::uint32_t index = value & 0xFFFFu;
            return index <= COLOR_MENUBAR ? static_cast<core::Colour>(::GetSysColor(static_cast<int>(index)))
                                          : core::kNoColour;
        }
        default:  // -1, an unknown top byte
            return core::kNoColour;
    }
}

LOGFONTW MakeLogFont(const core::FontDescription& font, int dpi, FontRounding rounding) {
    LOGFONTW logFont{};
    const size_t length = std::min(font.name.size(), std::size(logFont.lfFaceName) - 1);
    std::copy_n(font.name.begin(), length, logFont.lfFaceName);
    logFont.lfHeight = rounding == FontRounding::WholePoints
                           ? -::MulDiv(static_cast<int>(core::RoundHalfEven(font.points)), dpi, 72)
                           : -core::PointsToPixels(font.points, dpi);
    logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic ? TRUE : FALSE;
    logFont.lfUnderline = font.underline ? TRUE : FALSE;
    logFont.lfStrikeOut = font.strikethrough ? TRUE : FALSE;
    logFont.lfCharSet = static_cast<BYTE>(font.charset);
    return logFont;
}

UniqueFont CreateFontFrom(const core::FontDescription& font, int dpi, FontRounding rounding, BYTE quality,
                          int escapement) {
    LOGFONTW logFont = MakeLogFont(font, dpi, rounding);
    logFont.lfQuality = quality;
    logFont.lfEscapement = escapement;
    logFont.lfOrientation = escapement;
    return UniqueFont(::CreateFontIndirectW(&logFont));
}

core::FontDescription DescribeLogFont(const LOGFONTW& logFont, int dpi) {
    core::FontDescription font;
    font.name = logFont.lfFaceName;
    font.points = std::fabs(static_cast<double>(logFont.lfHeight)) * 72.0 / dpi;
    font.bold = logFont.lfWeight >= FW_BOLD;
    font.italic = logFont.lfItalic != FALSE;
    font.underline = logFont.lfUnderline != FALSE;
    font.strikethrough = logFont.lfStrikeOut != FALSE;
    font.charset = logFont.lfCharSet;
    return font;
}

}  // namespace win
