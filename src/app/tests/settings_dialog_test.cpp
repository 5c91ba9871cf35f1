#include "app/settings_dialog.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/tests/registry_fixture.h"
#include "support/gui_resources.h"
#include "support/pump.h"
#include "support/screenshot.h"
#include "win/handles.h"

namespace app {
namespace {

using core::SettingsCheck;
using core::SettingsColour;
using Page = SettingsDialog::Page;
using Button = SettingsDialog::Button;

constexpr std::array<const wchar_t*, core::kSettingsCheckCount> kCheckValues = {
    pref::kTopMost,        pref::kSaveSize,         pref::kManyCopies,     pref::kLoadFontsAtProgramStartup,
    pref::kShowSplash,     pref::kTextFigures,      pref::kTextSymbols,    pref::kTextRussianSmall,
    pref::kTextRussianBig, pref::kTextEnglishSmall, pref::kTextEnglishBig,
};

class Owner : public win::Window {
public:
    Owner() {
        win::CreateArgs args;
        args.title = L"Owner";
        args.x = args.y = 100;
        args.width = 600;
        args.height = 450;
        Create(win::WindowClassArgs{L"GlyphSettingsTestOwner"}, args);
        ::ShowWindow(hwnd(), SW_SHOW);
    }
};

class SettingsDialogTest : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        dialog.SetColourRefresh([this] { ++refreshes; });
        dialog.SetColourChooser([this](HWND) { return nextColour; });
    }

    void Click(HWND button) { ::SendMessageW(button, BM_CLICK, 0, 0); }
    void Click(SettingsCheck check) { Click(dialog.CheckBoxWindow(check)); }
    void Click(Button button) { Click(dialog.ButtonWindow(button)); }
    bool Checked(SettingsCheck check) {
        return ::SendMessageW(dialog.CheckBoxWindow(check), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool NothingStored() {
        win::UniqueRegKey key;
        LONG opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, kPreferencesKeyPath, 0, KEY_READ, key.put());
        if (opened != ERROR_SUCCESS) return true;
        DWORD values = 0;
        ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                           nullptr, nullptr);
        key.reset();
        return values == 0;
    }

    Owner owner;
    SettingsDialog dialog;
    int refreshes = 0;
    std::optional<COLORREF> nextColour;
};

TEST_F(SettingsDialogTest, AFreshUserSeesEverythingClearBlackTextOnWhiteAndNoApply) {
    dialog.Open(owner.hwnd());
    wchar_t caption[64] = {};
    ::GetWindowTextW(dialog.hwnd(), caption, 64);
    EXPECT_STREQ(caption, L"Параметры программы");
    EXPECT_EQ(::GetWindow(dialog.hwnd(), GW_OWNER), owner.hwnd());
    // Several copies are allowed until the user turns that off, so that box shows checked.
    for (size_t i = 0; i < core::kSettingsCheckCount; ++i) {
        auto check = static_cast<SettingsCheck>(i);
        EXPECT_EQ(Checked(check), check == SettingsCheck::ManyCopies) << i;
    }
    EXPECT_EQ(dialog.SwatchColour(SettingsColour::Back), 0xFFFFFF);  // as the preview shows it
    EXPECT_EQ(dialog.SwatchColour(SettingsColour::Font), 0);
    EXPECT_FALSE(dialog.ApplyEnabled());

    auto& tabs = dialog.Tabs();
    ASSERT_EQ(tabs.TabCount(), 3);
    EXPECT_EQ(tabs.TabText(L"GENERAL"), L"Общие");
    EXPECT_EQ(tabs.TabText(L"DECODE"), L"Текст просмотра");
    EXPECT_EQ(tabs.TabText(L"VIEW"), L"Цвета");
    EXPECT_EQ(tabs.TabItemData(3), 3000);
    EXPECT_EQ(tabs.SelectedTab(), 1);
    EXPECT_TRUE(dialog.PageVisible(Page::General));
    EXPECT_FALSE(dialog.PageVisible(Page::Text));
    EXPECT_FALSE(dialog.PageVisible(Page::Colours));
    EXPECT_TRUE(NothingStored());
}

