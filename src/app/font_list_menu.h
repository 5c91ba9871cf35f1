#pragma once
// The font list's context menu, drawn by our own popup menus: the main menu's entries that act on
// the selected font, and "Копировать имя". Its entries report clicks like the main menu's, so the
// main window's commands run them. A right click selects the font under the pointer first; the
// menu key and Shift+F10 open it at the selected font.

#include <windows.h>

#include "app/main_menu.h"
#include "win/controls.h"

namespace app {

class FontListMenu {
public:
    // Creates the menu's own buttons and its bar; once, after the main menu is built.
    static void Build(MainMenu& menu);

    // For WM_CONTEXTMENU from the list: a screen point, or -1 from the keyboard. Nothing shows
    // while no font is selected.
    static void Show(const MainMenu& menu, win::ListBox& list, LPARAM point);
};

}  // namespace app
