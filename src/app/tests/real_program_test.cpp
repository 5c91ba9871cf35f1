// The real program, started from its file and used from outside as a user uses it: real mouse and
// keyboard input, items found where a screen reader finds them (by their accessible names and
// locations), results read from the registry, window sizes and styles, the preview's text and
// pixels, and what the shell was asked to open.

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/font_file_sources.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/tests/registry_fixture.h"
#include "app/tests/running_program.h"
#include "commandbar/tests/menu_rig.h"
#include "core/app/contacts.h"
#include "core/app/sample_text.h"
#include "support/accessible.h"
#include "support/keyboard.h"
#include "support/screenshot.h"
#include "support/win_events.h"
#include "win/dpi.h"
#include "win/handles.h"

namespace app {
namespace {

using commandbar::testing::Click;
using commandbar::testing::Key;
using commandbar::testing::KeyWith;
using commandbar::testing::SendMouse;
using testing_support::AccessibleChild;
using testing_support::PumpUntil;

constexpr wchar_t kBarClass[] = L"GlyphoscopeCommandBar";
constexpr wchar_t kDocumentClass[] = L"GlyphoscopeTests.Document";

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::optional<std::wstring> ReadValue(HKEY root, const std::wstring& key, const wchar_t* name) {
    wchar_t value[1024]{};
    DWORD size = sizeof(value);
    if (::RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

// One registry text value set for a while; what was there before comes back, and keys that were
// not there go again.
class ValueOverride {
public:
    ValueOverride(HKEY root, std::wstring key, const wchar_t* name, const std::wstring& value)
        : root_(root), key_(std::move(key)), name_(name ? name : L""), previous_(ReadValue(root, key_, name)) {
        // The outermost part of the path that has to be made.
        for (std::size_t end = 0; end != std::wstring::npos;) {
            end = key_.find(L'\\', end + 1);
            const std::wstring part = key_.substr(0, end);
            HKEY opened = nullptr;
            if (::RegOpenKeyExW(root_, part.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
                created_ = part;
                break;
            }
            ::RegCloseKey(opened);
        }
        ::RegSetKeyValueW(root_, key_.c_str(), name, REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    ~ValueOverride() {
        if (!created_.empty()) {
            ::RegDeleteTreeW(root_, created_.c_str());
        } else if (previous_) {
            ::RegSetKeyValueW(root_, key_.c_str(), Name(), REG_SZ, previous_->c_str(),
                              static_cast<DWORD>((previous_->size() + 1) * sizeof(wchar_t)));
        } else {
            ::RegDeleteKeyValueW(root_, key_.c_str(), Name());
        }
    }
    ValueOverride(const ValueOverride&) = delete;
    ValueOverride& operator=(const ValueOverride&) = delete;

private:
    const wchar_t* Name() const { return name_.empty() ? nullptr : name_.c_str(); }

    HKEY root_;
    std::wstring key_, name_;
    std::optional<std::wstring> previous_;
    std::wstring created_;
};

// The user's handlers for mail, web pages and RTF documents, replaced by one that writes down what
// it was handed.
class RecordedShell {
public:
    RecordedShell() {
        wchar_t folder[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, folder);
        record_ = std::wstring(folder) + L"glyph-shell-targets-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
        ::DeleteFileW(record_.c_str());
        const std::wstring command =
            Quoted(tests::BesideTests(L"shell_target_recorder.exe")) + L" " + Quoted(record_) + L" \"%1\"";
        for (const wchar_t* scheme : {L"mailto", L"http", L"https"}) {
            Set(scheme, L"URL Protocol", L"");
            Set(std::wstring(scheme) + L"\\shell\\open\\command", nullptr, command);
        }
        Set(L".rtf", nullptr, kDocumentClass);
        Set(std::wstring(kDocumentClass) + L"\\shell\\open\\command", nullptr, command);
    }
    ~RecordedShell() {
        // Last made, first undone: each key goes back to what it was found as.
        while (!overrides_.empty()) overrides_.pop_back();
        ::DeleteFileW(record_.c_str());
    }
    RecordedShell(const RecordedShell&) = delete;
    RecordedShell& operator=(const RecordedShell&) = delete;

    std::vector<std::wstring> Targets() const {
        std::vector<std::wstring> targets;
        std::ifstream in(std::filesystem::path(record_), std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            const int size = ::MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
            std::wstring target(static_cast<std::size_t>(size), L'\0');
            ::MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), target.data(), size);
            targets.push_back(target);
        }
        return targets;
    }

private:
    // The user's own classes; where the merged view does not show them (Wine), the machine's too.
    void Set(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
        const std::wstring userKey = L"Software\\Classes\\" + key;
        overrides_.push_back(std::make_unique<ValueOverride>(HKEY_CURRENT_USER, userKey, name, value));
        if (ReadValue(HKEY_CLASSES_ROOT, key, name) != value) {
            overrides_.push_back(std::make_unique<ValueOverride>(HKEY_CLASSES_ROOT, key, name, value));
        }
    }

    std::wstring record_;
    std::vector<std::unique_ptr<ValueOverride>> overrides_;
};

BOOL CALLBACK AddChild(HWND child, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}

// The visible windows of that class anywhere inside the window.
std::vector<HWND> Inside(HWND window, const wchar_t* className) {
    std::vector<HWND> all, matching;
    ::EnumChildWindows(window, &AddChild, reinterpret_cast<LPARAM>(&all));
    for (HWND child : all) {
        wchar_t name[64]{};
        ::GetClassNameW(child, name, 64);
        if (::IsWindowVisible(child) && std::wstring(name) == className) matching.push_back(child);
    }
    return matching;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024]{};
    ::SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}


class RealProgram : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        for (const auto& [name, value] : {std::pair{pref::kLoadFontsAtProgramStartup, L"1"},
                                          {pref::kShowToolBar, L"1"},
                                          {pref::kFontSize, L"14"},
                                          {pref::kFontColour, L"0"},
                                          {pref::kBackColour, L"16777215"}}) {
            prefs::Set(name, value);
        }
        program_ = std::make_unique<tests::RunningProgram>(tests::BesideTests(L"Glyphoscope.exe"), arguments_);
        main_ = program_->WaitFor(tests::kMainClass, tests::kMainCaption);
        ASSERT_NE(main_, nullptr);
        ::SetForegroundWindow(main_);
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == main_; }));
        const std::vector<HWND> lists = Inside(main_, L"ListBox");
        ASSERT_EQ(lists.size(), 1u);
        list_ = lists.front();
        ASSERT_TRUE(PumpUntil([&] { return ::SendMessageW(list_, LB_GETCOUNT, 0, 0) > 0; }, 15000));
        for (HWND edit : Inside(main_, L"Edit")) {
            if (::GetWindowLongPtrW(edit, GWL_STYLE) & ES_MULTILINE) preview_ = edit;
        }
        ASSERT_NE(preview_, nullptr);
        for (HWND bar : Inside(main_, kBarClass)) {
            (testing_support::NameAndRole(bar).second == ROLE_SYSTEM_MENUBAR ? menuBar_ : toolBar_) = bar;
        }
        ASSERT_TRUE(menuBar_ && toolBar_);
        // The pointer rests on the list, away from the bars.
        RECT r{};
        ::GetWindowRect(list_, &r);
        SendMouse({r.right - 30, r.bottom - 10});
    }

    void TearDown() override {
        program_.reset();
        CleanPreferences::TearDown();
    }

    std::vector<HWND> Popups() const { return program_->Windows(kBarClass); }
    static std::wstring Pref(const wchar_t* name) { return prefs::Get(name).value_or(L"<absent>"); }

    static AccessibleChild Item(HWND bar, const std::wstring& name) {
        for (const AccessibleChild& child : testing_support::Children(bar)) {
            if (child.name == name) return child;
        }
        ADD_FAILURE() << "no item " << testing::PrintToString(name);
        return {};
    }
    static POINT Centre(const AccessibleChild& item) {
        return {(item.bounds.left + item.bounds.right) / 2, (item.bounds.top + item.bounds.bottom) / 2};
    }

    // Clicks the title and waits for its drop-down; null when none opened.
    HWND Open(const std::wstring& title) const {
        Click(Centre(Item(menuBar_, title)));
        HWND popup = nullptr;
        PumpUntil([&] { return Popups().size() == 1 && (popup = Popups().front()) != nullptr; });
        return popup;
    }

    // The title's drop-down, then its entry: hovered until lit, then clicked.
    void Choose(const std::wstring& title, const std::wstring& entry) const {
        HWND popup = Open(title);
        ASSERT_NE(popup, nullptr) << testing::PrintToString(title);
        const AccessibleChild item = Item(popup, entry);
        SendMouse({item.bounds.left + 4, Centre(item).y});
        SendMouse(Centre(item));
        EXPECT_TRUE(PumpUntil([&] { return (Item(popup, entry).state & STATE_SYSTEM_HOTTRACKED) != 0; }));
        SendMouse(Centre(item), MOUSEEVENTF_LEFTDOWN);
        SendMouse(Centre(item), MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return Popups().empty(); })) << testing::PrintToString(entry);
        // The drop-down goes before the entry's command runs; a message sent to the program is
        // answered only once that command has returned.
        ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    }

    std::wstring SelectedFont() const {
        wchar_t name[LF_FACESIZE]{};
        const LRESULT selected = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
        if (selected >= 0 && ::SendMessageW(list_, LB_GETTEXTLEN, selected, 0) < LF_FACESIZE) {
            ::SendMessageW(list_, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(name));
        }
        return name;
    }

    int Height() const {
        RECT r{};
        ::GetWindowRect(main_, &r);
        return r.bottom - r.top;
    }

    std::wstring arguments_;  // on the program's command line
    std::unique_ptr<tests::RunningProgram> program_;
    HWND main_ = nullptr, list_ = nullptr, preview_ = nullptr, menuBar_ = nullptr, toolBar_ = nullptr;
};

