#include "app/screen_fonts.h"

#include <windows.h>

#include "core/font_family_list.h"
#include "win/handles.h"

namespace app {

namespace {

int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM target) {
    reinterpret_cast<core::FontFamilyList*>(target)->Add(font->lfFaceName);
    return 1;
}

}  // namespace

std::vector<std::wstring> ScreenFontFamilies() {
    core::FontFamilyList families;
    win::WindowDc screen(nullptr);
    if (!screen.get()) return {};
    // Every family in every character set; the list keeps the first report of each family.
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(screen.get(), &query, &CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
    return families.Names();
}

}  // namespace app
