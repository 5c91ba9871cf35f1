// Layout, sizing and painting of the command bar control. All drawing goes to the back buffer;
// Refresh puts it on the window.

#include <algorithm>
#include <cmath>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_process.h"
#include "commandbar/command_bar_window.h"
#include "commandbar/drawing_utilities.h"
#include "core/commandbar/bar_layout.h"
#include "core/commandbar/command_bar_registry.h"
#include "core/commandbar/style_colours.h"
#include "win/gdi.h"

namespace commandbar {

namespace cb = core::commandbar;
namespace element = core::colour_element;

namespace {

// Icons smaller than this still get a usable icon column in menus.
constexpr int kMinimumMenuIcon = 8;
constexpr int kVerticalEscapement = 2700;

RECT ClientRect(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    return client;
}

void FillSolid(HDC dc, core::Colour colour, int left, int top, int width, int height) {
    FillGradient(dc, colour, colour, left, top, width, height, true);
}

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

bool CommandBarWindow::PrepareSurface() {
    // While nothing is painted the window keeps showing the last image, whatever its new size.
    if (!redraw_ && surface_) return true;
    const RECT client = ClientRect(hwnd());
    return surface_.Resize(std::max<int>(client.right, 1), std::max<int>(client.bottom, 1));
}

HFONT CommandBarWindow::BarFont() {
    return fontCache_.Font(font_, Vertical() ? kVerticalEscapement : 0, surface_.Dc());
}

void CommandBarWindow::FillBarParams(cb::BarParams& params) {
    params.hwnd = ToHandle(hwnd());
    params.hdc = reinterpret_cast<std::uintptr_t>(surface_.Dc());
    params.fontFace = font_.name;
    // Halves go to the even neighbour, as the default rounding mode does.
    params.fontSize = static_cast<std::int32_t>(std::lrint(font_.points));
    params.font = reinterpret_cast<std::uintptr_t>(BarFont());
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
        const RECT client = ClientRect(hwnd());
        params.toolbarSize = Vertical() ? client.right : client.bottom;
    }
}

void CommandBarWindow::SizeWindow(int width, int height) {
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (window.right - window.left == width && window.bottom - window.top == height) return;
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
    const RECT client = ClientRect(hwnd());
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

void CommandBarWindow::PaintBackground(HDC dc, const RECT& client) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (popupHost_) {
        PaintMenuBackground(dc, client);
        return;
    }
    if (background_.Bitmap()) {
        TileBitmap(dc, client.left, client.top, width, height, background_.hdc(), background_.Width(),
                   background_.Height(), 0);
        return;
    }
    const core::Colour start = GetElementColour(element::kBarBackStart);
    const core::Colour end = GetElementColour(element::kBarBackEnd);
    if (start == core::kNoColour || mainMenu_) {
        HWND parent = ownerForm_ ? ownerForm_ : ::GetAncestor(hwnd(), GA_ROOT);
        const bool systemLook = GetStyle() == static_cast<std::int32_t>(core::ColourStyle::System);
        if (!(systemLook && IsHighColour()) && (start == core::kNoColour || end == core::kNoColour)) {
            // Without colours (the system style on a low-colour screen) the gradient would paint
            // nothing and leave the last picture behind.
            FillSolid(dc, win::TranslateColour(core::SystemColourRef(COLOR_BTNFACE)), client.left, client.top, width,
                      height);
            return;
        }
        FillParentRelative(hwnd(), parent, dc, end, start, client.left, client.top, width, height, true, systemLook);
    } else {
        // Across the bar's depth: downwards on horizontal bars, rightwards on vertical ones.
        FillGradient(dc, start, end, client.left, client.top, width, height, Vertical());
    }
}

void CommandBarWindow::PaintMenuBackground(HDC dc, const RECT& rect) {
    int column = MenuIconWidth() + 8;
    if (chevronList_) column += MenuIconWidth() + 2;
    FillGradient(dc, GetElementColour(element::kMenuBackStart), GetElementColour(element::kMenuBackEnd), rect.left,
                 rect.top, rect.right - rect.left, rect.bottom - rect.top, false);
    const RECT client = ClientRect(hwnd());
    DrawRectOutline(dc, GetElementColour(element::kMenuBorder), 0, 0, client.right, client.bottom);
    PaintJoinLine(dc, client);
    const int x = RightToLeft() ? rect.right - column - 2 : rect.left + 1;
    FillGradient(dc, GetElementColour(element::kBarBackStart), GetElementColour(element::kBarBackEnd), x, rect.top + 2,
                 column, rect.bottom - rect.top - 4, true);
}

// The stretch of border the popup shares with the item it opened from is left open.
void CommandBarWindow::PaintJoinLine(HDC dc, const RECT& client) {
    const cb::PopupContext& context = interaction_->Context();
    const int side = static_cast<int>(context.side);
    if (side < 0 || side > 3 || context.joinLength <= 1) return;
    POINT origin{0, 0};
    ::ClientToScreen(hwnd(), &origin);
    const core::Colour colour = GetElementColour(element::kMenuBackStart);
    const int length = context.joinLength - 2;
    if (side == 0 || side == 3) {
        const int y = side == 0 ? 0 : client.bottom - 1;
        FillSolid(dc, colour, context.joinStart + 1 - origin.x, y, length, 1);
    } else {
        const int x = side == 1 ? 0 : client.right - 1;
        FillSolid(dc, colour, x, context.joinStart + 1 - origin.y, 1, length);
    }
}

void CommandBarWindow::DrawBar() {
    if (PaintSurface()) Refresh();
}

bool CommandBarWindow::PaintSurface() {
    if (!redraw_ || !hwnd() || designMode_ || !PrepareSurface()) return false;
    HDC dc = surface_.Dc();
    const RECT client{0, 0, surface_.Width(), surface_.Height()};
    PaintBackground(dc, client);
    cb::BarRecord* bar = ShownBar();
    if (bar && info_.size() == static_cast<std::size_t>(bar->Count())) {
        cb::DrawButtonParams params;
        FillDrawParams(params);
        cb::PaintAll(*bar, params, info_, painter_);
    }
    return true;
}

void CommandBarWindow::DrawBarItem(std::int32_t index) {
    if (!redraw_ || !hwnd() || designMode_) return;
    cb::BarRecord* bar = ShownBar();
    if (!bar) return;
    const RECT client = ClientRect(hwnd());
    const bool sameSurface = surface_ && surface_.Width() == client.right && surface_.Height() == client.bottom;
    // A menu bar's rows are repainted whole, and so is a buffer that no longer fits the window.
    if (mainMenu_ || !sameSurface || info_.size() != static_cast<std::size_t>(bar->Count())) {
        DrawBar();
        return;
    }
    if (index < 1 || index > bar->Count()) return;
    const cb::DisplayButtonInfo& item = info_[static_cast<std::size_t>(index - 1)];
    cb::DrawButtonParams params;
    FillDrawParams(params);
    cb::SetItemState(params, item);

    HDC dc = surface_.Dc();
    {
        // Under the item exactly what a whole repaint puts there, and nothing anywhere else: a
        // tool bar's strip across its depth, a menu item's own rectangle.
        RECT area{item.left, item.top, item.right, item.bottom};
        if (params.sizeStyle == cb::SizeStyle::Toolbar) {
            area = Vertical() ? RECT{0, item.top, client.right, item.bottom}
                              : RECT{item.left, 0, item.right, client.bottom};
        }
        win::DcStateGuard state(dc);
        ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        PaintBackground(dc, client);
    }
    cb::PaintOne(*bar, params, index, painter_);
    Refresh();
}

void CommandBarWindow::Refresh() {
    win::WindowDc dc(hwnd());
    if (dc.get()) surface_.CopyTo(dc.get());
    ++refreshCount_;
}

// Background picture -------------------------------------------------------------------------

imaging::Picture CommandBarWindow::BackgroundImage() const {
    return background_.Bitmap() ? background_.Picture() : imaging::Picture();
}

void CommandBarWindow::SetBackgroundImage(const imaging::Picture* picture) {
    if (!picture || picture->Empty() || !background_.CreateFromPicture(*picture)) background_.ClearUp();
    DrawBar();
}

void CommandBarWindow::AdjustBackgroundImage(int newHue, int newSaturation, float luminanceAdjust) {
    if (!background_.Bitmap()) return;
    background_.AdjustHLS(newHue, newSaturation, luminanceAdjust);
    DrawBar();
}

imaging::Picture CommandBarWindow::AdjustImage(const imaging::Picture& picture, int newHue, int newSaturation,
                                               float luminanceAdjust) {
    imaging::AlphaDibSection image;
    if (!image.CreateFromPicture(picture)) return {};
    if (newHue >= 0 && newSaturation >= 0) image.AdjustHLS(newHue, newSaturation, luminanceAdjust);
    return image.Picture();
}

}  // namespace commandbar
