#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "commandbar/command_bar_accessible.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_process.h"
#include "commandbar/command_bar_window.h"
#include "core/commandbar/command_bar_registry.h"
#include "support/accessible.h"
#include "support/gui_resources.h"
#include "support/pump.h"
#include "test_bar_window.h"

namespace commandbar {
namespace {

namespace cb = core::commandbar;
using testing::TestForm;

using Accessible = testing_support::AccessiblePtr;

using testing_support::ChildId;

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible& object, LONG id) {
    BSTR text = nullptr;
    (object.*get)(ChildId(id), &text);
    std::wstring result = text ? text : L"";
    ::SysFreeString(text);
    return result;
}

LONG Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible& object, LONG id) {
    VARIANT value;
    ::VariantInit(&value);
    EXPECT_EQ((object.*get)(ChildId(id), &value), S_OK) << id;
    return value.vt == VT_I4 ? value.lVal : -1;
}

// A tool bar of every kind of button, and the same bar as a menu bar and in a popup host.
class CommandBarAccessibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        control_ = Make();
        cb::Buttons buttons = control_->Buttons();
        cb::CommandBar bar = control_->CommandBars().Add(L"BAR", L"Правка");
        cb::CommandBar sub = control_->CommandBars().Add(L"SUB");
        buttons.Add(L"OPEN", -1, L"&Открыть", cb::ButtonStyle::Normal, L"Открыть файл", 'O');
        buttons.Add(L"WRAP", -1, L"Перенос", cb::ButtonStyle::Check).SetChecked(true);
        buttons.Add(L"SEP", -1, L"", cb::ButtonStyle::Separator);
        buttons.Add(L"SPLIT", -1, L"Цвет", cb::ButtonStyle::Split).SetBar(sub);
        buttons.Add(L"OFF", -1, L"Вы&ход").SetEnabled(false);
        buttons.Add(L"GONE", -1, L"Скрыт").SetVisible(false);
        buttons.Add(L"MORE", -1, L"Ещё").SetBar(sub);
        for (const wchar_t* key : {L"OPEN", L"WRAP", L"SEP", L"SPLIT", L"OFF", L"GONE", L"MORE"}) {
            bar.Buttons().Add(buttons.Item(key));
        }
        control_->SetToolbar(bar);
    }

    std::unique_ptr<CommandBarWindow> Make() {
        auto control = std::make_unique<CommandBarWindow>();
        control->Create(CommandBarWindowArgs{form_.hwnd(), RECT{0, 0, 600, 40}});
        return control;
    }

    // The way a screen reader asks: WM_GETOBJECT answered through LresultFromObject.
    static Accessible Object(const CommandBarWindow& control) {
        Accessible object = testing_support::ClientObject(control.hwnd());
        EXPECT_TRUE(object);
        return object;
    }

    TestForm form_;
    std::unique_ptr<CommandBarWindow> control_;
};