TEST_F(SettingsDialogTest, LoadsStoredValuesWithoutCountingThemAsEdits) {
    prefs::Set(pref::kSaveSize, L"1");
    prefs::Set(pref::kTextSymbols, L"1");
    prefs::Set(pref::kShowSplash, L"0");
    prefs::Set(pref::kFontColour, L"255");
    prefs::Set(pref::kBackColour, L"16777215");
    prefs::Set(pref::kTopMost, L"1");
    dialog.Open(owner.hwnd());
    EXPECT_TRUE(Checked(SettingsCheck::SaveSize));
    EXPECT_TRUE(Checked(SettingsCheck::TextSymbols));
    EXPECT_TRUE(Checked(SettingsCheck::TopMost));
    EXPECT_FALSE(Checked(SettingsCheck::ShowSplash));
    EXPECT_EQ(dialog.SwatchColour(SettingsColour::Font), 255);
    EXPECT_EQ(dialog.SwatchColour(SettingsColour::Back), 0xFFFFFF);
    EXPECT_FALSE(dialog.ApplyEnabled());
    EXPECT_NE(::GetWindowLongPtrW(dialog.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(SettingsDialogTest, AClickEnablesApplyWhichWritesEveryValueAndDisablesItself) {
    dialog.Open(owner.hwnd());
    Click(SettingsCheck::TextFigures);
    EXPECT_TRUE(dialog.ApplyEnabled());
    Click(SettingsCheck::TextRussianSmall);
    Click(SettingsCheck::ManyCopies);
    Click(Button::Apply);
    EXPECT_FALSE(dialog.ApplyEnabled());
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_EQ(refreshes, 1);

    for (size_t i = 0; i < kCheckValues.size(); ++i) {
        bool on = i == 5 || i == 7;  // ManyCopies was checked, the click cleared it
        EXPECT_EQ(prefs::Get(kCheckValues[i]), std::wstring(on ? L"1" : L"0")) << i;
    }
    EXPECT_EQ(prefs::Get(pref::kFontColour), L"0");
    EXPECT_EQ(prefs::Get(pref::kBackColour), L"16777215");
    EXPECT_EQ(prefs::Get(pref::kViewerText), L"0123456789 абвгдеёжзийклмнопрстуфхцчшщъыьэюя ");

    // A second click clears the box again and is an edit as well.
    Click(SettingsCheck::TextFigures);
    EXPECT_TRUE(dialog.ApplyEnabled());
    Click(Button::Apply);
    EXPECT_EQ(prefs::Get(pref::kViewerText), L"абвгдеёжзийклмнопрстуфхцчшщъыьэюя ");
}

TEST_F(SettingsDialogTest, OkWithoutChangesStillWritesEverythingAndCloses) {
    prefs::Set(pref::kFontColour, L"32768");
    dialog.Open(owner.hwnd());
    Click(Button::Ok);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(refreshes, 1);
    for (const wchar_t* name : kCheckValues) {
        EXPECT_EQ(prefs::Get(name), std::wstring(name == pref::kManyCopies ? L"1" : L"0")) << name;
    }
    EXPECT_EQ(prefs::Get(pref::kFontColour), L"32768");
    EXPECT_EQ(prefs::Get(pref::kBackColour), L"16777215");
    EXPECT_EQ(prefs::Get(pref::kViewerText), L"");
}

// Stored texts other than "0" and "1" show as the program acts on them, and OK writes back what
// the boxes show, with the sample text of the presets that look checked.
TEST_F(SettingsDialogTest, BoxesShowWhatTheProgramDoesWithOddStoredValues) {
    prefs::Set(pref::kTopMost, L"2");
    prefs::Set(pref::kSaveSize, L"-1");
    prefs::Set(pref::kManyCopies, L"5");
    prefs::Set(pref::kTextFigures, L"1.5");
    prefs::Set(pref::kTextSymbols, L"2");
    prefs::Set(pref::kTextEnglishBig, L"1");
    dialog.Open(owner.hwnd());
    for (SettingsCheck check :
         {SettingsCheck::TopMost, SettingsCheck::SaveSize, SettingsCheck::TextFigures, SettingsCheck::TextSymbols}) {
        EXPECT_FALSE(Checked(check)) << static_cast<int>(check);
    }
    EXPECT_TRUE(Checked(SettingsCheck::ManyCopies));
    EXPECT_TRUE(Checked(SettingsCheck::TextEnglishBig));
    Click(Button::Ok);
    for (const wchar_t* name : {pref::kTopMost, pref::kSaveSize, pref::kTextFigures, pref::kTextSymbols}) {
        EXPECT_EQ(prefs::Get(name), L"0") << name;
    }
    EXPECT_EQ(prefs::Get(pref::kManyCopies), L"1");
    EXPECT_EQ(prefs::Get(pref::kTextEnglishBig), L"1");
    EXPECT_EQ(prefs::Get(pref::kViewerText), L"ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
}

TEST_F(SettingsDialogTest, CancelAndTheCloseBoxWriteNothing) {
    dialog.Open(owner.hwnd());
    Click(SettingsCheck::TopMost);
    nextColour = RGB(1, 2, 3);
    Click(Button::FontColour);
    Click(Button::Cancel);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_TRUE(NothingStored());

    // Opened again, the dialog is loaded afresh.
    dialog.Open(owner.hwnd());
    EXPECT_FALSE(Checked(SettingsCheck::TopMost));
    EXPECT_EQ(dialog.SwatchColour(SettingsColour::Font), 0);
    EXPECT_EQ(dialog.Tabs().TabCount(), 3);
    EXPECT_EQ(dialog.Tabs().TabKey(3), L"VIEW");
    Click(SettingsCheck::ShowSplash);
    ::SendMessageW(dialog.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_TRUE(NothingStored());
    EXPECT_EQ(refreshes, 0);
}

TEST_F(SettingsDialogTest, ColourButtonsSetTheirSwatchAndACancelledPickerKeepsIt) {
    prefs::Set(pref::kBackColour, L"255");
    dialog.Open(owner.hwnd());
    nextColour.reset();
    Click(Button::BackColour);
    EXPECT_EQ(dialog.SwatchColour(SettingsColour::Back), 255);
    EXPECT_FALSE(dialog.ApplyEnabled());

    nextColour = RGB(0x12, 0x34, 0x56);
    Click(Button::BackColour);
    EXPECT_EQ(dialog.SwatchColour(SettingsColour::Back), static_cast<std::int32_t>(RGB(0x12, 0x34, 0x56)));
    EXPECT_EQ(dialog.SwatchColour(SettingsColour::Font), 0);
    EXPECT_TRUE(dialog.ApplyEnabled());
    nextColour = RGB(0xFF, 0, 0);
    Click(Button::FontColour);
    Click(Button::Apply);
    EXPECT_EQ(prefs::Get(pref::kBackColour), std::to_wstring(RGB(0x12, 0x34, 0x56)));
    EXPECT_EQ(prefs::Get(pref::kFontColour), L"255");

    // The swatch shows its colour.
    ::SendMessageW(dialog.Tabs().TabCtrlhWnd(), TCM_SETCURSEL, 2, 0);
    dialog.Tabs().SelectTab(3);
    ASSERT_TRUE(dialog.PageVisible(Page::Colours));
    ::UpdateWindow(dialog.hwnd());
    testing_support::PumpFor(100);
    HWND swatch = ::GetWindow(dialog.ButtonWindow(Button::BackColour), GW_HWNDPREV);
    RECT r{};
    ::GetClientRect(swatch, &r);
    win::WindowDc dc(swatch);
    EXPECT_EQ(::GetPixel(dc.get(), r.right / 2, r.bottom / 2), RGB(0x12, 0x34, 0x56));
}

TEST_F(SettingsDialogTest, HoveringAPresetPreviewsItAndTheEmptyFrameClearsIt) {
    dialog.Open(owner.hwnd());
    dialog.Tabs().SelectTab(L"DECODE");
    ASSERT_TRUE(dialog.PageVisible(Page::Text));
    ::SendMessageW(dialog.CheckBoxWindow(SettingsCheck::TextSymbols), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dialog.PreviewText(), L"!№;%:?*()_=-+@#~^&$<>");
    const std::array<std::wstring, 6> expected = {L"0123456789",
                                                  L"!№;%:?*()_=-+@#~^&$<>",
                                                  L"абвгдеёжзийклмнопрстуфхцчшщъыьэюя",
                                                  L"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
                                                  L"abcdefghijklmnopqrstuvwxyz",
                                                  L"ABCDEFGHIJKLMNOPQRSTUVWXYZ"};
    for (size_t i = 0; i < 6; ++i) {
        auto check = static_cast<SettingsCheck>(static_cast<size_t>(SettingsCheck::TextFigures) + i);
        ::SendMessageW(dialog.CheckBoxWindow(check), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(dialog.PreviewText(), expected[i]);
    }

    // A point inside the frame, right of the boxes' text, in the page's coordinates.
    RECT frame{};
    ::GetWindowRect(dialog.TextFrameWindow(), &frame);
    ::MapWindowPoints(nullptr, dialog.PageWindow(Page::Text), reinterpret_cast<POINT*>(&frame), 2);
    ::SendMessageW(dialog.PageWindow(Page::Text), WM_MOUSEMOVE, 0, MAKELPARAM(frame.left + 4, frame.bottom - 4));
    EXPECT_EQ(dialog.PreviewText(), L"");
    // Outside the frame the preview stays as it is.
    ::SendMessageW(dialog.CheckBoxWindow(SettingsCheck::TextFigures), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageW(dialog.PageWindow(Page::Text), WM_MOUSEMOVE, 0, MAKELPARAM(frame.left + 4, frame.bottom + 20));
    EXPECT_EQ(dialog.PreviewText(), L"0123456789");
    EXPECT_FALSE(dialog.ApplyEnabled());
}

TEST_F(SettingsDialogTest, TabsAndCtrlTabSwitchPages) {
    dialog.Open(owner.hwnd());
    dialog.Tabs().SelectTab(3);
    EXPECT_TRUE(dialog.PageVisible(Page::Colours));
    EXPECT_FALSE(dialog.PageVisible(Page::General));

    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE saved[256];
    std::copy(std::begin(keys), std::end(keys), saved);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG msg{dialog.ButtonWindow(Button::Ok), WM_KEYDOWN, VK_TAB, 0};
    EXPECT_TRUE(dialog.PreTranslate(msg));
    EXPECT_EQ(dialog.Tabs().SelectedTab(), 1);
    EXPECT_TRUE(dialog.PageVisible(Page::General));
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(dialog.PreTranslate(msg));
    EXPECT_EQ(dialog.Tabs().SelectedTab(), 3);
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
    MSG pageDown{dialog.Tabs().TabCtrlhWnd(), WM_KEYDOWN, VK_NEXT, 0};
    EXPECT_TRUE(dialog.PreTranslate(pageDown));
    EXPECT_EQ(dialog.Tabs().SelectedTab(), 1);
    ::SetKeyboardState(saved);
    EXPECT_FALSE(dialog.PreTranslate(msg));  // a plain Tab is dialog navigation
}

// With TopMost "1" the dialog is made in the topmost band, as the about and progress windows are:
// moved there only afterwards, an owned window does not reliably follow.
DWORD g_dialogCreationExStyle = 0;

LRESULT CALLBACK WatchDialogCreation(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t name[64] = {};
    if (code == HCBT_CREATEWND && ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64) &&
        wcscmp(name, L"GlyphoscopeSettings") == 0) {
        g_dialogCreationExStyle = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->dwExStyle;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SettingsDialogTest, TopMostIsAppliedWhenTheDialogIsCreated) {
    prefs::Set(pref::kTopMost, L"1");
    g_dialogCreationExStyle = 0;
    {
        win::UniqueHook hook(::SetWindowsHookExW(WH_CBT, &WatchDialogCreation, nullptr, ::GetCurrentThreadId()));
        ASSERT_TRUE(hook);
        dialog.Open(owner.hwnd());
    }
    EXPECT_TRUE(g_dialogCreationExStyle & WS_EX_TOPMOST);
}

TEST_F(SettingsDialogTest, RunsModallyOverItsOwner) {
    bool ownerDisabledMeanwhile = false;
    win::Timer timer;
    timer.SetOwner(owner.hwnd());
    timer.SetInterval(50);
    timer.OnTick([&] {
        timer.SetEnabled(false);
        ownerDisabledMeanwhile = !::IsWindowEnabled(owner.hwnd());
        ::PostMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.ButtonWindow(Button::Cancel)));
    });
    timer.SetEnabled(true);
    dialog.ShowModal(owner.hwnd());
    EXPECT_TRUE(ownerDisabledMeanwhile);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
}

TEST_F(SettingsDialogTest, DialogKeysWorkInTheModalLoop) {
    // Escape cancels wherever the focus is.
    win::Timer timer;
    timer.SetOwner(owner.hwnd());
    timer.SetInterval(50);
    HWND focusAtStart = nullptr;
    HWND tabWindow = nullptr;  // gone, and forgotten by the strip, once the dialog has closed
    timer.OnTick([&] {
        timer.SetEnabled(false);
        focusAtStart = ::GetFocus();
        tabWindow = dialog.Tabs().TabCtrlhWnd();
        ::SendMessageW(dialog.CheckBoxWindow(SettingsCheck::SaveSize), BM_CLICK, 0, 0);
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    timer.SetEnabled(true);
    dialog.ShowModal(owner.hwnd());
    EXPECT_EQ(focusAtStart, tabWindow);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_TRUE(NothingStored());

    // Enter on a check box presses the default button, Ok.
    timer.OnTick([&] {
        timer.SetEnabled(false);
        dialog.Tabs().SelectTab(2);
        ::SetFocus(dialog.CheckBoxWindow(SettingsCheck::TextEnglishBig));
        ::SendMessageW(dialog.CheckBoxWindow(SettingsCheck::TextEnglishBig), BM_CLICK, 0, 0);
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    });
    timer.SetEnabled(true);
    dialog.ShowModal(owner.hwnd());
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(prefs::Get(pref::kTextEnglishBig), L"1");
    EXPECT_EQ(prefs::Get(pref::kViewerText), L"ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
}

TEST_F(SettingsDialogTest, ApplyGivesTheMainWindowTheNewTextColourAtOnce) {
    MainWindow main;
    main.SetUnloadHandler([] {});
    main.SetFontSource([] { return std::vector<std::wstring>{L"Tahoma", L"Arial"}; });
    prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
    main.Show();
    ASSERT_EQ(main.PreviewTextColour(), RGB(0, 0, 0));
    const COLORREF background = main.PreviewBackColour();

    SettingsDialog settings;
    settings.SetColourRefresh([&main] { main.RefreshColour(); });
    settings.SetColourChooser([](HWND) { return std::optional<COLORREF>(RGB(0xC0, 0x10, 0x20)); });
    settings.Open(main.hwnd());
    Click(settings.ButtonWindow(Button::FontColour));
    Click(settings.ButtonWindow(Button::BackColour));
    Click(settings.ButtonWindow(Button::Apply));
    EXPECT_TRUE(testing_support::PumpUntil([&] { return main.PreviewTextColour() == RGB(0xC0, 0x10, 0x20); }));
    // The background is read at the next start only.
    EXPECT_EQ(main.PreviewBackColour(), background);
    settings.Close();
    main.Destroy();
}

TEST_F(SettingsDialogTest, OpeningAndClosingTwoHundredTimesLeavesNoHandlesBehind) {
    auto round = [&](int i) {
        SettingsDialog d;
        d.Open(owner.hwnd());
        d.Tabs().SelectTab(i % 3 + 1);
        testing_support::PumpFor(0);
        if (i % 2 != 0) d.Close();  // otherwise the destructor closes it
    };
    // The first rounds fill the platform's own caches (each page once, both ways of closing).
    for (int i = 0; i < 6; ++i) round(i);
    testing_support::PumpFor(50);
    const unsigned gdiBefore = testing_support::GdiObjectCount();
    const unsigned userBefore = testing_support::UserObjectCount();
    for (int i = 1; i <= 200; ++i) round(i);
    testing_support::PumpFor(50);
    EXPECT_LE(testing_support::GdiObjectCount(), gdiBefore + 2);
    EXPECT_EQ(testing_support::UserObjectCount(), userBefore);
}

// Not a check: pictures of each page for people to look at, when GLYPH_SCREENSHOT_DIR is set.
TEST_F(SettingsDialogTest, Screenshots) {
    const std::string directory = testing_support::ScreenshotDirectory();
    if (directory.empty()) GTEST_SKIP() << "GLYPH_SCREENSHOT_DIR not set";
    prefs::Set(pref::kTopMost, L"1");
    prefs::Set(pref::kTextFigures, L"1");
    prefs::Set(pref::kTextRussianBig, L"1");
    prefs::Set(pref::kFontColour, L"128");
    prefs::Set(pref::kBackColour, L"15138790");
    dialog.Open(owner.hwnd());
    ::SetForegroundWindow(dialog.hwnd());
    for (int tab = 1; tab <= 3; ++tab) {
        dialog.Tabs().SelectTab(tab);
        if (tab == 2) {
            ::SendMessageW(dialog.CheckBoxWindow(SettingsCheck::TextRussianBig), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        }
        ::RedrawWindow(dialog.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testing_support::PumpFor(400);
        std::string path = directory + "/settings_page" + std::to_string(tab) + ".bmp";
        EXPECT_TRUE(testing_support::SaveWindowBitmap(dialog.hwnd(), path)) << path;
    }
}

}  // namespace
}  // namespace app
