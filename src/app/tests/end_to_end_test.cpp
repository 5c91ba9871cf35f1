// The main window driven only as a user drives it: real mouse and keyboard input (SendInput),
// results read from window texts, list contents, pixels and the registry.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/linguistic_comparer.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/tests/modal_closer.h"
#include "app/tests/registry_fixture.h"
#include "commandbar/command_bar_colours.h"
#include "commandbar/drawing_utilities.h"
#include "commandbar/tests/menu_rig.h"
#include "core/app/contacts.h"
#include "core/app/main_menu_table.h"
#include "core/app/preview.h"
#include "core/commandbar/drop_shadow.h"
#include "core/fonts/font_facts.h"
#include "support/accessible.h"
#include "support/canvas.h"
#include "support/gui_resources.h"
#include "support/keyboard.h"
#include "support/png_writer.h"
#include "support/screenshot.h"
#include "win/dpi.h"
#include "win/gdi.h"
#include "win/handles.h"
#include "win/module.h"

namespace app {
namespace {

namespace cb = core::commandbar;
using commandbar::testing::MenuRig;
using commandbar::testing::SendMouse;
using testing_support::PumpFor;
using testing_support::PumpUntil;

bool Held(WORD key) { return (::GetAsyncKeyState(key) & 0x8000) != 0; }

// Key events (key, released) sent without waiting: inside a modal window's loop the loop must see
// them.
void SendKeys(const std::vector<std::pair<WORD, bool>>& keys) {
    std::vector<INPUT> inputs;
    for (auto [vk, up] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The key with the modifiers a shortcut names held. A modal window the shortcut opens runs while
// the keys are down, and whoever closes it lets them go first (PressEscape).
void Press(WORD key, std::int32_t modifiers = 0) {
    std::vector<WORD> held;
    for (const auto& [bit, vk] : {std::pair{cb::ShortcutModifier::Ctrl, VK_CONTROL},
                                  {cb::ShortcutModifier::Shift, VK_SHIFT},
                                  {cb::ShortcutModifier::Alt, VK_MENU}}) {
        if (cb::HasModifier(modifiers, bit)) held.push_back(vk);
    }
    for (WORD modifier : held) commandbar::testing::Send(modifier, false);
    commandbar::testing::Send(key, false);
    held.insert(held.begin(), key);
    for (WORD down : held) {
        if (Held(down)) commandbar::testing::Send(down, true);
    }
}

// Escape as a key press, not waited for: this runs inside a modal window's loop. As a person
// would, it lets go of the keys of the shortcut that opened the window first.
void PressEscape(HWND) {
    std::vector<std::pair<WORD, bool>> keys;
    for (WORD key = VK_BACK; key < VK_LWIN; ++key) {
        if (Held(key)) keys.emplace_back(key, true);
    }
    keys.insert(keys.end(), {{VK_ESCAPE, false}, {VK_ESCAPE, true}});
    SendKeys(keys);
}

struct NoProgress : FontLoadProgress {
    void Begin(HWND) override {}
    void SetPercent(float) override {}
    void End() override {}
};

// Sends real input once the list has begun to fill, then lets messages through as the progress
// window does.
class InputDuringLoad final : public FontLoadProgress {
public:
    explicit InputDuringLoad(std::function<void()> input) : input_(std::move(input)) {}
    void Begin(HWND) override {}
    void SetPercent(float) override {
        if (auto input = std::exchange(input_, nullptr)) input();
        PumpFor(0);
    }
    void End() override {}

private:
    std::function<void()> input_;
};

RECT Bounds(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

class EndToEnd : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        prefs::Set(pref::kShowToolBar, L"1");
        prefs::Set(pref::kFontSize, L"14");
        prefs::Set(pref::kBackColour, L"16777215");  // black ink on white, as a user would set it
        Start();
        window_->LoadFonts(nullptr);
    }

    void Start() {
        window_.reset();  // the bars' keys are process-wide: one main window at a time
        window_ = std::make_unique<MainWindow>();
        MainWindow& window = *window_;
        window.SetUnloadHandler([this] { unloaded_ = true; });
        window.SetShellOpener([this](HWND, const std::wstring& target, const std::wstring&) { opened_.push_back(target); });
        window.SetFontSource([this] {
            ++fontLoads_;
            return families_;
        });
        window.SetProgress(std::make_unique<NoProgress>());
        window.Show();
        ::SetForegroundWindow(window.hwnd());
        PumpUntil([&] { return ::GetForegroundWindow() == window.hwnd(); }, 2000);
        const RECT r = Bounds(window.FontList().hwnd());
        SendMouse({r.right - 4, r.bottom - 4});  // the pointer rests away from the bars
    }

    // The pointer is left in a corner, away from where the next test's windows appear.
    void TearDown() override {
        window_.reset();
        SendMouse({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
        CleanPreferences::TearDown();
    }

    const MainMenu& menu() const { return window_->Menu(); }
    static std::wstring Pref(const wchar_t* name) { return prefs::Get(name).value_or(L"<absent>"); }

    // The visible drop-downs' bar keys.
    std::vector<std::wstring> Shown() const {
        std::vector<std::wstring> keys;
        for (std::size_t i = 2; i < menu().ElementCount(); ++i) {
            if (::IsWindowVisible(menu().Element(i).hwnd())) keys.push_back(menu().Element(i).BarKey());
        }
        return keys;
    }

    commandbar::CommandBarWindow* OpenMenu(int title) {
        commandbar::CommandBarWindow& bar = menu().MenuBar();
        commandbar::testing::Click(MenuRig::ItemCentre(bar, title));
        PumpUntil([&] { return MenuRig::MenuOf(bar, title) != nullptr; }, 2000);
        return MenuRig::MenuOf(bar, title);
    }

    // The entry's position in its bar.
    static int IndexOf(const std::wstring& key) {
        return commandbar::Registry().FindBar(key.substr(0, key.rfind(L':')))->IndexOf(key);
    }

    // The position of the title whose drop-down holds the entry.
    static int TitleOf(const std::wstring& key) {
        return commandbar::Registry().FindBar(core::kMenuBarKey)->IndexOf(key.substr(0, key.rfind(L':')));
    }
    commandbar::CommandBarWindow* OpenMenuOf(const std::wstring& key) { return OpenMenu(TitleOf(key)); }

    // Through the tool bar, or the title and then the entry of its drop-down.
    void ClickEntry(const std::wstring& key) {
        const int index = IndexOf(key);
        if (key.substr(0, key.rfind(L':')) == core::kToolbarKey) {
            commandbar::testing::Click(MenuRig::ItemCentre(menu().ToolBar(), index));
            return;
        }
        commandbar::CommandBarWindow* popup = OpenMenuOf(key);
        ASSERT_NE(popup, nullptr) << key;
        MenuRig::Hover(*popup, index);
        const POINT at = MenuRig::ItemCentre(*popup, index);
        SendMouse(at, MOUSEEVENTF_LEFTDOWN);
        SendMouse(at, MOUSEEVENTF_LEFTUP);
        PumpUntil([&] { return Shown().empty(); }, 1000);
    }

    // Alt, the arrows to the entry's title and down its drop-down to the entry, then Enter.
    void ChooseByKeys(const std::wstring& key) {
        const int title = TitleOf(key);
        Press(VK_MENU);
        for (int i = 1; i < title; ++i) Press(VK_RIGHT);
        Press(VK_DOWN);
        commandbar::CommandBarWindow* popup = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (popup = MenuRig::MenuOf(menu().MenuBar(), title)) != nullptr; }, 2000));
        const auto item = static_cast<std::size_t>(IndexOf(key) - 1);
        for (int i = 0; i < 12 && !popup->DisplayInfo()[item].mouseOver; ++i) Press(VK_DOWN);
        Press(VK_RETURN);
        EXPECT_TRUE(PumpUntil([&] { return Shown().empty(); }, 1000));
    }

    std::unique_ptr<MainWindow> window_;
    std::vector<core::FontFamily> families_{{L"Arial", {true, false}}, {L"Tahoma", {}}};
    bool unloaded_ = false;
    int fontLoads_ = 0;
    std::vector<std::wstring> opened_;
};

enum class Way { Mouse, Shortcut, MenuKeys };

// Every command by mouse, every command with a shortcut by its keys, and every menu entry from the
// keyboard alone; each must do its own thing once, read back from the registry, the window and
// what it opened. Choosing with Enter must not hand that Enter on to a window the command opens.
TEST_F(EndToEnd, EveryCommandByMouseByShortcutAndFromTheKeyboard) {
    testing_support::ModalCloser closer(window_->hwnd(), &PressEscape);
    const std::wstring licence = win::ExecutableDirectory() + L"\\License.rtf";
    const std::wstring mail =
        std::wstring(L"mailto:") + core::kSupportAddress + L"?subject=" + L"Marrowind Glyphoscope 2.3.1";
    for (Way way : {Way::Mouse, Way::Shortcut, Way::MenuKeys}) {
        for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) {
            const core::MenuAction action = core::ActionFor(entry.key);
            if (action.command == core::MenuCommand::None || action.command == core::MenuCommand::Exit) continue;
            const bool toolBarEntry = entry.key.starts_with(core::kToolbarKey);
            if (way != Way::Mouse && toolBarEntry) continue;
            if (way == Way::Shortcut && entry.shortcutKey == 0) continue;
            // By keys the last script choice goes as the three before it do; each costs seconds.
            if (way == Way::MenuKeys && action.script == core::FontScript::Opened) continue;
            const std::wstring key(entry.key);
            SCOPED_TRACE(key + L" way " + std::to_wstring(static_cast<int>(way)));
            const int loads = fontLoads_, closed = closer.closed;
            const bool ownerDisabledSoFar = closer.ownerAlwaysDisabled;
            const std::wstring text = Pref(pref::kViewerText), onTop = Pref(pref::kTopMost);
            const bool toolBar = Pref(pref::kShowToolBar) == L"1";
            opened_.clear();
            if (way == Way::Shortcut) {
                Press(entry.shortcutKey, entry.shortcutModifiers);
            } else if (way == Way::MenuKeys) {
                ChooseByKeys(key);
            } else {
                ClickEntry(key);
            }
            switch (action.command) {
            case core::MenuCommand::LoadFonts:
                EXPECT_EQ(fontLoads_, loads + 1);
                EXPECT_EQ(window_->FontList().Count(), 2);
                break;
            case core::MenuCommand::Find:
                EXPECT_EQ(::GetFocus(), window_->Filter().Box());
                break;
            case core::MenuCommand::FontScript:
                EXPECT_EQ(Pref(pref::kFontFilter), core::FontScriptText(action.script));
                // Arial is Cyrillic, Tahoma neither: both, one, none; no file is opened.
                EXPECT_EQ(window_->FontList().Count(),
                          action.script == core::FontScript::Opened ? 0 : 2 - static_cast<int>(action.script));
                break;
            case core::MenuCommand::OnTop:
                EXPECT_NE(Pref(pref::kTopMost), onTop);
                EXPECT_EQ((::GetWindowLongPtrW(window_->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0,
                          Pref(pref::kTopMost) == L"1");
                break;
            case core::MenuCommand::ToolBar: {
                EXPECT_EQ(Pref(pref::kShowToolBar), toolBar ? L"0" : L"1");
                const RECT r = Bounds(window_->hwnd());
                EXPECT_EQ(r.bottom - r.top, win::TwipsToPixels(toolBar ? MainWindow::kHeightWithoutToolBar
                                                                       : MainWindow::kHeightWithToolBar));
                break;
            }
            case core::MenuCommand::TextPreset:
                EXPECT_NE(Pref(pref::kViewerText), text);
                EXPECT_EQ(window_->Preview().Text(), L"Arial - " + Pref(pref::kViewerText));
                break;
            case core::MenuCommand::FontSize:
                EXPECT_EQ(Pref(pref::kFontSize), std::to_wstring(action.fontSize));
                EXPECT_EQ(window_->PreviewFontPoints(), action.fontSize);
                break;
            case core::MenuCommand::CharacterMap: {
                // Modeless: the closer's Escape closes it while the main window stays enabled.
                EXPECT_TRUE(PumpUntil([&] { return closer.closed == closed + 1 && !window_->CharacterMap().IsOpen(); }));
                EXPECT_TRUE(::IsWindowEnabled(window_->hwnd()));
                closer.ownerAlwaysDisabled = ownerDisabledSoFar;
                break;
            }
            case core::MenuCommand::OpenFontFiles:
            case core::MenuCommand::Settings:
            case core::MenuCommand::About:
            case core::MenuCommand::FontProperties:
                EXPECT_TRUE(
                    PumpUntil([&] { return closer.closed == closed + 1 && ::IsWindowEnabled(window_->hwnd()); }));
                break;
            default: {
                const std::wstring expected = action.command == core::MenuCommand::License    ? licence
                                              : action.command == core::MenuCommand::HomePage ? core::kHomePageUrl
                                                                                              : mail;
                EXPECT_EQ(opened_, std::vector<std::wstring>{expected});
            }
            }
            // The tool bar's own entries need it shown, and the font loads the whole list.
            if (way == Way::Mouse && Pref(pref::kShowToolBar) == L"0") ClickEntry(core::kToolbarEntry);
            if (action.script != core::FontScript::All) ClickEntry(core::FontScriptEntryKey(core::FontScript::All));
        }
    }
    EXPECT_TRUE(closer.ownerAlwaysDisabled);
}

TEST_F(EndToEnd, ExitByMenuToolBarAndShortcut) {
    for (const wchar_t* way : {L"MENU:FILE:EXIT", L"TOOLBAR:EXIT", L"keys"}) {
        SCOPED_TRACE(way);
        unloaded_ = false;
        if (way == std::wstring(L"keys")) {
            Press(VK_F4, cb::ModifierBits(cb::ShortcutModifier::Alt));
        } else {
            ClickEntry(way);
        }
        EXPECT_TRUE(PumpUntil([&] { return unloaded_; }));
        Start();
    }
}

// Ctrl+L or a double click on "Загрузить" while the list fills asks for nothing: the families are
// read once and listed once.
TEST_F(EndToEnd, ALoadAskedForWhileTheListFillsIsIgnored) {
    const POINT load = MenuRig::ItemCentre(menu().ToolBar(), IndexOf(L"TOOLBAR:LOAD"));
    const std::function<void()> requests[] = {
        [] { Press('L', cb::ModifierBits(cb::ShortcutModifier::Ctrl)); },
        [load] {
            commandbar::testing::Click(load);
            commandbar::testing::Click(load);
        },
    };
    for (const auto& request : requests) {
        window_->SetProgress(std::make_unique<InputDuringLoad>(request));
        const int loads = fontLoads_;
        window_->LoadFonts(nullptr);
        PumpFor(200);
        EXPECT_EQ(fontLoads_, loads + 1);
        std::vector<std::wstring> listed;
        for (int i = 0; i < window_->FontList().Count(); ++i) listed.push_back(window_->FontList().ItemText(i));
        EXPECT_EQ(listed, (std::vector<std::wstring>{L"Arial", L"Tahoma"}));
    }
}

int HotTitle(const commandbar::CommandBarWindow& bar) {
    const auto& info = bar.DisplayInfo();
    for (std::size_t i = 0; i < info.size(); ++i) {
        if (info[i].mouseOver) return static_cast<int>(i) + 1;
    }
    return 0;
}

TEST_F(EndToEnd, MenusOpenOneAtATimeAndAltWalksTheTitles) {
    commandbar::CommandBarWindow& bar = menu().MenuBar();
    ASSERT_NE(OpenMenu(1), nullptr);
    EXPECT_EQ(Shown(), std::vector<std::wstring>{L"MENU:FILE"});
    Press(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return Shown().empty(); }, 1000));

