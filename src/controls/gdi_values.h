#pragma once
// Persisted fonts and OLE colours turned into what GDI draws with.

#include <windows.h>

#include <cstdint>

#include "core/property_bag.h"
#include "win/handles.h"

namespace controls {

// The font at the screen's real DPI.
win::UniqueFont CreateFontFrom(const core::FontDescription& font);

}  // namespace controls
