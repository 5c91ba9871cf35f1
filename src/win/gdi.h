#pragma once
// The program's values as GDI takes them: OLE colours as COLORREF, font descriptions as LOGFONT.

#include <windows.h>

#include "core/colour_math.h"
#include "core/font_description.h"

namespace win {

// A system colour reference becomes the desktop's current colour, anything else its RGB bytes.
COLORREF ToColorRef(core::Colour colour);

// How a point size becomes a character height. The forms round the exact pixel height; the command
// bar has always taken whole points first (half to even) and scaled those.
enum class FontRounding { NearestPixel, WholePoints };

// Face (cut to fit), em height for dpi, weight, italic, underline, strike-out and character set;
// everything else, the quality included, is left at zero for the caller.
LOGFONTW MakeLogFont(const core::FontDescription& font, int dpi, FontRounding rounding);

}  // namespace win
