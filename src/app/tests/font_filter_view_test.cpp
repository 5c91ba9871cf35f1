#include "app/font_filter_view.h"

#include <gtest/gtest.h>


#include "app/main_window.h"
#include "app/preferences.h"
#include "app/tests/registry_fixture.h"
#include "support/pump.h"

namespace app {
namespace {

class FontFilterViewTest : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
        window_.SetUnloadHandler([] {});
        window_.SetFontSource([this] { return families_; });
        window_.Show();
    }

    std::vector<std::wstring> Listed() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < window_.FontList().Count(); ++i) names.push_back(window_.FontList().ItemText(i));
        return names;
    }
    void Type(const std::wstring& text) {
        ::SetWindowTextW(window_.Filter().Box(), text.c_str());
        PreviewFollows();
    }
    // The preview follows the filter's selection once the list has painted.
    void PreviewFollows() {
        EXPECT_TRUE(testing_support::PumpUntil([&] { return !window_.Filter().PreviewPending(); }, 2000));
    }
    // Over the whole text, as a paste replaces it.
    void Paste(const std::wstring& text) {
        ::SendMessageW(window_.Filter().Box(), EM_SETSEL, 0, -1);
        ::SendMessageW(window_.Filter().Box(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        PreviewFollows();
    }
    void Key(WPARAM key) { ::SendMessageW(window_.Filter().Box(), WM_KEYDOWN, key, 1); }
    std::wstring Caption() {
        wchar_t text[128] = {};
        ::GetWindowTextW(::GetWindow(window_.Filter().Box(), GW_HWNDPREV), text, 128);
        return text;
    }

    std::vector<core::FontFamily> families_{{L"Arial", {true, false}},       {L"Courier New", {true, true}},
                                            {L"Ёлочка", {true, false}},     {L"Times New Roman", {false, false}},
                                            {L"Alpha Ωmega", {false, false}}, {L"Lucida Console", {false, true}}};
    MainWindow window_;
};

// The platform's linguistic comparison in any script, "ё" as "е", the count in the caption, and
// the selection: kept while it matches, else the first match shown; nothing shown keeps the preview.
TEST_F(FontFilterViewTest, TypingNarrowsTheListAndTheSelectionFollowsTheRule) {
    const std::vector<std::wstring> all = Listed();
    ::SendMessageW(window_.FontList().hwnd(), LB_SETCURSEL, 3, 0);
    ::SendMessageW(window_.hwnd(), WM_COMMAND, MAKEWPARAM(window_.FontList().id(), LBN_SELCHANGE), 0);
    const struct {
        bool pasted;
        std::wstring typed;
        std::vector<std::wstring> listed;
        const wchar_t* preview;
    } steps[] = {
        {false, L"NEW", {L"Courier New", L"Times New Roman"}, L"Times New Roman"},
        {false, L"ЕЛОЧ", {L"Ёлочка"}, L"Ёлочка"},
        {false, L"ёЛ", {L"Ёлочка"}, L"Ёлочка"},
        {true, std::wstring(100000, L'a'), {}, L"Ёлочка"},
        {false, L"ω", {L"Alpha Ωmega"}, L"Alpha Ωmega"},
        {true, L"Ari\x01\t\x7f", {}, L"Alpha Ωmega"},
        {false, L"a", {L"Arial", L"Times New Roman", L"Alpha Ωmega", L"Lucida Console"}, L"Alpha Ωmega"},
        {false, L"\U0001F600", {}, L"Alpha Ωmega"},
        {false, L"", all, L"Alpha Ωmega"},
    };
    for (const auto& step : steps) {
        step.pasted ? Paste(step.typed) : Type(step.typed);
        EXPECT_EQ(Listed(), step.listed) << step.typed.substr(0, 8);
        EXPECT_EQ(window_.PreviewFontName(), step.preview) << step.typed.substr(0, 8);
    }
    EXPECT_EQ(Caption(), L"Установленные шрифты:");
    Type(L"o");
    EXPECT_EQ(Caption(), L"Шрифты: 3 из 6");
}

// Keys in the box move the list and Enter leaves for it (Escape is the end-to-end suite's); a
// script and a reload keep what narrows the list.
TEST_F(FontFilterViewTest, KeysScriptAndReload) {
    window_.Filter().FocusBox();
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_NEXT, VK_UP}) Key(key);
    EXPECT_EQ(window_.FontList().Selected(), 4);
    EXPECT_EQ(window_.PreviewFontName(), L"Alpha Ωmega");
    Key(VK_RETURN);
    EXPECT_EQ(::GetFocus(), window_.FontList().hwnd());

    window_.Filter().FocusBox();
    Type(L"on");
    window_.Filter().SetScript(core::FontScript::Monospaced);
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{L"Lucida Console"}));
    families_.push_back({L"Monaco", {false, true}});
    window_.LoadFonts(nullptr);
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{L"Lucida Console", L"Monaco"}));
    EXPECT_EQ(Caption(), L"Шрифты: 2 из 7");
}

}  // namespace
}  // namespace app
