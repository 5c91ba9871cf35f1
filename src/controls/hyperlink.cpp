#include "controls/hyperlink.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <windowsx.h>

#include "controls/gdi_values.h"
#include "win/accessible_name.h"
#include "win/error_report.h"
#include "win/gdi.h"
#include "win/library.h"

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
    static const auto execute = win::LibraryFunction<decltype(::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (execute) execute(nullptr, L"Open", target.c_str(), L"", nullptr, SW_SHOWNORMAL);
}

HyperLink::HyperLink() : opener_(&OpenThroughShell) {
    leaveTimer_.SetInterval(kLeaveCheckMilliseconds);
    leaveTimer_.OnTick([this] { CheckLeave(); });
}

void HyperLink::Create(HWND parent, UINT_PTR id, const RECT& bounds, const core::HyperLinkProperties& properties) {
    properties_ = properties;
    properties_.hyperLink = core::TrimBlanks(properties_.hyperLink);
    win::WindowClassArgs windowClass;
    windowClass.name = kClassName;
    windowClass.style = 0;
    windowClass.background = nullptr;
    // A tab stop, so the link can be followed from the keyboard too.
    win::Window::Create(windowClass,
                        win::ChildWindowArgs(parent, id, bounds, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP));
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
    properties_ = core::LoadHyperLink(bag, ambient);
    ApplyProperties();
}

void HyperLink::ApplyProperties() {
    UpdateFont();
    // While hovered the new colour waits for the pointer to leave.
    (hovering_ ? savedColour_ : textColour_) = properties_.foreColour;
    if (hwnd()) {
        ::EnableWindow(hwnd(), properties_.enabled);
        win::SetAccessibleName(hwnd(), properties_.caption, ROLE_SYSTEM_LINK);
        LayOut();
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }
}

void HyperLink::Changed(const wchar_t* property) {
    if (onPropertyChanged) onPropertyChanged(property);
}

void HyperLink::SetEnabled(bool enabled) {
    properties_.enabled = enabled;
    ApplyProperties();
    Changed(L"Enabled");
}

void HyperLink::SetFont(const core::FontDescription& font) {
    properties_.font = font;
    ApplyProperties();
    Changed(L"Font");
}

void HyperLink::SetTarget(const std::wstring& target) {
    properties_.hyperLink = core::TrimBlanks(target);
    if (hovering_) UpdateToolTip();
    Changed(L"HyperLink");
}

void HyperLink::SetCaption(std::wstring caption) {
    properties_.caption = std::move(caption);
    ApplyProperties();
    Changed(L"Caption");
    if (onChange) onChange();
}

void HyperLink::SetAlignment(core::TextAlignment alignment) {
    properties_.alignment = alignment;
    ApplyProperties();
    Changed(L"Alignment");
}

void HyperLink::SetAutoSize(bool autoSize) {
    properties_.autoSize = autoSize;
    ApplyProperties();
    Changed(L"AutoSize");
}

void HyperLink::SetHoverColour(core::Colour colour) {
    properties_.hoverColour = colour;
    if (hovering_) {
        textColour_ = colour;
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }
    Changed(L"HoverColor");
}

void HyperLink::SetAppearance(std::int16_t appearance) {
    properties_.appearance = appearance;
    ApplyProperties();
    Changed(L"Appearance");
}

void HyperLink::SetBorderStyle(core::BorderStyle style) {
    properties_.borderStyle = style;
    ApplyProperties();
    Changed(L"BorderStyle");
}

void HyperLink::SetForeColour(core::Colour colour) {
    properties_.foreColour = colour;
    ApplyProperties();
    Changed(L"ForeColor");
}

void HyperLink::SetBackColour(core::Colour colour) {
    properties_.backColour = colour;
    ApplyProperties();
    Changed(L"BackColor");
}

void HyperLink::SetAutoToolTip(bool on) {
    properties_.autoToolTip = on;
    Changed(L"AutoToolTip");
}

void HyperLink::SetSoundOn(bool on) {
    properties_.soundOn = on;
    Changed(L"SoundOn");
}

void HyperLink::SetMOUnderline(bool on) {
    properties_.moUnderline = on;
    Changed(L"MOUnderline");
}