TEST_F(RealProgram, EntriesAndShortcutsChangeWhatTheUserSees) {
    // A title opens its own drop-down and nothing else.
    HWND file = Open(L"Файл");
    ASSERT_NE(file, nullptr);
    std::vector<std::wstring> names;
    for (const AccessibleChild& child : testing_support::Children(file)) names.push_back(child.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Открыть файл шрифта...", L"Загрузить шрифты", L"Найти шрифт", L"Свойства шрифта...", L"",
                                                L"Выход"}));
    // As with the platform's menus, Escape closes the drop-down and leaves its title lit; a second
    // one leaves the menu bar, and shortcuts work again.
    const auto fileTitleLit = [&] { return (Item(menuBar_, L"Файл").state & STATE_SYSTEM_HOTTRACKED) != 0; };
    Key(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return Popups().empty(); }));
    EXPECT_TRUE(fileTitleLit());
    Key(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !fileTitleLit(); }));

    // Sizes by mouse and by keys change the preview at once; one size stays checked.
    const int at14 = testing_support::InkRows(preview_);
    Choose(L"Размер шрифта", L"18");
    EXPECT_EQ(Pref(pref::kFontSize), L"18");
    EXPECT_TRUE(PumpUntil([&] { return testing_support::InkRows(preview_) > at14; }));
    HWND sizes = Open(L"Размер шрифта");
    ASSERT_NE(sizes, nullptr);
    std::vector<std::wstring> checked;
    for (const AccessibleChild& child : testing_support::Children(sizes)) {
        if (child.state & STATE_SYSTEM_CHECKED) checked.push_back(child.name);
    }
    EXPECT_EQ(checked, std::vector<std::wstring>{L"18"});
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    KeyWith('1', {VK_CONTROL});
    EXPECT_TRUE(PumpUntil([&] { return Pref(pref::kFontSize) == L"10"; }));
    EXPECT_TRUE(PumpUntil([&] { return testing_support::InkRows(preview_) < at14; }));

    // Presets in either order give one text, and clearing them the empty one.
    const std::wstring figures = L"Цифры", symbols = L"Символы";
    const std::wstring both = std::wstring(core::SamplePresetText(core::SamplePreset::Figures)) +
                              std::wstring(core::SamplePresetText(core::SamplePreset::Symbols));
    std::vector<std::wstring> texts;
    for (const auto& order : {std::vector{figures, symbols}, std::vector{symbols, figures}}) {
        // The command runs after the drop-down has closed: wait for what it writes.
        for (const std::wstring& entry : order) Choose(L"Текст просмотра", entry);
        EXPECT_TRUE(PumpUntil([&] { return Pref(pref::kViewerText).size() == both.size(); }));
        texts.push_back(Pref(pref::kViewerText));
        EXPECT_TRUE(PumpUntil([&] { return TextOf(preview_) == SelectedFont() + L" - " + texts.back(); }));
        for (const std::wstring& entry : order) Choose(L"Текст просмотра", entry);
        EXPECT_TRUE(PumpUntil([&] { return Pref(pref::kViewerText).empty(); }));
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{both, both}));

    // The tool bar off and on again, and always on top on and off again.
    for (bool on : {false, true}) {
        Choose(L"Вид", L"Панель инструментов");
        const double twips = on ? MainWindow::kHeightWithToolBar : MainWindow::kHeightWithoutToolBar;
        EXPECT_TRUE(PumpUntil([&] { return (::IsWindowVisible(toolBar_) != FALSE) == on; }));
        EXPECT_EQ(Pref(pref::kShowToolBar), on ? L"1" : L"0");
        EXPECT_EQ(Height(), win::TwipsToPixels(twips));
    }
    for (bool on : {true, false}) {
        Choose(L"Вид", L"Поверх всех окон");
        EXPECT_TRUE(PumpUntil([&] { return ((::GetWindowLongPtrW(main_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) == on; }));
        EXPECT_EQ(Pref(pref::kTopMost), on ? L"1" : L"0");
    }
}

// Another process hears the menus as a screen reader does: Alt lights "Файл", Down opens it on its
// first entry, Down moves through the entries and past the separator to "Выход", and two Escapes
// close the drop-down and leave the menu bar.
TEST_F(RealProgram, AnotherProcessHearsTheMenus) {
    testing_support::WinEventRecorder recorder(program_->ProcessId());
    ASSERT_TRUE(recorder.Hooked());
    for (WORD key : {VK_MENU, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_ESCAPE, VK_ESCAPE}) Key(key);
    HWND popup = nullptr;
    const auto described = [&] {
        return testing_support::Described(recorder.Heard(), [&](HWND hwnd) -> std::string {
            if (hwnd == menuBar_) return "bar";
            if (!popup) popup = hwnd;  // the first other window to speak is the drop-down
            return hwnd == popup ? "popup" : "?";
        });
    };
    const std::vector<std::string> expected{"start bar",     "focus bar:1",   "popup popup",   "focus popup:1",
                                            "focus popup:2", "focus popup:3", "focus popup:4", "focus popup:6",
                                            "popup end popup", "end bar"};
    PumpUntil([&] { return described() == expected; });
    EXPECT_EQ(described(), expected);
}

TEST_F(RealProgram, ShellCommandsOpenOnlyTheirFixedTargets) {
    RecordedShell shell;
    Choose(L"Справка", L"Написать письмо автору");
    Click(Centre(Item(toolBar_, L"Посетить домашнюю страничку")));
    KeyWith('L', {VK_CONTROL, VK_SHIFT});
    std::vector<std::wstring> expected{core::kSupportMailWithSubject, core::kHomePageUrl,
                                       tests::BesideTests(L"License.rtf")};
    EXPECT_TRUE(PumpUntil([&] { return shell.Targets().size() >= expected.size(); }, 15000));
    // Each target is recorded by a process of its own, so they may arrive in any order.
    std::vector<std::wstring> targets = shell.Targets();
    std::ranges::sort(targets);
    std::ranges::sort(expected);
    EXPECT_EQ(targets, expected);
}

TEST_F(RealProgram, DialogsAreModalOverTheMainWindowAndTheProgramEndsWithAltF4) {
    const auto opensModallyAndEscapeCloses = [&](const wchar_t* caption, const auto& open) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(caption)));
        open();
        HWND dialog = program_->WaitFor(nullptr, caption, 5000);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), main_);
        EXPECT_FALSE(::IsWindowEnabled(main_));
        EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == dialog; }));
        Key(VK_ESCAPE);
        EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(dialog) && ::IsWindowEnabled(main_); }));
    };
    opensModallyAndEscapeCloses(L"Параметры программы", [] { KeyWith('S', {VK_CONTROL}); });
    opensModallyAndEscapeCloses(L"О программе", [&] { Choose(L"Справка", L"О программе"); });
    // A screen reader's default action returns before the dialog it opens, not once it has closed.
    opensModallyAndEscapeCloses(L"Параметры программы", [&] {
        testing_support::AccessiblePtr bar = testing_support::ClientObject(toolBar_);
        ASSERT_TRUE(bar);
        const LONG id = Item(toolBar_, L"Настроить параметры программы").id;
        EXPECT_EQ(bar->accDoDefaultAction(testing_support::ChildId(id)), S_OK);
    });
    KeyWith(VK_F4, {VK_MENU});
    ASSERT_TRUE(program_->WaitForExit(10000));
    EXPECT_EQ(program_->ExitCode(), 0u);
}


