#pragma once
// Persisted fonts and OLE colours turned into what GDI draws with.

#include <windows.h>

#include <cstdint>

#include "core/property_bag.h"
#include "win/handles.h"

namespace controls {

// A system colour (top bit set plus an index) becomes its current RGB; a plain one stays as it is.
COLORREF TranslateColour(std::uint32_t oleColour);

// The font at the screen's real DPI.
win::UniqueFont CreateFontFrom(const core::FontSpec& font);

}  // namespace controls
