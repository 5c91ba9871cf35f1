#pragma once
// The window control that shows one bar of the command bar registry: as a tool bar docked on a
// form, as the form's menu bar, or (as a spare, normally invisible instance) as a popup menu.
// It holds only the key of the bar it shows and one display record per button of that bar;
// everything it draws goes to a back buffer that WM_PAINT merely copies.
//
// Events hand out fresh handles (window + key), never references into records, so a handler may
// remove the very button or bar it was told about.
//
// Its parts: BarCanvas (command_bar_canvas.h) keeps the back buffer and paints the backgrounds;
// command_bar_window_paint.cpp lays the bar out and decides what to paint when; MenuHost
// (command_bar_menu_host.h) is the window side of the core's BarInteraction, with the mouse,
// the timers, the tool tip and the popup window, and answers it through InteractionHost, the one
// interface between the two; SaveProperties and LoadProperties (command_bar_persistence.h) store
// the control; OwnerFormWatch (command_bar_owner_form.h) hears the form's settings and
// activation; AnswerGetObject (command_bar_accessible.h) is what screen readers see. The
// registry reaches the window through CommandBarControl.
//
// A click: WM_LBUTTONUP -> HandleMessage -> MenuHost::HandleMessage -> the core's
// BarInteraction::MouseUp, which checks that press and release were on the same active item ->
// BarInteraction::ClickItem (menu mode ends, a check button toggles, a title opens its menu
// instead) -> InteractionHost::RaiseButtonClick, answered by MenuHost -> events.buttonClick.
// A key: the thread's keyboard hook (command_bar_process.cpp) -> the core's KeyboardHookDecision
// -> BarInteraction::HandleMenuKey in an open menu, ending in ClickItem as above, or the
// registry's ProcessAccelerator for a shortcut -> CommandBarControl::ClickItem or
// RaiseButtonClick, which this class hands to the same two; a click a hook decided runs once the
// hook has returned.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commandbar/command_bar_canvas.h"
#include "commandbar/command_bar_image_list.h"
#include "commandbar/command_bar_owner_form.h"
#include "commandbar/posted_work.h"
#include "commandbar/menu_drop_shadow.h"
#include "core/commandbar/bar_interaction.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/command_bar_handles.h"
#include "core/commandbar/display_button_info.h"
#include "core/commandbar/draw_button_params.h"
#include "core/font_description.h"
#include "win/handles.h"
#include "win/window.h"

namespace commandbar {

class CommandBarWindow;

struct CommandBarEvents {
    std::function<void(const core::commandbar::Button& button, bool& cancel)> buttonDropDown;
    std::function<void(const core::commandbar::Button& button)> buttonClick;
    std::function<void(const core::commandbar::CommandBar& bar)> beforeShowMenu;
    std::function<void(const core::commandbar::CommandBar& bar)> afterShowMenu;
    // The host program assigns a new, invisible, registered control, or leaves it null.
    std::function<void(CommandBarWindow*& control)> requestNewInstance;
    std::function<void()> resize;
    std::function<void(const std::optional<core::commandbar::Button>& button, int x, int y)> rightClick;
    // The name of a persisted (or designer-visible) property a setter changed.
    std::function<void(const wchar_t* property)> propertyChanged;
};

struct CommandBarWindowArgs {
    HWND parent = nullptr;
    RECT bounds{0, 0, 200, 24};
    bool visible = true;
    // A control sitting in a form designer: never registers, shows nothing, has no handle.
    bool designMode = false;
};

class CommandBarWindow : public win::Window, public core::commandbar::CommandBarControl {
public:
    CommandBarWindow();
    ~CommandBarWindow() override;

    void Create(const CommandBarWindowArgs& args);

    CommandBarEvents events;

    // Properties.
    core::Colour CustomColour(int element) const;
    void SetCustomColour(int element, core::Colour colour);
    core::Colour StyleColour(int element) const;
    bool UseStyleColour(int element) const;
    // True drops the element's custom colour; false freezes the colour it has now as custom.
    void SetUseStyleColour(int element, bool use);
    // An empty picture when none is set.
    imaging::Picture BackgroundImage() const;
    // Null or an empty picture removes the image.
    void SetBackgroundImage(const imaging::Picture* picture);
    bool MainMenu() const override { return mainMenu_; }
    void SetMainMenu(bool mainMenu);
    std::int32_t ButtonTextPosition() const noexcept { return buttonTextPosition_; }
    void SetButtonTextPosition(std::int32_t position);
    std::int32_t Orientation() const noexcept { return orientation_; }
    void SetOrientation(std::int32_t orientation);
    void SetToolbarImageList(HIMAGELIST imageList);
    void SetMenuImageList(HIMAGELIST imageList);
    bool Redraw() const noexcept { return redraw_; }
    void SetRedraw(bool redraw);
    const core::FontDescription& Font() const noexcept { return font_; }
    void SetFont(const core::FontDescription& font);
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    bool HideInfrequentlyUsed() const;
    void SetHideInfrequentlyUsed(bool hide);
    std::int32_t Style() const;
    void SetStyle(std::int32_t style);
    std::int32_t IdealSize() const noexcept { return 0; }
    std::optional<core::commandbar::CommandBar> Toolbar() const;
    void SetToolbar(const std::optional<core::commandbar::CommandBar>& bar);
    core::commandbar::CommandBars CommandBars() const;
    core::commandbar::Buttons Buttons() const;
    // What screen readers call the bar. Empty: a menu is called by the caption of the item that
    // opened it, any other bar by its title.
    const std::wstring& AccessibleName() const noexcept { return accessibleName_; }
    void SetAccessibleName(std::wstring name) { accessibleName_ = std::move(name); }

