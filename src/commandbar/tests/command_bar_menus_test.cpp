// Menus and tool bars driven by real input (SendInput) into real windows.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_hooks.h"
#include "core/commandbar/drop_shadow.h"
#include "menu_rig.h"
#include "support/gui_resources.h"
#include "support/canvas.h"
#include "support/png_writer.h"

namespace commandbar {
namespace {

namespace cb = core::commandbar;
using testing::AltWith;
using testing::Click;
using testing::Key;
using testing::Entry;
using testing::MenuRig;
using testing::SendMouse;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using S = cb::ButtonStyle;
using Keys = std::vector<std::wstring>;

// A main menu bar: File (eight items with separators and an export submenu that has its own
// submenu) and View.
CommandBarWindow& BuildMenuBar(MenuRig& rig, RECT bounds = {0, 0, 400, 24}) {
    CommandBarWindow& bar = rig.AddControl(bounds, true);
    // Wide submenus, so that one near the right edge of the work area has to flip.
    rig.Bar(bar, L"MORE", {{L"TIFF", L"TIFF — Tagged Image File Format"}, {L"GIF", L"GIF"}});
    rig.Bar(bar, L"EXPORT", {{L"PNG", L"PNG — Portable Network Graphics"}, {L"BMP", L"BMP"},
                             {L"MOREITEM", L"Ещё", S::Normal, L"MORE"}});
    rig.Bar(bar, L"FILE",
            {{L"OPEN", L"&Open"}, {L"SAVE", L"&Save"}, {L"S1", L"", S::Separator},
             {L"EXPORTITEM", L"&Export", S::Normal, L"EXPORT"}, {L"PRINT", L"&Print"}, {L"S2", L"", S::Separator},
             {L"PROPS", L"Свойства"}, {L"EXIT", L"E&xit"}});
    rig.Bar(bar, L"VIEW", {{L"ZOOM", L"&Zoom"}});
    bar.SetToolbar(rig.Bar(bar, L"MENU", {{L"FILETITLE", L"&File", S::Normal, L"FILE"},
                                          {L"VIEWTITLE", L"&View", S::Normal, L"VIEW"}}));
    return bar;
}

// A menu's window is as wide as its items and two pixels taller, whatever its pooled window
// showed before.
bool SizedToItsItems(const CommandBarWindow& menu) {
    RECT window{};
    ::GetWindowRect(menu.hwnd(), &window);
    LONG right = 0, bottom = 0;
    for (const auto& item : menu.DisplayInfo()) {
        right = std::max<LONG>(right, item.right);
        bottom = std::max<LONG>(bottom, item.bottom);
    }
    return window.right - window.left == right && window.bottom - window.top == bottom + 2;
}

int Hot(const CommandBarWindow& control) {
    const auto& info = control.DisplayInfo();
    for (std::size_t i = 0; i < info.size(); ++i) {
        if (info[i].mouseOver) return static_cast<int>(i) + 1;
    }
    return 0;
}

TEST(CommandBarMenus, ToolbarMouseClicksDropsDownAndReportsRightClicks) {
    MenuRig rig;
    CommandBarWindow& toolbar = rig.AddControl({0, 40, 400, 70});
    rig.Bar(toolbar, L"DROP", {{L"ONE", L"One"}});
    toolbar.SetToolbar(rig.Bar(toolbar, L"TOOLS",
                               {{L"PLAIN", L"Plain"}, {L"SPLIT", L"Split", S::Split, L"DROP"},
                                {L"ARROW", L"Arrow", S::Normal, L"DROP"}}));
    std::vector<std::optional<std::wstring>> rightClicks;
    toolbar.events.rightClick = [&](const std::optional<cb::Button>& button, int, int) {
        rightClicks.push_back(button ? std::optional(button->Key()) : std::nullopt);
    };
    bool cancel = false;
    toolbar.events.buttonDropDown = [&](const cb::Button&, bool& cancelled) { cancelled = cancel; };

    // A press dragged off the button and released elsewhere is no click; a press and release is.
    const POINT plain = MenuRig::ItemCentre(toolbar, 1);
    SendMouse(plain);
    SendMouse(plain, MOUSEEVENTF_LEFTDOWN);
    SendMouse({plain.x, plain.y + 120});
    SendMouse({plain.x, plain.y + 120}, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(rig.clicks, Keys{});
    Click(plain);
    EXPECT_EQ(rig.clicks, Keys{L"PLAIN"});

    // The split button's main part clicks; its arrow drops down.
    const RECT split = MenuRig::ItemRect(toolbar, 2);
    Click({split.left + 4, (split.top + split.bottom) / 2});
    EXPECT_EQ(rig.clicks, (Keys{L"PLAIN", L"SPLIT"}));
    EXPECT_EQ(rig.Shown(), Keys{});
    Click({split.right - 3, (split.top + split.bottom) / 2});
    EXPECT_EQ(rig.Shown(), Keys{L"DROP"});
    EXPECT_EQ(rig.clicks.size(), 2u);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Registry().InMenuMode());

    // A press that opens a drop-down ends with its release, though that lands in the drop-down.
    const POINT arrow = MenuRig::ItemCentre(toolbar, 3);
    SendMouse(arrow);
    SendMouse(arrow, MOUSEEVENTF_LEFTDOWN);
    CommandBarWindow* drop = MenuRig::MenuOf(toolbar, 3);
    ASSERT_NE(drop, nullptr);
    SendMouse(MenuRig::ItemCentre(*drop, 1));
    SendMouse(MenuRig::ItemCentre(*drop, 1), MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(toolbar.DisplayInfo()[2].mouseDown);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);

    // A drop-down the handler cancels opens nothing; the release is then an ordinary click.
    cancel = true;
    Click(MenuRig::ItemCentre(toolbar, 3));
    EXPECT_EQ(rig.Shown(), Keys{});
    EXPECT_FALSE(Registry().InMenuMode());
    EXPECT_EQ(rig.clicks.back(), L"ARROW");

    // Right clicks name the button, or nothing on empty space.
    const RECT last = MenuRig::ItemRect(toolbar, 3);
    for (POINT at : {MenuRig::ItemCentre(toolbar, 1), POINT{last.right + 30, last.top + 4}}) {
        SendMouse(at);
        SendMouse(at, MOUSEEVENTF_RIGHTDOWN);
        SendMouse(at, MOUSEEVENTF_RIGHTUP);
    }
    ASSERT_EQ(rightClicks.size(), 2u);
    EXPECT_EQ(rig.clicks.size(), 3u);
    EXPECT_EQ(rightClicks[0], rig.Key(L"PLAIN"));
    EXPECT_EQ(rightClicks[1], std::nullopt);
}

TEST(CommandBarMenus, KeyboardDrivesTheMenuBar) {
    MenuRig rig;
    CommandBarWindow& bar = BuildMenuBar(rig);

    // Alt alone lights the first title without opening it; Down opens it on its first item.
    AltWith(0);
    EXPECT_TRUE(Registry().InMenuMode());
    EXPECT_EQ(Hot(bar), 1);
    EXPECT_EQ(rig.Shown(), Keys{});
    Key(VK_DOWN);
    CommandBarWindow* file = MenuRig::MenuOf(bar, 1);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Interaction()->CurrentPosition(), 1);
    EXPECT_TRUE(SizedToItsItems(*file));

