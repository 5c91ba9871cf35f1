#pragma once
// The program's values as GDI takes them: OLE colours as COLORREF.

#include <windows.h>

#include "core/colour_math.h"

namespace win {

// A system colour reference becomes the desktop's current colour, anything else its RGB bytes.
COLORREF ToColorRef(core::Colour colour);

}  // namespace win
