#pragma once
// How a command bar control answers the mouse, the keyboard and its timers, and how it opens and
// closes the menus of its items. The window control owns one BarInteraction, answers it through
// InteractionHost, the one interface between the two, and forwards its mouse notifications, its
// two timers and the hooks' decisions here; the window side only paints, moves windows and raises
// events. Other controls reach this object through CommandBarControl::Interaction. Of
// CommandBarControl, ClickItem and CloseMenus go to the members of those names and ClearHotItem to
// UpdateHotItem(None, 0, false, true).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/centring.h"
#include "core/commandbar/command_bar_types.h"
#include "core/commandbar/display_button_info.h"
#include "core/commandbar/monitor.h"
#include "core/commandbar/style_colours.h"

namespace core::commandbar {

class ButtonRecord;
class BarRecord;
class CommandBarRegistry;
class KeyboardLayout;
class BarInteraction;

enum class MouseButton : std::int32_t { None = 0, Left = 1, Right = 2, Middle = 4 };

// Where a popup lies against the item that opened it.
enum class PopupSide : std::int32_t { Below = 0, Right = 1, Left = 2, Above = 3, None = -1 };

struct PopupContext {
    WindowHandle source = 0;
    PopupSide side = PopupSide::None;
    // The stretch of the border shared with the source item, in screen pixels along that edge.
    std::int32_t joinStart = 0;
    std::int32_t joinLength = 0;
    MonitorHandle monitor = 0;
};

// What the interaction needs of its window control.
class InteractionHost {
public:
    virtual ~InteractionHost() = default;

    // The control as the registry knows it (see CommandBarControl).
    virtual WindowHandle Hwnd() const = 0;
    virtual bool IsPopupHost() const = 0;
    virtual bool MainMenu() const = 0;
    virtual bool Enabled() const = 0;
    virtual void SetInUse(bool inUse) = 0;
    virtual bool ShowsBar() const = 0;

    // The shown bar and its display records (one per button, in bar order); null for none.
    virtual BarRecord* ShownBar() const = 0;
    virtual std::vector<DisplayButtonInfo>& Items() = 0;
    virtual Orientation BarOrientation() const = 0;
    virtual bool RightToLeft() const = 0;
    virtual bool ChevronList() const = 0;
    virtual ColourStyle Style() const = 0;
    virtual const KeyboardLayout& Keyboard() const = 0;

    virtual ScreenPoint CursorPosition() const = 0;
    virtual ScreenPoint ScreenToClient(ScreenPoint point) const = 0;
    virtual ScreenPoint ClientToScreen(ScreenPoint point) const = 0;
    virtual ScreenRect WindowRect() const = 0;
    // The whole screen from (0, 0): where popups are fitted when no monitor is found.
    virtual ScreenRect ScreenArea() const = 0;

    virtual void DrawBar() = 0;
    virtual void DrawBarItem(std::int32_t index) = 0;
    // The container's tool tip for the control; failures are the host's to swallow.
    virtual void SetToolTip(const std::wstring& text) = 0;
    virtual void EnableLostMouseTimer(bool enable) = 0;
    virtual void EnableSubmenuTimer(bool enable) = 0;

    // Events: ButtonDropDown returns the handler's cancel; RightClick gets null for no item.
    virtual void RaiseButtonClick(const ButtonRecord& button) = 0;
    virtual bool RaiseButtonDropDown(const ButtonRecord& button) = 0;
    virtual void RaiseRightClick(const ButtonRecord* button, std::int32_t x, std::int32_t y) = 0;
    virtual void RaiseBeforeShowMenu(WindowHandle popup, const std::wstring& barKey) = 0;
    virtual void RaiseAfterShowMenu(const std::wstring& barKey) = 0;

    // Whether one of this program's windows is in front. The hooks see no other program's input,
    // so a menu opened behind another program could not be closed and is not opened.
    virtual bool ProgramActive() const = 0;
    // The selection reached this item (1-based) in menu mode, for screen readers to follow.
    virtual void ItemFocused(std::int32_t index) = 0;