    // Down walks over separators and wraps; Up wraps back.
    const int downs[] = {2, 4, 5, 7, 8, 1};
    for (int expected : downs) {
        Key(VK_DOWN);
        EXPECT_EQ(file->Interaction()->CurrentPosition(), expected);
    }
    Key(VK_UP);
    EXPECT_EQ(file->Interaction()->CurrentPosition(), 8);

    // Right leaves for the next title's menu.
    Key(VK_RIGHT);
    EXPECT_EQ(rig.Shown(), Keys{L"VIEW"});

    // Alt while a menu is open closes everything; its release lights the first title again.
    AltWith(0);
    EXPECT_EQ(rig.Shown(), Keys{});
    EXPECT_TRUE(Registry().InMenuMode());
    EXPECT_EQ(Hot(bar), 1);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Registry().InMenuMode());

    // Alt with a letter opens that title's menu; a letter in it clicks its item.
    AltWith('V');
    EXPECT_EQ(rig.Shown(), Keys{L"VIEW"});
    ASSERT_NE(MenuRig::MenuOf(bar, 2), nullptr);
    EXPECT_TRUE(SizedToItsItems(*MenuRig::MenuOf(bar, 2)));
    Key('Z');
    EXPECT_EQ(rig.clicks, Keys{L"ZOOM"});
    EXPECT_FALSE(Registry().InMenuMode());
    EXPECT_EQ(rig.Shown(), Keys{});

    // Alt with another key between its press and release (Alt+Shift switches keyboard layouts)
    // leaves menu mode off.
    for (WORD other : {VK_SHIFT, VK_CONTROL}) {
        testing::KeyWith(other, {VK_MENU});
        EXPECT_FALSE(Registry().InMenuMode()) << other;
    }

