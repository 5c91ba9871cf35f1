// Opening a bar as a popup menu in a spare control of the registry's pool, and closing the menus
// a control has open.

#include <string>
#include <utility>

#include "core/commandbar/bar_interaction.h"
#include "core/commandbar/button_record.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/bar_record.h"
#include "core/commandbar/command_bar_registry.h"
#include "core/commandbar/popup_placement.h"

namespace core::commandbar {

ScreenRect BarInteraction::ItemScreenRect(std::int32_t index) const {
    const DisplayButtonInfo& item = Info(index);
    ScreenPoint topLeft = host_.ClientToScreen({item.left, item.top});
    ScreenPoint bottomRight = host_.ClientToScreen({item.right, item.bottom});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void BarInteraction::OpenItemMenu(std::int32_t index, bool fromKeyboard) {
    const ButtonRecord* button = ButtonAt(index);
    // Whatever asks, keys included, an item the mouse could not use opens nothing.
    if (button && button->SubBar() && ItemActive(index)) ShowBarMenu(button->SubBar()->Key(), index, 0, 0, fromKeyboard, false);
}

void BarInteraction::SetPopupContext(const PopupContext& context) {
    context_ = context;
    lastCursor_ = host_.CursorPosition();
    host_.SetInUse(true);
}

WindowHandle BarInteraction::ShowBarMenu(std::wstring barKey, std::int32_t index, std::int32_t x, std::int32_t y,
                                         bool fromKeyboard, bool contextMenu) {
    if (!host_.ProgramActive()) return 0;
    if (index > Count()) return 0;
    CommandBarControl* popupControl = registry_.GetPopupControl();
    if (!popupControl) return 0;
    WindowHandle popupHwnd = popupControl->Hwnd();
    BarInteraction* popup = FindInteraction(registry_, popupHwnd);
    if (!popup) {
        popupControl->SetInUse(false);
        return 0;
    }
    WindowHandle self = host_.Hwnd();
    host_.RaiseBeforeShowMenu(popupHwnd, barKey);
    // The handler may have removed the bar or the item.
    if (!registry_.FindBar(barKey) || index > Count()) {
        popupControl->SetInUse(false);
        return 0;
    }
    popup->host_.MakePopupHost();
    popup->host_.CopyPopupSettings(self);
    popup->host_.ShowMenuBar(self, std::move(barKey));

    PlacementRequest request;
    ScreenPoint size = popup->host_.WindowSize();
    request.width = size.x;
    request.height = size.y;
    request.point = {x, y};
    request.rightToLeft = host_.RightToLeft();
    request.orientation = host_.BarOrientation();
    request.systemStyle = host_.Style() == ColourStyle::System;
    MonitorHandle monitor = 0;
    ScreenRect area = host_.ScreenArea();
    if (index >= 1) {
        request.item = ItemScreenRect(index);
        if (host_.IsPopupHost()) {
            request.origin = PopupOrigin::Submenu;
            if (context_.source != 0) request.parentSide = context_.side;
        } else {
            request.origin = IsVerticalOrientation(request.orientation) ? PopupOrigin::VerticalBar
                                                                        : PopupOrigin::HorizontalBar;
        }
        ScreenPoint reference = PlacementReference(request);
        monitor = host_.IsPopupHost() && context_.monitor != 0 ? context_.monitor
                                                               : monitors_.MonitorFromPoint(reference.x, reference.y);
        Monitor found;
        if (monitor != 0) found.InitialiseFromHandle(monitors_, monitor);
        if (found.Handle() != 0) {
            area = {found.WorkLeft(), found.WorkTop(), found.WorkLeft() + found.WorkWidth(),
                    found.WorkTop() + found.WorkHeight()};
        }
    }
    Placement placement = PlacePopup(request, area);

    CloseMenus(false);
    registry_.SetMenuMode(true, contextMenu ? 0 : self);
    popup->SetPopupContext({self, placement.side, placement.joinStart, placement.joinLength, monitor});
    if (index >= 1 && index <= Count()) {
        std::vector<std::int32_t> changed{index};
        DisplayButtonInfo& opener = Info(index);
        opener.mouseOver = true;
        opener.showingMenu = true;
        opener.hwndMenu = popupHwnd;
        for (std::int32_t i = 1; i <= Count(); ++i) {
            if (i == index || !Info(i).mouseOver) continue;
            Info(i).mouseOver = false;
            changed.push_back(i);
        }
        Repaint(changed);
    }
    popup->host_.ShowPopupWindow(placement.left, placement.top);
    if (fromKeyboard) popup->HandleMenuKey(40);
    if (!host_.IsPopupHost()) registry_.CloseOtherMenus(self);
    registry_.SetMenuModeControl(popupHwnd);
    registry_.PushPopup(popupHwnd, self, contextMenu, host_.IsPopupHost() && contextMenu);
    return popupHwnd;
}

void BarInteraction::CloseMenus(bool hideSelf) {
    CloseSubmenus();
    if (!host_.IsPopupHost() || !hideSelf) {
        registry_.SetMenuModeControl(host_.Hwnd());
        return;
    }
    host_.SetInUse(false);
    pendingSubmenu_.reset();
    host_.EnableSubmenuTimer(false);
    if (host_.HasShadows()) {
        const BarRecord* bar = host_.ShownBar();
        host_.RaiseAfterShowMenu(bar ? bar->Key() : std::wstring());
        registry_.PopPopup(host_.Hwnd());
    }
    host_.HidePopupWindow();
}

void BarInteraction::CloseSubmenus() {
    std::vector<std::int32_t> closed;
    for (std::int32_t i = 1; i <= Count(); ++i) {
        if (!Info(i).showingMenu) continue;
        CommandBarControl* menu = registry_.TryControlFromHwnd(Info(i).hwndMenu);
        // Depth first: the menu closes what it opened before it goes.
        if (menu && menu->Interaction() != this) menu->CloseMenus(true);
        if (i > Count()) break;
        Info(i).showingMenu = false;
        Info(i).hwndMenu = 0;
        closed.push_back(i);
    }
    Repaint(closed);
}

}  // namespace core::commandbar