    // Methods.
    void AdjustBackgroundImage(int newHue, int newSaturation, float luminanceAdjust);
    void ClientCoordinatesToScreen(int& x, int& y, HWND client = nullptr) const;
    void ScreenCoordinatesToClient(int& x, int& y, HWND client = nullptr) const;
    // A context menu with its top-left corner at the screen point.
    void ShowPopupMenu(int x, int y, const core::commandbar::CommandBar& bar);
    // The add-or-remove list of the shown bar; nothing without one.
    void ShowChevronMenu(int x, int y);

    // Layout and painting.
    void LayoutBar();
    void DrawBar();
    void DrawBarItem(std::int32_t index);
    const std::vector<core::commandbar::DisplayButtonInfo>& DisplayInfo() const noexcept { return info_; }
    std::vector<core::commandbar::DisplayButtonInfo>& DisplayInfo() noexcept { return info_; }
    const std::wstring& BarKey() const noexcept { return barKey_; }
    // The back buffer and what it has been through.
    const BarCanvas& Canvas() const noexcept { return canvas_; }

    // Popup hosting: what the menus set before they show a bar in this control.
    void MakePopupHost();
    // The font, button text position and menu icons of the control a menu opens from.
    void CopyPopupSettings(const CommandBarWindow& source);
    // side: 0 below the source item, 1 right of it, 2 left, 3 above; anything else: no item.
    // The join is the stretch of the border, in screen pixels, that touches the item.
    void SetPopupContext(HWND source, int side, int joinStart, int joinLength, HMONITOR monitor);
    HWND PopupSource() const noexcept;
    HMONITOR PopupMonitor() const noexcept;
    const MenuShadows& Shadows() const noexcept;
    // Clicks the shown item of that button once the message being handled has returned: a caller
    // in another process (a screen reader) is not kept waiting while a dialog it opens is up.
    void ClickItemLater(const std::wstring& buttonKey);

    // core::commandbar::CommandBarControl
    core::commandbar::WindowHandle Hwnd() const override;
    core::commandbar::WindowHandle OwnerForm() const override;
    bool IsPopupHost() const override { return popupHost_; }
    bool InUse() const override { return inUse_; }
    void SetInUse(bool inUse) override;
    bool ShowsBar() const override { return !barKey_.empty(); }
    void BarChanged(const core::commandbar::BarRecord& bar, core::commandbar::BarChangeKind kind,
                    const core::commandbar::ButtonRecord* button) override;
    void BarRemoved(const std::wstring& barKey) override;
    void StyleChanged() override;
    std::int32_t ButtonIndex(const core::commandbar::ButtonRecord& button) const override;
    void ClickItem(std::int32_t index) override;
    void RaiseButtonClick(const core::commandbar::ButtonRecord& button) override;
    core::commandbar::CommandBarControl* RequestInstance() override;
    void CloseMenus(bool hideSelf) override;
    void ClearHotItem() override;
    void AdoptPanelControl(core::commandbar::WindowHandle panel) override;
    void HidePanelControl(core::commandbar::WindowHandle panel) override;
    core::commandbar::BarInteraction* Interaction() override { return interaction_.get(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class MenuHost;
    friend class MenuHost;

    void TearDown() noexcept;
    void ListenToOwner();
    void OnResize();
    void Changed(const wchar_t* property);
    void ApplyImageListColours();
    core::commandbar::BarRecord* ShownBar() const;

    // Painting helpers (command_bar_window_paint.cpp).
    bool PrepareSurface();
    BarLook Look() const;
    core::commandbar::SizeStyle CurrentSizeStyle() const;
    bool Vertical() const;
    bool RightToLeft() const;
    int MenuIconWidth() const;
    void FillBarParams(core::commandbar::BarParams& params);
    void FillDrawParams(core::commandbar::DrawButtonParams& params);
    // Draws the whole bar into the back buffer; false when nothing may be drawn now.
    bool PaintSurface();
    // A popup being filled only records its new size: the show sets it together with the place,
    // since under Wine sizing a hidden window costs a round with the window system of its own.
    void SizeWindow(int width, int height);

    bool designMode_ = false;
    bool started_ = false;
    // The top-level window of the parent the control was made with.
    HWND siteForm_ = nullptr;
    OwnerFormWatch ownerForm_;
    bool inUse_ = false;
    bool enabled_ = true;
    bool redraw_ = true;
    bool mainMenu_ = false;
    bool resizing_ = false;
    // A popup being filled: it is painted, and sized, when it shows.
    bool paintDeferred_ = false;
    std::optional<SIZE> popupSize_;
    std::int32_t buttonTextPosition_ = 0;
    bool popupHost_ = false;
    bool chevronList_ = false;
    std::int32_t orientation_ = 0;
    std::wstring barKey_;
    std::wstring accessibleName_;
    std::vector<core::commandbar::DisplayButtonInfo> info_;
    core::FontDescription font_;
    CommandBarImageList toolbarImages_;
    CommandBarImageList menuImages_;
    BarCanvas canvas_;
    PostedWork later_;
    // Declared last: they refer to the members above.
    std::unique_ptr<MenuHost> menuHost_;
    std::unique_ptr<core::commandbar::BarInteraction> interaction_;
};

}  // namespace commandbar
