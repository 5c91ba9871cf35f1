#include "commandbar/command_bar_window.h"

#include <commctrl.h>

#include "commandbar/command_bar_accessible.h"
#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_menu_host.h"
#include "commandbar/command_bar_process.h"
#include "commandbar/drawing_utilities.h"
#include "core/commandbar/command_bar_registry.h"
#include "core/commandbar/style_colours.h"
#include "core/scope_exit.h"
#include "win/error_report.h"

namespace commandbar {

namespace cb = core::commandbar;
namespace element = core::colour_element;

namespace {

constexpr wchar_t kClassName[] = L"GlyphoscopeCommandBar";
constexpr wchar_t kChevronListKey[] = L"CHEVRON:ADDORREMOVE";

}  // namespace

// No shell32 handle is held: nothing here uses the shell, and loading it (with shlwapi and
// shcore) would cost every start before the first paint.
CommandBarWindow::CommandBarWindow()
    : ownerForm_([this] { OnResize(); }),
      menuHost_(std::make_unique<MenuHost>(*this)),
      interaction_(std::make_unique<cb::BarInteraction>(Registry(), *menuHost_, Monitors())) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

CommandBarWindow::~CommandBarWindow() {
    TearDown();
    Destroy();
}

void CommandBarWindow::Create(const CommandBarWindowArgs& args) {
    designMode_ = args.designMode;
    win::WindowClassArgs windowClass;
    windowClass.name = kClassName;
    windowClass.background = nullptr;
    win::CreateArgs create = win::ChildWindowArgs(
        args.parent, 0, args.bounds, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (args.visible ? WS_VISIBLE : 0));
    win::Window::Create(windowClass, create);
    siteForm_ = args.parent ? ::GetAncestor(args.parent, GA_ROOT) : nullptr;
    if (designMode_) return;
    Registry().RegisterControl(ToHandle(hwnd()), *this);
    started_ = true;
    ApplyImageListColours();
    menuImages_.SetDisabledColour(GetElementColour(element::kToolbarTextDisabled));
}

void CommandBarWindow::TearDown() noexcept {
    ownerForm_.Stop();
    menuHost_->TearDown();
    if (!started_) return;
    started_ = false;
    win::GuardCallback([&] {
        toolbarImages_.Destroy();
        menuImages_.Destroy();
        if (cb::BarRecord* bar = ShownBar()) bar->DetachControl(ToHandle(hwnd()));
        barKey_.clear();
        info_.clear();
        Registry().UnregisterControl(ToHandle(hwnd()));
    });
}

cb::WindowHandle CommandBarWindow::Hwnd() const { return designMode_ ? 0 : ToHandle(hwnd()); }
cb::WindowHandle CommandBarWindow::OwnerForm() const { return ToHandle(ownerForm_.Form()); }

cb::BarRecord* CommandBarWindow::ShownBar() const { return barKey_.empty() ? nullptr : Registry().FindBar(barKey_); }

void CommandBarWindow::Changed(const wchar_t* property) {
    if (events.propertyChanged) events.propertyChanged(property);
}

// Colours ------------------------------------------------------------------------------------

core::Colour CommandBarWindow::CustomColour(int element) const { return GetCustomColour(element); }

void CommandBarWindow::SetCustomColour(int element, core::Colour colour) {
    if (GetCustomColour(element) == colour) return;
    commandbar::SetCustomColour(element, colour);
    DrawBar();
}

core::Colour CommandBarWindow::StyleColour(int element) const { return GetStyleColour(element); }
bool CommandBarWindow::UseStyleColour(int element) const { return IsUsingStyleColour(element); }

void CommandBarWindow::SetUseStyleColour(int element, bool use) {
    commandbar::SetCustomColour(element, use ? core::kNoColour : GetElementColour(element));
    DrawBar();
}

// Disabled and highlighted icons take the colours of the current style.
void CommandBarWindow::ApplyImageListColours() {
    if (popupHost_) {
        menuImages_.SetDisabledColour(GetElementColour(element::kMenuIconDisabled));
    } else {
        toolbarImages_.SetDisabledColour(GetElementColour(element::kToolbarTextDisabled));
        toolbarImages_.SetHighlightColour(GetElementColour(element::kToolbarTextHot));
    }
}

void CommandBarWindow::StyleChanged() {
    ApplyImageListColours();
    DrawBar();
}

std::int32_t CommandBarWindow::Style() const { return GetStyle(); }

void CommandBarWindow::SetStyle(std::int32_t style) {
    if (style == GetStyle()) return;
    // Every registered control repaints through the registry's refresh.
    commandbar::SetStyle(style);
    Changed(L"Style");
}

bool CommandBarWindow::HideInfrequentlyUsed() const { return Registry().HideInfrequentlyUsed(); }

void CommandBarWindow::SetHideInfrequentlyUsed(bool hide) {
    Registry().SetHideInfrequentlyUsed(hide);
    Changed(L"HideInfrequentlyUsed");
}

// Plain properties ---------------------------------------------------------------------------

void CommandBarWindow::SetMainMenu(bool mainMenu) {
    if (mainMenu == mainMenu_) return;
    mainMenu_ = mainMenu;
    Changed(L"MainMenu");
}

void CommandBarWindow::SetButtonTextPosition(std::int32_t position) {
    if (position == buttonTextPosition_) return;
    buttonTextPosition_ = position;
    LayoutBar();
    Changed(L"ButtonTextPosition");
}

void CommandBarWindow::SetOrientation(std::int32_t orientation) {
    // A popup host lays its bar out as a menu: it stays horizontal.
    if (!popupHost_) orientation_ = orientation;
    LayoutBar();
    Changed(L"Orientation");
}

void CommandBarWindow::SetToolbarImageList(HIMAGELIST imageList) {
    toolbarImages_.InitialiseFromHandle(imageList);
    LayoutBar();
}

void CommandBarWindow::SetMenuImageList(HIMAGELIST imageList) {
    menuImages_.InitialiseFromHandle(imageList);
    LayoutBar();
}

void CommandBarWindow::SetRedraw(bool redraw) {
    if (redraw == redraw_) return;
    redraw_ = redraw;
    if (redraw_) DrawBar();
    Changed(L"Redraw");
}

void CommandBarWindow::SetFont(const core::FontDescription& font) {
    font_ = font;
    LayoutBar();
    Changed(L"Font");
}

void CommandBarWindow::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd()) ::EnableWindow(hwnd(), enabled ? TRUE : FALSE);
    Changed(L"Enabled");
}

