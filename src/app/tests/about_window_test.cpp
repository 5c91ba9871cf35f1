#include "app/about_window.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "app/artwork.h"
#include "app/preferences.h"
#include "app/tests/registry_fixture.h"
#include "core/app/contacts.h"
#include "support/pump.h"
#include "win/dpi.h"
#include "win/module.h"

namespace app {
namespace {

TEST(Artwork, BothPicturesTravelAsResourcesOfTheirSize) {
    for (int id : {IDR_ABOUT_LOGO, IDR_PROGRESS_PICTURE}) {
        const auto pixels = ArtworkPixels(id);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(kArtworkSide * kArtworkSide * 4)) << id;
        EXPECT_TRUE(std::any_of(pixels.begin(), pixels.end(), [](std::uint8_t b) { return b != 0; })) << id;
    }
    EXPECT_TRUE(ArtworkPixels(999).empty());
}

class AboutWindowTest : public testing_support::CleanPreferences {
protected:
    // The program's own executable carries the version resource; the test executable does not.
    std::wstring ProgramPath() const { return win::ExecutableDirectory() + L"\\Glyphoscope.exe"; }
};

TEST_F(AboutWindowTest, VersionLineComesFromTheProgramsVersionResource) {
    AboutWindow about(ProgramPath());
    about.Open(nullptr);
    EXPECT_EQ(about.VersionText(), L"Версия 2.3.1 build 120 для Microsoft® Windows®.");
    wchar_t caption[64] = {};
    ::GetWindowTextW(about.hwnd(), caption, 64);
    EXPECT_STREQ(caption, L"О программе");
    RECT client{};
    ::GetClientRect(about.hwnd(), &client);
    EXPECT_EQ(client.right, win::TwipsToPixels(AboutWindow::kClientWidth));
    EXPECT_EQ(client.bottom, win::TwipsToPixels(AboutWindow::kClientHeight));
}

TEST_F(AboutWindowTest, LinksCarryTheAddressesAndTheirLook) {
    AboutWindow about(ProgramPath());
    about.Open(nullptr);
    controls::HyperLink& home = about.HomePageLink();
    controls::HyperLink& mail = about.MailLink();
    EXPECT_EQ(home.Target(), core::kHomePageUrl);
    EXPECT_EQ(home.Caption(), core::kHomePageCaption);
    EXPECT_EQ(mail.Target(), std::wstring(L"mailto:") + core::kSupportAddress);
    EXPECT_EQ(mail.Caption(), core::kSupportAddress);
    for (controls::HyperLink* link : {&home, &mail}) {
        EXPECT_EQ(link->ForeColour(), 0x000088);
        EXPECT_EQ(link->HoverColour(), core::SystemColourRef(COLOR_HIGHLIGHT));
        EXPECT_FALSE(link->AutoToolTip());
        EXPECT_EQ(link->Font(), (core::FontDescription{L"Tahoma", 8.25, false, false, true, false, 204}));
    }
    EXPECT_FALSE(home.MOPointer());
    EXPECT_TRUE(mail.MOPointer());

    std::vector<std::wstring> opened;
    mail.SetOpener([&](const std::wstring& target) { opened.push_back(target); });
    ::SendMessageW(mail.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(mail.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(opened, std::vector<std::wstring>{L"mailto:glyphoscope@marrowind.ru"});
}

TEST_F(AboutWindowTest, OkClosesAndGivesTheOwnerBack) {
    win::Window owner;
    win::CreateArgs args;
    args.title = L"Owner";
    args.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    owner.Create(win::WindowClassArgs{L"GlyphAboutOwner"}, args);
    prefs::Set(pref::kTopMost, L"1");

    AboutWindow about(ProgramPath());
    about.Open(owner.hwnd());
    EXPECT_EQ(::GetWindow(about.hwnd(), GW_OWNER), owner.hwnd());
    EXPECT_FALSE(::IsWindowEnabled(owner.hwnd()));
    EXPECT_TRUE(::GetWindowLongPtrW(about.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ::SendMessageW(about.OkButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(about.IsOpen());
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
}

// Closes the window from inside its own modal loop.
void CALLBACK CloseAboutWindow(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = ::FindWindowW(L"GlyphoscopeAboutWindow", nullptr);
    if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
}

TEST_F(AboutWindowTest, ShowModalReturnsWhenTheWindowIsClosed) {
    AboutWindow about(ProgramPath());
    UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &CloseAboutWindow);
    about.ShowModal(nullptr);
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(about.IsOpen());
}

}  // namespace
}  // namespace app
