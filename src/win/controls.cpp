#include "win/controls.h"

#include <commctrl.h>

#include <vector>

#include "core/runtime_error.h"
#include "win/error_report.h"
#include "win/handles.h"

namespace win {

void ChildControl::CreateChild(const wchar_t* className, HWND parent, UINT_PTR id, DWORD style, DWORD exStyle,
                               const std::wstring& text) {
    hwnd_ = ::CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(id), ModuleInstance(), nullptr);
    if (!hwnd_) {
        throw LastError(std::wstring(L"Cannot create control ") + className, core::ExecutableName());
    }
    SetFont(UiFont());
}

void ChildControl::SetBounds(const RECT& r) {
    ::MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void ChildControl::SetVisible(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
bool ChildControl::Visible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
void ChildControl::SetEnabled(bool enabled) { ::EnableWindow(hwnd_, enabled); }
void ChildControl::SetFont(HFONT font) { ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
void ChildControl::SetText(const std::wstring& text) { ::SetWindowTextW(hwnd_, text.c_str()); }

std::wstring ChildControl::Text() const {
    int length = ::GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void GroupBox::Create(HWND parent, UINT_PTR id, const std::wstring& caption) {
    CreateChild(L"BUTTON", parent, id, BS_GROUPBOX, 0, caption);
}

void Label::Create(HWND parent, UINT_PTR id, const std::wstring& text, DWORD extraStyle) {
    CreateChild(L"STATIC", parent, id, SS_LEFT | SS_NOPREFIX | extraStyle, 0, text);
}

void PushButton::Create(HWND parent, UINT_PTR id, const std::wstring& caption, bool isDefault) {
    CreateChild(L"BUTTON", parent, id, WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, caption);
}

void CheckBox::Create(HWND parent, UINT_PTR id, const std::wstring& caption) {
    CreateChild(L"BUTTON", parent, id, WS_TABSTOP | BS_AUTOCHECKBOX, 0, caption);
}
bool CheckBox::Checked() const { return ::SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void CheckBox::SetChecked(bool checked) {
    ::SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ListBox::Create(HWND parent, UINT_PTR id) {
    CreateChild(L"LISTBOX", parent, id, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE);
}
int ListBox::Count() const { return static_cast<int>(::SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }
void ListBox::Clear() { ::SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }
void ListBox::BeginBatch(int expectedItems, size_t expectedChars) {
    ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(hwnd_, LB_INITSTORAGE, static_cast<WPARAM>(expectedItems),
                   static_cast<LPARAM>(expectedChars * sizeof(wchar_t)));
}
void ListBox::EndBatch() {
    ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
int ListBox::Append(const std::wstring& text) {
    return static_cast<int>(::SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}
std::wstring ListBox::ItemText(int index) const {
    LRESULT length = ::SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = ::SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}
int ListBox::Selected() const { return static_cast<int>(::SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }
void ListBox::Select(int index) { ::SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void MultiLineEdit::Create(HWND parent, UINT_PTR id) {
    CreateChild(L"EDIT", parent, id,
                WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
                WS_EX_CLIENTEDGE);
    // The preview holds free text of any length, not the control's 32K default.
    ::SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
}
int MultiLineEdit::TextLength() const { return ::GetWindowTextLengthW(hwnd_); }

void SingleLineEdit::Create(HWND parent, UINT_PTR id, bool readOnly) {
    CreateChild(L"EDIT", parent, id, WS_TABSTOP | ES_AUTOHSCROLL | (readOnly ? ES_READONLY : 0), WS_EX_CLIENTEDGE);
}

void ReadOnlyText::Create(HWND parent, UINT_PTR id, bool multiLine) {
    CreateChild(L"EDIT", parent, id, WS_TABSTOP | ES_READONLY | (multiLine ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL));
    // The text starts where a label's would.
    ::SendMessageW(hwnd_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void ReadOnlyText::ShowText(const std::wstring& text) {
    SetText(text);
    if (!(::GetWindowLongPtrW(hwnd_, GWL_STYLE) & ES_MULTILINE)) return;
    // A scroll bar only while the text is longer than the box; it takes room, so ask again.
    ::ShowScrollBar(hwnd_, SB_VERT, FALSE);
    RECT area{};
    ::SendMessageW(hwnd_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    WindowDc dc(hwnd_);
    SelectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    const LRESULT visible = metrics.tmHeight > 0 ? (area.bottom - area.top) / metrics.tmHeight : 1;
    ::ShowScrollBar(hwnd_, SB_VERT, ::SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0) > visible);
}

void Panel::Create(HWND parent, UINT_PTR id) {
    CreateArgs args;
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    args.parent = parent;
    args.x = args.y = args.width = args.height = 0;
    args.id = id;
    Window::Create(WindowClassArgs{L"GlyphoscopePanel"}, args);
}

void Panel::SetBounds(const RECT& r) {
    ::MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}
void Panel::SetVisible(bool visible) { ::ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE); }
bool Panel::Visible() const { return ::IsWindowVisible(hwnd()) != FALSE; }

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CONTEXTMENU:
            return ::SendMessageW(::GetParent(hwnd()), message, wParam, lParam);
        default:
            return DefaultProc(message, wParam, lParam);
    }
}

void Timer::SetInterval(UINT milliseconds) {
    interval_ = milliseconds;
    if (enabled_) {
        enabled_ = false;
        SetEnabled(true);
    }
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    auto id = reinterpret_cast<UINT_PTR>(this);
    if (enabled) {
        if (!owner_) {
            throw core::RuntimeError(core::error_number::kIllegalCall, L"Timer has no owner window",
                                     core::ExecutableName());
        }
        // The timer's own address is its id, so the procedure finds it without a lookup table.
        if (::SetTimer(owner_, id, interval_ ? interval_ : 1, &Timer::TimerProc)) enabled_ = true;
    } else {
        ::KillTimer(owner_, id);
        enabled_ = false;
    }
}

void CALLBACK Timer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto* timer = reinterpret_cast<Timer*>(id);
    if (timer && timer->enabled_ && timer->handler_) GuardCallback([&] { timer->handler_(); });
}

void ProcessPendingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

HFONT UiFont() {
    static UniqueFont font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            return UniqueFont(::CreateFontIndirectW(&metrics.lfMessageFont));
        }
        return UniqueFont();
    }();
    return font ? font.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace win
