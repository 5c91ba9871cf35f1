#include "core/app/main_menu_table.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using core::MenuCommand;

TEST(MainMenuTable, OnlyKnownKeysNameCommands) {
    for (const wchar_t* key : {L"", L"MENU", L"MENU:FILE", L"TOOLBAR", L"MENU:FILE:SEP1", L"MENU:HELP:EXIT",
                               L"MENU:FONTSIZE:15", L"MENU:FONTSIZE:", L"MENU:TEXT:GREEK", L"TOOLBAR:LOADFONTS",
                               L"MENU:VIEW:GREEK"}) {
        EXPECT_EQ(core::ActionFor(key).command, MenuCommand::None) << key;
    }
    EXPECT_EQ(core::ActionFor(L"MENU:FONTSIZE:18").fontSize, 18);
    EXPECT_EQ(core::ActionFor(core::PresetEntryKey(core::SamplePreset::RussianBig)).preset,
              core::SamplePreset::RussianBig);
    EXPECT_EQ(core::ActionFor(core::FontScriptEntryKey(core::FontScript::Monospaced)).script,
              core::FontScript::Monospaced);
    EXPECT_EQ(core::FontSizeEntryKey(L"26"), L"MENU:FONTSIZE:26");
    for (const wchar_t* stored : {L"", L"026", L"15", L"14 "}) EXPECT_EQ(core::FontSizeEntryKey(stored), std::nullopt);
}

TEST(MainMenuTable, EveryEntryHasABarACommandAndItsOwnShortcut) {
    std::set<std::wstring_view> keys;
    std::set<std::pair<int, int>> shortcuts;
    for (const core::MenuButtonEntry& button : core::MainMenuButtons()) {
        EXPECT_TRUE(keys.insert(button.key).second) << "duplicate " << std::wstring(button.key);
        const bool top = core::IsDirectChild(core::kMenuBarKey, button.key);
        bool placed = top || core::IsDirectChild(core::kToolbarKey, button.key);
        for (std::wstring_view parent : keys) placed = placed || core::IsDirectChild(parent, button.key);
        EXPECT_TRUE(placed) << std::wstring(button.key);
        if (!top && button.style != core::commandbar::ButtonStyle::Separator) {
            EXPECT_NE(core::ActionFor(button.key).command, MenuCommand::None) << std::wstring(button.key);
        }
        // A shortcut held twice only ever reaches the first entry.
        if (button.shortcutKey != 0) {
            EXPECT_TRUE(shortcuts.insert({button.shortcutKey, button.shortcutModifiers}).second)
                << std::wstring(button.key);
        }
    }
    // The font list's menu: main menu entries or its own, each with a command.
    for (std::wstring_view key : core::FontListMenuKeys()) {
        bool own = false;
        for (const core::MenuButtonEntry& button : core::FontListMenuButtons()) own = own || button.key == key;
        EXPECT_TRUE(own || keys.contains(key)) << std::wstring(key);
        EXPECT_TRUE(!own || core::IsDirectChild(core::kFontListMenuKey, key)) << std::wstring(key);
        EXPECT_NE(core::ActionFor(key).command, MenuCommand::None) << std::wstring(key);
    }
    EXPECT_FALSE(core::IsDirectChild(L"MENU:FILE", L"MENU:FILEX:A"));
    EXPECT_FALSE(core::IsDirectChild(L"MENU", L"MENU:FILE:EXIT"));
}

TEST(MainMenuTable, IconsFollowTheScreensScaleInHeldSizes) {
    const std::pair<int, std::pair<int, int>> cases[] = {
        {72, {16, 32}}, {96, {16, 32}}, {120, {16, 32}}, {144, {24, 48}}, {192, {32, 48}}, {480, {32, 48}}};
    for (const auto& [dpi, sizes] : cases) {
        EXPECT_EQ(core::IconSizeForDpi(core::kMenuIconSizes, dpi), sizes.first) << dpi;
        EXPECT_EQ(core::IconSizeForDpi(core::kToolbarIconSizes, dpi), sizes.second) << dpi;
    }
}

}  // namespace
