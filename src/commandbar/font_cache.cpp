#include "commandbar/font_cache.h"

#include <algorithm>

#include "commandbar/drawing_utilities.h"
#include "win/gdi.h"

namespace commandbar {

HFONT FontCache::Font(const core::FontDescription& font, int escapement, HDC hdc) {
    auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.name == font.name && e.size == font.points && e.escapement == escapement;
    });
    if (entry == entries_.end()) {
        entries_.push_back(Entry{font.name, font.points, escapement, {}});
        entry = entries_.end() - 1;
    }
    if (!entry->handle) {
        // Whole points, as the bars have always measured their captions.
        entry->handle = win::CreateFontFrom(font, ::GetDeviceCaps(hdc, LOGPIXELSY), win::FontRounding::WholePoints,
                                            CaptionQuality(), escapement);
    }
    return entry->handle.get();
}

}  // namespace commandbar
