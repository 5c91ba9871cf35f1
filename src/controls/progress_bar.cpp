#include "controls/progress_bar.h"

#include <algorithm>
#include <cmath>

#include "controls/gdi_values.h"
#include "win/controls.h"
#include "win/gdi.h"

namespace controls {

namespace {

constexpr wchar_t kClassName[] = L"GlyphoscopeProgressBar";
constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

ProgressBar::ProgressBar() : font_{L"Tahoma", 8.25, false, false, false, DEFAULT_CHARSET} {}

void ProgressBar::Create(HWND parent, UINT_PTR id, const RECT& bounds) {
    win::WindowClassArgs windowClass;
    windowClass.name = kClassName;
    windowClass.style = 0;
    windowClass.background = nullptr;
    gdiFont_ = CreateFontFrom(font_);
    win::Window::Create(windowClass, win::ChildWindowArgs(parent, id, bounds, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                                          WS_EX_STATICEDGE));
}

void ProgressBar::SetBounds(const RECT& r) {
    ::MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void ProgressBar::SetValue(float value) {
    state_.SetValue(value);
    // A loop setting thousands of values would spend most of its time here: the bar redraws and
    // lets messages through when the shown percentage changes or a frame has passed, and the frame
    // timer shows whatever came in between.
    if (valuePacer_.Due(state_.Percent(), ::GetTickCount64())) {
        Redraw();
    } else if (hwnd() && !framePending_) {
        framePending_ = true;
        ::SetTimer(hwnd(), kFrameTimerId, kFrameMilliseconds, nullptr);
    }
    Changed(L"Value");
}

void ProgressBar::SetCalculatePercentage(bool on) {
    state_.SetCalculatePercentage(on);
    Redraw();
    Changed(L"CalculatePercentage");
}

void ProgressBar::SetTotalValue(double total) {
    if (!state_.SetTotalValue(total)) return;
    Redraw();
    Changed(L"TotalValue");
}

void ProgressBar::SetShowStatus(bool show) {
    state_.SetShowStatus(show);
    Redraw();
    Changed(L"ShowStatus");
}

void ProgressBar::SetText(std::wstring text) {
    state_.SetText(std::move(text));
    Redraw();
    Changed(L"Text");
}

void ProgressBar::SetFont(const core::FontDescription& font) {
    font_ = font;
    gdiFont_ = CreateFontFrom(font_);
    surfaceStale_ = true;
    Redraw();
    Changed(L"Font");
}

void ProgressBar::SetProgressColour(core::Colour colour) {
    state_.SetProgressColour(colour);
    surfaceStale_ = true;
    Redraw();
    Changed(L"ProgressColor");
}

void ProgressBar::Save(core::PropertyBag& bag) const { core::SaveProgressBar(state_, font_, bag); }

void ProgressBar::Load(const core::PropertyBag& bag, const core::ContainerAmbient& ambient) {
    core::LoadProgressBar(bag, ambient, state_, font_);
    gdiFont_ = CreateFontFrom(font_);
    // Shown at the next paint, not now.
    surfaceStale_ = true;
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ProgressBar::Changed(const wchar_t* property) {
    if (propertyChanged_) propertyChanged_(property);
}

void ProgressBar::Redraw() {
    if (hwnd() && ::IsWindowVisible(hwnd()) && FrameChanged()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now - lastShown_ >= kFrameMilliseconds) {
            ShowLatestFrame();
        } else if (!framePending_) {
            // Faster than the screen could show it: the timer puts the latest frame up, so the
            // last update of a burst is never lost.
            framePending_ = true;
            ::SetTimer(hwnd(), kFrameTimerId, kFrameMilliseconds, nullptr);
        }
    }
    // Runs on every redraw, drawn or not: the caller's loop relies on it to keep windows alive.
    win::ProcessPendingMessages();
}

bool ProgressBar::FrameChanged() const {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    if (surfaceStale_ || !surface_ || client.right != surfaceSize_.cx || client.bottom != surfaceSize_.cy) {
        return true;
    }
    return state_.Frame(surfaceSize_.cx) != shown_;
}

void ProgressBar::ShowLatestFrame() {
    if (framePending_) {
        ::KillTimer(hwnd(), kFrameTimerId);
        framePending_ = false;
    }
    lastShown_ = ::GetTickCount64();
    if (RenderIfChanged()) {
        win::WindowDc dc(hwnd());
        CopyTo(dc.get());
    }
}

bool ProgressBar::RenderIfChanged() {
    if (!hwnd()) return false;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    if (client.right != surfaceSize_.cx || client.bottom != surfaceSize_.cy || !surface_) {
        surfaceSize_ = SIZE{client.right, client.bottom};
        surface_.Resize(std::max<LONG>(surfaceSize_.cx, 1), std::max<LONG>(surfaceSize_.cy, 1));
        surfaceStale_ = true;
    }
    core::ProgressFrame frame = state_.Frame(surfaceSize_.cx);
    if (!surfaceStale_ && frame == shown_) return false;
    Render(frame);
    shown_ = std::move(frame);
    surfaceStale_ = false;
    return true;
}

void ProgressBar::Render(const core::ProgressFrame& frame) {
    if (!surface_) return;
    const HDC dc = surface_.Dc();
    win::SelectGuard font(dc, gdiFont_.get());
    const COLORREF ink = win::ToColorRef(state_.ProgressColour());
    const int width = surfaceSize_.cx;
    const int height = surfaceSize_.cy;

    RECT all{0, 0, width, height};
    win::UniqueBrush white(::CreateSolidBrush(kWhite));
    ::FillRect(dc, &all, white.get());

    SIZE extent{};
    ::GetTextExtentPoint32W(dc, frame.caption.c_str(), static_cast<int>(frame.caption.size()), &extent);
    const int x = static_cast<int>(std::lround((width - extent.cx) / 2.0));
    const int y = static_cast<int>(std::lround((height - extent.cy) / 2.0));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ink);
    ::SetROP2(dc, R2_COPYPEN);
    ::TextOutW(dc, x, y, frame.caption.c_str(), static_cast<int>(frame.caption.size()));

    if (frame.barWidth > 0) {
        // Not-XOR-pen turns white under the bar into the ink and the ink of the caption into
        // white, so the covered part of the caption reads inverted.
        ::SetROP2(dc, R2_NOTXORPEN);
        win::UniqueBrush inkBrush(::CreateSolidBrush(ink));
        win::SelectGuard brush(dc, inkBrush.get());
        win::SelectGuard pen(dc, ::GetStockObject(NULL_PEN));
        // A rectangle without a pen leaves out its right and bottom pixel lines.
        ::Rectangle(dc, 0, 0, frame.barWidth + 1, height + 1);
    }
    ++renderCount_;
}

void ProgressBar::CopyTo(HDC target) const {
    if (!surface_) return;
    ::BitBlt(target, 0, 0, surfaceSize_.cx, surfaceSize_.cy, surface_.Dc(), 0, 0, SRCCOPY);
}

LRESULT ProgressBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            RenderIfChanged();
            win::PaintGuard paint(hwnd());
            CopyTo(paint.dc());
            return 0;
        }
        case WM_PRINTCLIENT:
            RenderIfChanged();
            CopyTo(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kFrameTimerId) {
                ShowLatestFrame();
                return 0;
            }
            return DefaultProc(message, wParam, lParam);
        case WM_SIZE:
            // The surface follows the control's inner size; the next paint draws it afresh.
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        default:
            return DefaultProc(message, wParam, lParam);
    }
}

}  // namespace controls
