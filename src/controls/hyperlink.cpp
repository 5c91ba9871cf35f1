#include "controls/hyperlink.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <windowsx.h>

#include "controls/gdi_values.h"
#include "win/error_report.h"

namespace controls {

namespace {

constexpr wchar_t kClassName[] = L"GlyphoscopeHyperLink";

int ShiftState() {
    int shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (::GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

MouseButton ButtonsHeld(WPARAM wParam) {
    MouseButton buttons = MouseButton::None;
    if (wParam & MK_LBUTTON) buttons = buttons | MouseButton::Left;
    if (wParam & MK_RBUTTON) buttons = buttons | MouseButton::Right;
    if (wParam & MK_MBUTTON) buttons = buttons | MouseButton::Middle;
    return buttons;
}

// The button a press or release message is about.
MouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return MouseButton::Left;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return MouseButton::Right;
        default:
            return MouseButton::Middle;
    }
}

// Border pixels for a single border: a sunken edge when 3-D, a single line when flat.
int BorderWidth(core::BorderStyle borderStyle, std::int16_t appearance) {
    if (borderStyle != core::BorderStyle::FixedSingle) return 0;
    return appearance == 1 ? 2 : 1;
}

}  // namespace

void OpenThroughShell(const std::wstring& target) {
    ::ShellExecuteW(nullptr, L"Open", target.c_str(), L"", nullptr, SW_SHOWNORMAL);
}

HyperLink::HyperLink() : opener_(&OpenThroughShell) {
    leaveTimer_.SetInterval(kLeaveCheckMilliseconds);
    leaveTimer_.OnTick([this] { CheckLeave(); });
}

void HyperLink::Create(HWND parent, UINT_PTR id, const RECT& bounds, const core::HyperLinkProperties& properties) {
    p_ = properties;
    p_.hyperLink = core::TrimBlanks(p_.hyperLink);
    win::WindowClassArgs windowClass;
    windowClass.name = kClassName;
    windowClass.style = 0;
    windowClass.background = nullptr;
    win::Window::Create(windowClass, win::ChildWindowArgs(parent, id, bounds, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS));
    leaveTimer_.SetOwner(hwnd());

    toolTip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                 win::ModuleInstance(), nullptr);
    if (toolTip_) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
        tool.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ApplyProperties();
}

void HyperLink::SetBounds(const RECT& r) {
    ::MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    LayOut();
}

void HyperLink::Load(const core::PropertyBag& bag, const core::ContainerAmbient& ambient) {
    p_ = core::LoadHyperLink(bag, ambient);
    ApplyProperties();
}

void HyperLink::ApplyProperties() {
    UpdateFont();
    // While hovered the new colour waits for the pointer to leave.
    (hovering_ ? savedColour_ : textColour_) = p_.foreColor;
    if (hwnd()) {
        ::EnableWindow(hwnd(), p_.enabled);
        LayOut();
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }
}

void HyperLink::Changed(const wchar_t* property) {
    if (onPropertyChanged) onPropertyChanged(property);
}

void HyperLink::SetEnabled(bool enabled) {
    p_.enabled = enabled;
    ApplyProperties();
    Changed(L"Enabled");
}

void HyperLink::SetFont(const core::FontSpec& font) {
    p_.font = font;
    ApplyProperties();
    Changed(L"Font");
}

void HyperLink::SetTarget(const std::wstring& target) {
    p_.hyperLink = core::TrimBlanks(target);
    if (hovering_) UpdateToolTip();
    Changed(L"HyperLink");
}

void HyperLink::SetCaption(std::wstring caption) {
    p_.caption = std::move(caption);
    ApplyProperties();
    Changed(L"Caption");
    if (onChange) onChange();
}

void HyperLink::SetAlignment(core::TextAlignment alignment) {
    p_.alignment = alignment;
    ApplyProperties();
    Changed(L"Alignment");
}

void HyperLink::SetAutoSize(bool autoSize) {
    p_.autoSize = autoSize;
    ApplyProperties();
    Changed(L"AutoSize");
}

void HyperLink::SetHoverColor(std::uint32_t colour) {
    p_.hoverColor = colour;
    if (hovering_) {
        textColour_ = colour;
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }
    Changed(L"HoverColor");
}

void HyperLink::SetAppearance(std::int16_t appearance) {
    p_.appearance = appearance;
    ApplyProperties();
    Changed(L"Appearance");
}

void HyperLink::SetBorderStyle(core::BorderStyle style) {
    p_.borderStyle = style;
    ApplyProperties();
    Changed(L"BorderStyle");
}

void HyperLink::SetForeColor(std::uint32_t colour) {
    p_.foreColor = colour;
    ApplyProperties();
    Changed(L"ForeColor");
}

void HyperLink::SetBackColor(std::uint32_t colour) {
    p_.backColor = colour;
    ApplyProperties();
    Changed(L"BackColor");
}

void HyperLink::SetAutoToolTip(bool on) {
    p_.autoToolTip = on;
    Changed(L"AutoToolTip");
}

void HyperLink::SetSoundOn(bool on) {
    p_.soundOn = on;
    Changed(L"SoundOn");
}

void HyperLink::SetMOUnderline(bool on) {
    p_.moUnderline = on;
    Changed(L"MOUnderline");
}

void HyperLink::SetMOPointer(bool on) {
    p_.moPointer = on;
    Changed(L"MOPointer");
}

void HyperLink::SetSoundID(std::int32_t id) {
    p_.soundId = id;
    Changed(L"SoundID");
}