    Press(VK_MENU);
    std::vector<int> hot{HotTitle(bar)};
    for (int i = 0; i < 6; ++i) {
        Press(VK_RIGHT);
        hot.push_back(HotTitle(bar));
    }
    EXPECT_EQ(hot, (std::vector<int>{1, 2, 3, 4, 5, 6, 1}));
    EXPECT_TRUE(Shown().empty());
    Press(VK_ESCAPE);
    EXPECT_EQ(HotTitle(bar), 0);
}

TEST_F(EndToEnd, PresetsComposeInEitherOrderAndClearToEmpty) {
    const std::wstring figures = core::PresetEntryKey(core::SamplePreset::Figures);
    const std::wstring symbols = core::PresetEntryKey(core::SamplePreset::Symbols);
    std::vector<std::wstring> texts;
    for (const auto& order : {std::vector{figures, symbols}, std::vector{symbols, figures}}) {
        for (const std::wstring& key : order) ClickEntry(key);
        texts.push_back(Pref(pref::kViewerText));
        for (const std::wstring& key : order) ClickEntry(key);
        EXPECT_EQ(Pref(pref::kViewerText), L"");
        EXPECT_EQ(window_->Preview().Text(), L"Arial - ");
    }
    EXPECT_EQ(texts[0], texts[1]);
    EXPECT_NE(texts[0], L"");
}

TEST_F(EndToEnd, LargerSizeGrowsThePreviewAtOnceAndKeepsOneChecked) {
    ClickEntry(core::PresetEntryKey(core::SamplePreset::RussianBig));
    PumpFor(100);
    const int before = testing_support::InkRows(window_->Preview().hwnd());
    ClickEntry(L"MENU:FONTSIZE:18");
    EXPECT_GT(testing_support::InkRows(window_->Preview().hwnd()), before);
    int checked = 0;
    for (int size : core::kPreviewSizes) checked += menu().Checked(L"MENU:FONTSIZE:" + std::to_wstring(size));
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(menu().Checked(L"MENU:FONTSIZE:18"));
}

// Writes the window with the drop-down open over it when GLYPH_GALLERY_DIR names a folder.
void Screenshot(HWND window, HWND popup, const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"GLYPH_GALLERY_DIR", folder, MAX_PATH)) return;
    // What the user sees once painting has settled, not what is still waiting to be painted.
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFor(300);
    RECT area = Bounds(window);
    if (popup) {
        const RECT menuBounds = Bounds(popup);
        ::UnionRect(&area, &area, &menuBounds);
    }
    const int width = area.right - area.left + 8, height = area.bottom - area.top + 8;  // room for shadows
    testing_support::Canvas canvas(width, height);
    {
        win::WindowDc screen(nullptr);
        ::BitBlt(canvas.dc(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    EXPECT_TRUE(testing_support::WritePng(std::wstring(folder) + L"\\" + name + L"-" +
                                              std::to_wstring(win::ScreenDpi()) + L"dpi.png",
                                          canvas.Bits(), width, height));
}

// Layout at any DPI: the bars tall enough for their items, every item inside its bar, and the
// contents inside the window with the tool bar shown or not.
TEST_F(EndToEnd, LayoutKeepsEveryItemInsideItsBar) {
    for (int shown = 1; shown >= 0; --shown) {
        RECT client{};
        ::GetClientRect(window_->hwnd(), &client);
        ::MapWindowPoints(window_->hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        EXPECT_TRUE(Inside(Bounds(window_->Preview().hwnd()), client));
        EXPECT_TRUE(Inside(Bounds(window_->FontList().hwnd()), client));
        std::vector<commandbar::CommandBarWindow*> bars{&menu().MenuBar()};
        if (shown) bars.push_back(&menu().ToolBar());
        for (commandbar::CommandBarWindow* bar : bars) {
            const RECT bounds = Bounds(bar->hwnd());
            EXPECT_TRUE(Inside(bounds, client)) << bar->BarKey();
            EXPECT_TRUE(Inside(bounds, Bounds(::GetParent(bar->hwnd())))) << bar->BarKey();
            EXPECT_GE(bounds.bottom - bounds.top, ::GetSystemMetrics(SM_CYMENU) - 2) << bar->BarKey();
            for (int i = 1; i <= static_cast<int>(bar->DisplayInfo().size()); ++i) {
                EXPECT_FALSE(bar->DisplayInfo()[static_cast<std::size_t>(i - 1)].hidden) << bar->BarKey() << ' ' << i;
                EXPECT_TRUE(Inside(MenuRig::ItemRect(*bar, i), bounds)) << bar->BarKey() << ' ' << i;
            }
        }
        Screenshot(window_->hwnd(), nullptr, shown ? L"main-toolbar" : L"main");
        ClickEntry(core::kToolbarEntry);
    }
}

std::vector<std::wstring> Listed(const win::ListBox& list) {
    std::vector<std::wstring> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.ItemText(i));
    return names;
}

// Ctrl+F and letters typed into the box narrow thousands of families, the frame counts them and
// the arrows move the list; Escape brings the whole list back and then the focus; a script chosen
// from the keyboard is there again after a restart.
TEST_F(EndToEnd, FindingAFontByTypingAndByScript) {
    families_ = {{L"Arial", {true, false}}, {L"Courier New", {true, true}}, {L"Times New Roman", {}}};
    for (int i = 0; i < 10018; ++i) families_.push_back({L"Семейство " + std::to_wstring(i), {true, false}});
    window_->LoadFonts(nullptr);
    HWND box = window_->Filter().Box();
    HWND frame = ::GetWindow(box, GW_HWNDPREV);
    const auto caption = [&] {
        wchar_t text[64] = {};
        ::GetWindowTextW(frame, text, 64);
        return std::wstring(text);
    };
    const auto counted = [](std::size_t shown) {
        const core::DigitGrouping grouping = UserDigitGrouping();
        return L"Шрифты: " + core::GroupDigits(shown, grouping) + L" из " + core::GroupDigits(10021, grouping);
    };

    Press('F', cb::ModifierBits(cb::ShortcutModifier::Ctrl));
    ASSERT_EQ(::GetFocus(), box);
    for (WORD key : {'N', 'E', 'W'}) Press(key);
    EXPECT_EQ(Listed(window_->FontList()), (std::vector<std::wstring>{L"Courier New", L"Times New Roman"}));
    EXPECT_EQ(caption(), counted(2));
    Press(VK_DOWN);
    EXPECT_EQ(window_->PreviewFontName(), L"Times New Roman");
    Screenshot(window_->hwnd(), nullptr, L"main-search");
    Press(VK_ESCAPE);
    EXPECT_EQ(window_->FontList().Count(), 10021);
    EXPECT_EQ(caption(), core::kFontListCaption);
    EXPECT_EQ(::GetFocus(), box);
    Press(VK_ESCAPE);
    EXPECT_EQ(::GetFocus(), window_->FontList().hwnd());

    ChooseByKeys(core::FontScriptEntryKey(core::FontScript::Monospaced));
    EXPECT_EQ(caption(), counted(1));
    Start();
    window_->LoadFonts(nullptr);
    EXPECT_TRUE(menu().Checked(core::FontScriptEntryKey(core::FontScript::Monospaced)));
    EXPECT_EQ(Listed(window_->FontList()), std::vector<std::wstring>{L"Courier New"});
    Screenshot(window_->hwnd(), nullptr, L"main-monospaced");
}

// Opening and closing every drop-down, and running every command that does not end the program,
// leave no GDI or USER objects behind. GLYPH_MENU_ROUNDS sets the rounds (10).
TEST_F(EndToEnd, RepeatedMenusAndCommandsLeakNoHandles) {
    testing_support::ModalCloser closer(window_->hwnd(), &PressEscape);
    const int titles = static_cast<int>(menu().MenuBar().DisplayInfo().size());
    auto commands = [&] {
        for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) {
            const core::MenuCommand command = core::ActionFor(entry.key).command;
            if (command == core::MenuCommand::None || command == core::MenuCommand::Exit) continue;
            // By keys where there are some: the mouse path is covered above, and slower.
            if (entry.shortcutKey) {
                Press(entry.shortcutKey, entry.shortcutModifiers);
            } else {
                ClickEntry(std::wstring(entry.key));
            }
            // The character map takes the keys until the closer's Escape has closed it.
            if (command == core::MenuCommand::CharacterMap) {
                PumpUntil([&] { return window_->CharacterMap().IsOpen(); }, 2000);
                PumpUntil([&] { return !window_->CharacterMap().IsOpen(); });
            }
            // The tool bar's own entries need it shown; the preview follows the list after a command.
            if (Pref(pref::kShowToolBar) == L"0") ClickEntry(core::kToolbarEntry);
            PumpUntil([&] { return !window_->Filter().PreviewPending(); }, 1000);
        }
        PumpUntil([&] { return ::IsWindowEnabled(window_->hwnd()) != FALSE; });
    };
    auto menus = [&](bool pictures) {
        for (int title = 1; title <= titles; ++title) {
            commandbar::CommandBarWindow* popup = OpenMenu(title);
            ASSERT_NE(popup, nullptr) << title;
            if (pictures) Screenshot(window_->hwnd(), popup->hwnd(), L"menu" + std::to_wstring(title));
            Press(VK_ESCAPE);
            ASSERT_TRUE(PumpUntil([&] { return Shown().empty(); }, 1000)) << title;
        }
    };
    commands();  // fills the caches
    // Under Wine the file dialog keeps one drawing object more from its third showing on: shown
    // twice more here, it is as settled as the rest before the counts are taken.
    for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) {
        if (core::ActionFor(entry.key).command != core::MenuCommand::OpenFontFiles) continue;
        for (int i = 0; i < 2; ++i) {
            Press(entry.shortcutKey, entry.shortcutModifiers);
            PumpUntil([&] { return ::IsWindowEnabled(window_->hwnd()) != FALSE; });
        }
    }
    menus(true);
    const unsigned gdi = testing_support::DrawingObjectCount();
    const unsigned user = testing_support::UserObjectCount();
    const char* rounds = std::getenv("GLYPH_MENU_ROUNDS");
    for (int i = 0, n = rounds ? std::atoi(rounds) : 10; i < n; ++i) menus(false);
    EXPECT_EQ(testing_support::DrawingObjectCount(), gdi);
    EXPECT_LE(testing_support::UserObjectCount(), user);
    commands();
    commands();
    EXPECT_EQ(testing_support::DrawingObjectCount(), gdi);
    EXPECT_LE(testing_support::UserObjectCount(), user);
}