void CommandBarWindow::SetInUse(bool inUse) {
    inUse_ = inUse;
    if (inUse) SetEnabled(true);
}

cb::CommandBars CommandBarWindow::CommandBars() const { return cb::CommandBars(Registry(), Hwnd()); }
cb::Buttons CommandBarWindow::Buttons() const { return cb::Buttons(Registry(), Hwnd()); }

// Showing a bar ------------------------------------------------------------------------------

std::optional<cb::CommandBar> CommandBarWindow::Toolbar() const {
    if (barKey_.empty()) return std::nullopt;
    return cb::CommandBar(Registry(), Hwnd(), barKey_);
}

void CommandBarWindow::SetToolbar(const std::optional<cb::CommandBar>& bar) {
    // Read first: a handle to a bar that is gone fails before anything changes.
    const std::wstring newKey = bar ? bar->Key() : std::wstring();
    SetInUse(true);
    if (cb::BarRecord* shown = ShownBar()) shown->DetachControl(Hwnd());
    if (!bar) {
        ownerForm_.Stop();
        barKey_.clear();
    } else {
        ListenToOwner();
        barKey_ = newKey;
        cb::BarRecord& record = Registry().GetBar(barKey_);
        record.AttachControl(Hwnd(), OwnerForm());
        if (!popupHost_) {
            // A hosted control that refuses its new parent is no reason to fail: results are ignored.
            for (cb::ButtonRecord* button : record.Buttons().Values()) {
                if (button->PanelControl() != 0) AdoptPanelControl(button->PanelControl());
            }
        }
        chevronList_ = barKey_ == kChevronListKey;
    }
    LayoutBar();
}

void CommandBarWindow::BarRemoved(const std::wstring& barKey) {
    if (barKey != barKey_) return;
    ownerForm_.Stop();
    barKey_.clear();
    info_.clear();
    DrawBar();
}

void CommandBarWindow::AdoptPanelControl(cb::WindowHandle panel) {
    ::SetParent(ToHwnd(panel), hwnd());
    ::ShowWindow(ToHwnd(panel), SW_HIDE);
}

void CommandBarWindow::HidePanelControl(cb::WindowHandle panel) { ::ShowWindow(ToHwnd(panel), SW_HIDE); }

// Owner form ---------------------------------------------------------------------------------

void CommandBarWindow::ListenToOwner() {
    ownerForm_.Stop();
    // The form the control sits on, which a popup host moved onto the desktop still belongs to.
    HWND root = ::IsWindow(siteForm_) ? siteForm_ : ::GetAncestor(hwnd(), GA_ROOT);
    if (!root || root == hwnd()) return;
    ownerForm_.Watch(root);
}

// Window -------------------------------------------------------------------------------------

void CommandBarWindow::OnResize() {
    if (resizing_) return;
    resizing_ = true;
    core::ScopeExit clear([this] { resizing_ = false; });
    if (!popupHost_) LayoutBar();
    if (events.resize) events.resize();
}

LRESULT CommandBarWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    menuHost_->RelayToToolTip(message, wParam, lParam);
    if (LRESULT result = 0; started_ && menuHost_->HandleMessage(message, wParam, result)) return result;
    switch (message) {
        case WM_SIZE:
            OnResize();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            win::PaintGuard paint(hwnd());
            RECT client{};
            ::GetClientRect(hwnd(), &client);
            canvas_.Paint(paint.dc(), client, Look());
            return 0;
        }
        case PostedWork::kMessage:
            later_.RunNext();
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT answer = AnswerGetObject(hwnd(), wParam, lParam)) return answer;
            break;
        case WM_THEMECHANGED:
            ForgetToolbarTheme();
            DrawBar();
            break;
        case WM_DESTROY:
            // The form may go first and take this window with it: leave the registry while the
            // handle still means something.
            TearDown();
            break;
        default:
            break;
    }
    return win::Window::HandleMessage(message, wParam, lParam);
}

