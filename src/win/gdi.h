#pragma once
// The program's values as GDI takes them: OLE colours as COLORREF, font descriptions as LOGFONT.

#include <windows.h>

#include "core/colour_math.h"
#include "core/font_description.h"

namespace win {

// The one way an OLE colour reaches GDI. A system colour reference becomes the desktop's current
// colour, anything else its RGB bytes; never fails, so no colour reads as white.
COLORREF ToColorRef(core::Colour colour);

// The platform's own reading (OleTranslateColor): plain RGB with system references resolved, or
// core::kNoColour (which is CLR_INVALID) for anything it refuses, such as -1 or an unknown top byte.
core::Colour TranslateColour(core::Colour colour) noexcept;

// How a point size becomes a character height. The forms round the exact pixel height; the command
// bar has always taken whole points first (half to even) and scaled those.
enum class FontRounding { NearestPixel, WholePoints };

// Face (cut to fit), em height for dpi, weight, italic, underline, strike-out and character set;
// everything else, the quality included, is left at zero for the caller.
LOGFONTW MakeLogFont(const core::FontDescription& font, int dpi, FontRounding rounding);

}  // namespace win