    // A disabled title opens from no key: not from its letter, not from Down once Right reached it.
    bar.Buttons().Item(rig.Key(L"VIEWTITLE")).SetEnabled(false);
    AltWith('V');
    AltWith(0);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    EXPECT_EQ(rig.Shown(), Keys{});
    Key(VK_ESCAPE);
    EXPECT_FALSE(Registry().InMenuMode());
}

TEST(CommandBarMenus, VerticalToolbarTurnsTheArrows) {
    MenuRig rig;
    CommandBarWindow& toolbar = rig.AddControl({0, 30, 60, 300}, false, 1);
    rig.Bar(toolbar, L"DROP", {{L"ONE", L"One"}});
    toolbar.SetToolbar(rig.Bar(toolbar, L"SIDE",
                               {{L"A", L"A", S::Normal, L"DROP"}, {L"B", L"B", S::Normal, L"DROP"}}));
    Click(MenuRig::ItemCentre(toolbar, 1));
    ASSERT_EQ(rig.Shown(), Keys{L"DROP"});
    Key(VK_ESCAPE);
    EXPECT_EQ(rig.Shown(), Keys{});
    Key(VK_DOWN);
    EXPECT_EQ(toolbar.Interaction()->CurrentPosition(), 2);
    EXPECT_EQ(rig.Shown(), Keys{});
    Key(VK_RIGHT);
    EXPECT_NE(MenuRig::MenuOf(toolbar, 2), nullptr);
}

