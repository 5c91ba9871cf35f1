// The main window's bars and commands, clicked through the controls' own click path.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/tests/registry_fixture.h"
#include "commandbar/command_bar_process.h"
#include "core/app/contacts.h"
#include "core/app/main_menu_table.h"
#include "core/app/preview.h"
#include "core/commandbar/command_bar_int.h"
#include "support/gui_resources.h"
#include "support/pump.h"
#include "win/dpi.h"
#include "win/module.h"

namespace app {
namespace {

namespace cb = core::commandbar;

struct ShellCall {
    HWND parent;
    std::wstring target;
    std::wstring folder;
};

// Closes whatever window the main window owns while it runs, noting its owner's state.
class ModalCloser {
public:
    explicit ModalCloser(HWND mainWindow) : main_(mainWindow) {
        timer_.SetOwner(mainWindow);
        timer_.SetInterval(20);
        timer_.OnTick([this] { CloseOwned(); });
        timer_.SetEnabled(true);
    }
    int closed = 0;
    bool ownerAlwaysDisabled = true;

private:
    static BOOL CALLBACK Find(HWND window, LPARAM self) {
        auto* closer = reinterpret_cast<ModalCloser*>(self);
        if (window == closer->main_ || !::IsWindowVisible(window) || ::GetWindow(window, GW_OWNER) != closer->main_) {
            return TRUE;
        }
        closer->found_ = window;
        return FALSE;
    }
    void CloseOwned() {
        found_ = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &Find, reinterpret_cast<LPARAM>(this));
        // A window asked to close may take a tick to go.
        if (!found_ || found_ == lastClosed_) return;
        lastClosed_ = found_;
        ++closed;
        ownerAlwaysDisabled = ownerAlwaysDisabled && !::IsWindowEnabled(main_);
        ::PostMessageW(found_, WM_CLOSE, 0, 0);
    }

