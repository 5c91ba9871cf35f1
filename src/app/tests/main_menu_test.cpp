// The main window's bars and commands, clicked through the controls' own click path.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/tests/modal_closer.h"
#include "app/tests/registry_fixture.h"
#include "commandbar/command_bar_process.h"
#include "core/app/contacts.h"
#include "core/app/main_menu_table.h"
#include "core/app/preview.h"
#include "core/commandbar/bar_record.h"
#include "support/accessible.h"
#include "support/gui_resources.h"
#include "support/pump.h"
#include "win/dpi.h"
#include "win/module.h"

namespace app {
namespace {

namespace cb = core::commandbar;

using testing_support::ModalCloser;

struct NoProgress : FontLoadProgress {
    void Begin(HWND) override {}
    void SetPercent(float) override {}
    void End() override {}
};

class MainMenuTest : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        window_.SetUnloadHandler([this] { unloaded_ = true; });
        window_.SetShellOpener([this](HWND parent, const std::wstring& target, const std::wstring& folder) {
            EXPECT_EQ(parent, window_.hwnd());
            EXPECT_EQ(folder, win::ExecutableDirectory());
            opened_.push_back(target);
        });
        window_.SetFontSource([this] {
            ++fontLoads_;
            return std::vector<std::wstring>{L"Arial", L"Tahoma"};
        });
        window_.SetProgress(std::make_unique<NoProgress>());
    }

    // As a release over the item does: the control showing the bar clicks the item, which toggles
    // a check entry and raises the click. Drop-downs are shown by an element the menu bar asks for.
    void Click(const std::wstring& key) {
        const std::wstring barKey = key.substr(0, key.rfind(L':'));
        commandbar::CommandBarWindow* control = barKey == core::kToolbarKey ? &menu().ToolBar() : &menu().MenuBar();
        if (barKey != core::kMenuBarKey && barKey != core::kToolbarKey) {
            if (!host_) {
                host_ = static_cast<commandbar::CommandBarWindow*>(menu().MenuBar().RequestInstance());
                ASSERT_NE(host_, nullptr);
                host_->MakePopupHost();
            }
            host_->SetToolbar(menu().MenuBar().CommandBars().Item(barKey));
            control = host_;
        }
        cb::BarRecord* bar = commandbar::Registry().FindBar(barKey);
        ASSERT_NE(bar, nullptr) << barKey;
        control->ClickItem(bar->IndexOf(key));
    }

    RECT Bounds(HWND window) const {
        RECT r{};
        ::GetWindowRect(window, &r);
        return r;
    }
    const MainMenu& menu() const { return window_.Menu(); }
    std::wstring Pref(const wchar_t* name) const { return prefs::Get(name).value_or(L"<absent>"); }

    MainWindow window_;
    bool unloaded_ = false;
    int fontLoads_ = 0;
    std::vector<std::wstring> opened_;
    commandbar::CommandBarWindow* host_ = nullptr;
};

