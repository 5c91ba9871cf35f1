// "Таблица символов" used as a user and a screen reader use it: real keys and clicks, the
// clipboard, the main window's preview, the accessible table and the focus events it raises.

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/tests/registry_fixture.h"
#include "commandbar/tests/menu_rig.h"
#include "core/app/main_menu_table.h"
#include "support/accessible.h"
#include "support/canvas.h"
#include "support/png_writer.h"
#include "support/win_events.h"
#include "win/dpi.h"
#include "win/module.h"

namespace app {
namespace {

using commandbar::testing::Click;
using commandbar::testing::SendMouse;
using testing_support::PumpFor;
using testing_support::PumpUntil;

constexpr wchar_t kLatinCyrillic[] = L"Tahoma";
constexpr wchar_t kWide[] = L"Glyphoscope Wide";

struct NoProgress : FontLoadProgress {
    void Begin(HWND) override {}
    void SetPercent(float) override {}
    void End() override {}
};

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return L"<closed>";
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void Send(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

// A key pressed and released; with a modifier, that is held until `done` holds, since the menus'
// shortcuts read the keyboard as it is when the key arrives.
bool Press(WORD key, WORD modifier = 0, const std::function<bool()>& done = [] { return true; }) {
    if (modifier) {
        Send(modifier, false);
        PumpUntil([&] { return (::GetAsyncKeyState(modifier) & 0x8000) != 0; });
    }
    Send(key, false);
    Send(key, true);
    const bool result = PumpUntil(done, 3000);
    if (modifier) Send(modifier, true);
    return result;
}

// A character typed as a keyboard layout would deliver it, whatever the layout is.
void Type(wchar_t unit) {
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = unit;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

POINT CentreOnScreen(HWND window, RECT client) {
    POINT centre{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ::ClientToScreen(window, &centre);
    return centre;
}

class CharacterMap : public testing_support::CleanPreferences {
protected:
    static void SetUpTestSuite() {
        ::AddFontResourceExW((win::ExecutableDirectory() + L"\\GlyphoscopeWide.ttf").c_str(), FR_PRIVATE, nullptr);
    }

    void SetUp() override {
        CleanPreferences::SetUp();
        window_ = std::make_unique<MainWindow>();
        window_->SetUnloadHandler([] {});
        window_->SetFontSource([] { return std::vector<std::wstring>{kLatinCyrillic, kWide}; });
        window_->SetProgress(std::make_unique<NoProgress>());
        window_->Show();
        window_->LoadFonts(nullptr);
        ::SetForegroundWindow(window_->hwnd());
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window_->hwnd(); }, 2000));
    }

    void TearDown() override {
        window_.reset();
        SendMouse({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
        CleanPreferences::TearDown();
    }

    CharacterMapWindow& map() { return window_->CharacterMap(); }
    CharacterGridView& grid() { return map().Grid(); }
    char32_t Selected() { return grid().SelectedCodePoint().value_or(0); }

    bool OpenByKeys() {
        return Press('T', VK_CONTROL, [&] { return map().IsOpen() && ::GetForegroundWindow() == map().hwnd(); });
    }

    std::unique_ptr<MainWindow> window_;
};

TEST_F(CharacterMap, KeysSelectCopyCollectAndClose) {
    ASSERT_TRUE(OpenByKeys());
    wchar_t caption[64]{};
    ::GetWindowTextW(map().hwnd(), caption, 64);
    EXPECT_STREQ(caption, CharacterMapWindow::kCaption);
    EXPECT_EQ(map().Family(), kLatinCyrillic);
    EXPECT_EQ(::GetFocus(), grid().hwnd());
    ASSERT_EQ(Selected(), U'A');

    // Right, then down a row of Basic Latin, which the font covers without a gap.
    Press(VK_RIGHT);
    Press(VK_DOWN);
    const char32_t expected = U'B' + static_cast<char32_t>(grid().Grid().Columns());
    EXPECT_TRUE(PumpUntil([&] { return Selected() == expected; }));
    EXPECT_TRUE(Press('C', VK_CONTROL, [&] { return ClipboardText() == std::wstring(1, static_cast<wchar_t>(expected)); }));

    Type(L'Ж');
    EXPECT_TRUE(PumpUntil([&] { return Selected() == U'Ж'; }));
    EXPECT_EQ(map().SelectionText(), L"U+0416 Блок: Cyrillic CYRILLIC CAPITAL LETTER ZHE");
    Press(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return ClipboardText() == L"Ж"; }));
    Type(L'\x4E00');  // not in the font: the selection stays
    PumpFor(100);
    EXPECT_EQ(Selected(), U'Ж');

    // A double click collects the character; the buttons copy the text and hand it to the preview.
    const POINT cell = CentreOnScreen(grid().hwnd(), grid().CellBounds(*grid().SelectedCell()));
    SendMouse(cell);
    for (int i = 0; i < 2; ++i) {
        SendMouse(cell, MOUSEEVENTF_LEFTDOWN);
        SendMouse(cell, MOUSEEVENTF_LEFTUP);
    }
    EXPECT_TRUE(PumpUntil([&] { return map().Collected().Text() == L"Ж"; }));
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    for (const wchar_t* button : {L"Копировать", L"В просмотр"}) {
        HWND control = ::FindWindowExW(map().hwnd(), nullptr, L"Button", button);
        ASSERT_NE(control, nullptr);
        RECT r{};
        ::GetClientRect(control, &r);
        Click(CentreOnScreen(control, r));
    }
    EXPECT_TRUE(PumpUntil([&] { return window_->Preview().Text() == L"Ж"; }));
    EXPECT_EQ(ClipboardText(), L"Ж");

    // Back in the grid, Escape closes the window.
    ::SetFocus(grid().hwnd());
    Press(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !map().IsOpen(); }));
}

