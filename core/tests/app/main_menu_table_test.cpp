#include "core/app/main_menu_table.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using core::MenuCommand;
using core::SamplePreset;

TEST(MainMenuTable, KeysNameCommandsByTheirParts) {
    struct Case {
        const wchar_t* key;
        MenuCommand command;
    };
    const Case cases[] = {
        {L"MENU:FILE", MenuCommand::None},          {L"MENU", MenuCommand::None},
        {L"", MenuCommand::None},                   {L"TOOLBAR", MenuCommand::None},
        {L"MENU:FILE:SEP1", MenuCommand::None},     {L"MENU:HELP:EXIT", MenuCommand::None},
        {L"MENU:FONTSIZE:15", MenuCommand::None},   {L"MENU:FONTSIZE:", MenuCommand::None},
        {L"MENU:TEXT:GREEK", MenuCommand::None},    {L"TOOLBAR:LOADFONTS", MenuCommand::None},
        {L"MENU:FILE:EXIT", MenuCommand::Exit},     {L"TOOLBAR:EXIT", MenuCommand::Exit},
        {L"TOOLBAR:LOAD", MenuCommand::LoadFonts},  {L"MENU:VIEW:TOOLBAR", MenuCommand::ToolBar},
        {L"MENU:HELP:SENDMAIL", MenuCommand::SendMail},
    };
    for (const Case& c : cases) EXPECT_EQ(core::ActionFor(c.key).command, c.command) << c.key;
    EXPECT_EQ(core::ActionFor(L"MENU:FONTSIZE:18").fontSize, 18);
    EXPECT_EQ(core::ActionFor(L"MENU:TEXT:RUSBIG").preset, SamplePreset::RussianBig);
}

TEST(MainMenuTable, EveryEntryBelongsToABarAndEveryItemDoesSomething) {
    std::set<std::wstring_view> keys;
    std::set<std::pair<int, int>> shortcuts;
    for (const core::MenuButtonSpec& button : core::MainMenuButtons()) {
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
    EXPECT_FALSE(core::IsDirectChild(L"MENU:FILE", L"MENU:FILEX:A"));
    EXPECT_FALSE(core::IsDirectChild(L"MENU", L"MENU:FILE:EXIT"));
}

TEST(MainMenuTable, PreferencesFindTheirEntries) {
    for (std::size_t i = 0; i < core::kSamplePresetCount; ++i) {
        const auto preset = static_cast<SamplePreset>(i);
        core::MenuAction action = core::ActionFor(core::PresetEntryKey(preset));
        EXPECT_EQ(action.command, MenuCommand::TextPreset);
        EXPECT_EQ(action.preset, preset);
    }
    EXPECT_EQ(core::FontSizeEntryKey(L"26"), L"MENU:FONTSIZE:26");
    for (const wchar_t* stored : {L"", L"026", L"15", L"14 "}) EXPECT_EQ(core::FontSizeEntryKey(stored), std::nullopt);
}

}  // namespace
