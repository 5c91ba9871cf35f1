#include "tabcontrol/tab_painting.h"

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

void PaintDefaultTab(const DrawItemEvent& item, HWND tabWindow, HIMAGELIST images, core::CoolTabsMode coolTabs) {
    HDC dc = item.dc;
    RECT r = item.bounds;
    int fill = coolTabs == core::CoolTabsMode::Shaded && !item.selected ? COLOR_BTNSHADOW : COLOR_BTNFACE;
    ::FillRect(dc, &r, ::GetSysColorBrush(fill));

    wchar_t text[256] = {};
    TCITEMW tab{};
    tab.mask = TCIF_TEXT | TCIF_IMAGE;
    tab.pszText = text;
    tab.cchTextMax = static_cast<int>(std::size(text));
    // The window comes from the caller: the DC may be a memory or printer DC that belongs to none.
    if (!::SendMessageW(tabWindow, TCM_GETITEMW, static_cast<WPARAM>(item.position), reinterpret_cast<LPARAM>(&tab))) {
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

void PaintCoolTabs(HWND tabWindow, core::CoolTabsMode coolTabs, core::TabAlignment align) {
    if (align != core::TabAlignment::Top && align != core::TabAlignment::Bottom) return;
    const bool bottom = align == core::TabAlignment::Bottom;
    win::WindowDc windowDc(tabWindow);
    HDC dc = windowDc.get();
    if (!dc) return;
    win::DcStateGuard state(dc);
    ExcludeScrollArrows(tabWindow, dc);

    RECT client{};
    ::GetClientRect(tabWindow, &client);
    RECT display = client;
    ::SendMessageW(tabWindow, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    // The platform's raised frame lies in the band between the tab row and the display area.
    RECT body{client.left, bottom ? client.top : display.top - 2, client.right,
              bottom ? display.bottom + 2 : client.bottom};
    if (body.right <= body.left || body.bottom <= body.top) return;

    // Themes paint the body light, the classic look in the button face: flatten to what is there.
    const COLORREF interior = coolTabs == core::CoolTabsMode::Shaded
                                  ? ::GetSysColor(COLOR_BTNFACE)
                                  : ::GetPixel(dc, (display.left + display.right) / 2, display.top + 1);
    const int count = static_cast<int>(::SendMessageW(tabWindow, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(::SendMessageW(tabWindow, TCM_GETCURSEL, 0, 0));
    auto tabRect = [&](int i, RECT& r) {
        if (!::SendMessageW(tabWindow, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) {
            return false;
        }
        if (i == selected) ::InflateRect(&r, 2, 2);
        return true;
    };
    if (coolTabs == core::CoolTabsMode::Shaded) {
        // Every part is drawn anew: the body in the button face, each tab like an owner-drawn one.
        RECT inside{body.left + 1, body.top + 1, body.right - 1, body.bottom - 1};
        ::FillRect(dc, &inside, ::GetSysColorBrush(COLOR_BTNFACE));
        auto font = reinterpret_cast<HFONT>(::SendMessageW(tabWindow, WM_GETFONT, 0, 0));
        win::SelectGuard useFont(dc, font);
        auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(tabWindow, TCM_GETIMAGELIST, 0, 0));
        for (int i = 0; i < count; ++i) {
            DrawItemEvent tab;
            if (!tabRect(i, tab.bounds)) continue;
            tab.position = i;
            tab.dc = dc;
            tab.selected = i == selected;
            ::InflateRect(&tab.bounds, -1, 0);
            if (bottom) {
                --tab.bounds.bottom;
            } else {
                ++tab.bounds.top;
            }
            PaintDefaultTab(tab, tabWindow, images, coolTabs);
        }
    }
    win::UniquePen inner(::CreatePen(PS_SOLID, 1, interior));
    win::UniquePen outline(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    win::SelectGuard noFill(dc, ::GetStockObject(NULL_BRUSH));
    {
        win::SelectGuard pen(dc, inner.get());
        ::Rectangle(dc, body.left + 1, body.top + 1, body.right - 1, body.bottom - 1);
        ::Rectangle(dc, body.left + 2, body.top + 2, body.right - 2, body.bottom - 2);
        ::SelectObject(dc, outline.get());
        ::Rectangle(dc, body.left, body.top, body.right, body.bottom);
    }

    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!tabRect(i, r)) continue;
        const bool isSelected = i == selected;
        // The tab's own fill, from just inside its corner.
        const COLORREF fill = ::GetPixel(dc, r.left + 3, bottom ? r.bottom - 3 : r.top + 3);
        win::UniquePen tabInner(::CreatePen(PS_SOLID, 1, fill));
        const int outer = bottom ? r.bottom - 1 : r.top;
        const int innerEdge = bottom ? outer - 1 : outer + 1;
        const int open = bottom ? body.bottom - 1 : body.top;
        win::SelectGuard pen(dc, tabInner.get());
        Line(dc, r.left + 1, innerEdge, r.right - 1, innerEdge);
        Line(dc, r.left + 1, innerEdge, r.left + 1, open);
        Line(dc, r.right - 2, innerEdge, r.right - 2, open);
        ::SelectObject(dc, outline.get());
        Line(dc, r.left, open, r.left, outer);
        Line(dc, r.left, outer, r.right - 1, outer);
        Line(dc, r.right - 1, outer, r.right - 1, open);
        if (isSelected) {
            // The selected tab opens into the body.
            ::SelectObject(dc, inner.get());
            Line(dc, r.left + 1, open, r.right - 1, open);
        }
    }
}

}  // namespace tabcontrol
