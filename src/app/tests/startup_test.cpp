// Start-up, tested on the real program: the test starts Glyphoscope.exe beside it and looks at
// the windows it opens.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <string>

#include "app/preferences.h"
#include "app/splash_window.h"
#include "app/tests/registry_fixture.h"
#include "app/tests/running_program.h"
#include "support/keyboard.h"
#include "support/pump.h"
#include "win/error_report.h"
#include "win/handles.h"
#include "win/module.h"

namespace app {
namespace {

using tests::kMainCaption;
using tests::kMainClass;
using tests::MessageBoxText;
using tests::RunningProgram;

constexpr wchar_t kDialogClass[] = L"#32770";

class StartUp : public testing_support::CleanPreferences {};

TEST_F(StartUp, FreshUserOpensTheMainWindowAndClosingEndsTheProcess) {
    RunningProgram program;
    HWND main = program.WaitFor(kMainClass, kMainCaption);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(program.Find(kDialogClass, kProgramTitle), nullptr);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
    // Nothing was asked to be saved, so nothing was written.
    EXPECT_EQ(prefs::Get(pref::kMainLeft), std::nullopt);
}

TEST_F(StartUp, SeveralCopiesRunUnlessTheUserTurnedItOff) {
    RunningProgram first;
    ASSERT_NE(first.WaitFor(kMainClass, kMainCaption), nullptr);
    {
        RunningProgram second;  // ManyCopies absent
        EXPECT_NE(second.WaitFor(kMainClass, kMainCaption), nullptr);
    }
    prefs::Set(pref::kManyCopies, L"1");
    RunningProgram third;
    EXPECT_NE(third.WaitFor(kMainClass, kMainCaption), nullptr);
}

TEST_F(StartUp, SecondCopyIsRefusedWhenManyCopiesIsOff) {
    RunningProgram first;
    ASSERT_NE(first.WaitFor(kMainClass, kMainCaption), nullptr);
    prefs::Set(pref::kManyCopies, L"0");

    RunningProgram second;
    HWND box = second.WaitFor(kDialogClass, kProgramTitle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kAlreadyRunningText);
    EXPECT_EQ(second.Find(kMainClass, kMainCaption), nullptr);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(second.WaitForExit(10000));
    EXPECT_FALSE(first.Exited());
}

TEST_F(StartUp, ManyCopiesOffWithNoOtherCopyStartsNormally) {
    prefs::Set(pref::kManyCopies, L"0");
    RunningProgram program;
    EXPECT_NE(program.WaitFor(kMainClass, kMainCaption), nullptr);
    EXPECT_EQ(program.Find(kDialogClass, kProgramTitle), nullptr);
}

TEST_F(StartUp, SplashSettingStillEndsWithTheMainWindow) {
    prefs::Set(pref::kShowSplash, L"1");
    RunningProgram program;
    EXPECT_NE(program.WaitFor(kMainClass, kMainCaption, 20000), nullptr);
    EXPECT_FALSE(program.Exited());
}

TEST_F(StartUp, CorruptedPreferencesStartNormally) {
    prefs::Set(pref::kBackColour, L"not a colour");
    prefs::Set(pref::kFontColour, L"&HZZ");
    prefs::Set(pref::kSaveSize, L"1");
    prefs::Set(pref::kMainLeft, L"?");
    prefs::Set(pref::kViewerText, std::wstring(100000, L'я'));
    prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
    DWORD number = 1;
    win::UniqueRegKey key;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kPreferencesKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr);
    ::RegSetValueExW(key.get(), pref::kTopMost, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    key.reset();

    RunningProgram program;
    HWND main = program.WaitFor(kMainClass, kMainCaption);
    ASSERT_NE(main, nullptr);
    testing_support::PumpFor(300);
    EXPECT_EQ(program.Find(kDialogClass, kProgramTitle), nullptr) << "an error was reported";
    EXPECT_FALSE(::GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// What a new user does first, with real key presses through the program's own message loop: Down
// in the font list, Tab to the preview and type, Shift+Tab back, another window and back again.
TEST_F(StartUp, TheKeyboardWorksFromTheStart) {
    prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
    RunningProgram program;
    HWND main = program.WaitFor(kMainClass, kMainCaption);
    ASSERT_NE(main, nullptr);
    const DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
    auto focus = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    };
    auto className = [](HWND window) {
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        return std::wstring(name);
    };
    auto waitForFocusOn = [&](const wchar_t* expected) {
        return testing_support::PumpUntil([&] { return className(focus()) == expected; });
    };
    auto text = [](HWND window) {
        wchar_t buffer[512] = {};
        ::SendMessageW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer));
        return std::wstring(buffer);
    };
    ::SetForegroundWindow(main);
    // Once the fonts are listed, the list has the focus.
    ASSERT_TRUE(testing_support::PumpUntil(
        [&] {
            return className(focus()) == L"ListBox" && ::SendMessageW(focus(), LB_GETCOUNT, 0, 0) > 1 &&
                   ::GetForegroundWindow() == main;
        },
        15000))
        << "focus on " << testing::PrintToString(className(focus()));
    HWND list = focus();
    testing_support::PressKey(VK_DOWN);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return ::SendMessageW(list, LB_GETCURSEL, 0, 0) == 1; }));

    testing_support::PressKey(VK_TAB);
    ASSERT_TRUE(waitForFocusOn(L"Edit"));
    HWND preview = focus();
    const std::wstring before = text(preview);
    testing_support::PressKey('Q');
    EXPECT_TRUE(testing_support::PumpUntil([&] { return text(preview).size() == before.size() + 1; }))
        << testing::PrintToString(text(preview));

    testing_support::PressKey(VK_TAB, true);
    EXPECT_TRUE(waitForFocusOn(L"ListBox"));
    testing_support::PressKey(VK_TAB);
    EXPECT_TRUE(waitForFocusOn(L"Edit"));

    // Back from another window, the preview has the focus again.
    win::UniqueWindow other(::CreateWindowExW(0, L"STATIC", L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                                              200, nullptr, nullptr, nullptr, nullptr));
    ::SetForegroundWindow(other.get());
    ASSERT_TRUE(testing_support::PumpUntil([&] { return ::GetForegroundWindow() == other.get(); }));
    ::SetForegroundWindow(main);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return focus() == preview; }))
        << "focus on " << testing::PrintToString(className(focus()));
}

