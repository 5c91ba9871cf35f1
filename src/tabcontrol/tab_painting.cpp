#include <windows.h>
#include <commctrl.h>

#include "tabcontrol/tab_control.h"
#include "win/handles.h"

namespace tabcontrol {

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

// The scroll arrows of a single-line strip that overflows keep their own look.
void ExcludeScrollArrows(HWND tabWindow, HDC dc) {
    HWND arrows = ::FindWindowExW(tabWindow, nullptr, UPDOWN_CLASSW, nullptr);
    if (!arrows || !::IsWindowVisible(arrows)) return;
    RECT r{};
    ::GetWindowRect(arrows, &r);
    ::MapWindowPoints(nullptr, tabWindow, reinterpret_cast<POINT*>(&r), 2);
    ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
}

}  // namespace

void PaintDefaultTab(const DrawItemEvent& item, HWND, HIMAGELIST images, int coolTabs) {
    HDC dc = item.dc;
    RECT r = item.bounds;
    int fill = coolTabs == 2 && !item.selected ? COLOR_BTNSHADOW : COLOR_BTNFACE;
    ::FillRect(dc, &r, ::GetSysColorBrush(fill));

    wchar_t text[256] = {};
    TCITEMW tab{};
    tab.mask = TCIF_TEXT | TCIF_IMAGE;
    tab.pszText = text;
    tab.cchTextMax = static_cast<int>(std::size(text));
    HWND tabWindow = ::WindowFromDC(dc);
    if (!tabWindow || !::SendMessageW(tabWindow, TCM_GETITEMW, static_cast<WPARAM>(item.position),
                                      reinterpret_cast<LPARAM>(&tab))) {
        return;
    }
    if (tab.iImage >= 0 && images) {
        int width = 0, height = 0;
        ::ImageList_GetIconSize(images, &width, &height);
        int x = r.left + (item.selected ? 6 : 2);
        int y = r.top + (r.bottom - r.top - height) / 2;
        ::ImageList_Draw(images, tab.iImage, dc, x, y, ILD_TRANSPARENT);
        r.left = x + width + 1;
    }
    win::DcStateGuard state(dc);
    ::SetBkMode(dc, TRANSPARENT);
    // System colours rather than the near-black raw values: the text stays readable in any scheme.
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextW(dc, tab.pszText, -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void PaintCoolTabs(HWND tabWindow, int coolTabs, core::TabAlignment align) {
    if (align != core::TabAlignment::Top && align != core::TabAlignment::Bottom) return;
    const bool bottom = align == core::TabAlignment::Bottom;
    win::WindowDc windowDc(tabWindow);
    HDC dc = windowDc.get();
    if (!dc) return;
    win::DcStateGuard state(dc);
    ExcludeScrollArrows(tabWindow, dc);

    RECT client{};
    ::GetClientRect(tabWindow, &client);
    RECT body = client;
    ::SendMessageW(tabWindow, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    // The body's frame sits two pixels outside the display area.
    ::InflateRect(&body, 2, 2);
    --body.right;
    --body.bottom;

    win::UniquePen face(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE)));
    win::UniquePen shadow(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    win::UniquePen light(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT)));

    {
        // One flat line per side instead of the raised two-pixel frame.
        win::SelectGuard pen(dc, face.get());
        ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, body.left + 1, body.top + 1, body.right, body.bottom);
        ::SelectObject(dc, shadow.get());
        Line(dc, body.left, body.bottom, body.right, body.bottom);
        Line(dc, body.right, body.top, body.right, body.bottom + 1);
        ::SelectObject(dc, light.get());
        Line(dc, body.left, body.top, body.right, body.top);
        Line(dc, body.left, body.top, body.left, body.bottom);
    }

    const int count = static_cast<int>(::SendMessageW(tabWindow, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(::SendMessageW(tabWindow, TCM_GETCURSEL, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!::SendMessageW(tabWindow, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
        const bool isSelected = i == selected;
        if (isSelected) ::InflateRect(&r, 2, 2);
        --r.right;
        win::SelectGuard pen(dc, light.get());
        if (!bottom) {
            Line(dc, r.left, r.bottom - 1, r.left, r.top);
            Line(dc, r.left, r.top, r.right, r.top);
            ::SelectObject(dc, shadow.get());
            Line(dc, r.right, r.top, r.right, r.bottom);
            if (isSelected) {
                // The selected tab opens into the body.
                ::SelectObject(dc, face.get());
                Line(dc, r.left + 1, body.top, r.right, body.top);
            }
        } else {
            Line(dc, r.left, r.top, r.left, r.bottom - 1);
            ::SelectObject(dc, shadow.get());
            Line(dc, r.left, r.bottom - 1, r.right, r.bottom - 1);
            Line(dc, r.right, r.top, r.right, r.bottom);
            if (isSelected) {
                ::SelectObject(dc, face.get());
                Line(dc, r.left + 1, body.bottom, r.right, body.bottom);
            }
        }
        if (coolTabs == 2 && !isSelected) {
            // Unselected tabs sit flat against the body: no line between them and the frame.
            ::SelectObject(dc, face.get());
            Line(dc, r.left + 1, bottom ? r.top : r.bottom - 1, r.right, bottom ? r.top : r.bottom - 1);
        }
    }
}

}  // namespace tabcontrol
