// With GLYPH_GALLERY_DIR set, draws real controls into one picture per colour style:
// gallery-<dpi>dpi-style<N>.png holds a menu bar, a horizontal and a vertical tool bar and every
// drop-down bar of the menu laid out as a menu, for a person to look at.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_window.h"
#include "imaging/image_list.h"
#include "support/canvas.h"
#include "support/png_writer.h"
#include "test_bar_window.h"
#include "win/dpi.h"
#include "win/module.h"

namespace commandbar {
namespace {

namespace cb = core::commandbar;

const wchar_t* const kIconNames[] = {L"Load_fonts", L"Exit", L"Settings", L"License",
                                     L"Home_page",  L"Send_mail", L"About"};

bool LoadIcons(imaging::ImageList& list, const wchar_t* folder, int size) {
    list.IconSizeX = list.IconSizeY = size;
    list.ColourDepth = 32;
    if (!list.Create()) return false;
    const std::wstring data = win::ExecutableDirectory() + L"\\..\\app\\Data\\icons\\" + folder + L"\\";
    bool all = true;
    for (const wchar_t* name : kIconNames) {
        all = list.AddFromFile(data + name + L".ico", imaging::ImageType::Icon, name) && all;
    }
    return all;
}

struct Item {
    const wchar_t* key;
    int icon = -1;
    const wchar_t* caption = L"";
    cb::ButtonStyle style = cb::ButtonStyle::Normal;
    std::uint16_t shortcut = 0;
    bool checked = false;
    core::Colour colourBox = core::kNoColour;
};

cb::CommandBar Bar(CommandBarWindow& control, const std::wstring& key, const std::vector<Item>& items) {
    cb::CommandBar bar = control.CommandBars().Add(key);
    for (const Item& item : items) {
        cb::Button button = control.Buttons().Add(key + L":" + item.key, item.icon, item.caption, item.style, L"",
                                                  item.shortcut);
        if (item.checked) button.SetChecked(true);
        if (item.colourBox != core::kNoColour) button.SetColourBox(item.colourBox);
        bar.Buttons().Add(button);
    }
    return bar;
}

// The menu's drop-down bars, in title order.
std::vector<cb::CommandBar> BuildMenus(CommandBarWindow& control) {
    using S = cb::ButtonStyle;
    std::vector<cb::CommandBar> menus;
    menus.push_back(Bar(control, L"MENU:FILE",
                        {{L"LOAD", 0, L"&Загрузить шрифты", S::Normal, 'L'},
                         {L"SEP", -1, L"", S::Separator},
                         {L"EXIT", 1, L"&Выход", S::Normal, VK_F4}}));
    menus.push_back(Bar(control, L"MENU:VIEW",
                        {{L"TOOLBAR", -1, L"&Панель инструментов", S::Check, 0, true},
                         {L"TOP", 2, L"Поверх &всех окон", S::Check},
                         {L"OFF", -1, L"Недоступный пункт"}}));
    menus.push_back(Bar(control, L"MENU:SIZE",
                        {{L"10", -1, L"10", S::Radio}, {L"14", -1, L"14", S::Radio, 0, true}, {L"26", -1, L"26", S::Radio}}));
    std::vector<Item> colours;
    const core::Colour boxes[] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x808080,
                                  0xFFFFFF};
    const wchar_t* keys[] = {L"C1", L"C2", L"C3", L"C4", L"C5", L"C6", L"C7", L"C8", L"C9"};
    for (int i = 0; i < 9; ++i) colours.push_back({keys[i], -1, L"", S::Normal, 0, false, boxes[i]});
    menus.push_back(Bar(control, L"MENU:COLOUR", colours));
    menus.push_back(Bar(control, L"MENU:HELP",
                        {{L"LICENSE", 3, L"&Лицензия"}, {L"HOME", 4, L"&Домашняя страница"}, {L"ABOUT", 6, L"&О программе"}}));
    menus[1].Buttons().Item(3).SetEnabled(false);
    return menus;
}

void Blit(testing_support::Canvas& sheet, const CommandBarWindow& control, int x, int y) {
    ::BitBlt(sheet.dc(), x, y, control.Canvas().Surface().Width(), control.Canvas().Surface().Height(), control.Canvas().Surface().Dc(), 0, 0,
             SRCCOPY);
}

TEST(CommandBarGallery, DrawsEveryKindOfBarInEveryStyle) {
    wchar_t folder[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"GLYPH_GALLERY_DIR", folder, MAX_PATH)) GTEST_SKIP() << "GLYPH_GALLERY_DIR not set";
    const int dpi = win::ScreenDpi();
    testing::TestForm form;
    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);

    // Icons follow the screen's scale in whole sizes the icon files hold, so none is stretched.
    imaging::ImageList menuIcons, toolbarIcons;
    ASSERT_TRUE(LoadIcons(menuIcons, L"menu", dpi >= 144 ? 24 : 16));
    ASSERT_TRUE(LoadIcons(toolbarIcons, L"toolbar", dpi >= 144 ? 48 : 32));

    CommandBarWindow menuBar, toolbar, vertical;
    menuBar.Create({form.hwnd(), RECT{0, 0, 860, 20}});
    toolbar.Create({form.hwnd(), RECT{0, 40, 860, 60}});
    vertical.Create({form.hwnd(), RECT{0, 100, 20, 560}});
    menuBar.SetMainMenu(true);
    menuBar.SetMenuImageList(menuIcons.Handle());
    toolbar.SetToolbarImageList(toolbarIcons.Handle());
    vertical.SetToolbarImageList(toolbarIcons.Handle());
    vertical.SetOrientation(1);

    std::vector<cb::CommandBar> menus = BuildMenus(menuBar);
    const wchar_t* titles[] = {L"&Файл", L"&Вид", L"&Размер шрифта", L"&Цвет", L"&Справка"};
    std::vector<Item> titleItems;
    const wchar_t* titleKeys[] = {L"FILE", L"VIEW", L"SIZE", L"COLOUR", L"HELP"};
    for (int i = 0; i < 5; ++i) titleItems.push_back({titleKeys[i], -1, titles[i]});
    cb::CommandBar mainBar = Bar(menuBar, L"MENU", titleItems);
    for (int i = 0; i < 5; ++i) {
        mainBar.Buttons().Item(i + 1).SetBar(menus[static_cast<std::size_t>(i)]);
        mainBar.Buttons().Item(i + 1).SetShowCaptionInToolbar(true);
    }
    menuBar.SetToolbar(mainBar);

    using S = cb::ButtonStyle;
    cb::CommandBar tools =
        Bar(toolbar, L"TOOLBAR",
            {{L"LOAD", 0, L"Загрузить"}, {L"SETTINGS", 2, L"Настройки", S::Check, 0, true}, {L"SEP", -1, L"", S::Separator},
             {L"HOME", 4, L"Сайт", S::Split}, {L"MAIL", 5, L"Письмо"}, {L"SEP2", -1, L"", S::Separator},
             {L"ABOUT", 6, L"О программе"}, {L"EXIT", 1, L"Выход"}});
    tools.Buttons().Item(1).SetShowCaptionInToolbar(true);
    tools.Buttons().Item(5).SetEnabled(false);
    toolbar.SetToolbar(tools);
    vertical.SetToolbar(tools);

    std::vector<std::unique_ptr<CommandBarWindow>> popups;
    for (const cb::CommandBar& menu : menus) {
        auto host = std::make_unique<CommandBarWindow>();
        host->Create({form.hwnd(), RECT{0, 0, 10, 10}, false});
        host->MakePopupHost();
        host->CopyPopupSettings(menuBar);
        host->SetToolbar(menu);
        popups.push_back(std::move(host));
    }

    for (int style = 0; style < 4; ++style) {
        SetStyle(style);
        // Hot items show the highlight of the style.
        menuBar.DisplayInfo()[1].mouseOver = true;
        menuBar.DrawBar();
        toolbar.DisplayInfo()[0].mouseOver = true;
        toolbar.DrawBarItem(1);
        popups[0]->DisplayInfo()[0].mouseOver = true;
        popups[0]->DrawBarItem(1);
        int width = vertical.Canvas().Surface().Width() + 8;
        int height = 0;
        for (const auto& popup : popups) {
            width += popup->Canvas().Surface().Width() + 8;
            height = std::max(height, popup->Canvas().Surface().Height());
        }
        const int top = menuBar.Canvas().Surface().Height() + toolbar.Canvas().Surface().Height() + 16;
        height = top + std::max(height, vertical.Canvas().Surface().Height()) + 8;
        testing_support::Canvas sheet(std::max(width, toolbar.Canvas().Surface().Width()), height, RGB(255, 255, 255));
        Blit(sheet, menuBar, 0, 0);
        Blit(sheet, toolbar, 0, menuBar.Canvas().Surface().Height() + 8);
        Blit(sheet, vertical, 0, top);
        int x = vertical.Canvas().Surface().Width() + 8;
        for (const auto& popup : popups) {
            Blit(sheet, *popup, x, top);
            x += popup->Canvas().Surface().Width() + 8;
        }
        const std::wstring path = std::wstring(folder) + L"\\gallery-" + std::to_wstring(dpi) + L"dpi-style" +
                                  std::to_wstring(style) + L".png";
        EXPECT_TRUE(testing_support::WritePng(path, sheet.Bits(), sheet.width(), sheet.height()));
    }
    SetStyle(1);
}

}  // namespace
}  // namespace commandbar
