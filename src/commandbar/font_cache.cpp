#include "commandbar/font_cache.h"

#include <algorithm>

#include "commandbar/drawing_utilities.h"

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
        LOGFONTW logFont = LogFontFromDescription(font, hdc);
        logFont.lfEscapement = escapement;
        logFont.lfOrientation = escapement;
        entry->handle.reset(::CreateFontIndirectW(&logFont));
    }
    return entry->handle.get();
}

}  // namespace commandbar