TEST_F(MainMenuTest, BarsFollowTheKeysAndSitAboveTheContents) {
    window_.Show();
    EXPECT_TRUE(menu().MenuBar().MainMenu());
    EXPECT_EQ(menu().MenuBar().BarKey(), core::kMenuBarKey);
    EXPECT_EQ(menu().ToolBar().BarKey(), core::kToolbarKey);
    EXPECT_EQ(menu().MenuIcons().ImageCount(), 7);
    EXPECT_EQ(menu().ToolbarIcons().ImageCount(), 7);

    // Every key with buttons one level below it has a bar of them, in creation order.
    std::set<std::wstring> parents{core::kMenuBarKey, core::kToolbarKey};
    for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) parents.emplace(entry.key);
    for (const std::wstring& parent : parents) {
        std::vector<std::wstring> expected, actual;
        for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) {
            if (core::IsDirectChild(parent, entry.key)) expected.emplace_back(entry.key);
        }
        if (expected.empty()) continue;
        cb::CommandBarButtons buttons = menu().MenuBar().CommandBars().Item(parent).Buttons();
        for (std::int32_t i = 1; i <= buttons.Count(); ++i) actual.push_back(buttons.Item(i).Key());
        EXPECT_EQ(actual, expected) << parent;
        EXPECT_EQ(menu().MenuBar().CommandBars().Item(parent).Title(), parent);
        if (parent.find(L':') != std::wstring::npos) {
            EXPECT_EQ(menu().MenuBar().Buttons().Item(parent).Bar()->Key(), parent);
        }
    }
    // Screen readers call the two bars by what they are (the drop-downs by their titles' captions).
    EXPECT_EQ(testing_support::NameAndRole(menu().MenuBar().hwnd()).first, core::kMenuBarName);
    EXPECT_EQ(testing_support::NameAndRole(menu().ToolBar().hwnd()).first, core::kToolbarName);

    // The menu bar on top, the tool bar strip under it holding the tool bar, and nothing below
    // them cut off by the window's fixed height, with the tool bar or without.
    for (int shown = 0; shown < 2; ++shown) {
        RECT client{};
        ::GetClientRect(window_.hwnd(), &client);
        ::MapWindowPoints(window_.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        const RECT menuBar = Bounds(menu().MenuBar().hwnd());
        EXPECT_EQ(menuBar.top, client.top);
        EXPECT_GT(menuBar.bottom, menuBar.top);
        EXPECT_LE(Bounds(window_.Preview().hwnd()).bottom, client.bottom);
        if (shown) {
            EXPECT_EQ(Bounds(window_.ToolBarStrip()).top, menuBar.bottom);
            EXPECT_LE(Bounds(menu().ToolBar().hwnd()).bottom, Bounds(window_.ToolBarStrip()).bottom);
            EXPECT_TRUE(::IsWindowVisible(menu().ToolBar().hwnd()));
        }
        Click(core::kToolbarEntry);
    }

    // The drop-down was shown by a further element: hidden and the main window's.
    ASSERT_EQ(menu().ElementCount(), 3u);
    EXPECT_EQ(::GetAncestor(menu().Element(2).hwnd(), GA_ROOT), window_.hwnd());
    EXPECT_FALSE(::IsWindowVisible(menu().Element(2).hwnd()));
}

TEST_F(MainMenuTest, ChecksFollowThePreferencesAtLoad) {
    for (const wchar_t* name : {pref::kTopMost, pref::kShowToolBar, pref::kTextSymbols, pref::kTextEnglishBig}) {
        prefs::Set(name, L"1");
    }
    prefs::Set(pref::kTextFigures, L"0");
    prefs::Set(pref::kFontSize, L"18");
    prefs::Set(pref::kFontFilter, L"Cyrillic");
    window_.Show();
    std::set<std::wstring> checked;
    for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) {
        if (menu().Checked(entry.key)) checked.emplace(entry.key);
    }
    EXPECT_EQ(checked, (std::set<std::wstring>{core::kOnTopEntry, core::kToolbarEntry, L"MENU:FONTSIZE:18",
                                               core::PresetEntryKey(core::SamplePreset::Symbols),
                                               core::PresetEntryKey(core::SamplePreset::EnglishBig),
                                               core::FontScriptEntryKey(core::FontScript::Cyrillic)}));
}

TEST_F(MainMenuTest, PresetsComposeTheSameTextInEitherOrder) {
    window_.Show();
    window_.LoadFonts(nullptr);
    const std::wstring figures = core::PresetEntryKey(core::SamplePreset::Figures);
    const std::wstring symbols = core::PresetEntryKey(core::SamplePreset::Symbols);
    const std::wstring both = std::wstring(core::SamplePresetText(core::SamplePreset::Figures)) +
                              std::wstring(core::SamplePresetText(core::SamplePreset::Symbols));
    for (const auto& order : {std::vector{figures, symbols}, std::vector{symbols, figures}}) {
        for (const std::wstring& key : order) Click(key);
        EXPECT_EQ(Pref(pref::kViewerText), both);
        EXPECT_EQ(Pref(pref::kTextFigures), L"1");
        EXPECT_EQ(window_.Preview().Text(), L"Arial - " + both);
        for (const std::wstring& key : order) Click(key);
        EXPECT_EQ(Pref(pref::kViewerText), L"");
        EXPECT_EQ(Pref(pref::kTextSymbols), L"0");
        EXPECT_EQ(window_.Preview().Text(), L"Arial - ");
    }
}