TEST_F(CommandBarAccessibleTest, ButtonsAreChildrenWithRoleStateNameAndShortcut) {
    Accessible object = Object(*control_);
    LONG count = 0;
    ASSERT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(Number(&IAccessible::get_accRole, *object, CHILDID_SELF), ROLE_SYSTEM_TOOLBAR);
    EXPECT_EQ(Text(&IAccessible::get_accName, *object, CHILDID_SELF), L"Правка");

    const std::wstring ctrlO = Registry().GetButton(L"OPEN").GetShortcutText(Keyboard());
    ASSERT_FALSE(ctrlO.empty());
    struct Case {
        LONG id;
        LONG role;
        LONG states;  // must be set
        LONG absent;  // must be clear
        const wchar_t* name;
    };
    const LONG focusable = STATE_SYSTEM_FOCUSABLE;
    for (const Case& c : {Case{1, ROLE_SYSTEM_PUSHBUTTON, focusable, STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_CHECKED, L"Открыть"},
                          Case{2, ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED, STATE_SYSTEM_INVISIBLE, L"Перенос"},
                          Case{3, ROLE_SYSTEM_SEPARATOR, 0, focusable, L""},
                          Case{4, ROLE_SYSTEM_SPLITBUTTON, STATE_SYSTEM_HASPOPUP, 0, L"Цвет"},
                          Case{5, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, focusable, L"Выход"},
                          Case{6, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE, 0, L"Скрыт"},
                          Case{7, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_HASPOPUP, 0, L"Ещё"}}) {
        EXPECT_EQ(Number(&IAccessible::get_accRole, *object, c.id), c.role) << c.id;
        const LONG state = Number(&IAccessible::get_accState, *object, c.id);
        EXPECT_EQ(state & c.states, c.states) << c.id;
        EXPECT_EQ(state & c.absent, 0) << c.id;
        EXPECT_EQ(Text(&IAccessible::get_accName, *object, c.id), c.name) << c.id;
    }
    EXPECT_EQ(Text(&IAccessible::get_accDescription, *object, 1), L"Открыть файл");
    EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, *object, 1), ctrlO);
    Registry().GetButton(L"OPEN").SetCaption(L"");  // an icon-only button is named by its tool tip
    EXPECT_EQ(Text(&IAccessible::get_accName, *object, 1), L"Открыть файл");
    Registry().GetButton(L"OPEN").SetCaption(L"&Открыть");

    // The mnemonic counts in menus only: with Alt on the menu bar, alone in a popup menu.
    control_->SetMainMenu(true);
    EXPECT_EQ(Number(&IAccessible::get_accRole, *object, CHILDID_SELF), ROLE_SYSTEM_MENUBAR);
    EXPECT_EQ(Number(&IAccessible::get_accRole, *object, 2), ROLE_SYSTEM_MENUITEM);
    EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, *object, 1), L"Alt+О, " + ctrlO);
    EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, *object, 5), L"Alt+Х");
    auto host = Make();
    host->MakePopupHost();
    host->SetToolbar(control_->Toolbar());
    Accessible menu = Object(*host);
    EXPECT_EQ(Number(&IAccessible::get_accRole, *menu, CHILDID_SELF), ROLE_SYSTEM_MENUPOPUP);
    EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, *menu, 1), L"О, " + ctrlO);
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, *menu, 1), L"Выполнить");
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, *menu, 7), L"Открыть");

    // A menu is named by the caption of the item that opened it; a bar given a name by that name.
    host->SetPopupContext(control_->hwnd(), 0, 0, 0, nullptr);
    control_->DisplayInfo()[6].hwndMenu = host->Hwnd();
    EXPECT_EQ(Text(&IAccessible::get_accName, *menu, CHILDID_SELF), L"Ещё");
    control_->SetAccessibleName(L"Главное меню");
    EXPECT_EQ(Text(&IAccessible::get_accName, *object, CHILDID_SELF), L"Главное меню");
}

TEST_F(CommandBarAccessibleTest, LocationHitTestAndNavigationFollowTheLayout) {
    Accessible object = Object(*control_);
    const cb::DisplayButtonInfo& item = control_->DisplayInfo()[3];
    POINT origin{item.left, item.top};
    ::ClientToScreen(control_->hwnd(), &origin);
    LONG left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(object->accLocation(&left, &top, &width, &height, ChildId(4)), S_OK);
    EXPECT_EQ(left, origin.x);
    EXPECT_EQ(top, origin.y);
    EXPECT_EQ(width, item.right - item.left);
    EXPECT_EQ(height, item.bottom - item.top);

    VARIANT hit;
    ASSERT_EQ(object->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, 4);
    EXPECT_EQ(object->accHitTest(left, top - 1000, &hit), S_FALSE);
    EXPECT_EQ(hit.vt, VT_EMPTY);

    // The invisible sixth button is passed over.
    struct Case {
        LONG direction;
        LONG from;
        LONG to;  // 0: nowhere
    };
    for (const Case& c : {Case{NAVDIR_FIRSTCHILD, CHILDID_SELF, 1}, Case{NAVDIR_LASTCHILD, CHILDID_SELF, 7},
                          Case{NAVDIR_NEXT, 5, 7}, Case{NAVDIR_PREVIOUS, 7, 5}, Case{NAVDIR_RIGHT, 1, 2},
                          Case{NAVDIR_PREVIOUS, 1, 0}, Case{NAVDIR_NEXT, 7, 0}, Case{NAVDIR_DOWN, 1, 0}}) {
        VARIANT end;
        const HRESULT result = object->accNavigate(c.direction, ChildId(c.from), &end);
        EXPECT_EQ(result, c.to ? S_OK : S_FALSE) << c.direction << " " << c.from;
        EXPECT_EQ(end.vt == VT_I4 ? end.lVal : 0, c.to) << c.direction << " " << c.from;
    }
}

