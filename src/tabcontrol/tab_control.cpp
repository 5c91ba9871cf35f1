#include "tabcontrol/tab_control.h"

#include <cmath>
#include <vector>

#include "core/runtime_error.h"
#include "tabcontrol/tab_painting.h"
#include "win/dpi.h"
#include "win/error_report.h"
#include "win/gdi.h"

namespace tabcontrol {

namespace {

constexpr UINT_PTR kTabWindowId = 1;
constexpr int kMaxTabText = 255;

core::RuntimeError TabError(std::int32_t kind, const std::wstring& description) {
    return core::RuntimeError(error::Number(kind), description, core::ErrorSource(L".cTabCtrl"));
}

bool IsNavigationKey(WPARAM key) { return key == VK_RETURN || (key >= VK_PRIOR && key <= VK_DOWN); }

}  // namespace

TabControl::~TabControl() {
    // Detach before the windows go: the subclassing table must not keep this object.
    DestroyTabWindow();
    DetachHost();
}

void TabControl::Create(HWND parent, UINT_PTR id, const RECT& bounds, const core::TabStripProperties& properties) {
    properties_ = properties;
    // A control created again after its window went starts with no tabs.
    keys_.Clear();
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Window::Create(win::WindowClassArgs{L"GlyphoscopeTabControl"}, win::ChildWindowArgs(parent, id, bounds, kStyle));
    CreateTabWindow();
}

void TabControl::SetBounds(const RECT& r) {
    ::MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

LRESULT TabControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && tabWindow_) {
        ::MoveWindow(tabWindow_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

void TabControl::CreateTabWindow() {
    DestroyTabWindow();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    tabWindow_ =
        ::CreateWindowExW(0, WC_TABCONTROLW, L"", core::TabWindowStyle(properties_), 0, 0, client.right, client.bottom,
                          hwnd(), reinterpret_cast<HMENU>(kTabWindowId), win::ModuleInstance(), nullptr);
    if (!tabWindow_) {
        throw win::LastError(L"Cannot create the tab window", core::ErrorSource(L".cTabCtrl"));
    }
    AttachTabWindow();
    ApplyFlatSeparators();
    ApplyFont();
    if (imageList_) ::SendMessageW(tabWindow_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList_));
}

void TabControl::AttachTabWindow() {
    DetachHost();
    for (UINT message : {WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_SETFOCUS}) {
        subclass::AttachMessage(*this, hwnd(), message);
    }
    for (UINT message : {WM_SETFOCUS, WM_MOUSEACTIVATE, WM_DESTROY, WM_ERASEBKGND, WM_GETDLGCODE}) {
        subclass::AttachMessage(*this, tabWindow_, message);
    }
    paintHooked_ = false;
    if (properties_.coolTabs != core::CoolTabsMode::Off) {
        subclass::AttachMessage(*this, tabWindow_, WM_PAINT);
        subclass::AttachMessage(*this, tabWindow_, WM_NCPAINT);
        paintHooked_ = true;
    }
}

void TabControl::DetachTabWindow() noexcept {
    if (!tabWindow_) return;
    for (UINT message :
         {WM_SETFOCUS, WM_MOUSEACTIVATE, WM_DESTROY, WM_ERASEBKGND, WM_GETDLGCODE, WM_PAINT, WM_NCPAINT}) {
        subclass::DetachMessage(*this, tabWindow_, message);
    }
    paintHooked_ = false;
}

void TabControl::DetachHost() noexcept {
    if (!hwnd()) return;
    for (UINT message : {WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_SETFOCUS}) {
        subclass::DetachMessage(*this, hwnd(), message);
    }
}

void TabControl::DestroyTabWindow() noexcept {
    if (tabWindow_) {
        // Stop dispatch first, so that the dying window's messages no longer reach this object.
        DetachTabWindow();
        if (::IsWindow(tabWindow_)) {
            ::ShowWindow(tabWindow_, SW_HIDE);
            ::DestroyWindow(tabWindow_);
        }
        tabWindow_ = nullptr;
    }
    font_.reset();
}

void TabControl::ApplyStyle() {
    if (!tabWindow_) return;
    LONG_PTR keep = ::GetWindowLongPtrW(tabWindow_, GWL_STYLE) & WS_TABSTOP;
    ::SetWindowLongPtrW(tabWindow_, GWL_STYLE, static_cast<LONG_PTR>(core::TabWindowStyle(properties_)) | keep);
    ::SetWindowPos(tabWindow_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ::InvalidateRect(tabWindow_, nullptr, TRUE);
}

void TabControl::ApplyFlatSeparators() {
    if (!tabWindow_) return;
    ::SendMessageW(tabWindow_, TCM_SETEXTENDEDSTYLE, TCS_EX_FLATSEPARATORS,
                   properties_.flatSeparators ? TCS_EX_FLATSEPARATORS : 0);
}

void TabControl::SetFlatSeparators(bool state) {
    properties_.flatSeparators = state;
    ApplyFlatSeparators();
}

void TabControl::SetHotTrack(bool state) {
    properties_.hotTrack = state;
    ApplyStyle();
}
void TabControl::SetButtons(bool state) {
    properties_.buttons = state;
    ApplyStyle();
}
void TabControl::SetFlatButtons(bool state) {
    properties_.flatButtons = state;
    ApplyStyle();
}
void TabControl::SetOwnerDraw(bool state) {
    properties_.ownerDraw = state;
    ApplyStyle();
}
void TabControl::SetMultiLine(bool state) {
    properties_.multiLine = state;
    ApplyStyle();
}
void TabControl::SetRightJustify(bool state) {
    properties_.rightJustify = state;
    ApplyStyle();
}

void TabControl::SetCoolTabs(core::CoolTabsMode mode) {
    properties_.coolTabs = mode;
    if (tabWindow_) {
        if (mode != core::CoolTabsMode::Off && !paintHooked_) {
            subclass::AttachMessage(*this, tabWindow_, WM_PAINT);
            subclass::AttachMessage(*this, tabWindow_, WM_NCPAINT);
            paintHooked_ = true;
        } else if (mode == core::CoolTabsMode::Off && paintHooked_) {
            subclass::DetachMessage(*this, tabWindow_, WM_PAINT);
            subclass::DetachMessage(*this, tabWindow_, WM_NCPAINT);
            paintHooked_ = false;
        }
        ::InvalidateRect(tabWindow_, nullptr, TRUE);
        ::UpdateWindow(tabWindow_);
    }
}

void TabControl::SetPadding(int xPixels, int yPixels) {
    ::SendMessageW(tabWindow_, TCM_SETPADDING, 0, MAKELPARAM(xPixels, yPixels & 0x7FFF));
}

void TabControl::SetFont(const core::FontDescription& font) {
    if (font == properties_.font && font_) return;
    properties_.font = font;
    ApplyFont();
}

void TabControl::ApplyFont() {
    if (!tabWindow_) return;
    win::UniqueFont created =
        win::CreateFontFrom(properties_.font, win::ScreenDpi(), win::FontRounding::NearestPixel, DEFAULT_QUALITY);
    ::SendMessageW(tabWindow_, WM_SETFONT, reinterpret_cast<WPARAM>(created.get()), TRUE);
    // The previous font goes only after the window has let go of it.
    font_ = std::move(created);
}

void TabControl::SetImageList(HIMAGELIST handle) {
    imageList_ = handle;
    if (tabWindow_) ::SendMessageW(tabWindow_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(handle));
}

void TabControl::SetImageList(ImageListSource* list) {
    HIMAGELIST handle = nullptr;
    bool usable = list != nullptr;
    if (usable) {
        try {
            list->DrawFirstImage();
            handle = list->Handle();
        } catch (...) {
            usable = false;
        }
    }
    if (!usable || !handle) {
        imageList_ = nullptr;
        throw TabError(error::kInvalidImageList, L"Invalid Image List.");
    }
    SetImageList(handle);
}

int TabControl::TabCount() const {
    return tabWindow_ ? static_cast<int>(::SendMessageW(tabWindow_, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

int TabControl::SelectedTab() const {
    return tabWindow_ ? static_cast<int>(::SendMessageW(tabWindow_, TCM_GETCURSEL, 0, 0)) + 1 : 0;
}

int TabControl::IndexForTab(const core::ItemRef& tab) const {
    auto index = keys_.IndexFor(tab, static_cast<size_t>(TabCount()));
    if (!index) throw TabError(error::kTabNotFound, L"TabIndex " + tab.Text() + L" does not exist");
    return *index;
}

std::wstring TabControl::TabKey(int index) const {
    if (index < 1 || index > TabCount() || static_cast<size_t>(index) > keys_.Count()) {
        throw TabError(error::kTabNotFound, L"TabIndex " + std::to_wstring(index) + L" does not exist");
    }
    return keys_.KeyAt(static_cast<size_t>(index - 1));
}

void TabControl::AddTab(const std::wstring& text, int iconIndex, const core::ItemRef& keyBefore,
                        const std::wstring& key, LPARAM itemData) {
    // Without a strip there is no tab to go with the key.
    if (!tabWindow_) return;
    const auto count = static_cast<size_t>(TabCount());
    auto position = keys_.InsertPosition(keyBefore, count);
    if (!position) throw TabError(error::kTabNotFound, L"TabIndex " + keyBefore.Text() + L" does not exist");
    std::wstring buffer = text;
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = buffer.data();
    item.iImage = iconIndex;
    item.lParam = itemData;
    auto inserted =
        static_cast<int>(::SendMessageW(tabWindow_, TCM_INSERTITEMW, *position, reinterpret_cast<LPARAM>(&item)));
    // The key goes where the platform put the item, so keys and items never drift apart.
    if (inserted >= 0) keys_.Insert(static_cast<size_t>(inserted), key);
}

void TabControl::RemoveTab(const core::ItemRef& tab) {
    const int number = IndexForTab(tab);
    const int position = number - 1;
    const bool wasSelected = SelectedTab() == number;
    if (!::SendMessageW(tabWindow_, TCM_DELETEITEM, static_cast<WPARAM>(position), 0)) return;
    const int remaining = TabCount();
    if (remaining == 0) {
        keys_.Clear();
    } else {
        keys_.Remove(static_cast<size_t>(position));
    }
    if (!wasSelected) return;
    if (auto next = core::SelectionAfterRemoval(static_cast<size_t>(position), static_cast<size_t>(remaining))) {
        // The removed tab no longer exists: BeforeClick hears of the one taking its place.
        SelectPosition(static_cast<int>(*next), true, static_cast<int>(*next) + 1);
    }
}

void TabControl::RemoveAllTabs() {
    ::SendMessageW(tabWindow_, TCM_DELETEALLITEMS, 0, 0);
    if (TabCount() == 0) keys_.Clear();
}

void TabControl::SelectTab(const core::ItemRef& tab, bool noEvents) {
    const int number = IndexForTab(tab);
    SelectPosition(number - 1, !noEvents, SelectedTab());
}

void TabControl::SelectPosition(int position, bool raiseEvents, int selectedBefore) {
    if (raiseEvents && selectedBefore > 0 && events.beforeClick) {
        bool cancel = false;
        events.beforeClick(selectedBefore, cancel);
        if (cancel) return;
    }
    ::SendMessageW(tabWindow_, TCM_SETCURSEL, static_cast<WPARAM>(position), 0);
    // The selection is checked, not the platform's answer, which is 0 also after leaving tab 1.
    if (raiseEvents && SelectedTab() == position + 1 && events.tabClick) events.tabClick(position + 1);
}

bool TabControl::ReadItem(int position, UINT mask, TCITEMW& item, wchar_t* text, int textSize) const {
    item = TCITEMW{};
    item.mask = mask;
    item.pszText = text;
    item.cchTextMax = textSize;
    item.dwStateMask = TCIS_HIGHLIGHTED;
    return ::SendMessageW(tabWindow_, TCM_GETITEMW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item)) !=
           FALSE;
}

std::wstring TabControl::TabText(const core::ItemRef& tab) const {
    const int number = IndexForTab(tab);
    wchar_t text[kMaxTabText + 1] = {};
    TCITEMW item;
    if (!ReadItem(number - 1, TCIF_TEXT, item, text, kMaxTabText + 1)) {
        throw TabError(error::kGetText, L"TabIndex " + tab.Text() + L" does not exist");
    }
    return std::wstring(item.pszText ? item.pszText : L"");
}

int TabControl::TabImage(const core::ItemRef& tab) const {
    const int number = IndexForTab(tab);
    TCITEMW item;
    if (!ReadItem(number - 1, TCIF_IMAGE, item)) {
        throw TabError(error::kGetImage, L"Failed to get image for tab " + tab.Text());
    }
    return item.iImage;
}

void TabControl::SetTabImage(const core::ItemRef& tab, int imageIndex) {
    const int number = IndexForTab(tab);
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    item.iImage = imageIndex;
    if (!::SendMessageW(tabWindow_, TCM_SETITEMW, static_cast<WPARAM>(number - 1), reinterpret_cast<LPARAM>(&item))) {
        throw TabError(error::kSetImage, L"Failed to set image for tab " + tab.Text());
    }
}

LPARAM TabControl::TabItemData(const core::ItemRef& tab) const {
    const int number = IndexForTab(tab);
    TCITEMW item;
    if (!ReadItem(number - 1, TCIF_PARAM, item)) {
        throw TabError(error::kGetItemData, L"Failed to get item data for tab " + tab.Text());
    }
    return item.lParam;
}

void TabControl::SetTabItemData(const core::ItemRef& tab, LPARAM itemData) {
    const int number = IndexForTab(tab);
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    item.lParam = itemData;
    if (!::SendMessageW(tabWindow_, TCM_SETITEMW, static_cast<WPARAM>(number - 1), reinterpret_cast<LPARAM>(&item))) {
        throw TabError(error::kSetItemData, L"Failed to set item data for tab " + tab.Text());
    }
}

bool TabControl::TabHot(const core::ItemRef& tab) const {
    const int number = IndexForTab(tab);
    TCITEMW item;
    if (!ReadItem(number - 1, TCIF_STATE, item)) {
        throw TabError(error::kGetItemData, L"Failed to get hot state for tab " + tab.Text());
    }
    return (item.dwState & TCIS_HIGHLIGHTED) != 0;
}

void TabControl::Rebuild() {
    struct SavedTab {
        std::wstring text;
        int image;
        LPARAM data;
    };
    std::vector<SavedTab> saved;
    const int count = TabCount();
    for (int i = 0; i < count; ++i) {
        wchar_t text[kMaxTabText + 1] = {};
        TCITEMW item;
        // An item that cannot be read comes back blank rather than not at all: the keys stay
        // with their tabs.
        if (!ReadItem(i, TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM, item, text, kMaxTabText + 1)) {
            saved.push_back({L"", -1, 0});
            continue;
        }
        saved.push_back({item.pszText ? item.pszText : L"", item.iImage, item.lParam});
    }
    const int selected = SelectedTab();

    CreateTabWindow();
    for (size_t i = 0; i < saved.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
        item.pszText = saved[i].text.data();
        item.iImage = saved[i].image;
        item.lParam = saved[i].data;
        ::SendMessageW(tabWindow_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    ::SetWindowPos(tabWindow_, nullptr, 0, 0, client.right, client.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (selected > 0 && selected <= TabCount()) SelectPosition(selected - 1, false, 0);
}

RECT TabControl::ClientAreaPixels() const {
    RECT area{};
    ::GetWindowRect(hwnd(), &area);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd()), reinterpret_cast<POINT*>(&area), 2);
    if (tabWindow_) ::SendMessageW(tabWindow_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

TabControl::TwipsArea TabControl::ClientAreaTwips() const {
    RECT area = ClientAreaPixels();
    auto twips = [](LONG pixels) { return static_cast<int>(std::lround(win::PixelsToTwips(pixels))); };
    return {twips(area.left), twips(area.top), twips(area.right - area.left), twips(area.bottom - area.top)};
}

core::MessageResponse TabControl::MsgResponse() {
    switch (subclass::CurrentMessage()) {
        case WM_DRAWITEM:
        case WM_MOUSEACTIVATE:
        case WM_GETDLGCODE:
            return core::MessageResponse::Consume;
        case WM_ERASEBKGND:
            return properties_.coolTabs == core::CoolTabsMode::Shaded ? core::MessageResponse::Consume
                                                                      : core::MessageResponse::CallPreviousBefore;
        default:
            return core::MessageResponse::CallPreviousBefore;
    }
}

LRESULT TabControl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == tabWindow_) return TabWindowMessage(message, wParam, lParam);
    return HostMessage(message, wParam, lParam);
}

LRESULT TabControl::HostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (!header || header->hwndFrom != tabWindow_) return 0;
            if (header->code == TCN_SELCHANGING) {
                bool cancel = false;
                int selected = SelectedTab();
                if (selected > 0 && events.beforeClick) events.beforeClick(selected, cancel);
                return cancel ? TRUE : FALSE;
            }
            if (header->code == TCN_SELCHANGE) {
                if (events.tabClick) events.tabClick(SelectedTab());
            } else if (header->code == NM_RCLICK) {
                if (events.tabRightClick) events.tabRightClick();
            }
            return 0;
        }
        case WM_DRAWITEM: {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (draw && draw->hwndItem == tabWindow_) OnDrawItem(*draw);
            return TRUE;
        }
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (!measure || measure->CtlID != kTabWindowId) return FALSE;
            MeasureItemEvent event;
            event.position = static_cast<int>(measure->itemID);
            event.width = static_cast<int>(measure->itemWidth);
            event.height = static_cast<int>(measure->itemHeight);
            if (events.measureItem) events.measureItem(event);
            if (!event.doDefault) {
                measure->itemWidth = static_cast<UINT>(event.width);
                measure->itemHeight = static_cast<UINT>(event.height);
            }
            return TRUE;
        }
        case WM_SETFOCUS:
            if (tabWindow_) ::SetFocus(tabWindow_);
            return 0;
        default:
            return 0;
    }
}

LRESULT TabControl::TabWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            if (::GetFocus() != tabWindow_) {
                ::SetFocus(hwnd());
                return MA_NOACTIVATE;
            }
            return subclass::CallPreviousProcedure(tabWindow_, message, wParam, lParam);
        case WM_GETDLGCODE: {
            // What an accelerator wrapper did for the form engine: Enter and the page, Home, End
            // and arrow keys belong to the tab strip while it has the focus.
            LRESULT code = subclass::CallPreviousProcedure(tabWindow_, message, wParam, lParam) | DLGC_WANTARROWS;
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && IsNavigationKey(msg->wParam)) code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_DESTROY:
            // Gone with its parent or on its own: its handle and its tabs' keys go with it, so
            // that nothing later destroys or addresses a window of that handle again.
            DetachTabWindow();
            tabWindow_ = nullptr;
            keys_.Clear();
            return 0;
        case WM_ERASEBKGND:
            if (properties_.coolTabs == core::CoolTabsMode::Shaded) {
                RECT client{};
                ::GetClientRect(tabWindow_, &client);
                ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
            }
            return 1;
        case WM_PAINT:
            if (properties_.coolTabs != core::CoolTabsMode::Off)
                PaintCoolTabs(tabWindow_, properties_.coolTabs, properties_.tabAlign);
            return 0;
        default:
            return 0;
    }
}

void TabControl::OnDrawItem(const DRAWITEMSTRUCT& draw) {
    DrawItemEvent event;
    event.position = static_cast<int>(draw.itemID);
    event.dc = draw.hDC;
    event.selected = (draw.itemState & ODS_SELECTED) != 0;
    TCITEMW item;
    event.hot = ReadItem(event.position, TCIF_STATE, item) && (item.dwState & TCIS_HIGHLIGHTED) != 0;
    event.bounds = draw.rcItem;
    if (!event.selected) event.bounds.bottom += 1;
    if (events.drawItem) events.drawItem(event);
    if (event.doDefault) PaintDefaultTab(event, tabWindow_, imageList_, properties_.coolTabs);
}

}  // namespace tabcontrol
