#include "win/gdi.h"

namespace win {

COLORREF ToColorRef(core::Colour colour) {
    if (core::IsSystemColourRef(colour)) return ::GetSysColor(core::SystemColourIndex(colour));
    return static_cast<COLORREF>(core::RgbPart(colour));
}

}  // namespace win
