#pragma once
// The program's values as GDI takes them: OLE colours as COLORREF, font descriptions as LOGFONT.

#include <windows.h>

#include "core/colour_math.h"
#include "core/font_description.h"
#include "win/handles.h"

namespace win {

// The one way an OLE colour reaches GDI. A system colour reference becomes the desktop's current
// colour, anything else its RGB bytes; never fails, so no colour reads as white.
COLORREF ToColorRef(core::Colour colour);

// OleTranslateColor's reading, without loading oleaut32 at every start for it: plain RGB with system
// references resolved, or core::kNoColour (which is CLR_INVALID) for anything it refuses, such as
// -1, an unknown top byte or a system colour the platform does not have.
core::Colour TranslateColour(core::Colour colour) noexcept;

// How a point size becomes a character height. The forms round the exact pixel height; the command
// bar has always taken whole points first (half to even) and scaled those.
enum class FontRounding { NearestPixel, WholePoints };

// Face (cut to fit), em height for dpi, weight, italic, underline, strike-out and character set;
// everything else, the quality included, is left at zero for the caller.
LOGFONTW MakeLogFont(const core::FontDescription& font, int dpi, FontRounding rounding);

// The one way a font description becomes a GDI font: MakeLogFont with the caller's quality, turned
// by escapement tenths of a degree (2700 runs downwards, for vertical captions).
UniqueFont CreateFontFrom(const core::FontDescription& font, int dpi, FontRounding rounding, BYTE quality,
                          int escapement = 0);

// The inverse, for a font GDI already has: face, points at dpi from the height's size (cell or
// character height alike), bold from the weight, the styles and the character set.
core::FontDescription DescribeLogFont(const LOGFONTW& logFont, int dpi);

}  // namespace win