TEST_F(MainMenuTest, SizeEntriesWriteTheSizeAndStayOneChecked) {
    prefs::Set(pref::kFontSize, L"14");
    window_.Show();
    // Before any font is listed, a size changes the size of the preview's font and nothing else.
    const auto previewFont = [&] {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window_.Preview().hwnd(), WM_GETFONT, 0, 0)), sizeof(font),
                     &font);
        return font;
    };
    const std::wstring face = previewFont().lfFaceName;
    Click(L"MENU:FONTSIZE:18");
    EXPECT_EQ(previewFont().lfFaceName, face);
    EXPECT_EQ(previewFont().lfHeight, -core::PointsToPixels(18, win::ScreenDpi()));
    window_.LoadFonts(nullptr);
    for (int size : {18, 26, 10}) {
        Click(L"MENU:FONTSIZE:" + std::to_wstring(size));
        EXPECT_EQ(Pref(pref::kFontSize), std::to_wstring(size));
        EXPECT_EQ(window_.PreviewFontPoints(), size);
        int checked = 0;
        for (int offered : core::kPreviewSizes) checked += menu().Checked(L"MENU:FONTSIZE:" + std::to_wstring(offered));
        EXPECT_EQ(checked, 1);
    }
}

TEST_F(MainMenuTest, ToolBarAndOnTopEntriesMoveTheWindowAndPersist) {
    prefs::Set(pref::kShowToolBar, L"1");
    window_.Show();
    for (const wchar_t* stored : {L"0", L"1"}) {
        const bool on = stored == std::wstring(L"1");
        Click(core::kToolbarEntry);
        EXPECT_EQ(Pref(pref::kShowToolBar), stored);
        const RECT r = Bounds(window_.hwnd());
        EXPECT_EQ(r.bottom - r.top, win::TwipsToPixels(on ? 5955 : 5245));
        EXPECT_EQ(::IsWindowVisible(window_.ToolBarStrip()) != FALSE, on);
    }
    for (const wchar_t* stored : {L"1", L"0"}) {
        Click(core::kOnTopEntry);
        EXPECT_EQ(Pref(pref::kTopMost), stored);
        EXPECT_EQ((::GetWindowLongPtrW(window_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0,
                  stored == std::wstring(L"1"));
    }
}

// The check marks show what the program does, also once the settings dialog has changed it.
TEST_F(MainMenuTest, OnTopAndToolBarChecksFollowTheSettingsDialog) {
    prefs::Set(pref::kShowToolBar, L"1");
    window_.Show();
    for (const wchar_t* stored : {L"1", L"0"}) {
        // As the dialog's Apply writes it.
        ModalCloser closer(window_.hwnd(), [stored](HWND dialog) {
            prefs::Set(pref::kTopMost, stored);
            ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        });
        Click(L"MENU:SERVICE:SETTINGS");
        const bool on = stored == std::wstring(L"1");
        EXPECT_EQ(menu().Checked(core::kOnTopEntry), on);
        EXPECT_EQ((::GetWindowLongPtrW(window_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, on);
        EXPECT_EQ(menu().Checked(core::kToolbarEntry), ::IsWindowVisible(window_.ToolBarStrip()) != FALSE);
    }
}

TEST_F(MainMenuTest, ShellCommandsOpenFixedTargets) {
    window_.Show();
    const std::wstring licence = win::ExecutableDirectory() + L"\\License.rtf";
    const std::wstring mail =
        std::wstring(L"mailto:") + core::kSupportAddress + L"?subject=" + L"Marrowind Glyphoscope 2.3.1";
    const std::pair<const wchar_t*, std::wstring> cases[] = {
        {L"MENU:HELP:LICENSE", licence},              {L"TOOLBAR:LICENSE", licence},
        {L"MENU:HELP:HOMEPAGE", core::kHomePageUrl}, {L"TOOLBAR:HOMEPAGE", core::kHomePageUrl},
        {L"MENU:HELP:SENDMAIL", mail},                {L"TOOLBAR:SENDMAIL", mail},
    };
    for (const auto& [key, target] : cases) {
        opened_.clear();
        Click(key);
        EXPECT_EQ(opened_, std::vector<std::wstring>{target}) << key;
    }
}

TEST_F(MainMenuTest, SettingsAndAboutOpenModallyOverTheMainWindow) {
    window_.Show();
    ModalCloser closer(window_.hwnd());
    const wchar_t* keys[] = {L"MENU:SERVICE:SETTINGS", L"TOOLBAR:SETTINGS", L"MENU:HELP:ABOUT", L"TOOLBAR:ABOUT"};
    for (const wchar_t* key : keys) Click(key);
    EXPECT_EQ(closer.closed, static_cast<int>(std::size(keys)));
    EXPECT_TRUE(closer.ownerAlwaysDisabled);
    EXPECT_TRUE(::IsWindowEnabled(window_.hwnd()));
}

TEST_F(MainMenuTest, LoadAndExitCommandsAndTopRowDoNothingElse) {
    window_.Show();
    for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) {
        if (core::IsDirectChild(core::kMenuBarKey, entry.key)) Click(std::wstring(entry.key));
    }
    EXPECT_FALSE(prefs::Get(pref::kFontSize).has_value());
    EXPECT_EQ(fontLoads_, 0);
    Click(L"TOOLBAR:LOAD");
    Click(L"MENU:FILE:LOADFONTS");
    EXPECT_EQ(fontLoads_, 2);
    EXPECT_EQ(window_.FontList().Count(), 2);
    Click(L"MENU:FILE:EXIT");
    EXPECT_TRUE(testing_support::PumpUntil([&] { return unloaded_; }));
}

// Buttons name images by position: a missing icon file moves the later ones down.
TEST_F(MainMenuTest, MissingIconsStartWithFewerImages) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / (L"glyph-icons-" + std::to_wstring(::GetCurrentProcessId()));
    fs::create_directories(folder.wstring() + L"\\Data\\icons\\menu");
    for (const core::IconFile& icon : core::MenuIconFiles()) {
        if (icon.key == L"EXIT") continue;
        fs::copy_file(win::ExecutableDirectory() + std::wstring(icon.path), folder.wstring() + std::wstring(icon.path));
    }
    for (const fs::path& programFolder : {folder, folder / L"nowhere"}) {
        MainWindow window;
        window.SetProgramFolder(programFolder.wstring());
        window.SetUnloadHandler([] {});
        window.Show();
        const bool partial = programFolder == folder;
        EXPECT_TRUE(::IsWindowVisible(window.hwnd()));
        EXPECT_EQ(window.Menu().MenuIcons().ImageCount(), partial ? 6 : 0);
        if (partial) {
            EXPECT_EQ(window.Menu().MenuIcons().ItemKey(2), L"SETTINGS");
        }
        EXPECT_EQ(window.Menu().ToolbarIcons().ImageCount(), 0);
        EXPECT_EQ(window.Menu().ToolBar().BarKey(), core::kToolbarKey);
    }
    fs::remove_all(folder);
}

// Bars and buttons belong to the process: while another control keeps the registry running, a
// main window that goes must take its own along, or the next one cannot add them again.
TEST_F(MainMenuTest, ADestroyedMainWindowTakesItsBarsAndButtonsAlong) {
    win::UniqueWindow form(
        ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr));
    commandbar::CommandBarWindow other;
    other.Create({form.get(), RECT{0, 0, 100, 24}, false});
    const std::int32_t bars = commandbar::Registry().BarCount();
    const std::int32_t buttons = commandbar::Registry().ButtonCount();
    for (int i = 0; i < 2; ++i) {
        MainWindow window;
        window.SetUnloadHandler([] {});
        EXPECT_NO_THROW(window.Show()) << i;
    }
    EXPECT_EQ(commandbar::Registry().BarCount(), bars);
    EXPECT_EQ(commandbar::Registry().ButtonCount(), buttons);
}

TEST_F(MainMenuTest, RepeatedCommandsLeakNoHandles) {
    window_.Show();
    ModalCloser closer(window_.hwnd());
    auto round = [&] {
        for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) {
            if (core::ActionFor(entry.key).command != core::MenuCommand::Exit) Click(std::wstring(entry.key));
        }
        testing_support::PumpFor(10);
    };
    round();
    const unsigned gdi = testing_support::GdiObjectCount();
    const unsigned user = testing_support::UserObjectCount();
    for (int i = 0; i < 10; ++i) round();
    EXPECT_LE(testing_support::GdiObjectCount(), gdi);
    EXPECT_LE(testing_support::UserObjectCount(), user);
}

}  // namespace
}  // namespace app
