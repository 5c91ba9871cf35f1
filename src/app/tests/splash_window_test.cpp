// The splash module in process, and the splash sequence on the real program.
#include "app/splash_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/tests/registry_fixture.h"
#include "support/error_capture.h"
#include "support/error_number.h"
#include "support/pump.h"
#include "win/module.h"

// Allocations above this size fail while a test asks for it, as on a machine short of memory.
namespace {
std::atomic<std::size_t> g_allocationLimit{std::numeric_limits<std::size_t>::max()};
}  // namespace

void* operator new(std::size_t size) {
    void* memory = size <= g_allocationLimit ? std::malloc(size ? size : 1) : nullptr;
    if (!memory) throw std::bad_alloc();
    return memory;
}
#if defined(__GNUC__)
// GCC takes the pairing of the replacements below with std::malloc for a mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace app {
namespace {

class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t bytes) { g_allocationLimit = bytes; }
    ~AllocationLimit() { g_allocationLimit = std::numeric_limits<std::size_t>::max(); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};

std::wstring BesideTests(const wchar_t* name) { return win::ExecutableDirectory() + L"\\" + name; }

using testing_support::ErrorNumberOf;

TEST(SplashScreen, ShowsTheShippedPictureAsALayeredWindowUntilClosed) {
    SplashScreen splash;
    splash.LoadFile(BesideTests(L"Splash.spl"));
    ASSERT_GT(splash.Image().width, 300u);
    splash.Show(false);
    HWND window = splash.Window();
    ASSERT_TRUE(::IsWindow(window));
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    EXPECT_EQ(static_cast<unsigned>(bounds.right - bounds.left), splash.Image().width);
    EXPECT_EQ(static_cast<unsigned>(bounds.bottom - bounds.top), splash.Image().height);
    splash.Close();
    EXPECT_FALSE(::IsWindow(window));
}

TEST(SplashScreen, MissingCorruptAndUnloadedFilesRaiseErrors) {
    SplashScreen splash;
    EXPECT_EQ(ErrorNumberOf([&] { splash.Show(false); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { splash.LoadFile(BesideTests(L"NoSuchSplash.spl")); }), 53);
    const std::wstring corrupt = BesideTests(L"CorruptSplash.spl");
    {
        std::ofstream file(std::filesystem::path(corrupt), std::ios::binary);
        file << "GSPL this is not a picture";
    }
    EXPECT_EQ(ErrorNumberOf([&] { splash.LoadFile(corrupt); }), 321);
    ::DeleteFileW(corrupt.c_str());
    EXPECT_EQ(splash.Window(), nullptr);
}

// Start-up's splash boundary catches every failure, not only the program's own errors: reading a
// splash file there is no memory for is reported, and the main window still follows on the timer.
TEST(SplashLauncher, AnyFailureIsReportedAndTheMainWindowStillFollows) {
    testing_support::ErrorCapture errors;
    MainWindow mainWindow;
    SplashLauncher launch = MakeSplashLauncher();
    bool timerRunning = false;
    {
        AllocationLimit limit(64 * 1024);  // Splash.spl is larger
        EXPECT_NO_THROW(timerRunning = launch(mainWindow));
    }
    EXPECT_TRUE(timerRunning);
    ASSERT_EQ(errors.errors().size(), 1u);
    EXPECT_EQ(errors.errors()[0].number(), 7);
}

// ---- The real program -------------------------------------------------------------------------

constexpr wchar_t kMainClass[] = L"GlyphoscopeMainWindow";
constexpr wchar_t kMainCaption[] = L"Marrowind Glyphoscope 2.3";
constexpr wchar_t kSplashClass[] = L"GlyphoscopeSplashScreen";

struct Query {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<Query*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[128] = {};
    ::GetClassNameW(hwnd, cls, 128);
    if (pid != query->pid || !::IsWindowVisible(hwnd) || wcscmp(cls, query->className) != 0) return TRUE;
    query->found = hwnd;
    return FALSE;
}

BOOL CALLBACK ReadStaticText(HWND child, LPARAM param) {
    if (::GetDlgCtrlID(child) != 0xFFFF) return TRUE;
    wchar_t buffer[1024] = {};
    ::GetWindowTextW(child, buffer, 1024);
    *reinterpret_cast<std::wstring*>(param) = buffer;
    return FALSE;
}

class Program {
public:
    explicit Program(const std::wstring& path) {
        std::wstring command = L"\"" + path + L"\"";
        STARTUPINFOW startup{sizeof(startup)};
        started_ = ::GetTickCount64();
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_)) {
            ADD_FAILURE() << "cannot start " << testing::PrintToString(path) << ": error " << ::GetLastError();
        }
    }
    ~Program() {
        if (!process_.hProcess) return;
        ::TerminateProcess(process_.hProcess, 1);
        ::WaitForSingleObject(process_.hProcess, 5000);
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Find(const wchar_t* className) const {
        Query query{process_.dwProcessId, className, nullptr};
        ::EnumWindows(&MatchClass, reinterpret_cast<LPARAM>(&query));
        return query.found;
    }
    HWND WaitFor(const wchar_t* className, unsigned ms) const {
        HWND found = nullptr;
        testing_support::PumpUntil([&] { return (found = Find(className)) != nullptr; }, ms);
        return found;
    }
    ULONGLONG Elapsed() const { return ::GetTickCount64() - started_; }

private:
    PROCESS_INFORMATION process_{};
    ULONGLONG started_ = 0;
};

