#include "commandbar/command_bar_accessible.h"

#include <string>

#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_process.h"
#include "commandbar/command_bar_window.h"
#include "core/commandbar/command_bar_registry.h"
#include "win/accessible_object.h"

namespace commandbar {

namespace cb = core::commandbar;

namespace {

// Whatever a call is about, looked up afresh: the control, and the button when a child is meant.
struct Target {
    CommandBarWindow* control = nullptr;
    LONG id = CHILDID_SELF;
    cb::ButtonRecord* button = nullptr;
    const cb::DisplayButtonInfo* item = nullptr;
};

bool InMenu(const CommandBarWindow& control) { return control.IsPopupHost() || control.MainMenu(); }

bool Vertical(const CommandBarWindow& control) {
    return control.IsPopupHost() || cb::IsVerticalOrientation(static_cast<cb::Orientation>(control.Orientation()));
}

bool Hot(const cb::DisplayButtonInfo& item) { return item.mouseOver || item.mouseOverSplit; }

bool Inert(const cb::ButtonRecord& button) {
    return button.Style() == cb::ButtonStyle::Separator || button.Style() == cb::ButtonStyle::Panel;
}

LONG BarRole(const CommandBarWindow& control) {
    if (control.IsPopupHost()) return ROLE_SYSTEM_MENUPOPUP;
    return control.MainMenu() ? ROLE_SYSTEM_MENUBAR : ROLE_SYSTEM_TOOLBAR;
}

LONG ButtonRole(const CommandBarWindow& control, const cb::ButtonRecord& button) {
    if (button.Style() == cb::ButtonStyle::Separator) return ROLE_SYSTEM_SEPARATOR;
    if (InMenu(control)) return ROLE_SYSTEM_MENUITEM;
    switch (button.Style()) {
        case cb::ButtonStyle::Check:
        case cb::ButtonStyle::Radio:
        case cb::ButtonStyle::RadioNullable:
            return ROLE_SYSTEM_CHECKBUTTON;
        case cb::ButtonStyle::Split:
            return ROLE_SYSTEM_SPLITBUTTON;
        case cb::ButtonStyle::Panel:
            return ROLE_SYSTEM_GROUPING;
        default:
            return ROLE_SYSTEM_PUSHBUTTON;
    }
}

LONG ButtonState(const CommandBarWindow& control, const cb::ButtonRecord& button, const cb::DisplayButtonInfo& item) {
    LONG state = 0;
    if (button.Checked()) state |= STATE_SYSTEM_CHECKED;
    if (!button.Enabled() || !control.Enabled()) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    } else if (!Inert(button)) {
        state |= STATE_SYSTEM_FOCUSABLE;
    }
    if (Hot(item)) state |= STATE_SYSTEM_HOTTRACKED;
    if (Hot(item) && Registry().InMenuMode()) state |= STATE_SYSTEM_FOCUSED;
    if (item.mouseDown || item.mouseDownSplit || item.showingMenu) state |= STATE_SYSTEM_PRESSED;
    if (button.SubBar() || button.Style() == cb::ButtonStyle::Split) state |= STATE_SYSTEM_HASPOPUP;
    if (!button.Visible() || item.hidden || item.right <= item.left || item.bottom <= item.top) {
        state |= STATE_SYSTEM_INVISIBLE;
    }
    return state;
}

std::wstring KeyboardShortcut(const CommandBarWindow& control, const cb::ButtonRecord& button) {
    std::wstring text;
    if (wchar_t mnemonic = cb::MnemonicOf(button.Caption()); mnemonic != 0 && InMenu(control)) {
        ::CharUpperBuffW(&mnemonic, 1);
        text = control.IsPopupHost() ? std::wstring(1, mnemonic) : L"Alt+" + std::wstring(1, mnemonic);
    }
    const std::wstring shortcut = button.GetShortcutText(Keyboard());
    if (!shortcut.empty()) text += (text.empty() ? L"" : L", ") + shortcut;
    return text;
}

// Russian, as the rest of the program speaks.
const wchar_t* DefaultAction(const CommandBarWindow& control, const cb::ButtonRecord& button,
                             const cb::DisplayButtonInfo& item) {
    if (Inert(button)) return nullptr;
    if (button.SubBar() && button.Style() != cb::ButtonStyle::Split) return item.showingMenu ? L"Закрыть" : L"Открыть";
    if (InMenu(control)) return L"Выполнить";
    if (cb::IsCheckableStyle(button.Style())) return button.Checked() ? L"Снять флажок" : L"Установить флажок";
    return L"Нажать";
}

class CommandBarAccessible final : public win::AccessibleObject {
public:
    using AccessibleObject::AccessibleObject;

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return WithControl([&](CommandBarWindow& control) {
            *count = static_cast<LONG>(control.DisplayInfo().size());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return TextOf(child, name, [](const Target& t) {
            if (!t.button) return BarName(*t.control);
            // An icon-only button is named by its tool tip, as the platform's tool bars do.
            std::wstring name = cb::CaptionWithoutMnemonic(t.button->Caption());
            return name.empty() ? t.button->ToolTip() : name;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return TextOf(child, description,
                      [](const Target& t) { return t.button ? t.button->ToolTip() : std::wstring(); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        win::EmptyVariant(role);
        return WithTarget(child, [&](const Target& t) {
            return ReturnChild(t.button ? ButtonRole(*t.control, *t.button) : BarRole(*t.control), role);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        win::EmptyVariant(state);
        return WithTarget(child, [&](const Target& t) {
            return ReturnChild(t.button ? ButtonState(*t.control, *t.button, *t.item) : BarState(), state);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return TextOf(child, shortcut, [](const Target& t) {
            return t.button ? KeyboardShortcut(*t.control, *t.button) : std::wstring();
        });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        win::EmptyVariant(focus);
        return WithControl([&](CommandBarWindow& control) {
            const auto& items = control.DisplayInfo();
            for (std::size_t i = 0; i < items.size() && Registry().InMenuMode(); ++i) {
                if (Hot(items[i])) return ReturnChild(static_cast<LONG>(i + 1), focus);
            }
            return ::GetFocus() == hwnd() ? ReturnChild(CHILDID_SELF, focus) : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        win::EmptyVariant(selection);
        return WithControl([](CommandBarWindow&) { return S_FALSE; });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return TextOf(child, action, [](const Target& t) {
            const wchar_t* text = t.button ? DefaultAction(*t.control, *t.button, *t.item) : nullptr;
            return std::wstring(text ? text : L"");
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT child) override {
        return WithTarget(child, [](const Target&) { return DISP_E_MEMBERNOTFOUND; });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        return WithTarget(child, [&](const Target& t) {
            RECT rect{};
            if (t.item) {
                rect = RECT{t.item->left, t.item->top, t.item->right, t.item->bottom};
            } else {
                ::GetClientRect(hwnd(), &rect);
            }
            return ReturnLocation(rect, left, top, width, height);
        });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        win::EmptyVariant(end);
        return WithTarget(start, [&](const Target& t) {
            const LONG count = static_cast<LONG>(t.control->DisplayInfo().size());
            LONG from = t.id;
            LONG step = 0;
            if (t.id == CHILDID_SELF) {
                if (direction == NAVDIR_FIRSTCHILD) step = 1;
                if (direction == NAVDIR_LASTCHILD) from = count + 1, step = -1;
            } else if (direction == NAVDIR_NEXT || direction == (Vertical(*t.control) ? NAVDIR_DOWN : NAVDIR_RIGHT)) {
                step = 1;
            } else if (direction == NAVDIR_PREVIOUS || direction == (Vertical(*t.control) ? NAVDIR_UP : NAVDIR_LEFT)) {
                step = -1;
            }
            if (step == 0) return S_FALSE;
            for (LONG id = from + step; id >= 1 && id <= count; id += step) {
                if (ShownAt(*t.control, id)) return ReturnChild(id, end);
            }
            return S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        win::EmptyVariant(hit);
        return WithControl([&](CommandBarWindow& control) {
            const auto point = ClientPoint(x, y);
            if (!point) return S_FALSE;
            const auto& items = control.DisplayInfo();
            for (std::size_t i = 0; i < items.size(); ++i) {
                const RECT rect{items[i].left, items[i].top, items[i].right, items[i].bottom};
                const LONG id = static_cast<LONG>(i + 1);
                if (::PtInRect(&rect, *point) && ShownAt(control, id)) return ReturnChild(id, hit);
            }
            return ReturnChild(CHILDID_SELF, hit);
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return WithTarget(child, [](const Target& t) {
            if (!t.button || !DefaultAction(*t.control, *t.button, *t.item) ||
                (ButtonState(*t.control, *t.button, *t.item) & STATE_SYSTEM_UNAVAILABLE)) {
                return DISP_E_MEMBERNOTFOUND;
            }
            // As the platform's own objects do, the action is taken after the call has returned.
            t.control->ClickItemLater(t.button->Key());
            return S_OK;
        });
    }

private:
    // Titles are keys to the program; screen readers are given words.
    static std::wstring BarName(const CommandBarWindow& control) {
        if (!control.AccessibleName().empty()) return control.AccessibleName();
        if (const cb::ButtonRecord* opener = OpenerItem(control)) return cb::CaptionWithoutMnemonic(opener->Caption());
        const cb::BarRecord* bar = Registry().FindBar(control.BarKey());
        return bar ? bar->Title() : std::wstring();
    }

    // The item whose menu the control shows, null for none (a context menu has none).
    static const cb::ButtonRecord* OpenerItem(const CommandBarWindow& control) {
        if (!control.IsPopupHost()) return nullptr;
        const auto* source =
            dynamic_cast<const CommandBarWindow*>(Registry().TryControlFromHwnd(ToHandle(control.PopupSource())));
        const cb::BarRecord* bar = source ? Registry().FindBar(source->BarKey()) : nullptr;
        if (!bar) return nullptr;
        const auto& items = source->DisplayInfo();
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].hwndMenu == control.Hwnd()) return bar->Item(static_cast<std::int32_t>(i + 1));
        }
        return nullptr;
    }

    LONG BarState() const {
        LONG state = 0;
        if (!::IsWindowVisible(hwnd())) state |= STATE_SYSTEM_INVISIBLE;
        if (!::IsWindowEnabled(hwnd())) state |= STATE_SYSTEM_UNAVAILABLE;
        if (::GetFocus() == hwnd()) state |= STATE_SYSTEM_FOCUSED;
        return state;
    }

    // The registered control behind the window, or null once it is gone.
    CommandBarWindow* Control() const {
        if (!::IsWindow(hwnd())) return nullptr;
        return dynamic_cast<CommandBarWindow*>(Registry().TryControlFromHwnd(ToHandle(hwnd())));
    }
    HRESULT CheckChild(const VARIANT& child) const override {
        return WithTarget(child, [](const Target&) { return S_OK; });
    }

    static bool ShownAt(CommandBarWindow& control, LONG id) {
        const cb::BarRecord* bar = Registry().FindBar(control.BarKey());
        const cb::ButtonRecord* button = bar ? bar->Item(id) : nullptr;
        return button && !(ButtonState(control, *button, control.DisplayInfo()[id - 1]) & STATE_SYSTEM_INVISIBLE);
    }

    template <typename Body>
    HRESULT WithControl(Body&& body) const noexcept {
        return Guarded([&] {
            CommandBarWindow* control = Control();
            return control ? body(*control) : CO_E_OBJNOTCONNECTED;
        });
    }

    // E_INVALIDARG for an id that names no button the control shows now.
    template <typename Body>
    HRESULT WithTarget(const VARIANT& child, Body&& body) const noexcept {
        if (child.vt != VT_I4) return E_INVALIDARG;
        return WithControl([&](CommandBarWindow& control) {
            Target target{&control, child.lVal};
            if (target.id == CHILDID_SELF) return body(target);
            const auto& items = control.DisplayInfo();
            const cb::BarRecord* bar = Registry().FindBar(control.BarKey());
            if (!bar || target.id < 1 || static_cast<std::size_t>(target.id) > items.size()) return E_INVALIDARG;
            target.button = bar->Item(target.id);
            target.item = &items[static_cast<std::size_t>(target.id) - 1];
            return target.button ? body(target) : E_INVALIDARG;
        });
    }

    template <typename Text>
    HRESULT TextOf(const VARIANT& child, BSTR* out, Text&& text) const noexcept {
        if (!out) return E_POINTER;
        *out = nullptr;
        return WithTarget(child, [&](const Target& target) { return ReturnText(text(target), out); });
    }
};

}  // namespace

LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam) {
    return win::AnswerClientObject<CommandBarAccessible>(control, wParam, lParam);
}

}  // namespace commandbar
