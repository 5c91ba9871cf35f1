#include "core/commandbar/bar_interaction.h"

#include <memory>

#include "core/commandbar/button_record.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/bar_record.h"
#include "core/commandbar/command_bar_registry.h"

namespace core::commandbar {

namespace {

bool Contains(const DisplayButtonInfo& item, std::int32_t x, std::int32_t y) {
    return item.left <= x && x <= item.right && item.top <= y && y <= item.bottom;
}

bool Hot(const DisplayButtonInfo& item) { return item.mouseOver || item.mouseOverSplit; }

}  // namespace

BarInteraction* FindInteraction(const CommandBarRegistry& registry, WindowHandle hwnd) {
    CommandBarControl* control = registry.TryControlFromHwnd(hwnd);
    return control ? control->Interaction() : nullptr;
}

BarInteraction::BarInteraction(CommandBarRegistry& registry, InteractionHost& host, const MonitorQueries& monitors)
    : registry_(registry), host_(host), monitors_(monitors) {}

std::int32_t BarInteraction::Count() const {
    const BarRecord* bar = host_.ShownBar();
    if (!bar) return 0;
    // Records and bar agree after every layout; between a change and its layout trust the fewer.
    auto records = static_cast<std::int32_t>(host_.Items().size());
    return records < bar->Count() ? records : bar->Count();
}

ButtonRecord* BarInteraction::ButtonAt(std::int32_t index) const {
    if (index < 1 || index > Count()) return nullptr;
    return host_.ShownBar()->Item(index);
}

DisplayButtonInfo& BarInteraction::Info(std::int32_t index) const {
    return host_.Items()[static_cast<std::size_t>(index - 1)];
}

bool BarInteraction::ItemActive(std::int32_t index) const {
    const ButtonRecord* button = ButtonAt(index);
    return button && button->IsActive(host_.BarOrientation(), host_.ChevronList());
}

void BarInteraction::Repaint(const std::vector<std::int32_t>& items) {
    for (std::int32_t index : items) host_.DrawBarItem(index);
}

std::int32_t BarInteraction::HitTest(std::int32_t x, std::int32_t y) const {
    for (std::int32_t i = 1; i <= Count(); ++i) {
        if (Contains(Info(i), x, y)) return i;
    }
    return 0;
}

std::int32_t BarInteraction::HitTestAt(ScreenPoint screen) const {
    ScreenPoint client = host_.ScreenToClient(screen);
    return HitTest(client.x, client.y);
}

std::int32_t BarInteraction::HitTestCursor() const { return HitTestAt(host_.CursorPosition()); }

std::int32_t BarInteraction::CurrentPosition() const {
    for (std::int32_t i = 1; i <= Count(); ++i) {
        if (Info(i).mouseOver || Info(i).showingMenu) return i;
    }
    return 0;
}

void BarInteraction::MouseMove(MouseButton button) {
    ScreenPoint cursor = host_.CursorPosition();
    if (cursor == lastCursor_) return;
    lastCursor_ = cursor;
    std::int32_t index = HitTestAt(cursor);
    // The bar that started the menus keeps its open title while the pointer is elsewhere.
    if (index == 0 && registry_.MenuModeInitiator() == host_.Hwnd()) return;
    UpdateHotItem(button, index, false, false);
}

void BarInteraction::MouseDown(MouseButton button) {
    lastCursor_ = host_.CursorPosition();
    ScreenPoint client = host_.ScreenToClient(lastCursor_);
    std::int32_t index = HitTest(client.x, client.y);
    if (button != MouseButton::Left) {
        UpdateHotItem(button, index, false, false);
        if (button == MouseButton::Right) host_.RaiseRightClick(ButtonAt(index), client.x, client.y);
        return;
    }
    UpdateHotItem(MouseButton::Left, index, true, false);
    const ButtonRecord* pressed = ButtonAt(index);
    if (!pressed || !pressed->Enabled()) return;
    // A split button drops down only from its arrow; its main part clicks on release.
    if (pressed->Style() != ButtonStyle::Split || Info(index).mouseOverSplit) DropDownItem(index);
}

void BarInteraction::MouseUp(MouseButton button) {
    lastCursor_ = host_.CursorPosition();
    std::int32_t index = HitTestAt(lastCursor_);
    if (button != MouseButton::Left) {
        UpdateHotItem(MouseButton::None, index, false, false);
        return;
    }
    if (!host_.ShowsBar()) return;
    if (ItemActive(index) && Info(index).mouseOver && Info(index).mouseDown) ClickItem(index);
    EndPress();
    UpdateHotItem(MouseButton::None, index, false, false);
    if (index >= 1 && index <= Count()) Repaint({index});
}

void BarInteraction::EndPress() {
    std::vector<std::int32_t> released;
    for (std::int32_t i = 1; i <= Count(); ++i) {
        DisplayButtonInfo& item = Info(i);
        if (!item.mouseDown && !item.mouseDownSplit) continue;
        item.mouseDown = false;
        item.mouseDownSplit = false;
        released.push_back(i);
    }
    Repaint(released);
}

void BarInteraction::UpdateHotItem(MouseButton button, std::int32_t index, bool press, bool fromKeyboard) {
    bool hotChanged = false;
    std::wstring toolTip;
    std::vector<std::int32_t> changed;
    // Moving with the left button held lights an item only as far as it is already pressed.
    bool dragging = button == MouseButton::Left;
    for (std::int32_t i = 1; i <= Count(); ++i) {
        DisplayButtonInfo& item = Info(i);
        if (i != index) {
            if (Hot(item)) {
                item.mouseOver = false;
                item.mouseOverSplit = false;
                changed.push_back(i);
            }
            continue;
        }
        const ButtonRecord& target = *ButtonAt(i);
        toolTip = target.GetToolTipText(true, host_.Keyboard());
        bool split = target.Style() == ButtonStyle::Split;
        bool overArrow = false;
        bool itemChanged = false;
        if (split) {
            lastCursor_ = host_.CursorPosition();
            ScreenPoint client = host_.ScreenToClient(lastCursor_);
            overArrow = target.IsOverDropDownPart(client.x - item.left, item.right - item.left, host_.RightToLeft());
        }
        if (overArrow) {
            if (!item.mouseOverSplit) {
                item.mouseOverSplit = dragging ? item.mouseDownSplit : true;
                item.mouseOver = false;
                itemChanged = true;
            }
        } else if (!item.mouseOver) {
            item.mouseOver = dragging ? item.mouseDown : true;
            if (split) item.mouseOverSplit = false;
            itemChanged = true;
        }
        hotChanged = itemChanged;
        if (press) {
            hotChanged = false;
            if (overArrow) {
                if (!item.mouseDownSplit) {
                    item.mouseDownSplit = item.mouseOverSplit = true;
                    item.mouseDown = item.mouseOver = false;
                    itemChanged = true;
                }
            } else if (!item.mouseDown || !item.mouseOver) {
                // A press also lights the item: one that was not hot (the pointer came back to
                // where it was when the highlight went) must still click on release.
                item.mouseDown = item.mouseOver = true;
                item.mouseDownSplit = item.mouseOverSplit = false;
                itemChanged = true;
            }
        }
        if (itemChanged) changed.push_back(i);
    }
    Repaint(changed);
    std::int32_t newHot = 0;
    for (std::int32_t i : changed) {
        if (i <= Count() && Hot(Info(i))) newHot = i;
    }
    if (registry_.InMenuMode() && newHot != 0 && !press) host_.ItemFocused(newHot);
    if (registry_.InMenuMode() && newHot != 0 && !fromKeyboard) {
        HoverOpen(newHot);
        if (host_.IsPopupHost()) registry_.SetMenuModeControl(host_.Hwnd());
    }
    if (hotChanged && !fromKeyboard) host_.EnableLostMouseTimer(true);
    if (toolTip != toolTip_) {
        host_.SetToolTip(toolTip);
        toolTip_ = toolTip;
    }
}

void BarInteraction::LostMouseTick() {
    if (!host_.Enabled()) return;
    ScreenPoint cursor = host_.CursorPosition();
    if (cursor == lastCursor_) return;
    lastCursor_ = cursor;
    ScreenRect window = host_.WindowRect();
    if (cursor.x >= window.left && cursor.x < window.right && cursor.y >= window.top && cursor.y < window.bottom) {
        return;
    }
    bool keep = false;
    if (registry_.MenuModeInitiator() == host_.Hwnd()) {
        for (std::int32_t i = 1; i <= Count(); ++i) {
            if (!Hot(Info(i))) continue;
            keep = Info(i).showingMenu;
            break;
        }
    }
    if (!keep) UpdateHotItem(MouseButton::None, 0, false, false);
    host_.EnableLostMouseTimer(false);
}

void BarInteraction::DropDownItem(std::int32_t index) {
    const ButtonRecord* button = ButtonAt(index);
    if (!button || !button->SubBar()) return;
    if (!host_.RaiseButtonDropDown(*button)) OpenItemMenu(index, false);
}

void BarInteraction::ClickItem(std::int32_t index) {
    ButtonRecord* found = ButtonAt(index);
    if (!found) return;
    // Event handlers run below and may drop the button from the registry.
    std::shared_ptr<ButtonRecord> button = found->shared_from_this();
    if (registry_.InMenuMode() && !button->SubBar()) {
        if (!host_.ChevronList() || button->CustomiseState() == CustomiseState::NoCheckBox) {
            registry_.SetMenuMode(false, 0);
        } else {
            // The list stays open so that several buttons can be shown or hidden in a row.
            host_.DrawBarItem(index);
            button->SetVisible(button->CustomiseState() == CustomiseState::Unchecked);
        }
    }
    BarRecord* bar = host_.ShownBar();
    if (!bar) return;
    std::int32_t position = bar->IndexOf(button->Key());
    if (position == 0) return;
    bar->ToggleOnClick(position);
    if (position <= Count() && Info(position).showingMenu) return;
    host_.RaiseButtonClick(*button);
}

void BarInteraction::HoverOpen(std::int32_t index) {
    if (index < 1 || index > Count() || Info(index).showingMenu || !ItemActive(index)) return;
    if (host_.IsPopupHost()) {
        pendingSubmenu_ = index;
        host_.EnableSubmenuTimer(true);
        return;
    }
    // Sliding along a bar whose menu is open switches menus at once.
    CloseMenus(false);
    OpenItemMenu(index, false);
}

void BarInteraction::SubmenuTimerFired() {
    std::optional<std::int32_t> index = pendingSubmenu_;
    pendingSubmenu_.reset();
    host_.EnableSubmenuTimer(false);
    if (!index || *index < 1 || *index > Count() || !Info(*index).mouseOver) return;
    if (!ButtonAt(*index)->SubBar()) {
        CloseSubmenus();
    } else if (!Info(*index).showingMenu) {
        OpenItemMenu(*index, false);
    }
}

}  // namespace core::commandbar