TEST(CommandBarMenus, MouseOnMenusKeepsTitlesDelaysSubmenusAndClosesOnOutsideClicks) {
    MenuRig rig;
    CommandBarWindow& bar = BuildMenuBar(rig);
    Click(MenuRig::ItemCentre(bar, 1));
    CommandBarWindow* file = MenuRig::MenuOf(bar, 1);
    ASSERT_NE(file, nullptr);

    // Lighting the first item repaints it alone, to the pixels a whole repaint gives.
    MenuRig::Hover(*file, 1);
    ASSERT_TRUE(PumpUntil([&] { return Hot(*file) == 1; }, 2000));
    const auto lit = file->Canvas().Surface().Pixels();
    const std::vector<std::uint32_t> hovered(lit.begin(), lit.end());
    file->DrawBar();
    EXPECT_TRUE(std::ranges::equal(hovered, file->Canvas().Surface().Pixels()));

    // The pointer leaving for the form keeps the open title lit.
    SendMouse({300, 300});
    PumpFor(200);
    EXPECT_EQ(Hot(bar), 1);
    EXPECT_EQ(rig.Shown(), Keys{L"FILE"});

    // Resting on the submenu item opens its menu, but not before the delay.
    const DWORD start = ::GetTickCount();
    MenuRig::Hover(*file, 4);
    ASSERT_TRUE(PumpUntil([&] { return MenuRig::MenuOf(*file, 4) != nullptr; }, 2000));
    EXPECT_GE(::GetTickCount() - start, 250u);

    // A click in the form outside every control closes the menus and still reaches the form.
    const int before = rig.form.lastClicks;
    POINT outside{0, 0};
    ::ClientToScreen(rig.form.hwnd(), &outside);
    Click({outside.x + 300, outside.y + 250});
    EXPECT_EQ(rig.Shown(), Keys{});
    EXPECT_FALSE(Registry().InMenuMode());
    EXPECT_EQ(rig.form.lastClicks, before + 1);

    // The program losing activation closes them too.
    Click(MenuRig::ItemCentre(bar, 2));
    EXPECT_EQ(rig.Shown(), Keys{L"VIEW"});
    ::SendMessageW(rig.form.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(rig.Shown(), Keys{});
    EXPECT_FALSE(Registry().InMenuMode());

    // So does the form going with its menu bar: nothing of the menus is left behind.
    Click(MenuRig::ItemCentre(bar, 1));
    EXPECT_EQ(rig.Shown(), Keys{L"FILE"});
    ::DestroyWindow(rig.form.hwnd());
    EXPECT_EQ(rig.Shown(), Keys{});
    EXPECT_FALSE(Registry().InMenuMode());
    EXPECT_FALSE(MouseHookInstalled());
}

TEST(CommandBarMenus, ChevronListTogglesButtonsAndFollowsItsBar) {
    MenuRig rig;
    CommandBarWindow& first = rig.AddControl({0, 40, 400, 70});
    first.SetToolbar(rig.Bar(first, L"FIRST", {{L"F1", L"F1"}, {L"F2", L"F2"}}));
    CommandBarWindow& second = rig.AddControl({0, 80, 400, 110});
    second.SetToolbar(rig.Bar(second, L"SECOND", {{L"S1", L"S1"}}));

    auto listed = [&] {
        std::vector<std::wstring> keys;
        const cb::BarRecord& list = Registry().GetBar(L"CHEVRON:ADDORREMOVE");
        for (int i = 1; i <= list.Count() && list.Item(i)->Style() != S::Separator; ++i) {
            keys.push_back(list.Item(i)->Key());
        }
        return keys;
    };
    auto openList = [&](CommandBarWindow& control) -> CommandBarWindow* {
            const RECT rect = MenuRig::ItemRect(control, 1);
        control.ShowChevronMenu(rect.left, rect.bottom);
        PumpFor(50);
        CommandBarWindow* chevron = nullptr;
        for (auto& popup : rig.pool) {
            if (::IsWindowVisible(popup->hwnd()) && popup->BarKey() == L"CHEVRON") chevron = popup.get();
        }
        // The chevron menu, then the bar's own entry, lead to the list.
        for (int level = 0; chevron && level < 2; ++level) {
            MenuRig::Hover(*chevron, 1);
            PumpUntil([&] { return MenuRig::MenuOf(*chevron, 1) != nullptr; }, 2000);
            chevron = MenuRig::MenuOf(*chevron, 1);
        }
        return chevron;
    };

    CommandBarWindow* list = openList(first);
    ASSERT_NE(list, nullptr) << ::testing::PrintToString(rig.Shown());
    EXPECT_EQ(listed(), (Keys{rig.Key(L"F1"), rig.Key(L"F2")}));
    Click(MenuRig::ItemCentre(*list, 1));
    EXPECT_FALSE(first.Buttons().Item(rig.Key(L"F1")).Visible());
    EXPECT_TRUE(::IsWindowVisible(list->hwnd()));
    Click(MenuRig::ItemCentre(*list, 1));
    EXPECT_TRUE(first.Buttons().Item(rig.Key(L"F1")).Visible());
    Registry().SetMenuMode(false, 0);

    ASSERT_NE(openList(second), nullptr);
    EXPECT_EQ(listed(), Keys{rig.Key(L"S1")});
}

// Where menus open near the work area's edges and in the system style.
TEST(CommandBarMenus, PlacementFlipsAtEdgesAndTheSystemStyleJoinsFlush) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char* name;
        RECT form;
        std::int32_t style;
    };
    const Case cases[] = {
        {"near the bottom", {60, work.bottom - 60, 560, work.bottom + 200}, 1},
        {"near the right edge", {work.right - 330, 60, work.right + 300, 460}, 1},
        {"system style", {60, 60, 560, 460}, static_cast<std::int32_t>(core::ColourStyle::System)},
    };
    const std::int32_t style = GetStyle();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuRig rig(c.form);
        CommandBarWindow& bar = BuildMenuBar(rig, {0, 0, 180, 24});
        bar.SetStyle(c.style);
        Click(MenuRig::ItemCentre(bar, 1));
        CommandBarWindow* file = MenuRig::MenuOf(bar, 1);
        ASSERT_NE(file, nullptr);
        RECT item = MenuRig::ItemRect(bar, 1);
        RECT popup{};
        ::GetWindowRect(file->hwnd(), &popup);
        const cb::PopupContext& context = file->Interaction()->Context();
        // The border row facing the title: open (another colour than the border's far end) where it
        // touches the title, unless the style draws no join.
        auto joinOpen = [&](int row) {
            const win::DibSurface& surface = file->Canvas().Surface();
            auto pixel = [&](int x) { return surface.Pixels()[static_cast<std::size_t>(row) * surface.Width() + x]; };
            return pixel((item.left + item.right) / 2 - popup.left) != pixel(surface.Width() - 3);
        };
        if (c.form.top == work.bottom - 60) {
            EXPECT_EQ(context.side, cb::PopupSide::Above);
            EXPECT_LE(popup.bottom, item.bottom);
            EXPECT_TRUE(joinOpen(file->Canvas().Surface().Height() - 1));
        } else if (c.style == 1) {
            // The submenu and its own submenu both open to the left of their items.
            Key(VK_DOWN);
            Key(VK_DOWN);
            Key(VK_DOWN);
            Key(VK_RIGHT);
            CommandBarWindow* exporter = MenuRig::MenuOf(*file, 4);
            ASSERT_NE(exporter, nullptr);
            EXPECT_EQ(exporter->Interaction()->Context().side, cb::PopupSide::Left);
            Key(VK_UP);
            Key(VK_RIGHT);
            CommandBarWindow* more = MenuRig::MenuOf(*exporter, 3);
            ASSERT_NE(more, nullptr);
            EXPECT_EQ(more->Interaction()->Context().side, cb::PopupSide::Left);
            RECT parent{}, child{};
            ::GetWindowRect(exporter->hwnd(), &parent);
            ::GetWindowRect(more->hwnd(), &child);
            EXPECT_LT(child.left, parent.left);
        } else {
            EXPECT_EQ(popup.top, item.bottom);
            EXPECT_FALSE(joinOpen(0));
        }
    }
    SetStyle(style);
}

