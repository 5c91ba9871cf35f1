#include "app/character_grid_accessible.h"

#include <oleacc.h>

#include <optional>
#include <string>

#include "app/character_grid_view.h"
#include "win/accessible_object.h"

namespace app {

namespace {

std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

class GridAccessible final : public win::AccessibleObject {
public:
    using AccessibleObject::AccessibleObject;

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return WithView([&](CharacterGridView& view) {
            *count = static_cast<LONG>(view.Grid().CellCount());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return TextOf(child, name, [](CharacterGridView& view, std::optional<std::size_t> cell) {
            if (!cell) return std::wstring(L"Таблица символов");
            return core::CellName(view.Grid().CodePointAt(*cell));
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return TextOf(child, text, [](CharacterGridView& view, std::optional<std::size_t> cell) {
            return cell ? Widened(core::CharacterName(view.Grid().CodePointAt(*cell))) : std::wstring();
        });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return TextOf(child, shortcut,
                      [](CharacterGridView&, std::optional<std::size_t>) { return std::wstring(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return TextOf(child, action, [](CharacterGridView&, std::optional<std::size_t> cell) {
            return std::wstring(cell ? L"Выбрать" : L"");
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        win::EmptyVariant(role);
        return WithCell(child, [&](CharacterGridView&, std::optional<std::size_t> cell) {
            return ReturnChild(cell ? ROLE_SYSTEM_CELL : ROLE_SYSTEM_TABLE, role);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        win::EmptyVariant(state);
        return WithCell(child, [&](CharacterGridView& view, std::optional<std::size_t> cell) {
            const bool focused = ::GetFocus() == hwnd();
            LONG flags = STATE_SYSTEM_FOCUSABLE;
            if (!cell) return ReturnChild(flags | (focused ? STATE_SYSTEM_FOCUSED : 0), state);
            flags |= STATE_SYSTEM_SELECTABLE;
            if (view.SelectedCell() == cell) flags |= STATE_SYSTEM_SELECTED | (focused ? STATE_SYSTEM_FOCUSED : 0);
            if (!view.CellInView(*cell)) flags |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
            return ReturnChild(flags, state);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        win::EmptyVariant(focus);
        return WithView([&](CharacterGridView& view) {
            if (::GetFocus() != hwnd()) return S_FALSE;
            const auto selected = view.SelectedCell();
            return ReturnChild(selected ? static_cast<LONG>(*selected + 1) : CHILDID_SELF, focus);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        win::EmptyVariant(selection);
        return WithView([&](CharacterGridView& view) {
            const auto selected = view.SelectedCell();
            return selected ? ReturnChild(static_cast<LONG>(*selected + 1), selection) : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return WithCell(child, [&](CharacterGridView& view, std::optional<std::size_t> cell) {
            if (!cell) return E_INVALIDARG;
            if (flags & SELFLAG_TAKEFOCUS) ::SetFocus(hwnd());
            if (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS)) view.Select(*cell);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return WithCell(child, [](CharacterGridView& view, std::optional<std::size_t> cell) {
            if (!cell) return DISP_E_MEMBERNOTFOUND;
            view.Select(*cell);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        return WithCell(child, [&](CharacterGridView& view, std::optional<std::size_t> cell) {
            RECT rect{};
            if (cell) {
                rect = view.CellBounds(*cell);
            } else {
                ::GetClientRect(hwnd(), &rect);
            }
            return ReturnLocation(rect, left, top, width, height);
        });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        win::EmptyVariant(end);
        return WithCell(start, [&](CharacterGridView& view, std::optional<std::size_t> cell) {
            const core::CharacterGrid& grid = view.Grid();
            if (grid.CellCount() == 0) return S_FALSE;
            std::optional<std::size_t> to;
            if (!cell) {
                if (direction == NAVDIR_FIRSTCHILD) to = 0;
                if (direction == NAVDIR_LASTCHILD) to = grid.CellCount() - 1;
            } else if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT) {
                to = grid.Moved(*cell, core::GridMove::Right, 0);
            } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT) {
                to = grid.Moved(*cell, core::GridMove::Left, 0);
            } else if (direction == NAVDIR_UP || direction == NAVDIR_DOWN) {
                to = grid.Moved(*cell, direction == NAVDIR_UP ? core::GridMove::Up : core::GridMove::Down, 0);
            }
            if (!to || to == cell) return S_FALSE;
            return ReturnChild(static_cast<LONG>(*to + 1), end);
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        win::EmptyVariant(hit);
        return WithView([&](CharacterGridView& view) {
            const auto point = ClientPoint(x, y);
            if (!point) return S_FALSE;
            const auto cell = view.CellAtPoint(*point);
            return ReturnChild(cell ? static_cast<LONG>(*cell + 1) : CHILDID_SELF, hit);
        });
    }

private:
    CharacterGridView* View() const {
        if (!::IsWindow(hwnd())) return nullptr;
        return dynamic_cast<CharacterGridView*>(win::Window::FromHandle(hwnd()));
    }
    HRESULT CheckChild(const VARIANT& child) const override {
        return WithCell(child, [](CharacterGridView&, std::optional<std::size_t>) { return S_OK; });
    }

    template <typename Body>
    HRESULT WithView(Body&& body) const noexcept {
        return Guarded([&] {
            CharacterGridView* view = View();
            return view ? body(*view) : CO_E_OBJNOTCONNECTED;
        });
    }

    // E_INVALIDARG for an id that names no cell; the body gets no cell for the table itself.
    template <typename Body>
    HRESULT WithCell(const VARIANT& child, Body&& body) const noexcept {
        if (child.vt != VT_I4) return E_INVALIDARG;
        return WithView([&](CharacterGridView& view) {
            if (child.lVal == CHILDID_SELF) return body(view, std::nullopt);
            if (child.lVal < 1 || static_cast<std::size_t>(child.lVal) > view.Grid().CellCount()) return E_INVALIDARG;
            return body(view, std::optional<std::size_t>(static_cast<std::size_t>(child.lVal) - 1));
        });
    }

    template <typename Text>
    HRESULT TextOf(const VARIANT& child, BSTR* out, Text&& text) const noexcept {
        if (!out) return E_POINTER;
        *out = nullptr;
        return WithCell(child, [&](CharacterGridView& view, std::optional<std::size_t> cell) {
            return ReturnText(text(view, cell), out);
        });
    }
};

}  // namespace

LRESULT AnswerGridObject(HWND grid, WPARAM wParam, LPARAM lParam) {
    return win::AnswerClientObject<GridAccessible>(grid, wParam, lParam);
}

}  // namespace app