TEST(ProgramFile, CarriesVersionTwoPointThreeRevision120) {
    win::FileVersion version = win::ReadFileVersion(win::ExecutableDirectory() + L"\\Glyphoscope.exe");
    EXPECT_EQ(version.major, 2);
    EXPECT_EQ(version.minor, 3);
    EXPECT_EQ(version.revision, 120);
}

std::wstring g_seenMessage;

BOOL CALLBACK FindTitledWindow(HWND hwnd, LPARAM param) {
    wchar_t text[64] = {};
    ::GetWindowTextW(hwnd, text, 64);
    if (wcscmp(text, kProgramTitle) != 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
}

// The message box is modal: this timer reads and closes it once it is up.
void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindTitledWindow, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    ::KillTimer(nullptr, id);
    g_seenMessage = MessageBoxText(box);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(ErrorMessage, ShowsNumberLineBreakAndDescription) {
    g_seenMessage.clear();
    UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &CloseMessageBox);
    ShowErrorMessage(core::RuntimeError(13, L"Type mismatch", L"Glyphoscope"));
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_seenMessage, L"Произошла ошибка № 13\r\nType mismatch");
}

// ---- Start-up in this process, with the main window made to fail -----------------------------

LRESULT CALLBACK RefuseCreation(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_NCCREATE ? FALSE : ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// Stands in for the panel class while it lives: panels refuse to be created, so the main window's
// load fails after its own window exists but before anyone has seen it.
class RefusedPanels {
public:
    RefusedPanels() {
        ::UnregisterClassW(kPanelClass, win::ModuleInstance());
        WNDCLASSEXW refused{sizeof(refused)};
        refused.lpfnWndProc = &RefuseCreation;
        refused.hInstance = win::ModuleInstance();
        refused.lpszClassName = kPanelClass;
        EXPECT_TRUE(::RegisterClassExW(&refused));
    }
    ~RefusedPanels() { ::UnregisterClassW(kPanelClass, win::ModuleInstance()); }
    RefusedPanels(const RefusedPanels&) = delete;
    RefusedPanels& operator=(const RefusedPanels&) = delete;

private:
    static constexpr wchar_t kPanelClass[] = L"GlyphoscopePanel";
};

std::wstring g_reported;
bool g_stillRunning = false;

// Reads and closes start-up's error message.
void CALLBACK AnswerError(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindTitledWindow, reinterpret_cast<LPARAM>(&box));
    if (box) {
        g_reported = MessageBoxText(box);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

// Ends a message loop that would otherwise never end.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    g_stillRunning = true;
    ::PostQuitMessage(1);
}

class StartUpWithoutMainWindow : public testing_support::CleanPreferences, public testing::WithParamInterface<bool> {};

// Whether the main window fails at start or in the splash timer, the error is reported and then the
// program ends: with ManyCopies "0" a hidden copy would refuse every later start.
TEST_P(StartUpWithoutMainWindow, EndsAfterTheReport) {
    const bool splash = GetParam();
    if (splash) prefs::Set(pref::kShowSplash, L"1");
    win::ErrorReporter testReporter = win::SetErrorReporter({});
    g_reported.clear();
    g_stillRunning = false;
    int exitCode = -1;
    {
        RefusedPanels refused;
        UINT_PTR answer = ::SetTimer(nullptr, 0, 100, &AnswerError);
        UINT_PTR giveUp = ::SetTimer(nullptr, 0, SplashWindow::kDelayMilliseconds + 4000, &GiveUp);
        exitCode = RunProgram(splash ? MakeSplashLauncher() : SplashLauncher{});
        ::KillTimer(nullptr, answer);
        ::KillTimer(nullptr, giveUp);
    }
    win::SetErrorReporter(std::move(testReporter));
    testing_support::PumpFor(0);
    EXPECT_EQ(g_reported.rfind(L"Произошла ошибка № ", 0), 0u) << testing::PrintToString(g_reported);
    EXPECT_FALSE(g_stillRunning) << "the program ran on without a window";
    EXPECT_EQ(exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(AtStartAndAfterTheSplash, StartUpWithoutMainWindow, testing::Bool());

}  // namespace
}  // namespace app