    // Popup host side. MakePopupHost marks the control a popup host that is not a main menu, with
    // orientation 0, enabled, its menu icons' disabled colour MenuIconDisabled; CopyPopupSettings
    // takes the source's font and image lists; ShowMenuBar attaches the bar, lays it out as a
    // menu (sizing the window) and paints it.
    virtual void MakePopupHost() = 0;
    virtual void CopyPopupSettings(WindowHandle source) = 0;
    virtual void ShowMenuBar(WindowHandle source, std::wstring barKey) = 0;
    // Window size in pixels after ShowMenuBar.
    virtual ScreenPoint WindowSize() const = 0;
    // Tool window, parented to the desktop, shown top-most at (left, top), then painted with its
    // shadows.
    virtual void ShowPopupWindow(std::int32_t left, std::int32_t top) = 0;
    virtual bool HasShadows() const = 0;
    // Hides the window and destroys its shadows.
    virtual void HidePopupWindow() = 0;
};

class BarInteraction {
public:
    BarInteraction(CommandBarRegistry& registry, InteractionHost& host, const MonitorQueries& monitors);

    // Mouse (client notifications of the control's window).
    std::int32_t HitTest(std::int32_t x, std::int32_t y) const;
    void MouseDown(MouseButton button);
    void MouseMove(MouseButton button);
    void MouseUp(MouseButton button);
    void UpdateHotItem(MouseButton button, std::int32_t index, bool press, bool fromKeyboard);
    // The left button went up: whatever item was pressed is pressed no more, wherever the release
    // landed (a press that opens a drop-down is released in another window).
    void EndPress();
    // tmrLostMouse, every 50 ms while enabled.
    void LostMouseTick();
    // The item under the pointer as it is now (the mouse hook's question).
    std::int32_t HitTestCursor() const;

    void DropDownItem(std::int32_t index);
    void ClickItem(std::int32_t index);
    void HoverOpen(std::int32_t index);

    // Keyboard (menu mode).
    void HandleMenuKey(std::uint16_t virtualKey);
    void MoveSelection(std::int32_t step, bool toFirst, bool toLast);
    void MoveToAdjacentTitle(std::int32_t direction);
    // The first item (1-based) that is hot or showing its menu, 0 for none.
    std::int32_t CurrentPosition() const;
    // The first active item whose caption has the key as its mnemonic, 0 for none.
    std::int32_t ItemWithMnemonic(std::uint16_t key) const;

    // Menus.
    void OpenItemMenu(std::int32_t index, bool fromKeyboard);
    // index 0: at the screen point (x, y) without fitting. Returns the popup host's window, 0 when
    // nothing was shown. By key, not record: the events raised on the way may remove the bar.
    WindowHandle ShowBarMenu(std::wstring barKey, std::int32_t index, std::int32_t x, std::int32_t y,
                             bool fromKeyboard, bool contextMenu);
    void CloseMenus(bool hideSelf);
    // tmrMenuPopup, 250 ms after HoverOpen armed it in a popup host.
    void SubmenuTimerFired();
    // The add-or-remove menu for the shown bar, top-left at the screen point.
    void ShowChevronMenu(std::int32_t x, std::int32_t y);
    std::optional<std::int32_t> PendingSubmenu() const noexcept { return pendingSubmenu_; }

    const PopupContext& Context() const noexcept { return context_; }
    void SetPopupContext(const PopupContext& context);
    ScreenPoint LastCursor() const noexcept { return lastCursor_; }

private:
    std::int32_t Count() const;
    ButtonRecord* ButtonAt(std::int32_t index) const;
    DisplayButtonInfo& Info(std::int32_t index) const;
    bool ItemActive(std::int32_t index) const;
    // Repaints the listed items, each on its own.
    void Repaint(const std::vector<std::int32_t>& items);
    std::int32_t HitTestAt(ScreenPoint screen) const;
    void ActivateItem(std::int32_t index);
    void HandlePopupKey(std::uint16_t key, std::int32_t current);
    void HandleBarKey(std::uint16_t key, std::int32_t current);
    void ClosePopupLevel();
    void LeaveSubmenuOrTitle(std::uint16_t key, std::int32_t current);
    ScreenRect ItemScreenRect(std::int32_t index) const;
    void CloseSubmenus();

    CommandBarRegistry& registry_;
    InteractionHost& host_;
    const MonitorQueries& monitors_;
    ScreenPoint lastCursor_;
    std::wstring toolTip_;
    std::optional<std::int32_t> pendingSubmenu_;
    PopupContext context_;
};

// The interaction of a control window known to the registry; null when it is gone or has none.
BarInteraction* FindInteraction(const CommandBarRegistry& registry, WindowHandle hwnd);

}  // namespace core::commandbar
