#pragma once
// Font handles of one command bar control, kept for its lifetime: one per face name, point size
// and escapement, created on first use and never evicted.

#include <windows.h>

#include <string>
#include <vector>

#include "core/font_description.h"
#include "win/handles.h"

namespace commandbar {

class FontCache {
public:
    FontCache() = default;
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // Entries match on name, size and escapement only; the other attributes of `font` are used
    // when the handle is first created. escapement is in tenths of a degree (2700 runs downwards).
    HFONT Font(const core::FontDescription& font, int escapement, HDC hdc);

    std::size_t Count() const noexcept { return entries_.size(); }

private:
    struct Entry {
        std::wstring name;
        double size = 0;
        int escapement = 0;
        win::UniqueFont handle;
    };
    std::vector<Entry> entries_;
};

}  // namespace commandbar