TEST_F(CharacterMap, JumpsToABlockAndFollowsTheMainWindowsSelectionWhileOpen) {
    ASSERT_TRUE(OpenByKeys());
    // A block chosen in the list: its first covered character, in view under its header.
    const auto& sections = grid().Grid().Sections();
    const auto cyrillic = std::find_if(sections.begin(), sections.end(),
                                       [](const auto& section) { return section.block && section.block->name == std::string("Cyrillic"); });
    ASSERT_NE(cyrillic, sections.end());
    const int index = static_cast<int>(cyrillic - sections.begin());
    const HWND blocks = map().Blocks().hwnd();
    RECT entry{};
    ::SendMessageW(blocks, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    ::SendMessageW(blocks, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry));
    Click(CentreOnScreen(blocks, entry));
    EXPECT_TRUE(PumpUntil([&] { return grid().SelectedCell() == cyrillic->firstCell; }));
    EXPECT_EQ(grid().ScrollTop(), cyrillic->top);
    ::SetFocus(grid().hwnd());
    Type(L'Ж');
    ASSERT_TRUE(PumpUntil([&] { return Selected() == U'Ж'; }));
    // The second font, chosen in the main window's list.
    const HWND list = window_->FontList().hwnd();
    ::SetForegroundWindow(window_->hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == list; }));
    Press(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return map().Family() == kWide; }));
    EXPECT_GT(grid().Grid().CellCount(), 50000u);
    EXPECT_EQ(grid().Grid().CellOf(0xF600), std::nullopt);  // U+1F600 folded onto the first plane
    EXPECT_EQ(Selected(), U'Ж');  // the wide font has it too
    // Under its block's header, which the view has room for.
    EXPECT_EQ(grid().ScrollTop(), grid().Grid().Sections()[grid().Grid().SectionOf(*grid().SelectedCell())].top);
    EXPECT_EQ(map().Blocks().Count(), static_cast<int>(grid().Grid().Sections().size()));
    // Beyond the first plane: typed as a surrogate pair, copied as one.
    ::SetForegroundWindow(map().hwnd());
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == grid().hwnd(); }));
    Type(L'\xD83D');
    Type(L'\xDE00');
    EXPECT_TRUE(PumpUntil([&] { return Selected() == 0x1F600; }));
    Press(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return ClipboardText() == L"\xD83D\xDE00"; }));
    map().Destroy();
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    ::SendMessageW(window_->hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    EXPECT_FALSE(map().IsOpen());  // closed, it stays closed
}

