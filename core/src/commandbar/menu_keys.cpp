// Menu mode from the keyboard: arrows, Home, End, Enter, Escape and mnemonics.
//
// Enter and mnemonics activate only what a mouse click would (IsActive): the arrows may rest on
// a disabled item, as in the platform's menus, but it neither clicks nor opens. A mnemonic goes to
// the first active item that has it, so a disabled namesake does not hide an enabled one.

#include <cstdint>

#include "core/commandbar/bar_interaction.h"
#include "core/commandbar/button_record.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/bar_record.h"
#include "core/commandbar/command_bar_registry.h"

namespace core::commandbar {

namespace {

constexpr std::uint16_t kEnter = 13;
constexpr std::uint16_t kEscape = 27;
constexpr std::uint16_t kEnd = 35;
constexpr std::uint16_t kHome = 36;
constexpr std::uint16_t kLeft = 37;
constexpr std::uint16_t kUp = 38;
constexpr std::uint16_t kRight = 39;
constexpr std::uint16_t kDown = 40;

// A vertical bar turns the arrows a quarter: Up and Down walk it, Left and Right open.
std::uint16_t TurnedForVertical(std::uint16_t key) {
    switch (key) {
    case kLeft:
        return kUp;
    case kUp:
        return kLeft;
    case kRight:
        return kDown;
    case kDown:
        return kRight;
    default:
        return key;
    }
}

}  // namespace

void BarInteraction::HandleMenuKey(std::uint16_t virtualKey) {
    if (!host_.ShowsBar() || !registry_.InMenuMode()) return;
    std::int32_t current = CurrentPosition();
    if (host_.IsPopupHost()) {
        registry_.SetMenuModeControl(host_.Hwnd());
        HandlePopupKey(virtualKey, current);
    } else {
        HandleBarKey(IsVerticalOrientation(host_.BarOrientation()) ? TurnedForVertical(virtualKey) : virtualKey,
                     current);
    }
}

void BarInteraction::HandlePopupKey(std::uint16_t key, std::int32_t current) {
    switch (key) {
    case kEnter:
        ActivateItem(current);
        return;
    case kEscape:
        ClosePopupLevel();
        return;
    case kEnd:
        MoveSelection(0, false, true);
        return;
    case kHome:
        MoveSelection(0, true, false);
        return;
    case kUp:
        MoveSelection(-1, false, false);
        return;
    case kDown:
        MoveSelection(1, false, false);
        return;
    case kLeft:
    case kRight:
        LeaveSubmenuOrTitle(key, current);
        return;
    default:
        break;
    }
    if (std::int32_t item = ItemWithMnemonic(key)) ActivateItem(item);
}

void BarInteraction::HandleBarKey(std::uint16_t key, std::int32_t current) {
    switch (key) {
    case kEscape:
        registry_.SetMenuMode(false, 0);
        MouseMove(MouseButton::None);
        return;
    case kLeft:
        MoveSelection(-1, false, false);
        return;
    case kRight:
        MoveSelection(1, false, false);
        return;
    case kUp:
    case kDown:
        OpenItemMenu(current, true);
        return;
    default:
        break;
    }
    if (std::int32_t item = ItemWithMnemonic(key)) OpenItemMenu(item, true);
}

std::int32_t BarInteraction::ItemWithMnemonic(std::uint16_t key) const {
    for (std::int32_t i = 1; i <= Count(); ++i) {
        if (ItemActive(i) && ButtonAt(i)->MatchesAccelerator(key, host_.Keyboard())) return i;
    }
    return 0;
}

void BarInteraction::ActivateItem(std::int32_t index) {
    if (!ItemActive(index)) return;
    if (ButtonAt(index)->SubBar()) {
        OpenItemMenu(index, true);
    } else {
        ClickItem(index);
    }
}

void BarInteraction::ClosePopupLevel() {
    CommandBarControl* source = registry_.TryControlFromHwnd(context_.source);
    BarInteraction* opener = FindInteraction(registry_, context_.source);
    bool fromItem = false;
    for (std::int32_t i = 1; opener && i <= opener->Count(); ++i) {
        fromItem = fromItem || opener->Info(i).hwndMenu == host_.Hwnd();
    }
    if (source && fromItem) {
        source->CloseMenus(false);
        return;
    }
    // A menu opened at a point (context or chevron menu) has no item to close it through, and
    // one whose opener is gone has nobody to: its level of menu mode ends.
    registry_.SetMenuMode(false, 0);
}

void BarInteraction::LeaveSubmenuOrTitle(std::uint16_t key, std::int32_t current) {
    const ButtonRecord* button = ButtonAt(current);
    if (key == kRight && button && button->SubBar()) {
        OpenItemMenu(current, true);
        return;
    }
    ClosePopupLevel();
    WindowHandle menuModeHwnd = registry_.MenuModeControl();
    CommandBarControl* menuMode = registry_.TryControlFromHwnd(menuModeHwnd);
    if (!menuMode) return;
    if (!menuMode->IsPopupHost()) {
        if (BarInteraction* bar = FindInteraction(registry_, menuModeHwnd)) bar->MoveToAdjacentTitle(key == kLeft ? -1 : 1);
    } else if (key == kRight) {
        if (BarInteraction* bar = FindInteraction(registry_, registry_.MenuModeInitiator())) bar->MoveToAdjacentTitle(1);
    }
}

void BarInteraction::MoveSelection(std::int32_t step, bool toFirst, bool toLast) {
    std::int32_t count = Count();
    if (count == 0) return;
    std::int32_t current = CurrentPosition();
    std::int32_t candidate = current + step;
    if (toFirst) {
        candidate = 1;
        step = 1;
    } else if (toLast) {
        candidate = count;
        step = -1;
    }
    for (std::int32_t tried = 0; tried < count; ++tried, candidate += step) {
        if (candidate < 1) candidate = count;
        if (candidate > count) candidate = 1;
        const ButtonRecord& button = *ButtonAt(candidate);
        // Items behind a tool bar's chevron cannot show a highlight; the add-or-remove list
        // offers hidden buttons too.
        bool shown = button.Visible() || (host_.ChevronList() && button.CustomiseState() != CustomiseState::NoCheckBox);
        if (!shown || button.Style() == ButtonStyle::Separator || Info(candidate).hidden) continue;
        if (candidate == current) return;
        UpdateHotItem(MouseButton::None, candidate, false, true);
        host_.EnableLostMouseTimer(false);
        return;
    }
}

void BarInteraction::MoveToAdjacentTitle(std::int32_t direction) {
    std::int32_t count = Count();
    if (count == 0) return;
    std::int32_t start = CurrentPosition();
    if (start == 0) start = 1;
    std::int32_t item = start;
    for (;;) {
        item += direction;
        if (item < 1) item = count;
        if (item > count) item = 1;
        if (item == start) break;
        if (Info(item).hidden) continue;
        const ButtonRecord& button = *ButtonAt(item);
        bool usable = button.Style() != ButtonStyle::Separator && button.Visible() && button.Enabled();
        if (usable || button.Style() == ButtonStyle::Panel) break;
    }
    UpdateHotItem(MouseButton::None, item, false, false);
    if (BarInteraction* menu = FindInteraction(registry_, registry_.MenuModeControl())) menu->HandleMenuKey(kDown);
}

}  // namespace core::commandbar