TEST_F(CommandBarAccessibleTest, DefaultActionClicksEnabledButtonsOnly) {
    Accessible object = Object(*control_);
    std::wstring clicked;
    control_->events.buttonClick = [&](const cb::Button& button) { clicked += button.Key() + L";"; };
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, *object, 1), L"Нажать");
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, *object, 2), L"Снять флажок");
    for (LONG id : {1, 2, 3, 5}) object->accDoDefaultAction(ChildId(id));
    EXPECT_EQ(object->accDoDefaultAction(ChildId(3)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(object->accDoDefaultAction(ChildId(5)), DISP_E_MEMBERNOTFOUND);
    // The clicks come once the calls have returned, in order.
    EXPECT_EQ(clicked, L"");
    testing_support::PumpUntil([&] { return clicked.size() >= 10; }, 2000);
    EXPECT_EQ(clicked, L"OPEN;WRAP;");
}

TEST_F(CommandBarAccessibleTest, ObjectOutlivingItsButtonOrControlAnswersWithAnError) {
    Accessible object = Object(*control_);
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(ChildId(8), &name), E_INVALIDARG);
    control_->Buttons().Remove(L"MORE");
    EXPECT_EQ(object->get_accName(ChildId(7), &name), E_INVALIDARG);
    EXPECT_EQ(object->accDoDefaultAction(ChildId(7)), E_INVALIDARG);
    control_.reset();
    LONG count = -1;
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accName(ChildId(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(name, nullptr);
    EXPECT_EQ(object->AddRef(), 2u);
    EXPECT_EQ(object->Release(), 1u);
}

TEST_F(CommandBarAccessibleTest, ClientObjectIsAnsweredWithoutGrowth) {
    const unsigned gdi = testing_support::GdiObjectCount();
    const unsigned user = testing_support::UserObjectCount();
    for (int i = 0; i < 1000; ++i) {
        Accessible object = Object(*control_);
        ASSERT_TRUE(object);
        LONG count = 0;
        object->get_accChildCount(&count);
        ASSERT_EQ(count, 7);
    }
    EXPECT_EQ(testing_support::GdiObjectCount(), gdi);
    EXPECT_EQ(testing_support::UserObjectCount(), user);
}

// A screen reader runs in a process of its own: this test program, started again as one, reads the
// bar through AccessibleObjectFromWindow and clicks its first item, so every call crosses processes.
TEST_F(CommandBarAccessibleTest, AnotherProcessReadsNamesAndClicks) {
    wchar_t exe[MAX_PATH]{};
    ASSERT_NE(::GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    wchar_t folder[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring answer = std::wstring(folder) + L"glyph-accessible-" + std::to_wstring(::GetCurrentProcessId());
    ::SetEnvironmentVariableW(L"GLYPH_ACCESSIBLE_WINDOW",
                              std::to_wstring(reinterpret_cast<UINT_PTR>(control_->hwnd())).c_str());
    ::SetEnvironmentVariableW(L"GLYPH_ACCESSIBLE_ANSWER", answer.c_str());
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=AccessibleClient.*";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        ::CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    ::SetEnvironmentVariableW(L"GLYPH_ACCESSIBLE_WINDOW", nullptr);
    ::CloseHandle(process.hThread);
    std::wstring clicked;
    control_->events.buttonClick = [&](const cb::Button& button) { clicked += button.Key(); };
    // The client's calls arrive as messages: keep dispatching until it has gone.
    const DWORD start = ::GetTickCount();
    while (::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           ::GetTickCount() - start < 60000) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    ::CloseHandle(process.hProcess);
    std::wstring names;
    {
        std::ifstream in(std::filesystem::path(answer), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        names.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    }
    ::DeleteFileW(answer.c_str());
    EXPECT_EQ(names, L"|Правка|7|Открыть|Перенос||Цвет|Выход|Скрыт|Ещё");
    EXPECT_EQ(clicked, L"OPEN");
}

// The other process of the test above; skipped when not started by it.
TEST(AccessibleClient, ReadsNamesAndClicks) {
    wchar_t window[32]{}, answer[MAX_PATH]{};
    if (!::GetEnvironmentVariableW(L"GLYPH_ACCESSIBLE_WINDOW", window, 32) ||
        !::GetEnvironmentVariableW(L"GLYPH_ACCESSIBLE_ANSWER", answer, MAX_PATH)) {
        GTEST_SKIP() << "started by AnotherProcessReadsNamesAndClicks";
    }
    const HWND hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(window)));
    Accessible object = testing_support::ClientObject(hwnd);
    ASSERT_TRUE(object);
    LONG count = 0;
    object->get_accChildCount(&count);
    std::wstring names = L"|" + Text(&IAccessible::get_accName, *object, CHILDID_SELF) + L"|" + std::to_wstring(count);
    for (LONG id = 1; id <= count; ++id) names += L"|" + Text(&IAccessible::get_accName, *object, id);
    EXPECT_EQ(object->accDoDefaultAction(ChildId(1)), S_OK);
    std::ofstream(std::filesystem::path(answer), std::ios::binary)
        .write(reinterpret_cast<const char*>(names.data()),
               static_cast<std::streamsize>(names.size() * sizeof(wchar_t)));
}

}  // namespace
}  // namespace commandbar
