// Layout and sizing of the command bar control, and what it paints when: the canvas holds the
// back buffer and paints the backgrounds, the core paints the buttons into it.

#include <algorithm>
#include <cmath>

#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_process.h"
#include "commandbar/command_bar_window.h"
#include "core/commandbar/bar_layout.h"
#include "core/commandbar/command_bar_registry.h"

namespace commandbar {

namespace cb = core::commandbar;

namespace {

// Icons smaller than this still get a usable icon column in menus.
constexpr int kMinimumMenuIcon = 8;

}  // namespace

bool CommandBarWindow::Vertical() const {
    return !popupHost_ && cb::IsVerticalOrientation(static_cast<cb::Orientation>(orientation_));
}

bool CommandBarWindow::RightToLeft() const {
    HWND parent = ::GetParent(hwnd());
    if (!parent) return false;
    const LONG_PTR exStyle = ::GetWindowLongPtrW(parent, GWL_EXSTYLE);
    return (exStyle & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0;
}

cb::SizeStyle CommandBarWindow::CurrentSizeStyle() const {
    if (popupHost_) return chevronList_ ? cb::SizeStyle::CustomiseList : cb::SizeStyle::PopupMenu;
    return mainMenu_ ? cb::SizeStyle::MenuBar : cb::SizeStyle::Toolbar;
}

int CommandBarWindow::MenuIconWidth() const {
    return menuImages_.IconWidth() > 0 ? menuImages_.IconWidth() : kMinimumMenuIcon;
}

// While nothing is painted the window keeps showing the last image, whatever its new size.
bool CommandBarWindow::PrepareSurface() { return canvas_.Prepare(hwnd(), !redraw_); }

BarLook CommandBarWindow::Look() const {
    BarLook look;
    look.window = hwnd();
    look.form = ownerForm_.Form();
    look.popup = popupHost_;
    look.mainMenu = mainMenu_;
    look.vertical = Vertical();
    if (popupHost_) {
        look.rightToLeft = RightToLeft();
        look.iconColumn = MenuIconWidth() + 8;
        if (chevronList_) look.iconColumn += MenuIconWidth() + 2;
        look.join = interaction_->Context();
    }
    return look;
}

void CommandBarWindow::FillBarParams(cb::BarParams& params) {
    params.hwnd = ToHandle(hwnd());
    params.hdc = reinterpret_cast<std::uintptr_t>(canvas_.Dc());
    params.fontFace = font_.name;
    // Halves go to the even neighbour, as the default rounding mode does.
    params.fontSize = static_cast<std::int32_t>(std::lrint(font_.points));
    params.font = reinterpret_cast<std::uintptr_t>(canvas_.Font(font_, Vertical()));
    params.rightToLeft = RightToLeft();
    params.sizeStyle = CurrentSizeStyle();
    params.buttonPosition = static_cast<cb::ButtonTextPosition>(buttonTextPosition_);
    if (popupHost_) {
        params.orientation = cb::Orientation::Top;
        params.iconWidth = MenuIconWidth();
        params.iconHeight = menuImages_.IconHeight() > 0 ? menuImages_.IconHeight() : kMinimumMenuIcon;
    } else {
        params.orientation = static_cast<cb::Orientation>(orientation_);
        params.iconWidth = toolbarImages_.IconWidth();
        params.iconHeight = toolbarImages_.IconHeight();
    }
}

void CommandBarWindow::FillDrawParams(cb::DrawButtonParams& params) {
    FillBarParams(params);
    params.enabled = enabled_;
    params.imageList = reinterpret_cast<std::uintptr_t>(popupHost_ ? &menuImages_ : &toolbarImages_);
    if (!popupHost_) {
        const RECT client = win::ClientRect(hwnd());
        params.toolbarSize = Vertical() ? client.right : client.bottom;
    }
}

void CommandBarWindow::SizeWindow(int width, int height) {
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    width = std::max(width, 0);
    height = std::max(height, 0);
    popupSize_.reset();
    if (window.right - window.left == width && window.bottom - window.top == height) return;
    if (paintDeferred_) {
        popupSize_ = SIZE{width, height};
        return;
    }
    ::SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CommandBarWindow::LayoutBar() {
    info_.clear();
    cb::BarRecord* bar = ShownBar();
    if (!bar || !hwnd() || designMode_ || !PrepareSurface()) {
        DrawBar();
        return;
    }
    // Until the layout has succeeded the records are empty but as many as the buttons, so that
    // a layout that fails leaves nothing pointing past the bar.
    info_.resize(static_cast<std::size_t>(bar->Count()));
    const RECT client = win::ClientRect(hwnd());
    cb::MeasureButtonParams params;
    FillBarParams(params);
    params.height = client.bottom;
    params.size = client.right;
    cb::RecordMeasuringHost host(*this, ButtonTextMeasurer(), Keyboard());
    std::vector<cb::DisplayButtonInfo> laidOut;
    if (bar->Count() > 0 && popupHost_) {
        params.size -= 4;
        const cb::BarExtent extent =
            cb::LayoutPopupMenu(*bar, params, laidOut, params.sizeStyle == cb::SizeStyle::CustomiseList, host);
        info_ = std::move(laidOut);
        // The window is two pixels taller than the menu it shows.
        if (client.right != extent.length || client.bottom != extent.thickness) {
            SizeWindow(extent.length, extent.thickness + 2);
        }
    } else if (bar->Count() > 0) {
        const int available = Vertical() ? client.bottom : client.right;
        const cb::BarExtent extent = cb::LayoutToolbar(*bar, params, available, laidOut, host);
        info_ = std::move(laidOut);
        if (Vertical()) {
            if (client.right != extent.thickness) SizeWindow(extent.thickness, client.bottom);
        } else if (client.bottom != extent.thickness) {
            SizeWindow(client.right, extent.thickness);
        }
    }
    DrawBar();
}

void CommandBarWindow::DrawBar() {
    if (paintDeferred_) return;
    if (PaintSurface()) canvas_.Refresh(hwnd());
}

bool CommandBarWindow::PaintSurface() {
    if (!redraw_ || !hwnd() || designMode_ || !PrepareSurface()) return false;
    const RECT client{0, 0, canvas_.Surface().Width(), canvas_.Surface().Height()};
    canvas_.PaintBackground(canvas_.Dc(), client, Look());
    cb::BarRecord* bar = ShownBar();
    if (bar && info_.size() == static_cast<std::size_t>(bar->Count())) {
        cb::DrawButtonParams params;
        FillDrawParams(params);
        cb::PaintAll(*bar, params, info_, canvas_.Painter());
    }
    return true;
}

void CommandBarWindow::DrawBarItem(std::int32_t index) {
    if (!redraw_ || !hwnd() || designMode_) return;
    cb::BarRecord* bar = ShownBar();
    if (!bar) return;
    const RECT client = win::ClientRect(hwnd());
    const win::DibSurface& surface = canvas_.Surface();
    const bool sameSurface = surface && surface.Width() == client.right && surface.Height() == client.bottom;
    // A buffer that no longer fits the window is repainted whole.
    if (!sameSurface || info_.size() != static_cast<std::size_t>(bar->Count())) {
        DrawBar();
        return;
    }
    if (index < 1 || index > bar->Count()) return;
    const cb::DisplayButtonInfo& item = info_[static_cast<std::size_t>(index - 1)];
    cb::DrawButtonParams params;
    FillDrawParams(params);
    cb::SetItemState(params, item);

    HDC dc = canvas_.Dc();
    {
        // Under the item exactly what a whole repaint puts there, and nothing anywhere else: a
        // tool bar's strip across its depth, a menu item's or menu bar title's own rectangle (a
        // menu bar may wrap, and a strip would cross the other rows).
        RECT area{item.left, item.top, item.right, item.bottom};
        if (params.sizeStyle == cb::SizeStyle::Toolbar) {
            area = Vertical() ? RECT{0, item.top, client.right, item.bottom}
                              : RECT{item.left, 0, item.right, client.bottom};
        }
        win::DcStateGuard state(dc);
        ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        canvas_.PaintBackground(dc, client, Look());
    }
    cb::PaintOne(*bar, params, index, canvas_.Painter());
    canvas_.Refresh(hwnd());
}

// Background picture -------------------------------------------------------------------------

imaging::Picture CommandBarWindow::BackgroundImage() const { return canvas_.BackgroundImage(); }

void CommandBarWindow::SetBackgroundImage(const imaging::Picture* picture) {
    canvas_.SetBackgroundImage(picture);
    DrawBar();
}

void CommandBarWindow::AdjustBackgroundImage(int newHue, int newSaturation, float luminanceAdjust) {
    if (canvas_.AdjustBackgroundImage(newHue, newSaturation, luminanceAdjust)) DrawBar();
}

}  // namespace commandbar