class SplashSequence : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        prefs::Set(pref::kShowSplash, L"1");
    }
};

TEST_F(SplashSequence, MainWindowFollowsSixSecondsAfterTheSplash) {
    Program program(BesideTests(L"Glyphoscope.exe"));
    HWND splash = program.WaitFor(kSplashClass, 5000);
    ASSERT_NE(splash, nullptr) << "no splash";
    EXPECT_EQ(program.Find(kMainClass), nullptr);
    HWND main = program.WaitFor(kMainClass, 15000);
    ASSERT_NE(main, nullptr);
    const ULONGLONG opened = program.Elapsed();
    EXPECT_GE(opened, 5900u);
    EXPECT_LE(opened, 9000u);
    EXPECT_FALSE(::IsWindow(splash)) << "the splash was not closed";
    wchar_t caption[64] = {};
    ::GetWindowTextW(main, caption, 64);
    EXPECT_STREQ(caption, kMainCaption);
}

TEST_F(SplashSequence, AMissingSplashFileIsReportedAndTheMainWindowStillFollows) {
    // A copy of the program in a folder of its own, without Splash.spl.
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"GlyphoscopeNoSplash";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\Glyphoscope.exe";
    ASSERT_TRUE(::CopyFileW(BesideTests(L"Glyphoscope.exe").c_str(), copy.c_str(), FALSE));
    {
        Program program(copy);
        HWND box = program.WaitFor(L"#32770", 10000);
        ASSERT_NE(box, nullptr) << "no error message";
        std::wstring text;
        ::EnumChildWindows(box, &ReadStaticText, reinterpret_cast<LPARAM>(&text));
        EXPECT_EQ(text.rfind(L"Произошла ошибка № 53\r\n", 0), 0u) << testing::PrintToString(text);
        EXPECT_NE(text.find(L"Splash.spl"), std::wstring::npos);
        wchar_t title[64] = {};
        ::GetWindowTextW(box, title, 64);
        EXPECT_STREQ(title, L"Glyphoscope 2.3");
        EXPECT_EQ(program.Find(kSplashClass), nullptr);

        // The message stays up; the main window opens on time behind it.
        HWND main = program.WaitFor(kMainClass, 15000);
        ASSERT_NE(main, nullptr);
        EXPECT_GE(program.Elapsed(), 5900u);
        EXPECT_LE(program.Elapsed(), 9000u);
    }
    ::DeleteFileW(copy.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace app
