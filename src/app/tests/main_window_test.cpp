#include "app/main_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>

#include "app/preferences.h"
#include "app/screen_fonts.h"
#include "app/tests/registry_fixture.h"
#include "core/runtime_error.h"
#include "support/gui_resources.h"
#include "support/pump.h"
#include "win/dpi.h"

namespace app {
namespace {

// Records what the window tells the progress display.
class RecordingProgress : public FontLoadProgress {
public:
    struct Log {
        int begins = 0;
        int ends = 0;
        HWND owner = reinterpret_cast<HWND>(-1);
        std::vector<float> values;
        // Runs once at the next percentage, as a message let through then would.
        std::function<void()> nextPercent;
    };
    explicit RecordingProgress(Log& log) : log_(log) {}
    void Begin(HWND owner) override {
        ++log_.begins;
        log_.owner = owner;
    }
    void SetPercent(float percent) override {
        log_.values.push_back(percent);
        if (auto run = std::exchange(log_.nextPercent, nullptr)) run();
    }
    void End() override { ++log_.ends; }

private:
    Log& log_;
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM target) {
    auto* names = reinterpret_cast<std::vector<std::wstring>*>(target);
    if (std::find(names->begin(), names->end(), font->lfFaceName) == names->end()) names->push_back(font->lfFaceName);
    return 1;
}

// The platform's family enumeration, independently of the program's code.
std::vector<std::wstring> PlatformFamilies() {
    std::vector<std::wstring> names;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesW(screen, nullptr, &CollectFace, reinterpret_cast<LPARAM>(&names));
    ::ReleaseDC(nullptr, screen);
    return names;
}

class MainWindowTest : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        window_.SetUnloadHandler([this] { unloaded_ = true; });
    }

    RECT Bounds() const {
        RECT r{};
        ::GetWindowRect(window_.hwnd(), &r);
        return r;
    }
    double HeightTwips() const { return win::PixelsToTwips(Bounds().bottom - Bounds().top); }

    MainWindow window_;
    bool unloaded_ = false;
};

