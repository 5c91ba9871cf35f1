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
#include "app/tests/running_program.h"
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

using tests::BesideTests;

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
    EXPECT_EQ(errors.errors()[0].Number(), 7);
}

// ---- The real program -------------------------------------------------------------------------

using tests::kMainCaption;
using tests::kMainClass;
using tests::MessageBoxText;
using Program = tests::RunningProgram;

constexpr wchar_t kSplashClass[] = L"GlyphoscopeSplashScreen";

class SplashSequence : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        prefs::Set(pref::kShowSplash, L"1");
    }
};

TEST_F(SplashSequence, MainWindowFollowsSixSecondsAfterTheSplash) {
    Program program(BesideTests(L"Glyphoscope.exe"));
    HWND splash = program.WaitFor(kSplashClass, nullptr, 5000);
    ASSERT_NE(splash, nullptr) << "no splash";
    // On a busy machine Wine may take seconds to start the process: the late bound counts from the
    // splash, not from the launch.
    const ULONGLONG splashSeen = program.Elapsed();
    EXPECT_EQ(program.Find(kMainClass), nullptr);
    HWND main = program.WaitFor(kMainClass);
    ASSERT_NE(main, nullptr);
    const ULONGLONG opened = program.Elapsed();
    EXPECT_GE(opened, 5900u);
    EXPECT_LE(opened - splashSeen, 9000u);
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
        HWND box = program.WaitFor(L"#32770", nullptr, 10000);
        ASSERT_NE(box, nullptr) << "no error message";
        const ULONGLONG boxSeen = program.Elapsed();
        const std::wstring text = MessageBoxText(box);
        EXPECT_EQ(text.rfind(L"Произошла ошибка № 53\r\n", 0), 0u) << testing::PrintToString(text);
        EXPECT_NE(text.find(L"Splash.spl"), std::wstring::npos);
        wchar_t title[64] = {};
        ::GetWindowTextW(box, title, 64);
        EXPECT_STREQ(title, L"Glyphoscope 2.3");
        EXPECT_EQ(program.Find(kSplashClass), nullptr);

        // The message stays up; the main window opens on time behind it.
        HWND main = program.WaitFor(kMainClass);
        ASSERT_NE(main, nullptr);
        EXPECT_GE(program.Elapsed(), 5900u);
        EXPECT_LE(program.Elapsed() - boxSeen, 9000u);
    }
    ::DeleteFileW(copy.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace app