void HyperLink::SetMOPointer(bool on) {
    properties_.moPointer = on;
    Changed(L"MOPointer");
}

void HyperLink::SetSoundID(std::int32_t id) {
    properties_.soundId = id;
    Changed(L"SoundID");
}

void HyperLink::LayOut() {
    if (!hwnd() || !properties_.autoSize) return;
    win::WindowDc screen(hwnd());
    win::SelectGuard font(screen.get(), gdiFont_.get());
    RECT text{0, 0, 0, 0};
    const wchar_t* caption = properties_.caption.empty() ? L" " : properties_.caption.c_str();
    ::DrawTextW(screen.get(), caption, -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int border = BorderWidth(properties_.borderStyle, properties_.appearance);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, text.right + 2 * border, text.bottom + 2 * border,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HyperLink::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    win::UniqueBrush back(::CreateSolidBrush(win::ToColorRef(properties_.backColour)));
    ::FillRect(dc, &client, back.get());
    if (properties_.borderStyle == core::BorderStyle::FixedSingle) {
        if (properties_.appearance == 1) {
            ::DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        } else {
            ::FrameRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
            ::InflateRect(&client, -1, -1);
        }
    }
    win::SelectGuard font(dc, gdiFont_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, properties_.enabled ? win::ToColorRef(textColour_) : ::GetSysColor(COLOR_GRAYTEXT));
    // A self-sizing caption is one line, as it was measured; a fixed-size one wraps.
    UINT format = DT_NOPREFIX | (properties_.autoSize ? DT_SINGLELINE : DT_WORDBREAK);
    if (properties_.alignment == core::TextAlignment::Right) format |= DT_RIGHT;
    if (properties_.alignment == core::TextAlignment::Centre) format |= DT_CENTER;
    ::DrawTextW(dc, properties_.caption.c_str(), static_cast<int>(properties_.caption.size()), &client, format);
    if (::GetFocus() == hwnd()) ::DrawFocusRect(dc, &client);
}

MouseArgs HyperLink::ArgsFrom(WPARAM wParam, LPARAM lParam, MouseButton button) const {
    return MouseArgs{button, ShiftState(), static_cast<float>(GET_X_LPARAM(lParam)),
                     static_cast<float>(GET_Y_LPARAM(lParam))};
}

core::FontDescription HyperLink::ShownFont() const {
    core::FontDescription shown = properties_.font;
    if (hovering_ && properties_.moUnderline) shown.underline = true;
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
    textColour_ = properties_.hoverColour;
    if (properties_.moUnderline) UpdateFont();
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
    shownToolTip_ = properties_.autoToolTip ? properties_.hyperLink : containerToolTip_;
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
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(properties_.soundId), L"SOUND");
    if (!found) return;
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    // Resource memory lives as long as the module, so the asynchronous play can keep reading it.
    static const auto play = win::LibraryFunction<decltype(::sndPlaySoundW)>(L"winmm.dll", "sndPlaySoundW");
    if (bytes && play) play(static_cast<LPCWSTR>(bytes), SND_ASYNC | SND_NODEFAULT | SND_MEMORY);
}

void HyperLink::Click() {
    if (!properties_.hyperLink.empty()) {
        HCURSOR remembered = ::GetCursor();
        // A failing step leaves no message; Click is still raised.
        try {
            if (properties_.soundOn) PlayClickSound();
            ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
            if (opener_) opener_(properties_.hyperLink);
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
            if (hovering_ && properties_.moPointer && LOWORD(lParam) == HTCLIENT) {
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
        case WM_GETDLGCODE: {
            // Enter and Space follow the link instead of pressing the dialog's default button.
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            const bool follow =
                msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_SPACE);
            return follow ? DLGC_WANTMESSAGE : 0;
        }
        case WM_KEYDOWN:
            if ((wParam == VK_RETURN || wParam == VK_SPACE) && properties_.enabled) Click();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_NCHITTEST:
            // The whole control is the link, even over a parent's group box.
            return HTCLIENT;
        default:
            return DefaultProc(message, wParam, lParam);
    }
}

}  // namespace controls
