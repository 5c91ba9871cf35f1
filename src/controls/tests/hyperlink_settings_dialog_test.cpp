#include "controls/hyperlink_settings_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/tests/host_window.h"

namespace controls {
namespace {

using controls_testing::HostWindow;
using Dialog = HyperLinkSettingsDialog;

bool IsChecked(HWND box) { return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

// What a user's click on a check box does: toggle it and tell the page.
void ClickBox(const Dialog& dialog, Dialog::ControlId id) { ::SendMessageW(dialog.Control(id), BM_CLICK, 0, 0); }

struct SettingsFixture : testing::Test {
    HostWindow host;
    HyperLink link;
    Dialog dialog;

    void SetUp() override {
        core::HyperLinkProperties p;
        p.caption = L"Написать нам";
        p.hyperLink = L"mailto:glyphoscope@marrowind.ru";
        p.moPointer = true;
        p.autoToolTip = false;
        link.Create(host.hwnd(), 1, RECT{10, 10, 200, 30}, p);
        dialog.Open(host.hwnd(), link);
    }
};

TEST_F(SettingsFixture, ShowsTheLinksPropertiesUnderTheRussianCaptions) {
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kEnabled)), L"Активировать");
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kMOPointer)), L"Показывать указатель \"Рука\" при MouseOver");
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kHyperLinkLabel)), L"Адрес:");
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kCaptionLabel)), L"Заголовок:");
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kAutoSize)), L"АвтоРазмер заголовка");
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kAutoToolTip)), L"АвтоПодсказка");
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kMOUnderline)), L"Подчеркивать при MouseOver");

    EXPECT_TRUE(IsChecked(dialog.Control(Dialog::kEnabled)));
    EXPECT_TRUE(IsChecked(dialog.Control(Dialog::kMOPointer)));
    EXPECT_TRUE(IsChecked(dialog.Control(Dialog::kAutoSize)));
    EXPECT_FALSE(IsChecked(dialog.Control(Dialog::kAutoToolTip)));
    EXPECT_FALSE(IsChecked(dialog.Control(Dialog::kMOUnderline)));
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kCaptionText)), L"Написать нам");
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kHyperLinkText)), L"mailto:glyphoscope@marrowind.ru");
    EXPECT_FALSE(dialog.Changed());
    EXPECT_FALSE(::IsWindowEnabled(host.hwnd()));
}

TEST_F(SettingsFixture, EditsMarkThePageAndApplyWritesInTheFixedOrder) {
    ClickBox(dialog, Dialog::kMOUnderline);
    EXPECT_TRUE(dialog.Changed());
    ClickBox(dialog, Dialog::kEnabled);
    ::SetWindowTextW(dialog.Control(Dialog::kCaptionText), L"Домашняя страница");
    ::SetWindowTextW(dialog.Control(Dialog::kHyperLinkText), L"  https://www.marrowind.ru/glyphoscope/ ");

    std::vector<std::wstring> order;
    link.onPropertyChanged = [&](const wchar_t* name) { order.push_back(name); };
    ::SendMessageW(dialog.Control(Dialog::kApply), BM_CLICK, 0, 0);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"MOUnderline", L"MOPointer", L"AutoToolTip", L"AutoSize", L"Caption",
                                                L"HyperLink", L"Enabled"}));
    EXPECT_TRUE(link.MOUnderline());
    EXPECT_FALSE(link.Enabled());
    EXPECT_EQ(link.Caption(), L"Домашняя страница");
    EXPECT_EQ(link.Target(), L"https://www.marrowind.ru/glyphoscope/");
    EXPECT_FALSE(dialog.Changed());
}

TEST_F(SettingsFixture, CancelLeavesTheLinkAloneAndAnotherSelectionReloads) {
    ClickBox(dialog, Dialog::kAutoToolTip);
    HyperLink other;
    other.Create(host.hwnd(), 2, RECT{10, 40, 200, 60});
    dialog.SelectionChanged(other);  // the pending edit is dropped
    EXPECT_FALSE(dialog.Changed());
    EXPECT_TRUE(IsChecked(dialog.Control(Dialog::kAutoToolTip)));  // a new link's default
    EXPECT_EQ(TextOf(dialog.Control(Dialog::kCaptionText)), L"Hyperlink");

    ClickBox(dialog, Dialog::kAutoToolTip);
    ::SendMessageW(dialog.hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_TRUE(other.AutoToolTip());
    EXPECT_FALSE(link.AutoToolTip());
    EXPECT_TRUE(::IsWindowEnabled(host.hwnd()));
}

}  // namespace
}  // namespace controls
