#include "commandbar/bench/platform_bars.h"

namespace commandbar::bench {

namespace {

win::UniqueWindow MakeFrame(const wchar_t* title, HMENU menu) {
    return win::UniqueWindow(::CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 640,
                                               160, nullptr, menu, ::GetModuleHandleW(nullptr), nullptr));
}

void Flush(HWND hwnd) {
    ::UpdateWindow(hwnd);
    ::GdiFlush();
}

}  // namespace

PlatformToolbar::PlatformToolbar(HIMAGELIST images, int buttonCount)
    : frame_(MakeFrame(L"ToolbarWindow32", nullptr)) {
    toolbar_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER, 0, 0,
                                 0, 0, frame_.get(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    int imageCount = ::ImageList_GetImageCount(images);
    std::vector<TBBUTTON> buttons(static_cast<std::size_t>(buttonCount));
    for (int i = 0; i < buttonCount; ++i) {
        auto& button = buttons[static_cast<std::size_t>(i)];
        button.iBitmap = imageCount > 0 ? i % imageCount : I_IMAGENONE;
        button.idCommand = 100 + i;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
    }
    ::SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    Flush(frame_.get());
}

void PlatformToolbar::Repaint() const {
    ::InvalidateRect(toolbar_, nullptr, TRUE);
    Flush(toolbar_);
}

PlatformMenuBar::PlatformMenuBar(const std::vector<std::wstring>& titles) {
    HMENU bar = ::CreateMenu();
    for (const auto& title : titles) {
        HMENU popup = ::CreatePopupMenu();
        for (int item = 0; item < 8; ++item) {
            std::wstring caption = title + L" " + std::to_wstring(item + 1);
            ::AppendMenuW(popup, MF_STRING, 1000 + item, caption.c_str());
        }
        ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title.c_str());
    }
    frame_ = MakeFrame(L"DrawMenuBar", bar);
    if (!frame_) ::DestroyMenu(bar);
    Flush(frame_.get());
}

void PlatformMenuBar::Repaint() const {
    ::DrawMenuBar(frame_.get());
    Flush(frame_.get());
}

}  // namespace commandbar::bench
