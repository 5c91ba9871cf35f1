#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "commandbar/command_bar_accessible.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_process.h"
#include "commandbar/command_bar_window.h"
#include "core/commandbar/command_bar_registry.h"
#include "support/gui_resources.h"
#include "test_bar_window.h"

namespace commandbar {
namespace {

namespace cb = core::commandbar;
using testing::TestForm;

struct Releaser {
    void operator()(IAccessible* object) const { object->Release(); }
};
using Accessible = std::unique_ptr<IAccessible, Releaser>;

VARIANT Child(LONG id) {
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible& object, LONG id) {
    BSTR text = nullptr;
    (object.*get)(Child(id), &text);
    std::wstring result = text ? text : L"";
    ::SysFreeString(text);
    return result;
}

LONG Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible& object, LONG id) {
    VARIANT value;
    ::VariantInit(&value);
    EXPECT_EQ((object.*get)(Child(id), &value), S_OK) << id;
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
        IAccessible* object = nullptr;
        EXPECT_EQ(::AccessibleObjectFromWindow(control.hwnd(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&object)),
                  S_OK);
        return Accessible(object);
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
}

TEST_F(CommandBarAccessibleTest, LocationHitTestAndNavigationFollowTheLayout) {
    Accessible object = Object(*control_);
    const cb::DisplayButtonInfo& item = control_->DisplayInfo()[3];
    POINT origin{item.Left, item.Top};
    ::ClientToScreen(control_->hwnd(), &origin);
    LONG left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(object->accLocation(&left, &top, &width, &height, Child(4)), S_OK);
    EXPECT_EQ(left, origin.x);
    EXPECT_EQ(top, origin.y);
    EXPECT_EQ(width, item.Right - item.Left);
    EXPECT_EQ(height, item.Bottom - item.Top);

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
        const HRESULT result = object->accNavigate(c.direction, Child(c.from), &end);
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
    for (LONG id : {1, 2, 3, 5}) object->accDoDefaultAction(Child(id));
    EXPECT_EQ(object->accDoDefaultAction(Child(3)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(object->accDoDefaultAction(Child(5)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(clicked, L"OPEN;WRAP;");
}

TEST_F(CommandBarAccessibleTest, ObjectOutlivingItsButtonOrControlAnswersWithAnError) {
    Accessible object = Object(*control_);
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(Child(8), &name), E_INVALIDARG);
    control_->Buttons().Remove(L"MORE");
    EXPECT_EQ(object->get_accName(Child(7), &name), E_INVALIDARG);
    EXPECT_EQ(object->accDoDefaultAction(Child(7)), E_INVALIDARG);
    control_.reset();
    LONG count = -1;
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accName(Child(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
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

}  // namespace
}  // namespace commandbar