// The screen over a place, bottom row first as the shadow strips keep their pictures.
std::vector<std::uint32_t> ScreenPixels(const RECT& place) {
    const int width = place.right - place.left, height = place.bottom - place.top;
    testing_support::Canvas canvas(width, height);
    {
        win::WindowDc screen(nullptr);
        ::BitBlt(canvas.dc(), 0, 0, width, height, screen.get(), place.left, place.top, SRCCOPY);
    }
    std::vector<std::uint32_t> pixels;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) pixels.push_back(canvas.Raw(x, y) & 0xFFFFFFu);
    }
    return pixels;
}

// A drop-down's shadow darkens what lies beneath it, whoever blends it: the system, or the strip
// itself where the platform reports that layered windows may be drawn opaque (Wine on an X server
// without a compositing manager draws them as solid black strips).
TEST_F(EndToEnd, MenuShadowsDarkenWhatLiesBeneath) {
    // The second time the strips are used again, over what the hidden tool bar leaves beneath.
    for (const bool toolBar : {true, false}) {
        SCOPED_TRACE(toolBar);
        if (!toolBar) ClickEntry(core::kToolbarEntry);
        commandbar::CommandBarWindow* popup = OpenMenu(TitleOf(core::kOnTopEntry));
        ASSERT_NE(popup, nullptr);
        PumpFor(300);
        if (toolBar) Screenshot(window_->hwnd(), popup->hwnd(), L"menu-shadow");
        std::vector<std::tuple<cb::ShadowSide, RECT, std::vector<std::uint32_t>>> strips;
        for (const commandbar::MenuDropShadow* strip : {&popup->Shadows().Right(), &popup->Shadows().Bottom()}) {
            ASSERT_TRUE(strip->hwnd());
            strips.emplace_back(strip->ShadowType(), Bounds(strip->hwnd()), ScreenPixels(Bounds(strip->hwnd())));
        }
        Press(VK_ESCAPE);
        ASSERT_TRUE(PumpUntil([&] { return Shown().empty(); }, 1000));
        PumpFor(300);
        const core::Colour colour =
            win::TranslateColour(commandbar::GetElementColour(core::colour_element::kDropShadow));
        for (const auto& [side, r, shown] : strips) {
            std::vector<std::uint32_t> beneath = ScreenPixels(r);
            cb::DarkenScreenCopy(beneath, side, {r.left, r.top, r.right - r.left, r.bottom - r.top},
                                 cb::kDefaultShadowSize, colour);
            // The system's blend rounds a little differently from the strip's own.
            int off = 0;
            for (std::size_t p = 0; p < beneath.size(); ++p) {
                for (int shift : {0, 8, 16}) {
                    off += std::abs(static_cast<int>((shown[p] >> shift) & 0xFF) -
                                    static_cast<int>((beneath[p] >> shift) & 0xFF)) > 2;
                }
            }
            EXPECT_EQ(off, 0) << "colour bytes off, side " << static_cast<int>(side);
        }
    }
}

}  // namespace
}  // namespace app