void HyperLink::LayOut() {
    if (!hwnd() || !p_.autoSize) return;
    win::WindowDc screen(hwnd());
    win::SelectGuard font(screen.get(), gdiFont_.get());
    RECT text{0, 0, 0, 0};
    const wchar_t* caption = p_.caption.empty() ? L" " : p_.caption.c_str();
    ::DrawTextW(screen.get(), caption, -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int border = BorderWidth(p_.borderStyle, p_.appearance);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, text.right + 2 * border, text.bottom + 2 * border,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HyperLink::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    win::UniqueBrush back(::CreateSolidBrush(TranslateColour(p_.backColor)));
    ::FillRect(dc, &client, back.get());
    if (p_.borderStyle == core::BorderStyle::FixedSingle) {
        if (p_.appearance == 1) {
            ::DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        } else {
            ::FrameRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
            ::InflateRect(&client, -1, -1);
        }
    }
    win::SelectGuard font(dc, gdiFont_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, p_.enabled ? TranslateColour(textColour_) : ::GetSysColor(COLOR_GRAYTEXT));
    // A self-sizing caption is one line, as it was measured; a fixed-size one wraps.
    UINT format = DT_NOPREFIX | (p_.autoSize ? DT_SINGLELINE : DT_WORDBREAK);
    if (p_.alignment == core::TextAlignment::Right) format |= DT_RIGHT;
    if (p_.alignment == core::TextAlignment::Centre) format |= DT_CENTER;
    ::DrawTextW(dc, p_.caption.c_str(), static_cast<int>(p_.caption.size()), &client, format);
}

MouseArgs HyperLink::ArgsFrom(WPARAM wParam, LPARAM lParam, MouseButton button) const {
    return MouseArgs{button, ShiftState(), static_cast<float>(GET_X_LPARAM(lParam)),
                     static_cast<float>(GET_Y_LPARAM(lParam))};
}

core::FontSpec HyperLink::ShownFont() const {
    core::FontSpec shown = p_.font;
    if (hovering_ && p_.moUnderline) shown.underline = true;
    return shown;
}

void HyperLink::UpdateFont() { gdiFont_ = CreateFontFrom(ShownFont()); }

bool HyperLink::PointerIsOver() const {
    POINT cursor{};
    return ::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == hwnd();
}

void HyperLink::OnMouseMove(const MouseArgs& args) {
    // While a press holds the capture, moves arrive from outside the link too.
    if (hovering_ || !PointerIsOver()) return;
    hovering_ = true;
    savedColour_ = textColour_;
    textColour_ = p_.hoverColor;
    if (p_.moUnderline) UpdateFont();
    UpdateToolTip();
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    leaveTimer_.SetEnabled(true);
    if (onMouseOver) onMouseOver(args);
}

void HyperLink::CheckLeave() {
    if (PointerIsOver()) return;
    hovering_ = false;
    textColour_ = savedColour_;
    UpdateFont();
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    leaveTimer_.SetEnabled(false);
    if (onMouseOut) onMouseOut();
}

void HyperLink::UpdateToolTip() {
    shownToolTip_ = p_.autoToolTip ? p_.hyperLink : containerToolTip_;
    if (!toolTip_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
    tool.lpszText = const_cast<wchar_t*>(shownToolTip_.c_str());
    ::SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(toolTip_, TTM_ACTIVATE, shownToolTip_.empty() ? FALSE : TRUE, 0);
}

void HyperLink::PlayClickSound() const {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(p_.soundId), L"SOUND");
    if (!found) return;
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    // Resource memory lives as long as the module, so the asynchronous play can keep reading it.
    if (bytes) ::sndPlaySoundW(static_cast<LPCWSTR>(bytes), SND_ASYNC | SND_NODEFAULT | SND_MEMORY);
}

void HyperLink::Click() {
    if (!p_.hyperLink.empty()) {
        HCURSOR remembered = ::GetCursor();
        // A failing step leaves no message; Click is still raised.
        try {
            if (p_.soundOn) PlayClickSound();
            ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
            if (opener_) opener_(p_.hyperLink);
        } catch (...) {
        }
        ::SetCursor(remembered);
    }
    if (onClick) onClick();
}

LRESULT HyperLink::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            win::PaintGuard paint(hwnd());
            Paint(paint.dc());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SETCURSOR:
            if (hovering_ && p_.moPointer && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            return DefaultProc(message, wParam, lParam);
        case WM_MOUSEMOVE:
            OnMouseMove(ArgsFrom(wParam, lParam, ButtonsHeld(wParam)));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const MouseButton button = ButtonOf(message);
            if (button == MouseButton::Left) {
                pressed_ = true;
                ::SetCapture(hwnd());
            }
            if (onMouseDown) onMouseDown(ArgsFrom(wParam, lParam, button));
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const MouseButton button = ButtonOf(message);
            MouseArgs args = ArgsFrom(wParam, lParam, button);
            bool click = false;
            if (button == MouseButton::Left && pressed_) {
                pressed_ = false;
                if (::GetCapture() == hwnd()) ::ReleaseCapture();
                RECT client{};
                ::GetClientRect(hwnd(), &client);
                POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                click = ::PtInRect(&client, at) != FALSE;
            }
            if (onMouseUp) onMouseUp(args);
            if (click) Click();
            return 0;
        }
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return 0;
        case WM_NCHITTEST:
            // The whole control is the link, even over a parent's group box.
            return HTCLIENT;
        default:
            return DefaultProc(message, wParam, lParam);
    }
}

}  // namespace controls
