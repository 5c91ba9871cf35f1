#include "core/commandbar/bar_interaction.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "core/commandbar/command_bar_registry.h"
#include "core/commandbar/menu_hooks.h"
#include "menu_world.h"

namespace core::commandbar {

namespace {

using testing::MenuFake;
using testing::MenuWorld;
using Events = std::vector<std::wstring>;

constexpr std::uint16_t kEnter = 13;
constexpr std::uint16_t kEscape = 27;
constexpr std::uint16_t kLeft = 37;
constexpr std::uint16_t kRight = 39;
constexpr std::uint16_t kDown = 40;
constexpr std::uint32_t kLeftButtonUp = 0x0202;

struct MouseCase {
    const char* name;
    std::function<void(MenuWorld&, MenuFake&)> act;
    Events events;
    bool menuOpen;
};

// Tool bar A, B, split S and D, both with the menu M.
TEST(BarInteractionTest, ClicksDropDownsAndRightClicksFollowThePointer) {
    const MouseCase cases[] = {
        {"press and release", [](MenuWorld& w, MenuFake& t) { w.MoveTo(t, t.At(1)), w.Press(t), w.Release(t); },
         {L"click:A"}, false},
        {"dragged off", [](MenuWorld& w, MenuFake& t) {
             w.MoveTo(t, t.At(1)), w.Press(t), w.MoveTo(t, t.At(2), MouseButton::Left), w.Release(t);
         }, {}, false},
        {"dragged off and back", [](MenuWorld& w, MenuFake& t) {
             w.MoveTo(t, t.At(1)), w.Press(t), w.MoveTo(t, t.At(2), MouseButton::Left);
             w.MoveTo(t, t.At(1, 8), MouseButton::Left), w.Release(t);
         }, {L"click:A"}, false},
        {"pressed where the highlight was lost", [](MenuWorld& w, MenuFake& t) {
             w.cursor = t.At(1), w.Press(t), w.Release(t);
         }, {L"click:A"}, false},
        {"split arrow", [](MenuWorld& w, MenuFake& t) { w.MoveTo(t, t.At(3, 45)), w.Press(t), w.Release(t); },
         {L"dropdown:S"}, true},
        {"split main part", [](MenuWorld& w, MenuFake& t) { w.MoveTo(t, t.At(3)), w.Press(t), w.Release(t); },
         {L"click:S"}, false},
        {"cancelled drop-down", [](MenuWorld& w, MenuFake& t) {
             w.cancelDropDown = true, w.MoveTo(t, t.At(3, 45)), w.Press(t), w.Release(t);
         }, {L"dropdown:S"}, false},
        {"a press that opens a drop-down, released inside it", [](MenuWorld& w, MenuFake& t) {
             w.MoveTo(t, t.At(4)), w.Press(t);
             MenuFake& menu = *w.Popup(L"M");
             w.MoveTo(menu, menu.At(1), MouseButton::Left);
             MouseHookDecision(w.registry, 0, kLeftButtonUp, menu.Hwnd());
             w.Release(menu);
         }, {L"dropdown:D"}, true},
        {"right click on empty space", [](MenuWorld& w, MenuFake& t) {
             w.MoveTo(t, {400, 7}), w.Press(t, MouseButton::Right), w.Release(t, MouseButton::Right);
         }, {L"right:- 390,2"}, false},
    };
    for (const MouseCase& c : cases) {
        SCOPED_TRACE(c.name);
        MenuWorld world;
        world.MakeBar(L"M", {L"X"});
        world.MakeBar(L"T", {L"A", L"B", L"S>M", L"D>M"});
        world.Button(L"S").SetStyle(ButtonStyle::Split);
        MenuFake& tools = world.AddControl({10, 5}, L"T");
        c.act(world, tools);
        EXPECT_EQ(world.events, c.events);
        EXPECT_EQ(world.Popup(L"M") != nullptr, c.menuOpen);
        EXPECT_EQ(world.registry.InMenuMode(), c.menuOpen);
        for (const DisplayButtonInfo& item : tools.items) EXPECT_FALSE(item.mouseDown || item.mouseDownSplit);
    }
}

struct SelectionCase {
    std::vector<std::wstring> buttons;
    std::int32_t from;
    std::int32_t step;
    bool toFirst, toLast;
    std::int32_t expected;
};

TEST(BarInteractionTest, KeyboardSelectionSkipsSeparatorsAndInvisibleItemsAndWraps) {
    const SelectionCase cases[] = {
        {{L"A", L"-S", L"B"}, 1, 1, false, false, 3},
        {{L"A", L"-S", L"B"}, 3, 1, false, false, 1},
        {{L"A", L"-S", L"B"}, 1, -1, false, false, 3},
        {{L"A", L"~B", L"C"}, 1, 1, false, false, 3},
        {{L"A", L"!B"}, 1, 1, false, false, 2},
        {{L"-S", L"A", L"-T"}, 2, 1, false, false, 2},
        {{L"-S", L"~A"}, 0, 1, false, false, 0},
        {{L"A", L"B", L"-S"}, 1, 0, false, true, 2},
        {{L"-S", L"A", L"B"}, 3, 0, true, false, 2},
    };
    for (const SelectionCase& c : cases) {
        MenuWorld world;
        world.MakeBar(L"T", c.buttons);
        MenuFake& tools = world.AddControl({0, 0}, L"T");
        if (c.from != 0) tools.interaction.UpdateHotItem(MouseButton::None, c.from, false, true);
        tools.interaction.MoveSelection(c.step, c.toFirst, c.toLast);
        EXPECT_EQ(tools.interaction.CurrentPosition(), c.expected) << "from " << c.from << " step " << c.step;
        EXPECT_FALSE(tools.lostMouseTimer);
    }
}

TEST(BarInteractionTest, VerticalToolBarWalksWithDownAndOpensWithRight) {
    MenuWorld world;
    world.MakeBar(L"M1", {L"X"});
    world.MakeBar(L"M2", {L"Y"});
    world.MakeBar(L"T", {L"A>M1", L"B>M2"});
    MenuFake& tools = world.AddControl({0, 0});
    tools.orientation = Orientation::Left;
    tools.ShowBar(L"T");
    world.registry.SetMenuMode(true, tools.Hwnd());
    tools.interaction.UpdateHotItem(MouseButton::None, 1, false, true);
    tools.interaction.HandleMenuKey(kDown);
    EXPECT_EQ(tools.interaction.CurrentPosition(), 2);
    EXPECT_EQ(world.Popup(L"M2"), nullptr);
    tools.interaction.HandleMenuKey(kRight);
    ASSERT_NE(world.Popup(L"M2"), nullptr);
    // Opened to the right of the item, its first item selected.
    EXPECT_EQ(world.Popup(L"M2")->origin.x, 47);
    EXPECT_EQ(world.Popup(L"M2")->interaction.CurrentPosition(), 1);
}

TEST(BarInteractionTest, LeavingTheMenuBarKeepsTheOpenTitleLit) {
    for (bool menuOpen : {true, false}) {
        MenuWorld world;
        world.MakeBar(L"FM", {L"X"});
        world.MakeBar(L"MENU", {L"F>FM", L"E"});
        MenuFake& bar = world.AddControl({0, 0}, L"MENU");
        bar.mainMenu = true;
        world.MoveTo(bar, bar.At(menuOpen ? 1 : 2));
        if (menuOpen) world.Press(bar), world.Release(bar);
        EXPECT_TRUE(bar.lostMouseTimer);
        world.cursor = {500, 500};
        bar.interaction.LostMouseTick();
        EXPECT_EQ(bar.interaction.CurrentPosition(), menuOpen ? 1 : 0);
        EXPECT_FALSE(bar.lostMouseTimer);
    }
}

TEST(BarInteractionTest, EnterAndMnemonicsActivateOnlyWhatAClickWould) {
    MenuWorld world;
    world.MakeBar(L"FM", {L"!X", L"Y"});
    world.MakeBar(L"MENU", {L"F>FM"});
    MenuFake& bar = world.AddControl({0, 0}, L"MENU");
    world.registry.SetMenuMode(true, bar.Hwnd());
    bar.interaction.HandleMenuKey('F');
    MenuFake* menu = world.Popup(L"FM");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->interaction.CurrentPosition(), 1);
    menu->interaction.HandleMenuKey(kEnter);
    menu->interaction.HandleMenuKey('X');
    EXPECT_TRUE(world.events.empty());
    EXPECT_TRUE(menu->shown);
    menu->interaction.HandleMenuKey('Y');
    EXPECT_EQ(world.events, Events{L"click:Y"});
    EXPECT_FALSE(world.registry.InMenuMode());
    EXPECT_FALSE(menu->shown);
}

// The mouse and the shortcuts refuse a disabled title; so do the keys.
TEST(BarInteractionTest, DisabledTitlesAndItemsOpenNothingFromTheKeyboard) {
    const std::pair<const char*, std::function<void(MenuFake&)>> cases[] = {
        {"Down on the lit title", [](MenuFake& bar) {
             bar.interaction.UpdateHotItem(MouseButton::None, 1, false, true);
             bar.interaction.HandleMenuKey(kDown);
         }},
        {"Right on a disabled item with a submenu", [](MenuFake& bar) {
             bar.interaction.HandleMenuKey('E');
             bar.world.Popup(L"EM")->interaction.HandleMenuKey(kRight);
         }},
    };
    for (const auto& [name, keys] : cases) {
        SCOPED_TRACE(name);
        MenuWorld world;
        world.MakeBar(L"FM", {L"X"});
        world.MakeBar(L"EM", {L"!P>FM"});
        world.MakeBar(L"MENU", {L"!F>FM", L"E>EM"});
        MenuFake& bar = world.AddControl({0, 0}, L"MENU");
        world.registry.SetMenuMode(true, bar.Hwnd());
        keys(bar);
        EXPECT_EQ(world.Popup(L"FM"), nullptr);
        EXPECT_TRUE(world.events.empty());
    }
}

// A control that goes (its form destroyed with it) takes the menus it opened, menu mode and the
// mouse hook with it.
TEST(BarInteractionTest, AnOpenerThatGoesClosesItsMenusAndEndsMenuMode) {
    const std::pair<const char*, std::function<MenuFake&(MenuWorld&, MenuFake& bar, MenuFake& tools)>> cases[] = {
        {"the menu bar, a drop-down and its submenu open", [](MenuWorld& w, MenuFake& bar, MenuFake&) -> MenuFake& {
             w.registry.SetMenuMode(true, bar.Hwnd());
             bar.interaction.HandleMenuKey('F');
             w.Popup(L"FM")->interaction.HandleMenuKey(kRight);
             return bar;
         }},
        {"the menu bar, only its title lit", [](MenuWorld& w, MenuFake& bar, MenuFake&) -> MenuFake& {
             w.registry.SetMenuMode(true, bar.Hwnd());
             bar.interaction.UpdateHotItem(MouseButton::None, 1, false, true);
             return bar;
         }},
        {"a tool bar and its context menu", [](MenuWorld&, MenuFake&, MenuFake& tools) -> MenuFake& {
             tools.interaction.ShowBarMenu(L"FM", 0, 300, 300, false, true);
             return tools;
         }},
    };
    for (const auto& [name, open] : cases) {
        SCOPED_TRACE(name);
        MenuWorld world;
        world.MakeBar(L"SUB", {L"Z"});
        world.MakeBar(L"FM", {L"P>SUB"});
        world.MakeBar(L"MENU", {L"F>FM"});
        world.MakeBar(L"T", {L"K"});
        MenuFake& bar = world.AddControl({0, 0}, L"MENU");
        MenuFake& tools = world.AddControl({0, 30}, L"T");
        open(world, bar, tools).Unregister();
        EXPECT_FALSE(world.registry.InMenuMode());
        EXPECT_FALSE(world.environment.MouseHooked());
        for (const auto& control : world.controls) EXPECT_FALSE(control->shown);
    }
}

TEST(BarInteractionTest, SubmenuOpensOnlyWhereThePointerRestsAndAPlainItemClosesIt) {
    MenuWorld world;
    world.MakeBar(L"SUB", {L"Z"});
    world.MakeBar(L"FM", {L"P>SUB", L"Q"});
    world.MakeBar(L"MENU", {L"F>FM"});
    MenuFake& bar = world.AddControl({0, 0}, L"MENU");
    world.MoveTo(bar, bar.At(1));
    world.Press(bar);
    MenuFake& menu = *world.Popup(L"FM");
    world.MoveTo(menu, menu.At(1));
    EXPECT_TRUE(menu.submenuTimer);
    world.MoveTo(menu, menu.At(2));
    menu.interaction.SubmenuTimerFired();
    EXPECT_EQ(world.Popup(L"SUB"), nullptr);
    world.MoveTo(menu, menu.At(1));
    EXPECT_EQ(world.Popup(L"SUB"), nullptr);
    menu.interaction.SubmenuTimerFired();
    ASSERT_NE(world.Popup(L"SUB"), nullptr);
    EXPECT_FALSE(menu.submenuTimer);
    world.MoveTo(menu, menu.At(2));
    menu.interaction.SubmenuTimerFired();
    EXPECT_EQ(world.Popup(L"SUB"), nullptr);
    EXPECT_TRUE(menu.shown);
}

TEST(BarInteractionTest, ArrowsAndEscapeMoveBetweenTitlesAndCloseOneLevel) {
    MenuWorld world;
    world.MakeBar(L"FM", {L"X"});
    world.MakeBar(L"EM", {L"Y"});
    world.MakeBar(L"CM", {L"Z"});
    world.MakeBar(L"MENU", {L"F>FM", L"E>EM"});
    MenuFake& bar = world.AddControl({0, 0}, L"MENU");
    world.registry.SetMenuMode(true, bar.Hwnd());
    bar.interaction.HandleMenuKey('F');
    world.Popup(L"FM")->interaction.HandleMenuKey(kRight);
    ASSERT_EQ(world.Popup(L"FM"), nullptr);
    ASSERT_NE(world.Popup(L"EM"), nullptr);
    EXPECT_EQ(world.Popup(L"EM")->interaction.CurrentPosition(), 1);
    world.Popup(L"EM")->interaction.HandleMenuKey(kLeft);
    ASSERT_NE(world.Popup(L"FM"), nullptr);
    // A context menu opened from the menu: Escape closes it and hands the keys back to the menu.
    MenuFake& file = *world.Popup(L"FM");
    file.interaction.ShowBarMenu(L"CM", 0, 300, 300, false, true);
    ASSERT_NE(world.Popup(L"CM"), nullptr);
    world.Popup(L"CM")->interaction.HandleMenuKey(kEscape);
    EXPECT_EQ(world.Popup(L"CM"), nullptr);
    EXPECT_EQ(world.registry.MenuModeControl(), file.Hwnd());
    world.Popup(L"FM")->interaction.HandleMenuKey(kEscape);
    EXPECT_EQ(world.Popup(L"FM"), nullptr);
    EXPECT_TRUE(world.registry.InMenuMode());
    EXPECT_EQ(world.registry.MenuModeControl(), bar.Hwnd());
    EXPECT_EQ(bar.interaction.CurrentPosition(), 1);
    bar.interaction.HandleMenuKey(kEscape);
    EXPECT_FALSE(world.registry.InMenuMode());
}

}  // namespace

}  // namespace core::commandbar
