#pragma once
// The faces of a font family as the platform lists them, and what one face says about itself:
// its tables read through GetFontData from the face selected into a DC, and its file.

#include <windows.h>

#include <string>
#include <vector>

#include "app/font_file_locator.h"
#include "core/fonts/font_facts.h"

namespace app {

struct FontFace {
    LOGFONTW logFont{};
    std::wstring style;     // "Regular", "Bold"... as the platform names it
    std::wstring fullName;  // the name the platform enumerates it under
};

// One entry per face, in the platform's order; a family the platform does not list gets the one
// face it substitutes, so that the preview's font is still described.
std::vector<FontFace> FacesOfFamily(const std::wstring& family);

// The face the preview shows: upright and nearest to normal weight.
std::size_t PreviewedFaceIndex(const std::vector<FontFace>& faces);

core::fonts::FontFacts ReadFaceFacts(const FontFace& face, const FontFileLocator& files);

}  // namespace app