    HWND main_;
    HWND found_ = nullptr;
    HWND lastClosed_ = nullptr;
    win::Timer timer_;
};

class MainMenuTest : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        window_.SetUnloadHandler([this] { unloaded_ = true; });
        window_.SetShellOpener([this](HWND parent, const std::wstring& target, const std::wstring& folder) {
            shell_.push_back({parent, target, folder});
        });
        window_.SetFontSource([] { return std::vector<std::wstring>{L"Arial", L"Tahoma"}; });
        window_.SetProgress(std::make_unique<NoProgress>());
    }

    // As a release over the item does: the bar toggles a check entry, then the control showing
    // the bar raises the click. Drop-downs are shown by an element the menu bar asks for.
    void Click(const std::wstring& key) {
        const std::wstring barKey = key.substr(0, key.rfind(L':'));
        commandbar::CommandBarWindow* control = &menu().MenuBar();
        if (barKey == core::kToolbarKey) {
            control = &menu().ToolBar();
        } else if (barKey != core::kMenuBarKey) {
            if (!host_) {
                host_ = static_cast<commandbar::CommandBarWindow*>(menu().MenuBar().RequestInstance());
                ASSERT_NE(host_, nullptr);
                host_->MakePopupHost();
            }
            host_->SetToolbar(menu().MenuBar().CommandBars().Item(barKey));
            control = host_;
        }
        cb::CommandBarInt* bar = commandbar::Registry().FindBar(barKey);
        ASSERT_NE(bar, nullptr) << barKey;
        const std::int32_t index = bar->IndexOf(key);
        bar->ToggleOnClick(index);
        control->ClickItem(index);
    }

    int HeightPixels() const {
        RECT r{};
        ::GetWindowRect(window_.hwnd(), &r);
        return r.bottom - r.top;
    }
    bool TopMost() const { return (::GetWindowLongPtrW(window_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    const MainMenu& menu() const { return window_.Menu(); }
    std::wstring Pref(const wchar_t* name) const { return prefs::Get(name).value_or(L"<absent>"); }

    struct NoProgress : FontLoadProgress {
        void Begin(HWND) override {}
        void SetPercent(float) override {}
        void End() override {}
    };

    MainWindow window_;
    bool unloaded_ = false;
    std::vector<ShellCall> shell_;
    commandbar::CommandBarWindow* host_ = nullptr;
};

TEST_F(MainMenuTest, BarsFollowTheKeysAndSitAboveTheContents) {
    window_.Show();
    EXPECT_TRUE(menu().MenuBar().MainMenu());
    EXPECT_EQ(menu().MenuBar().BarKey(), core::kMenuBarKey);
    EXPECT_EQ(menu().ToolBar().BarKey(), core::kToolbarKey);
    EXPECT_EQ(menu().MenuIcons().ImageCount(), 7);
    EXPECT_EQ(menu().ToolbarIcons().ImageCount(), 7);

    // Every bar holds the buttons one level below its key, in creation order.
    std::set<std::wstring> parents{core::kMenuBarKey, core::kToolbarKey};
    for (const core::MenuButtonSpec& spec : core::MainMenuButtons()) parents.insert(std::wstring(spec.key));
    cb::CommandBars bars = menu().MenuBar().CommandBars();
    for (const std::wstring& parent : parents) {
        std::vector<std::wstring> expected, actual;
        for (const core::MenuButtonSpec& spec : core::MainMenuButtons()) {
            if (core::IsDirectChild(parent, spec.key)) expected.emplace_back(spec.key);
        }
        if (expected.empty()) continue;
        cb::CommandBarButtons buttons = bars.Item(parent).Buttons();
        for (std::int32_t i = 1; i <= buttons.Count(); ++i) actual.push_back(buttons.Item(i).Key());
        EXPECT_EQ(actual, expected) << parent;
        if (parent != core::kMenuBarKey && parent != core::kToolbarKey) {
            EXPECT_EQ(menu().MenuBar().Buttons().Item(parent).Bar()->Key(), parent);
        }
    }

    // Nothing below the bars is cut off by the window's fixed height, with or without the tool bar.
    auto previewFits = [&] {
        RECT client{}, preview{};
        ::GetClientRect(window_.hwnd(), &client);
        ::MapWindowPoints(window_.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        ::GetWindowRect(window_.Preview().hwnd(), &preview);
        return preview.bottom <= client.bottom;
    };
    EXPECT_TRUE(previewFits());
    // Menu bar on top, the tool bar strip right under it, the tool bar inside the strip.
    Click(core::kToolbarEntry);
    RECT menuBar{}, strip{}, toolBar{};
    ::GetWindowRect(menu().MenuBar().hwnd(), &menuBar);
    ::GetWindowRect(window_.ToolBarStrip(), &strip);
    ::GetWindowRect(menu().ToolBar().hwnd(), &toolBar);
    POINT origin{0, 0};
    ::ClientToScreen(window_.hwnd(), &origin);
    EXPECT_EQ(menuBar.top, origin.y);
    EXPECT_GT(menuBar.bottom, menuBar.top);
    EXPECT_EQ(strip.top, menuBar.bottom);
    EXPECT_GE(toolBar.top, strip.top);
    EXPECT_LE(toolBar.bottom, strip.bottom);
    EXPECT_TRUE(::IsWindowVisible(menu().ToolBar().hwnd()));
    EXPECT_TRUE(previewFits());
    // A drop-down is shown by a further element: hidden and the main window's.
    Click(L"MENU:VIEW:SEP1");
    ASSERT_EQ(menu().ElementCount(), 3u);
    EXPECT_EQ(::GetAncestor(menu().Element(2).hwnd(), GA_ROOT), window_.hwnd());
    EXPECT_FALSE(::IsWindowVisible(menu().Element(2).hwnd()));
}

TEST_F(MainMenuTest, ChecksFollowThePreferencesAtLoad) {
    prefs::Set(pref::kTopMost, L"1");
    prefs::Set(pref::kShowToolBar, L"1");
    prefs::Set(pref::kFontSize, L"18");
    prefs::Set(pref::kTextSymbols, L"1");
    prefs::Set(pref::kTextEnglishBig, L"1");
    prefs::Set(pref::kTextFigures, L"0");
    window_.Show();
    std::set<std::wstring> checked;
    for (const core::MenuButtonSpec& spec : core::MainMenuButtons()) {
        if (menu().Checked(spec.key)) checked.emplace(spec.key);
    }
    EXPECT_EQ(checked, (std::set<std::wstring>{core::kOnTopEntry, core::kToolbarEntry, L"MENU:FONTSIZE:18",
                                               core::PresetEntryKey(core::SamplePreset::Symbols),
                                               core::PresetEntryKey(core::SamplePreset::EnglishBig)}));
}

TEST_F(MainMenuTest, PresetsComposeTheSameTextInEitherOrder) {
    window_.Show();
    window_.LoadFonts(nullptr);
    const std::wstring both = std::wstring(core::SamplePresetText(core::SamplePreset::Figures)) +
                              std::wstring(core::SamplePresetText(core::SamplePreset::Symbols));
    const std::wstring figures = core::PresetEntryKey(core::SamplePreset::Figures);
    const std::wstring symbols = core::PresetEntryKey(core::SamplePreset::Symbols);
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
    struct Step {
        const wchar_t* entry;
        const wchar_t* preference;
        const wchar_t* stored;
        std::function<bool()> holds;
    };
    const Step steps[] = {
        {core::kToolbarEntry, pref::kShowToolBar, L"0",
         [&] { return HeightPixels() == win::TwipsToPixels(5245) && !::IsWindowVisible(window_.ToolBarStrip()); }},
        {core::kToolbarEntry, pref::kShowToolBar, L"1",
         [&] { return HeightPixels() == win::TwipsToPixels(5955) && ::IsWindowVisible(window_.ToolBarStrip()); }},
        {core::kOnTopEntry, pref::kTopMost, L"1", [&] { return TopMost(); }},
        {core::kOnTopEntry, pref::kTopMost, L"0", [&] { return !TopMost(); }},
    };
    for (const Step& step : steps) {
        Click(step.entry);
        EXPECT_EQ(Pref(step.preference), step.stored) << step.entry;
        EXPECT_TRUE(step.holds()) << step.entry << " " << step.stored;
    }
}

TEST_F(MainMenuTest, ShellCommandsOpenFixedTargets) {
    window_.Show();
    const std::wstring folder = win::ExecutableDirectory();
    const std::wstring mail = std::wstring(L"mailto:") + core::kSupportAddress + L"?subject=" +
                              L"Marrowind Glyphoscope 2.3.1";
    const std::pair<const wchar_t*, std::wstring> cases[] = {
        {L"MENU:HELP:LICENSE", folder + L"\\License.rtf"}, {L"TOOLBAR:LICENSE", folder + L"\\License.rtf"},
        {L"MENU:HELP:HOMEPAGE", core::kHomePageUrl},        {L"TOOLBAR:HOMEPAGE", core::kHomePageUrl},
        {L"MENU:HELP:SENDMAIL", mail},                      {L"TOOLBAR:SENDMAIL", mail},
    };
    for (const auto& [key, target] : cases) {
        shell_.clear();
        Click(key);
        ASSERT_EQ(shell_.size(), 1u) << key;
        EXPECT_EQ(shell_[0].target, target);
        EXPECT_EQ(shell_[0].folder, folder);
        EXPECT_EQ(shell_[0].parent, window_.hwnd());
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
    for (const core::MenuButtonSpec& spec : core::MainMenuButtons()) {
        if (core::IsDirectChild(core::kMenuBarKey, spec.key)) Click(std::wstring(spec.key));
    }
    EXPECT_FALSE(prefs::Get(pref::kFontSize).has_value());
    EXPECT_EQ(menu().ElementCount(), 2u);
    EXPECT_EQ(window_.FontList().Count(), 0);

    Click(L"TOOLBAR:LOAD");
    EXPECT_EQ(window_.FontList().Count(), 2);
    Click(L"MENU:FILE:LOADFONTS");
    EXPECT_EQ(window_.FontList().Count(), 2);
    Click(L"MENU:FILE:EXIT");
    EXPECT_TRUE(testing_support::PumpUntil([&] { return unloaded_; }));
    EXPECT_FALSE(window_.Loaded());
}

// A Data folder with only some icons, or none, still starts; missing images close up.
TEST_F(MainMenuTest, MissingIconsStartWithFewerImages) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / (L"glyph-icons-" + std::to_wstring(::GetCurrentProcessId()));
    const std::wstring source = win::ExecutableDirectory();
    fs::create_directories(folder.wstring() + L"\\Data\\icons\\menu");
    for (const core::IconFileSpec& icon : core::MenuIconFiles()) {
        if (icon.key != L"EXIT") fs::copy_file(source + std::wstring(icon.path), folder.wstring() + std::wstring(icon.path));
    }
    {
        MainWindow partial;
        partial.SetProgramFolder(folder.wstring());
        partial.SetUnloadHandler([] {});
        partial.Show();
        EXPECT_EQ(partial.Menu().MenuIcons().ImageCount(), 6);
        // Buttons name images by position: the exit image gone, the settings icon takes its place.
        EXPECT_EQ(partial.Menu().MenuIcons().ItemKey(2), L"SETTINGS");
        EXPECT_EQ(partial.Menu().ToolbarIcons().ImageCount(), 0);
    }
    {
        MainWindow bare;
        bare.SetProgramFolder((folder / L"nowhere").wstring());
        bare.SetUnloadHandler([] {});
        bare.Show();
        EXPECT_TRUE(::IsWindowVisible(bare.hwnd()));
        EXPECT_EQ(bare.Menu().MenuIcons().ImageCount(), 0);
        EXPECT_EQ(bare.Menu().MenuBar().BarKey(), core::kMenuBarKey);
    }
    fs::remove_all(folder);
}

TEST_F(MainMenuTest, RepeatedCommandsLeakNoHandles) {
    window_.Show();
    ModalCloser closer(window_.hwnd());
    auto round = [&] {
        for (const core::MenuButtonSpec& spec : core::MainMenuButtons()) {
            if (core::ActionFor(spec.key).command != core::MenuCommand::Exit) Click(std::wstring(spec.key));
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