TEST(CommandBarMenus, ShownPopupCastsItsShadowsAlongItsEdges) {
    MenuRig rig;
    CommandBarWindow& bar = BuildMenuBar(rig);
    Click(MenuRig::ItemCentre(bar, 1));
    CommandBarWindow* file = MenuRig::MenuOf(bar, 1);
    ASSERT_NE(file, nullptr);
    RECT popup{};
    ::GetWindowRect(file->hwnd(), &popup);
    for (const MenuDropShadow* strip : {&file->Shadows().Right(), &file->Shadows().Bottom()}) {
        ASSERT_TRUE(::IsWindowVisible(strip->hwnd()));
        const cb::ShadowStrip expected = cb::ShadowStripFor(strip->ShadowType(), popup.left, popup.top, popup.right,
                                                            popup.bottom, strip->ShadowSize());
        RECT actual{};
        ::GetWindowRect(strip->hwnd(), &actual);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right - actual.left, expected.width);
        EXPECT_EQ(actual.bottom - actual.top, expected.height);
    }
    Key(VK_ESCAPE);
    EXPECT_FALSE(::IsWindowVisible(file->Shadows().Right().hwnd()));
}

// GLYPH_MENU_CYCLES sets the count (10,000 for the long run).
TEST(CommandBarMenus, OpeningAndClosingMenusLeaksNothing) {
    const char* count = std::getenv("GLYPH_MENU_CYCLES");
    const int cycles = count ? std::atoi(count) : 40;
    MenuRig rig;
    CommandBarWindow& bar = BuildMenuBar(rig);
    Click(MenuRig::ItemCentre(bar, 1));
    CommandBarWindow* file = MenuRig::MenuOf(bar, 1);
    ASSERT_NE(file, nullptr);
    file->Interaction()->OpenItemMenu(4, false);
    Registry().SetMenuMode(false, 0);
    const unsigned gdi = testing_support::GdiObjectCount();
    const unsigned user = testing_support::UserObjectCount();
    for (int i = 0; i < cycles; ++i) {
        bar.Interaction()->OpenItemMenu(1, false);
        file->Interaction()->OpenItemMenu(4, false);
        Registry().SetMenuMode(false, 0);
    }
    EXPECT_EQ(testing_support::GdiObjectCount(), gdi);
    EXPECT_EQ(testing_support::UserObjectCount(), user);
    std::printf("%d drop-down and submenu cycles: GDI %u -> %u, USER %u -> %u\n", cycles, gdi,
                testing_support::GdiObjectCount(), user, testing_support::UserObjectCount());
}

// With GLYPH_GALLERY_DIR set: menu-style<N>.png, an open drop-down with its submenu and shadows.
TEST(CommandBarMenus, ScreenshotsOfOpenMenus) {
    wchar_t folder[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"GLYPH_GALLERY_DIR", folder, MAX_PATH)) GTEST_SKIP() << "GLYPH_GALLERY_DIR not set";
    const std::int32_t style = GetStyle();
    for (std::int32_t s = 0; s <= 3; ++s) {
        MenuRig rig;
        CommandBarWindow& bar = BuildMenuBar(rig);
        bar.SetStyle(s);
        Click(MenuRig::ItemCentre(bar, 1));
        CommandBarWindow* file = MenuRig::MenuOf(bar, 1);
        ASSERT_NE(file, nullptr);
        MenuRig::Hover(*file, 4);
        ASSERT_TRUE(PumpUntil([&] { return MenuRig::MenuOf(*file, 4) != nullptr; }, 2000));
        PumpFor(200);
        RECT area{};
        ::GetWindowRect(rig.form.hwnd(), &area);
        const int width = 520, height = 260;
        testing_support::Canvas canvas(width, height);
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(canvas.dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
        const std::wstring path = std::wstring(folder) + L"\\menu-style" + std::to_wstring(s) + L".png";
        EXPECT_TRUE(testing_support::WritePng(path, canvas.Bits(), width, height, 2));
    }
    SetStyle(style);
}

}  // namespace
}  // namespace commandbar