TEST_F(CharacterMap, ScreenReadersReadATableOfNamedCellsAndHearTheFocus) {
    testing_support::WinEventRecorder recorder(::GetCurrentProcessId());
    ASSERT_TRUE(OpenByKeys());
    auto object = testing_support::ClientObject(grid().hwnd());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(testing_support::NameAndRole(*object).second, ROLE_SYSTEM_TABLE);
    LONG count = 0;
    object->get_accChildCount(&count);
    EXPECT_EQ(static_cast<std::size_t>(count), grid().Grid().CellCount());

    recorder.Clear();
    Type(L'Ж');
    ASSERT_TRUE(PumpUntil([&] { return Selected() == U'Ж'; }));
    const LONG id = static_cast<LONG>(*grid().SelectedCell() + 1);
    EXPECT_TRUE(PumpUntil([&] {
        for (const auto& heard : recorder.Heard()) {
            if (heard.event == EVENT_OBJECT_FOCUS && heard.hwnd == grid().hwnd() && heard.child == id) return true;
        }
        return false;
    }));
    BSTR name = nullptr, description = nullptr;
    object->get_accName(testing_support::ChildId(id), &name);
    object->get_accDescription(testing_support::ChildId(id), &description);
    EXPECT_STREQ(name, L"U+0416 Ж");
    EXPECT_STREQ(description, L"CYRILLIC CAPITAL LETTER ZHE");
    ::SysFreeString(name);
    ::SysFreeString(description);
    VARIANT state, role, focus;
    object->get_accState(testing_support::ChildId(id), &state);
    object->get_accRole(testing_support::ChildId(id), &role);
    object->get_accFocus(&focus);
    EXPECT_EQ(state.lVal & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_OFFSCREEN),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_CELL);
    EXPECT_EQ(focus.lVal, id);
    LONG left = 0, top = 0, width = 0, height = 0;
    object->accLocation(&left, &top, &width, &height, testing_support::ChildId(id));
    VARIANT hit;
    object->accHitTest(left + width / 2, top + height / 2, &hit);
    EXPECT_EQ(hit.lVal, id);
}

// Writes what the user sees when GLYPH_GALLERY_DIR names a folder.
void Picture(HWND window, const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"GLYPH_GALLERY_DIR", folder, MAX_PATH)) return;
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFor(300);
    RECT area{};
    ::GetWindowRect(window, &area);
    testing_support::Canvas canvas(area.right - area.left, area.bottom - area.top);
    {
        win::WindowDc screen(nullptr);
        ::BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen.get(), area.left, area.top, SRCCOPY);
    }
    EXPECT_TRUE(testing_support::WritePng(std::wstring(folder) + L"\\charmap-" + name + L"-" +
                                              std::to_wstring(win::ScreenDpi()) + L"dpi.png",
                                          canvas.Bits(), canvas.width(), canvas.height()));
}

// Both fonts at any scale: the selected cell is painted selected in the back buffer and shown on
// the screen, also after the wide font's last page.
TEST_F(CharacterMap, LayoutPaintsTheSelectionForBothFonts) {
    ASSERT_TRUE(OpenByKeys());
    for (const wchar_t* family : {kLatinCyrillic, kWide}) {
        SCOPED_TRACE(family);
        map().ShowFamily(family);
        Type(L'Ж');
        ASSERT_TRUE(PumpUntil([&] { return Selected() == U'Ж'; }));
        Picture(map().hwnd(), family == kWide ? L"wide" : L"latin-cyrillic");
        ASSERT_TRUE(Press(VK_END, VK_CONTROL, [&] { return *grid().SelectedCell() == grid().Grid().CellCount() - 1; }));
        const RECT cell = grid().CellBounds(*grid().SelectedCell());
        ASSERT_TRUE(grid().CellInView(*grid().SelectedCell()));
        const auto pixels = grid().Surface().Pixels();
        const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        const std::uint32_t expected = GetRValue(highlight) << 16 | GetGValue(highlight) << 8 | GetBValue(highlight);
        EXPECT_EQ(pixels[static_cast<std::size_t>(cell.top + 1) * grid().Surface().Width() + cell.left + 1] & 0xFFFFFF,
                  expected);
        RECT client{};
        ::GetClientRect(map().hwnd(), &client);
        for (HWND child = ::GetWindow(map().hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT r{};
            ::GetWindowRect(child, &r);
            ::MapWindowPoints(nullptr, map().hwnd(), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom);
        }
    }
}

}  // namespace
}  // namespace app