TEST_F(MainWindowTest, FreshUserGetsCentredWindowWithoutFonts) {
    window_.Show();
    EXPECT_TRUE(::IsWindowVisible(window_.hwnd()));
    wchar_t caption[64] = {};
    ::GetWindowTextW(window_.hwnd(), caption, 64);
    EXPECT_STREQ(caption, L"Marrowind Glyphoscope 2.3");

    RECT client{};
    ::GetClientRect(window_.hwnd(), &client);
    EXPECT_EQ(client.right, win::TwipsToPixels(9015));
    EXPECT_EQ(Bounds().bottom - Bounds().top, win::TwipsToPixels(5245));
    EXPECT_FALSE(::IsWindowVisible(window_.ToolBarStrip()));

    RECT r = Bounds();
    EXPECT_NEAR(r.left, (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2, 1);
    EXPECT_NEAR(r.top, (::GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 1);

    EXPECT_EQ(window_.FontList().Count(), 0);
    EXPECT_EQ(window_.Preview().Text(), L"Шрифты не загружены, просмотр не доступен!");
    EXPECT_FALSE(::GetWindowLongPtrW(window_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    // Black text on white until the user picks colours: the stored default would be black on black.
    EXPECT_EQ(window_.PreviewTextColour(), RGB(0, 0, 0));
    EXPECT_EQ(window_.PreviewBackColour(), RGB(255, 255, 255));
}

TEST_F(MainWindowTest, ToolBarMakesWindowTallerAndCentringUsesThatHeight) {
    prefs::Set(pref::kShowToolBar, L"1");
    window_.Show();
    EXPECT_EQ(Bounds().bottom - Bounds().top, win::TwipsToPixels(5955));
    EXPECT_TRUE(::IsWindowVisible(window_.ToolBarStrip()));
    EXPECT_NEAR(Bounds().top, (::GetSystemMetrics(SM_CYSCREEN) - win::TwipsToPixels(5955)) / 2, 1);

    window_.SetToolBarVisible(false);
    EXPECT_EQ(Bounds().bottom - Bounds().top, win::TwipsToPixels(5245));
    EXPECT_FALSE(::IsWindowVisible(window_.ToolBarStrip()));
}

TEST_F(MainWindowTest, SavedPositionIsUsedAsItIs) {
    prefs::Set(pref::kSaveSize, L"1");
    prefs::Set(pref::kMainLeft, L"1500");
    prefs::Set(pref::kMainTop, L"3000");
    window_.Show();
    EXPECT_EQ(Bounds().left, win::TwipsToPixels(1500));
    EXPECT_EQ(Bounds().top, win::TwipsToPixels(3000));
}

TEST_F(MainWindowTest, SavedPositionMissingOpensAtTopLeft) {
    prefs::Set(pref::kSaveSize, L"1");
    window_.Show();
    EXPECT_EQ(Bounds().left, 0);
    EXPECT_EQ(Bounds().top, 0);
}

TEST_F(MainWindowTest, ClosingSavesPositionInTwipsOnlyWhenAsked) {
    prefs::Set(pref::kSaveSize, L"1");
    window_.Show();
    ::SetWindowPos(window_.hwnd(), nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SendMessageW(window_.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(unloaded_);
    EXPECT_FALSE(window_.Loaded());
    EXPECT_EQ(prefs::Get(pref::kMainLeft), std::to_wstring(std::lround(win::PixelsToTwips(40))));
    EXPECT_EQ(prefs::Get(pref::kMainTop), std::to_wstring(std::lround(win::PixelsToTwips(60))));
}

// Closing, logging off and shutting down unload alike, and what is saved is where the window is
// when restored, also while it is minimised (off screen then).
TEST_F(MainWindowTest, UnloadSavesTheRestoredPositionOnCloseAndAtSessionEnd) {
    prefs::Set(pref::kSaveSize, L"1");
    const std::function<void(HWND)> endings[] = {
        [](HWND window) { ::SendMessageW(window, WM_CLOSE, 0, 0); },
        [](HWND window) {
            EXPECT_TRUE(::SendMessageW(window, WM_QUERYENDSESSION, 0, 0));
            ::SendMessageW(window, WM_ENDSESSION, TRUE, 0);
        },
    };
    for (bool minimised : {false, true}) {
        for (const auto& end : endings) {
            MainWindow window;
            bool unloaded = false;
            window.SetUnloadHandler([&] { unloaded = true; });
            window.Show();
            ::SetWindowPos(window.hwnd(), nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            if (minimised) ::ShowWindow(window.hwnd(), SW_MINIMIZE);
            prefs::Set(pref::kMainLeft, L"");
            end(window.hwnd());
            EXPECT_TRUE(unloaded);
            EXPECT_EQ(prefs::Get(pref::kMainLeft), std::to_wstring(std::lround(win::PixelsToTwips(40)))) << minimised;
            EXPECT_EQ(prefs::Get(pref::kMainTop), std::to_wstring(std::lround(win::PixelsToTwips(60)))) << minimised;
        }
    }
    // A session end that was called off changes nothing.
    window_.Show();
    ::SendMessageW(window_.hwnd(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(window_.Loaded());
    EXPECT_FALSE(unloaded_);
}

TEST_F(MainWindowTest, ClosingWithoutSaveSizeWritesNothing) {
    window_.Show();
    ::SendMessageW(window_.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(unloaded_);
    win::UniqueRegKey key;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, kPreferencesKeyPath, 0, KEY_READ, key.put()), ERROR_SUCCESS);
}

TEST_F(MainWindowTest, TopMostPutsWindowInTheTopmostBand) {
    prefs::Set(pref::kTopMost, L"1");
    window_.Show();
    EXPECT_TRUE(::GetWindowLongPtrW(window_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    window_.SetTopMost(false);
    EXPECT_FALSE(::GetWindowLongPtrW(window_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowTest, FontListIsThePlatformsFamilyList) {
    prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
    prefs::Set(pref::kViewerText, L"0123456789 ");
    prefs::Set(pref::kFontSize, L"14");
    window_.Show();

    std::vector<std::wstring> expected = PlatformFamilies();
    ASSERT_FALSE(expected.empty());
    std::vector<std::wstring> listed;
    for (int i = 0; i < window_.FontList().Count(); ++i) listed.push_back(window_.FontList().ItemText(i));
    // The same families; the program keeps the enumeration order of each family's first report.
    std::vector<std::wstring> sortedListed = listed, sortedExpected = expected;
    std::sort(sortedListed.begin(), sortedListed.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(sortedListed, sortedExpected);
    std::vector<std::wstring> enumerated;
    for (const core::FontFamily& family : ScreenFontFamilies()) enumerated.push_back(family.name);
    EXPECT_EQ(listed, enumerated);

    EXPECT_EQ(window_.FontList().Selected(), 0);
    EXPECT_EQ(window_.PreviewFontName(), listed[0]);
    EXPECT_EQ(window_.PreviewFontPoints(), 14);
    EXPECT_EQ(window_.Preview().Text(), listed[0] + L" - 0123456789 ");
}

TEST_F(MainWindowTest, SelectingAFontShowsItInThePreview) {
    window_.SetFontSource([] { return std::vector<std::wstring>{L"Tahoma", L"Arial", L"Courier New"}; });
    prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
    window_.Show();
    EXPECT_EQ(window_.Preview().Text(), L"Tahoma - ");  // ViewerText absent
    EXPECT_EQ(window_.PreviewFontPoints(), 12);         // FontSize absent

    prefs::Set(pref::kViewerText, L"абв");
    prefs::Set(pref::kFontSize, L"26");
    ::SendMessageW(window_.FontList().hwnd(), LB_SETCURSEL, 1, 0);
    ::SendMessageW(window_.hwnd(), WM_COMMAND, MAKEWPARAM(window_.FontList().id(), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(window_.FontList().hwnd()));
    EXPECT_EQ(window_.Preview().Text(), L"Arial - абв");
    EXPECT_EQ(window_.PreviewFontName(), L"Arial");
    EXPECT_EQ(window_.PreviewFontPoints(), 26);
    EXPECT_TRUE(window_.ColourRefreshPending());

    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window_.Preview().hwnd(), WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    ASSERT_TRUE(::GetObjectW(font, sizeof(logFont), &logFont));
    EXPECT_STREQ(logFont.lfFaceName, L"Arial");
    EXPECT_EQ(logFont.lfHeight, -core::PointsToPixels(26, win::ScreenDpi()));

    // Another sample text in the same font: the text follows, the edit keeps its font.
    prefs::Set(pref::kViewerText, L"где");
    window_.ApplyPreview();
    EXPECT_EQ(window_.Preview().Text(), L"Arial - где");
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(window_.Preview().hwnd(), WM_GETFONT, 0, 0)), font);
}

TEST_F(MainWindowTest, ProgressReachesExactlyOneHundredWithTheLastFont) {
    RecordingProgress::Log log;
    window_.SetProgress(std::make_unique<RecordingProgress>(log));
    std::vector<std::wstring> fonts;
    for (int i = 0; i < 7; ++i) fonts.push_back(L"Font " + std::to_wstring(i));
    window_.SetFontSource([&] { return fonts; });
    prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
    window_.Show();

    EXPECT_EQ(log.begins, 1);
    EXPECT_EQ(log.ends, 1);
    EXPECT_EQ(log.owner, window_.hwnd());
    ASSERT_EQ(log.values.size(), 7u);
    EXPECT_TRUE(std::is_sorted(log.values.begin(), log.values.end()));
    EXPECT_LT(log.values[5], 100.0f);
    EXPECT_EQ(log.values.back(), 100.0f);

    // A reload from a command has no owner and starts from scratch; another load asked for while
    // it runs is ignored.
    fonts.resize(3);
    log.nextPercent = [&] { window_.LoadFonts(window_.hwnd()); };
    window_.LoadFonts(nullptr);
    EXPECT_EQ(log.owner, nullptr);
    EXPECT_EQ(log.begins, 2);
    EXPECT_EQ(log.ends, 2);
    std::vector<std::wstring> listed;
    for (int i = 0; i < window_.FontList().Count(); ++i) listed.push_back(window_.FontList().ItemText(i));
    EXPECT_EQ(listed, fonts);
    EXPECT_EQ(log.values.back(), 100.0f);
}

// A load that fails part-way takes the progress away and leaves the list painting again.
TEST_F(MainWindowTest, AFailedFontLoadLeavesNoProgressAndAPaintingList) {
    class FailingProgress : public FontLoadProgress {
    public:
        explicit FailingProgress(int& ends) : ends_(ends) {}
        void Begin(HWND) override {}
        void SetPercent(float percent) override {
            if (percent > 50) throw core::RuntimeError(7, L"Out of memory", L"test");
        }
        void End() override { ++ends_; }

    private:
        int& ends_;
    };
    int ends = 0;
    window_.SetProgress(std::make_unique<FailingProgress>(ends));
    window_.SetFontSource([] { return std::vector<std::wstring>{L"Tahoma", L"Arial", L"Courier New"}; });
    window_.Show();
    EXPECT_THROW(window_.LoadFonts(nullptr), core::RuntimeError);
    EXPECT_EQ(ends, 1);

    HWND list = window_.FontList().hwnd();
    ::UpdateWindow(list);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Verdana"));
    EXPECT_TRUE(::GetUpdateRect(list, nullptr, FALSE)) << "the list no longer paints";
}

// The list shows its first font selected no sooner than the preview shows that font, never beside
// the text of a preview without fonts.
TEST_F(MainWindowTest, TheSelectionShowsTogetherWithThePreview) {
    window_.SetFontSource([] { return std::vector<std::wstring>{L"Arial", L"Tahoma"}; });
    window_.Show();
    window_.SetTopMost(true);
    testing_support::PumpFor(100);
    const auto selectionShown = [&] {
        HWND list = window_.FontList().hwnd();
        RECT item{};
        ::SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        win::WindowDc dc(list);
        return ::GetPixel(dc.get(), item.left + 1, item.top + 1) == ::GetSysColor(COLOR_HIGHLIGHT);
    };
    const auto previewPending = [&] { return ::GetUpdateRect(window_.Preview().hwnd(), nullptr, FALSE) != FALSE; };
    window_.LoadFonts(nullptr);
    EXPECT_FALSE(selectionShown() && previewPending());
    testing_support::PumpFor(100);
    EXPECT_TRUE(selectionShown());
    EXPECT_FALSE(previewPending());
}

TEST_F(MainWindowTest, NoFontsLeavesNothingSelectedAndThePreviewAlone) {
    window_.SetFontSource([] { return std::vector<std::wstring>{}; });
    window_.Show();
    window_.LoadFonts(nullptr);
    EXPECT_EQ(window_.FontList().Count(), 0);
    EXPECT_EQ(window_.FontList().Selected(), LB_ERR);
    EXPECT_EQ(window_.Preview().Text(), L"Шрифты не загружены, просмотр не доступен!");
}

TEST_F(MainWindowTest, ColourRefreshTakesTheStoredTextColourOnce) {
    prefs::Set(pref::kFontColour, L"255");
    prefs::Set(pref::kBackColour, L"16777215");
    window_.Show();
    EXPECT_EQ(window_.PreviewTextColour(), RGB(255, 0, 0));
    EXPECT_EQ(window_.PreviewBackColour(), RGB(255, 255, 255));

    prefs::Set(pref::kFontColour, L"65280");
    window_.RefreshColour();
    EXPECT_TRUE(window_.ColourRefreshPending());
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !window_.ColourRefreshPending(); }, 2000));
    EXPECT_EQ(window_.PreviewTextColour(), RGB(0, 255, 0));
    LRESULT selection = ::SendMessageW(window_.Preview().hwnd(), EM_GETSEL, 0, 0);
    EXPECT_EQ(LOWORD(selection), HIWORD(selection));

    // Typing into the preview applies the stored colour again, and so does text set by anyone
    // else: a multi-line edit does not report WM_SETTEXT as a change.
    prefs::Set(pref::kFontColour, L"16711680");
    ::SendMessageW(window_.Preview().hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_EQ(window_.PreviewTextColour(), RGB(0, 0, 255));
    prefs::Set(pref::kFontColour, L"65535");
    ::SetWindowTextW(window_.Preview().hwnd(), L"set from outside");
    EXPECT_EQ(window_.PreviewTextColour(), RGB(255, 255, 0));
}

// Activating the window refreshes the colour, which must not move a user's caret or selection, nor
// repaint the preview when the colour is the same.
TEST_F(MainWindowTest, ActivationKeepsThePreviewsSelectionAndRepaintsOnlyForANewColour) {
    window_.Show();
    HWND preview = window_.Preview().hwnd();
    auto selection = [&] {
        DWORD start = 0, end = 0;
        ::SendMessageW(preview, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::make_pair(start, end);
    };
    // Only the timer runs, so that a repaint it asks for stays visible as an update region.
    auto activateAndTick = [&] {
        ::UpdateWindow(preview);
        ::SendMessageW(window_.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
        ULONGLONG end = ::GetTickCount64() + 2000;
        MSG msg;
        while (window_.ColourRefreshPending() && ::GetTickCount64() < end) {
            if (::PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) ::DispatchMessageW(&msg);
        }
        EXPECT_FALSE(window_.ColourRefreshPending());
    };
    ::SendMessageW(preview, EM_SETSEL, 3, 7);
    activateAndTick();
    EXPECT_EQ(selection(), std::make_pair(DWORD{3}, DWORD{7}));
    EXPECT_FALSE(::GetUpdateRect(preview, nullptr, FALSE));

    prefs::Set(pref::kFontColour, L"255");
    activateAndTick();
    EXPECT_EQ(window_.PreviewTextColour(), RGB(255, 0, 0));
    EXPECT_TRUE(::GetUpdateRect(preview, nullptr, FALSE));
    EXPECT_EQ(selection(), std::make_pair(DWORD{3}, DWORD{7}));
}

TEST_F(MainWindowTest, PreviewPaintsInTheStoredColours) {
    prefs::Set(pref::kBackColour, std::to_wstring(RGB(10, 200, 30)));
    window_.Show();
    window_.SetTopMost(true);
    ::RedrawWindow(window_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing_support::PumpFor(50);
    RECT box{};
    ::GetClientRect(window_.Preview().hwnd(), &box);
    HDC dc = ::GetDC(window_.Preview().hwnd());
    COLORREF corner = ::GetPixel(dc, box.right - 4, box.bottom - 4);
    ::ReleaseDC(window_.Preview().hwnd(), dc);
    EXPECT_EQ(corner, RGB(10, 200, 30));
}

TEST_F(MainWindowTest, CorruptedValuesStillLoad) {
    DWORD number = 5;
    win::UniqueRegKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kPreferencesKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                                nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key.get(), pref::kFontColour, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof(number));
    key.reset();
    prefs::Set(pref::kBackColour, L"blue");
    prefs::Set(pref::kSaveSize, L"1");
    prefs::Set(pref::kMainLeft, L"1e30");  // a number, but no window coordinate
    prefs::Set(pref::kMainTop, L"left");
    prefs::Set(pref::kFontSize, L"huge");
    std::wstring longText;
    while (longText.size() < 100000) longText += L"Съешь же ещё этих булок. ";
    longText.resize(100000);
    prefs::Set(pref::kViewerText, longText);
    prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
    window_.SetFontSource([] { return std::vector<std::wstring>{L"Tahoma"}; });

    window_.Show();
    EXPECT_TRUE(::IsWindowVisible(window_.hwnd()));
    EXPECT_EQ(window_.PreviewTextColour(), RGB(0, 0, 0));
    EXPECT_EQ(window_.PreviewBackColour(), RGB(0, 0, 0));
    EXPECT_EQ(Bounds().left, 0);
    EXPECT_EQ(Bounds().top, 0);
    EXPECT_EQ(window_.PreviewFontPoints(), 12);
    EXPECT_EQ(window_.Preview().TextLength(), static_cast<int>(std::wstring(L"Tahoma - ").size()) + 100000);
}

TEST_F(MainWindowTest, ReloadingFontsLeaksNoHandles) {
    window_.SetFontSource([] { return std::vector<std::wstring>{L"Tahoma", L"Arial"}; });
    window_.Show();
    window_.LoadFonts(nullptr);
    testing_support::PumpFor(20);
    unsigned gdi = testing_support::GdiObjectCount();
    unsigned user = testing_support::UserObjectCount();
    for (int i = 0; i < 100; ++i) {
        window_.LoadFonts(nullptr);
        window_.RefreshColour();
        testing_support::PumpUntil([&] { return !window_.ColourRefreshPending(); }, 1000);
    }
    EXPECT_LE(testing_support::GdiObjectCount(), gdi);
    EXPECT_LE(testing_support::UserObjectCount(), user);
}

}  // namespace
}  // namespace app

namespace app {
namespace {

// The suite also runs on a screen scaled to 144 DPI; this pins that the scaling is really there.
TEST(Scaling, ScreenDpiIsTheConfiguredOne) {
    wchar_t configured[16] = {};
    if (!::GetEnvironmentVariableW(L"GLYPH_WINE_DPI", configured, 16)) GTEST_SKIP() << "default scaling";
    EXPECT_EQ(win::ScreenDpi(), _wtoi(configured));
}

}  // namespace
}  // namespace app