namespace app {
namespace {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Every entry of a list, comma-separated.
std::wstring ListText(HWND list) {
    std::wstring text;
    for (int i = 0, n = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); i < n; ++i) {
        std::wstring item(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        text += (text.empty() ? L"" : L", ") + item;
    }
    return text;
}

// What the window shows, as a screen reader reads it: each label and the visible control after it
// (an edit's text, a link's accessible name).
std::map<std::wstring, std::wstring> ShownFields(HWND details) {
    std::map<std::wstring, std::wstring> fields;
    std::wstring label;
    for (HWND child = ::GetWindow(details, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        ::GetClassNameW(child, className, 64);
        const std::wstring text = WindowText(child);
        if (std::wstring(className) == L"Static" && text.ends_with(L":")) {
            label = text.substr(0, text.size() - 1);
        } else if (!label.empty() && ::IsWindowVisible(child)) {
            std::wstring value = std::wstring(className) == L"Edit" ? text : testing_support::NameAndRole(child).first;
            if (std::wstring(className) == L"ListBox") value = ListText(child);
            std::erase(value, L'\r');
            fields[label] = value;
            label.clear();
        }
    }
    return fields;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) text = chars;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

void Chord(WORD key, WORD held) { SendKeys({{held, false}, {key, false}, {key, true}, {held, true}}); }

// Steps a user takes in the details window while its modal loop runs, each tried on a timer tick
// until it reports done. A step still waiting after five seconds closes the window, so that the
// test goes on to report it.
class InDetails {
public:
    InDetails(HWND main, std::vector<std::function<bool(HWND)>> steps) : main_(main), steps_(std::move(steps)) {
        timer_.SetOwner(main);
        timer_.SetInterval(50);
        timer_.OnTick([this] {
            if (busy_ || Done()) return;
            HWND details = ::FindWindowW(L"GlyphoscopeFontDetailsWindow", nullptr);
            if (!details || !::IsWindowVisible(details) || ::GetWindow(details, GW_OWNER) != main_) return;
            if (!deadline_) deadline_ = ::GetTickCount64() + 5000;
            busy_ = true;  // a step that pumps messages must not run the next one inside it
            if (steps_[next_](details)) {
                ++next_;
                deadline_ = ::GetTickCount64() + 5000;
            } else if (::GetTickCount64() > deadline_) {
                stuckAt = static_cast<int>(next_);
                next_ = steps_.size();
                ::PostMessageW(details, WM_CLOSE, 0, 0);
            }
            busy_ = false;
        });
        timer_.SetEnabled(true);
    }
    bool Done() const { return next_ == steps_.size(); }
    int stuckAt = -1;

private:
    HWND main_;
    std::vector<std::function<bool(HWND)>> steps_;
    std::size_t next_ = 0;
    ULONGLONG deadline_ = 0;
    bool busy_ = false;
    win::Timer timer_;
};

class FontDetails : public EndToEnd {
protected:
    static constexpr wchar_t kFamily[] = L"Liberation Sans";
    static constexpr char kFile[] = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

    void SetUp() override {
        EndToEnd::SetUp();
        window_->SetFontSource([] { return std::vector<std::wstring>{L"Tahoma", kFamily}; });
        window_->LoadFonts(nullptr);
    }

    POINT FontAt(int index) const {
        RECT item{};
        ::SendMessageW(window_->FontList().hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&item));
        ::MapWindowPoints(window_->FontList().hwnd(), nullptr, reinterpret_cast<POINT*>(&item), 2);
        return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    }
};

// The fields for a font whose file the test reads itself, Ctrl+C, and Escape.
TEST_F(FontDetails, AltEnterShowsWhatTheFontFileHolds) {
    commandbar::testing::Click(FontAt(1));
    ASSERT_EQ(window_->PreviewFontName(), kFamily);
    std::map<std::wstring, std::wstring> shown;
    std::wstring title, copied;
    bool ownerDisabled = false, menuMode = false;
    HWND details = nullptr;
    InDetails user(window_->hwnd(), {
        [&](HWND window) {
            SendKeys({{VK_RETURN, true}, {VK_MENU, true}});
            menuMode = commandbar::Registry().InMenuMode();
            details = window;
            title = WindowText(window);
            ownerDisabled = !::IsWindowEnabled(window_->hwnd());
            shown = ShownFields(window);
            Screenshot(window, nullptr, L"font-details");
            ::OpenClipboard(nullptr);
            ::EmptyClipboard();
            ::CloseClipboard();
            Chord('C', VK_CONTROL);
            return true;
        },
        [&](HWND) { return !(copied = ClipboardText()).empty(); },
        [&](HWND) {
            testing_support::PressKey(VK_ESCAPE);
            return true;
        },
    });
    // The shortcut is read while its keys are down, as a person holds them.
    commandbar::testing::Send(VK_MENU, false);
    commandbar::testing::Send(VK_RETURN, false);
    ASSERT_TRUE(PumpUntil([&] { return user.Done(); }, 10000));
    EXPECT_EQ(user.stuckAt, -1);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(details) && ::IsWindowEnabled(window_->hwnd()); }));
    EXPECT_EQ(title, L"Свойства шрифта");
    EXPECT_TRUE(ownerDisabled);
    EXPECT_FALSE(menuMode);

    std::ifstream in(kFile, std::ios::binary);
    const std::vector<std::uint8_t> file(std::istreambuf_iterator<char>(in), {});
    core::fonts::FontFacts facts = core::fonts::ReadFontFacts(core::fonts::TablesFromFile(file).value());
    facts.filePath = L"Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf";
    EXPECT_EQ(shown[L"Семейство"], kFamily);
    for (const core::fonts::DetailField& field : core::fonts::DetailFields(facts)) {
        EXPECT_EQ(shown[std::wstring(field.label)], field.value) << std::wstring(field.label);
    }
    for (const auto& [label, value] : shown) {
        std::wstring line = label + L": " + value;
        std::replace(line.begin(), line.end(), L'\n', L' ');
        EXPECT_NE(copied.find(line + L"\r\n"), std::wstring::npos) << line;
    }
}