void CommandBarWindow::ClientCoordinatesToScreen(int& x, int& y, HWND client) const {
    POINT point{x, y};
    ::ClientToScreen(client ? client : hwnd(), &point);
    x = point.x;
    y = point.y;
}

void CommandBarWindow::ScreenCoordinatesToClient(int& x, int& y, HWND client) const {
    POINT point{x, y};
    ::ScreenToClient(client ? client : hwnd(), &point);
    x = point.x;
    y = point.y;
}

// Registry notifications ---------------------------------------------------------------------

void CommandBarWindow::BarChanged(const cb::BarRecord& bar, cb::BarChangeKind kind, const cb::ButtonRecord* button) {
    if (bar.Key() != barKey_) return;
    // The bar has already changed; a layout that cannot follow it (a size beyond 32 bits) is
    // reported here, so that the caller's change and the other controls' updates still happen.
    win::GuardCallback([&] {
        std::int32_t index = button ? ButtonIndex(*button) : 0;
        if (kind == cb::BarChangeKind::ButtonList || kind == cb::BarChangeKind::ButtonSize) {
            LayoutBar();
            if (popupHost_) menuHost_->ShowShadows();
        }
        const bool oneItem = kind == cb::BarChangeKind::ButtonLook || kind == cb::BarChangeKind::ButtonChecked;
        if (index > 0 && oneItem && !mainMenu_) {
            DrawBarItem(index);
        } else {
            DrawBar();
        }
    });
}

std::int32_t CommandBarWindow::ButtonIndex(const cb::ButtonRecord& button) const {
    cb::BarRecord* bar = ShownBar();
    return bar ? bar->IndexOf(button.Key()) : 0;
}

// A shortcut the registry matched clicks as the interaction does.
void CommandBarWindow::RaiseButtonClick(const cb::ButtonRecord& button) { menuHost_->RaiseButtonClick(button); }

void CommandBarWindow::ClickItemLater(const std::wstring& buttonKey) {
    later_.Post(hwnd(), [this, key = buttonKey] {
        // The button, or the bar showing it, may have gone in between.
        cb::BarRecord* bar = ShownBar();
        if (const std::int32_t index = bar ? bar->IndexOf(key) : 0; index > 0) ClickItem(index);
    });
}

cb::CommandBarControl* CommandBarWindow::RequestInstance() {
    CommandBarWindow* supplied = nullptr;
    if (events.requestNewInstance) events.requestNewInstance(supplied);
    // Only a live, registered control can serve as a popup host.
    if (supplied && !supplied->started_) return nullptr;
    return supplied;
}

// Menus --------------------------------------------------------------------------------------

void CommandBarWindow::ShowPopupMenu(int x, int y, const cb::CommandBar& bar) {
    interaction_->ShowBarMenu(bar.Key(), 0, x, y, false, true);
}

void CommandBarWindow::ShowChevronMenu(int x, int y) { interaction_->ShowChevronMenu(x, y); }

// CommandBarControl requests go to the interaction.
void CommandBarWindow::ClickItem(std::int32_t index) { interaction_->ClickItem(index); }

void CommandBarWindow::CloseMenus(bool hideSelf) { interaction_->CloseMenus(hideSelf); }

void CommandBarWindow::ClearHotItem() {
    interaction_->UpdateHotItem(cb::MouseButton::None, 0, false, true);
}

// Popup hosting ------------------------------------------------------------------------------

const MenuShadows& CommandBarWindow::Shadows() const noexcept { return menuHost_->Shadows(); }

void CommandBarWindow::MakePopupHost() {
    popupHost_ = true;
    orientation_ = 0;
    ApplyImageListColours();
}

void CommandBarWindow::CopyPopupSettings(const CommandBarWindow& source) {
    font_ = source.font_;
    buttonTextPosition_ = source.buttonTextPosition_;
    menuImages_.InitialiseFromInstance(source.menuImages_);
    ApplyImageListColours();
}

void CommandBarWindow::SetPopupContext(HWND source, int side, int joinStart, int joinLength, HMONITOR monitor) {
    interaction_->SetPopupContext({ToHandle(source), static_cast<cb::PopupSide>(side), joinStart, joinLength,
                                   reinterpret_cast<cb::MonitorHandle>(monitor)});
}

HWND CommandBarWindow::PopupSource() const noexcept { return ToHwnd(interaction_->Context().source); }

HMONITOR CommandBarWindow::PopupMonitor() const noexcept {
    return reinterpret_cast<HMONITOR>(interaction_->Context().monitor);
}

}  // namespace commandbar
