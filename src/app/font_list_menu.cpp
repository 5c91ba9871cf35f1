#include "app/font_list_menu.h"

#include <windowsx.h>

#include "core/app/main_menu_table.h"

namespace app {

namespace cb = core::commandbar;

void FontListMenu::Build(MainMenu& menu) {
    menu.AddButtons(core::FontListMenuButtons());
    cb::CommandBar bar = menu.AddBar(core::kFontListMenuKey, core::kFontListMenuTitle);
    cb::Buttons buttons = menu.MenuBar().Buttons();
    for (std::wstring_view key : core::FontListMenuKeys()) bar.Buttons().Add(buttons.Item(key));
}

void FontListMenu::Show(const MainMenu& menu, win::ListBox& list, LPARAM point) {
    POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    if (point == -1) {
        RECT item{};
        if (list.Selected() < 0 ||
            ::SendMessageW(list.hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(list.Selected()),
                           reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
            return;
        }
        at = {item.left, item.bottom};
        ::ClientToScreen(list.hwnd(), &at);
    } else {
        POINT client = at;
        ::ScreenToClient(list.hwnd(), &client);
        const LRESULT hit = ::SendMessageW(list.hwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
        if (HIWORD(hit) != 0) return;  // below the last font
        const int index = LOWORD(hit);
        if (index != list.Selected()) {
            list.Select(index);
            // As a click would: the preview follows the selection.
            ::SendMessageW(::GetParent(list.hwnd()), WM_COMMAND, MAKEWPARAM(list.id(), LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list.hwnd()));
        }
    }
    menu.MenuBar().ShowPopupMenu(at.x, at.y, menu.MenuBar().CommandBars().Item(core::kFontListMenuKey));
}

}  // namespace app
