#include "app/screen_fonts.h"

#include <windows.h>

#include <exception>

#include "core/app/font_family_list.h"
#include "win/handles.h"

namespace app {

namespace {

struct Collection {
    core::FontFamilyList families;
    std::exception_ptr failure;
};

int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM target) {
    auto* collection = reinterpret_cast<Collection*>(target);
    // Nothing may unwind through the platform's enumeration: stop it and rethrow afterwards.
    try {
        collection->families.Add(font->lfFaceName, {font->lfCharSet == RUSSIAN_CHARSET,
                                                    (font->lfPitchAndFamily & 0x3) == FIXED_PITCH});
        return 1;
    } catch (...) {
        collection->failure = std::current_exception();
        return 0;
    }
}

}  // namespace

std::vector<core::FontFamily> ScreenFontFamilies() {
    Collection collection;
    win::WindowDc screen(nullptr);
    if (!screen.get()) return {};
    // Every family in every character set; the list keeps the first report of each family, and
    // the family is Cyrillic when one of its reports is.
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(screen.get(), &query, &CollectFamily, reinterpret_cast<LPARAM>(&collection), 0);
    if (collection.failure) std::rethrow_exception(collection.failure);
    return collection.families.Families();
}

}  // namespace app