// Font files not installed: one on the command line, two handed over by a second copy (one of them
// damaged), one chosen in the open dialog by Ctrl+O; each listed first and previewed, and nothing
// installed for the system.
class RealProgramFontFiles : public RealProgram {
protected:
    RealProgramFontFiles() { arguments_ = Quoted(Font(L"proba.ttf")); }
    static std::wstring Font(const wchar_t* name) { return tests::BesideTests(L"open-fonts\\") + name; }
    bool Shows(const std::wstring& family) const {
        return SelectedFont() == family && TextOf(preview_).starts_with(family + L" - ");
    }
};

TEST_F(RealProgramFontFiles, OpenedFromTheCommandLineAnotherCopyAndTheDialog) {
    ASSERT_TRUE(PumpUntil([&] { return Shows(L"Glyphoscope Proba"); }));
    EXPECT_EQ(::SendMessageW(list_, LB_GETCURSEL, 0, 0), 0);
    prefs::Set(pref::kViewerText, std::wstring(core::SamplePresetText(core::SamplePreset::RussianBig)) +
                                      std::wstring(core::SamplePresetText(core::SamplePreset::EnglishSmall)));

    // A second copy hands its files over and ends; the first reports the damaged one.
    prefs::Set(pref::kManyCopies, L"0");
    tests::RunningProgram second(tests::BesideTests(L"Glyphoscope.exe"),
                                 Quoted(Font(L"damaged.ttf")) + L" " + Quoted(Font(L"secunda.ttf")));
    EXPECT_TRUE(second.WaitForExit(15000));
    EXPECT_EQ(second.ExitCode(), 0u);
    HWND box = program_->WaitFor(L"#32770", L"Glyphoscope 2.3", 10000);
    ASSERT_NE(box, nullptr);
    const std::wstring report = tests::MessageBoxText(box);
    EXPECT_NE(report.find(Font(L"damaged.ttf") + L" \u2014 файл шрифта повреждён"), std::wstring::npos) << report;
    EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == box; }));
    Key(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return Shows(L"Glyphoscope Secunda"); }));
    EXPECT_EQ(program_->Windows(tests::kMainClass).size(), 1u);
    EXPECT_EQ(::GetForegroundWindow(), main_);
    if (const char* folder = std::getenv("GLYPH_GALLERY_DIR")) {
        testing_support::SaveWindowPng(main_, std::string(folder) + "\\opened-font-" +
                                                  std::to_string(win::ScreenDpi()) + "dpi.png");
    }

    // Ctrl+O, a name typed in the dialog, Enter.
    KeyWith('O', {VK_CONTROL});
    HWND dialog = program_->WaitFor(L"#32770", kOpenDialogTitle, 10000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == dialog; }));
    testing_support::TypeText(Font(L"tertia.ttf"));
    Key(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return Shows(L"Glyphoscope Tertia"); }, 10000));
    EXPECT_EQ(Pref(pref::kFontFileFolder), tests::BesideTests(L"open-fonts"));

    // Nothing reached the system's fonts: neither the Fonts folder nor either fonts key.
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    for (const wchar_t* file : {L"proba.ttf", L"secunda.ttf", L"tertia.ttf"}) {
        EXPECT_FALSE(std::filesystem::exists(std::wstring(windows) + L"\\Fonts\\" + file)) << file;
    }
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        win::UniqueRegKey key;
        ::RegOpenKeyExW(root, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0, KEY_READ, key.put());
        wchar_t name[512], data[1024];
        DWORD nameSize = 512, dataSize = sizeof(data);
        for (DWORD i = 0; key && ::RegEnumValueW(key.get(), i, name, &nameSize, nullptr, nullptr,
                                                 reinterpret_cast<BYTE*>(data), &dataSize) == ERROR_SUCCESS;
             ++i, nameSize = 512, dataSize = sizeof(data)) {
            EXPECT_EQ(std::wstring(name).find(L"Glyphoscope"), std::wstring::npos) << name;
        }
    }
    EXPECT_FALSE(program_->Exited());
}

}  // namespace
}  // namespace app
