#include "core/commandbar/chevron_menu.h"

#include <gtest/gtest.h>

#include "core/commandbar/command_bar_registry.h"
#include "menu_world.h"

namespace core::commandbar {

namespace {

using testing::MenuFake;
using testing::MenuWorld;

// "KEY:state" for each entry of the add-or-remove list.
std::vector<std::wstring> ListEntries(MenuWorld& world) {
    std::vector<std::wstring> entries;
    for (const ButtonRecord* button : world.registry.GetBar(L"CHEVRON:ADDORREMOVE").Buttons().Values()) {
        entries.push_back(button->Key() + L":" + std::to_wstring(static_cast<int>(button->CustomiseState())));
    }
    return entries;
}

// Rests on the first item of a shown popup until its submenu opens.
MenuFake& OpenFirstSubmenu(MenuWorld& world, const std::wstring& from, const std::wstring& to) {
    MenuFake& menu = *world.Popup(from);
    world.MoveTo(menu, menu.At(1));
    menu.interaction.SubmenuTimerFired();
    return *world.Popup(to);
}

TEST(ChevronMenuTest, ListsOnlyTheShownBarsButtonsCheckedWhenVisible) {
    MenuWorld world;
    world.MakeBar(L"T1", {L"A", L"-S", L"~B"}).SetTitle(L"Tools");
    world.MakeBar(L"T2", {L"C"});
    MenuFake& first = world.AddControl({0, 0}, L"T1");
    MenuFake& second = world.AddControl({0, 30}, L"T2");
    MenuFake& idle = world.AddControl({0, 60});

    idle.interaction.ShowChevronMenu(10, 10);
    EXPECT_FALSE(world.registry.InMenuMode());
    first.interaction.ShowChevronMenu(10, 10);
    EXPECT_EQ(world.registry.GetButton(L"CHEVRON:ADDORREMOVEBAR").Caption(), L"Tools");
    EXPECT_EQ(ListEntries(world), (std::vector<std::wstring>{L"A:1", L"B:0", L"CHEVRON:ADDORREMOVE:SEPARATOR:2",
                                                             L"CHEVRON:ADDORREMOVE:RESET:2"}));
    ASSERT_NE(world.Popup(L"CHEVRON"), nullptr);
    EXPECT_EQ(world.Popup(L"CHEVRON")->origin, (ScreenPoint{10, 10}));
    EXPECT_EQ(world.registry.MenuModeInitiator(), first.Hwnd());

    world.registry.SetMenuMode(false, 0);
    second.interaction.ShowChevronMenu(10, 40);
    EXPECT_EQ(ListEntries(world), (std::vector<std::wstring>{L"C:1", L"CHEVRON:ADDORREMOVE:SEPARATOR:2",
                                                             L"CHEVRON:ADDORREMOVE:RESET:2"}));
}

TEST(ChevronMenuTest, ClickingAnEntryTogglesItsButtonAndKeepsTheListOpen) {
    MenuWorld world;
    world.MakeBar(L"T", {L"A", L"-S", L"~B"});
    MenuFake& tools = world.AddControl({0, 0}, L"T");
    tools.interaction.ShowChevronMenu(10, 10);
    OpenFirstSubmenu(world, L"CHEVRON", L"CHEVRON:ADDORREMOVEBAR");
    MenuFake& list = OpenFirstSubmenu(world, L"CHEVRON:ADDORREMOVEBAR", L"CHEVRON:ADDORREMOVE");
    for (bool visible : {true, false}) {
        world.MoveTo(list, list.At(2, visible ? 5 : 6));
        world.Press(list);
        world.Release(list);
        EXPECT_EQ(world.Button(L"B").Visible(), visible);
        EXPECT_EQ(world.Button(L"B").CustomiseState(), visible ? CustomiseState::Checked : CustomiseState::Unchecked);
        EXPECT_TRUE(world.registry.InMenuMode());
        EXPECT_TRUE(list.shown);
    }
    EXPECT_EQ(world.events, (std::vector<std::wstring>{L"click:B", L"click:B"}));
    // The fixed entry does nothing: it is disabled.
    world.MoveTo(list, list.At(4));
    world.Press(list);
    world.Release(list);
    EXPECT_TRUE(list.shown);
}

}  // namespace

}  // namespace core::commandbar
