// Start-up, tested on the real program: the test starts Glyphoscope.exe beside it and looks at
// the windows it opens.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <string>

#include "app/preferences.h"
#include "app/tests/registry_fixture.h"
#include "support/pump.h"
#include "win/module.h"

namespace app {
namespace {

struct WindowQuery {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[128] = {}, text[256] = {};
    ::GetClassNameW(hwnd, cls, 128);
    ::GetWindowTextW(hwnd, text, 256);
    if (pid == query->pid && ::IsWindowVisible(hwnd) &&
        (!query->className || wcscmp(cls, query->className) == 0) && wcscmp(text, query->caption) == 0) {
        query->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

class RunningProgram {
public:
    RunningProgram() {
        std::wstring command = L"\"" + win::ExecutableDirectory() + L"\\Glyphoscope.exe\"";
        STARTUPINFOW startup{sizeof(startup)};
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_)) {
            ADD_FAILURE() << "cannot start the program: error " << ::GetLastError();
        }
        ::WaitForInputIdle(process_.hProcess, 10000);
    }
    ~RunningProgram() {
        if (process_.hProcess) {
            if (!Exited()) ::TerminateProcess(process_.hProcess, 1);
            ::WaitForSingleObject(process_.hProcess, 5000);
            ::CloseHandle(process_.hThread);
            ::CloseHandle(process_.hProcess);
        }
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Exited() const { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }
    bool WaitForExit(DWORD ms) const { return ::WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = 0;
        ::GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    // A visible top-level window of this process with the given class (null: any) and caption.
    HWND FindProgramWindow(const wchar_t* className, const wchar_t* caption) const {
        WindowQuery query{process_.dwProcessId, className, caption, nullptr};
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&query));
        return query.found;
    }

    HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD ms = 15000) const {
        HWND found = nullptr;
        testing_support::PumpUntil([&] { return (found = FindProgramWindow(className, caption)) != nullptr || Exited(); }, ms);
        return found;
    }

private:
    PROCESS_INFORMATION process_{};
};

constexpr wchar_t kMainClass[] = L"GlyphoscopeMainWindow";
constexpr wchar_t kMainCaption[] = L"Marrowind Glyphoscope 2.3";
constexpr wchar_t kDialogClass[] = L"#32770";

BOOL CALLBACK ReadMessageText(HWND child, LPARAM param) {
    // The message text is the static control with id 0xFFFF, on Windows and Wine alike.
    if (::GetDlgCtrlID(child) != 0xFFFF) return TRUE;
    wchar_t buffer[1024] = {};
    ::GetWindowTextW(child, buffer, 1024);
    *reinterpret_cast<std::wstring*>(param) = buffer;
    return FALSE;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    ::EnumChildWindows(box, &ReadMessageText, reinterpret_cast<LPARAM>(&text));
    return text;
}

class StartUp : public testing_support::CleanPreferences {};

TEST_F(StartUp, FreshUserOpensTheMainWindowAndClosingEndsTheProcess) {
    RunningProgram program;
    HWND main = program.WaitForWindow(kMainClass, kMainCaption);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(program.FindProgramWindow(kDialogClass, kProgramTitle), nullptr);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
    // Nothing was asked to be saved, so nothing was written.
    EXPECT_EQ(prefs::Get(pref::kMainLeft), std::nullopt);
}

TEST_F(StartUp, SeveralCopiesRunUnlessTheUserTurnedItOff) {
    RunningProgram first;
    ASSERT_NE(first.WaitForWindow(kMainClass, kMainCaption), nullptr);
    {
        RunningProgram second;  // ManyCopies absent
        EXPECT_NE(second.WaitForWindow(kMainClass, kMainCaption), nullptr);
    }
    prefs::Set(pref::kManyCopies, L"1");
    RunningProgram third;
    EXPECT_NE(third.WaitForWindow(kMainClass, kMainCaption), nullptr);
}

TEST_F(StartUp, SecondCopyIsRefusedWhenManyCopiesIsOff) {
    RunningProgram first;
    ASSERT_NE(first.WaitForWindow(kMainClass, kMainCaption), nullptr);
    prefs::Set(pref::kManyCopies, L"0");

    RunningProgram second;
    HWND box = second.WaitForWindow(kDialogClass, kProgramTitle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kAlreadyRunningText);
    EXPECT_EQ(second.FindProgramWindow(kMainClass, kMainCaption), nullptr);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(second.WaitForExit(10000));
    EXPECT_FALSE(first.Exited());
}

TEST_F(StartUp, ManyCopiesOffWithNoOtherCopyStartsNormally) {
    prefs::Set(pref::kManyCopies, L"0");
    RunningProgram program;
    EXPECT_NE(program.WaitForWindow(kMainClass, kMainCaption), nullptr);
    EXPECT_EQ(program.FindProgramWindow(kDialogClass, kProgramTitle), nullptr);
}

TEST_F(StartUp, SplashSettingStillEndsWithTheMainWindow) {
    prefs::Set(pref::kShowSplash, L"1");
    RunningProgram program;
    EXPECT_NE(program.WaitForWindow(kMainClass, kMainCaption, 20000), nullptr);
    EXPECT_FALSE(program.Exited());
}

TEST_F(StartUp, CorruptedPreferencesStartNormally) {
    prefs::Set(pref::kBackColor, L"not a colour");
    prefs::Set(pref::kFontColor, L"&HZZ");
    prefs::Set(pref::kSaveSize, L"1");
    prefs::Set(pref::kMainLeft, L"?");
    prefs::Set(pref::kViewerText, std::wstring(100000, L'я'));
    prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
    DWORD number = 1;
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kPreferencesKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    ::RegSetValueExW(key, pref::kTopMost, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    ::RegCloseKey(key);

    RunningProgram program;
    HWND main = program.WaitForWindow(kMainClass, kMainCaption);
    ASSERT_NE(main, nullptr);
    testing_support::PumpFor(300);
    EXPECT_EQ(program.FindProgramWindow(kDialogClass, kProgramTitle), nullptr) << "an error was reported";
    EXPECT_FALSE(::GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
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

}  // namespace
}  // namespace app