// A right click selects the font under the pointer and opens the list's own menu, whose entries
// copy the name and open the details of that font.
TEST_F(FontDetails, RightClickMenuActsOnTheFontUnderThePointer) {
    const auto choose = [&](std::wstring_view key) {
        SendMouse(FontAt(1), MOUSEEVENTF_RIGHTDOWN);
        SendMouse(FontAt(1), MOUSEEVENTF_RIGHTUP);
        commandbar::CommandBarWindow* popup = nullptr;
        ASSERT_TRUE(PumpUntil([&] {
            for (std::size_t i = 2; i < menu().ElementCount(); ++i) {
                commandbar::CommandBarWindow& host = menu().Element(i);
                if (::IsWindowVisible(host.hwnd()) && host.BarKey() == core::kFontListMenuKey) popup = &host;
            }
            return popup != nullptr;
        }, 2000));
        const auto keys = core::FontListMenuKeys();
        const int index = static_cast<int>(std::find(keys.begin(), keys.end(), key) - keys.begin()) + 1;
        MenuRig::Hover(*popup, index);
        commandbar::testing::Click(MenuRig::ItemCentre(*popup, index));
    };
    commandbar::testing::Click(FontAt(0));
    choose(core::kCopyFontNameEntry);
    EXPECT_TRUE(PumpUntil([&] { return Shown().empty(); }, 1000));
    EXPECT_EQ(window_->FontList().Selected(), 1);
    EXPECT_EQ(window_->PreviewFontName(), kFamily);
    EXPECT_EQ(ClipboardText(), kFamily);

    // A file the program added itself names the family's file, whatever the platform says.
    window_->FontFiles().AddKnownFile(L"liberation sans", L"D:\\Шрифты\\added.ttf");
    std::map<std::wstring, std::wstring> shown;
    InDetails user(window_->hwnd(), {[&](HWND details) {
        shown = ShownFields(details);
        ::PostMessageW(details, WM_CLOSE, 0, 0);
        return true;
    }});
    choose(core::kFontPropertiesEntry);
    EXPECT_TRUE(PumpUntil([&] { return user.Done(); }, 5000));
    EXPECT_EQ(user.stuckAt, -1);
    EXPECT_EQ(shown[L"Семейство"], kFamily);
    EXPECT_EQ(shown[L"Файл"], L"added.ttf");
    EXPECT_EQ(shown[L"Папка"], L"D:\\Шрифты");
}

}  // namespace
}  // namespace app
