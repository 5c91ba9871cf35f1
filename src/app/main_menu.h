#pragma once
// The main window's command bar controls: element 0 the menu bar, element 1 the tool bar, and
// further hidden elements the menus borrow as popup hosts. It loads the icons, creates every
// button and derives the bars from the buttons' keys.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commandbar/command_bar_window.h"
#include "core/app/main_menu_table.h"
#include "imaging/image_list.h"

namespace app {

class MainMenu {
public:
    // The key of the clicked button; the control has already toggled a check entry.
    using ClickHandler = std::function<void(const std::wstring& key)>;

    MainMenu() = default;
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // Icons come from programFolder; missing files leave their images out. The menu bar goes on
    // owner, the tool bar into toolbarParent; both report sizes they choose through onResize.
    void Build(HWND owner, HWND toolbarParent, const std::wstring& programFolder, ClickHandler onClick,
               std::function<void()> onResize);
    // Build leaves both bars not drawing: every step of building and laying out the hidden
    // window would paint them again. The window calls this once laid out, just before it shows.
    void StartDrawing();
    // Build fills only the tool bar's icons, which the window shows at once. The menus' icons are
    // seen only in a drop-down: the window loads them just after its first paint, before it
    // handles any input. Once; later calls do nothing.
    void LoadMenuIcons();

    commandbar::CommandBarWindow& MenuBar() const { return *controls_.at(0); }
    commandbar::CommandBarWindow& ToolBar() const { return *controls_.at(1); }
    // Element index of the control array, 0 and 1 included.
    commandbar::CommandBarWindow& Element(std::size_t index) const { return *controls_.at(index); }
    std::size_t ElementCount() const noexcept { return controls_.size(); }
    const imaging::ImageList& MenuIcons() const noexcept { return menuIcons_; }
    const imaging::ImageList& ToolbarIcons() const noexcept { return toolbarIcons_; }

    bool Checked(std::wstring_view key) const;
    void SetChecked(std::wstring_view key, bool checked) const;

    // Buttons and bars made through these are the window's: RemoveFromRegistry takes them out again.
    void AddButtons(std::span<const core::MenuButtonEntry> entries);
    core::commandbar::CommandBar AddBar(const std::wstring& key, const std::wstring& title);

    // Takes the bars and buttons added out of the process-wide registry, while the controls
    // still exist; another control may keep the registry running after this window has gone.
    void RemoveFromRegistry() noexcept;

private:
    commandbar::CommandBarWindow& AddElement(HWND parent, bool visible);
    void AttachChildren(const std::wstring& parentKey, const std::optional<core::commandbar::Button>& parent);

    // The controls hold the lists' handles, so the lists go after them.
    imaging::ImageList menuIcons_;
    imaging::ImageList toolbarIcons_;
    std::vector<std::unique_ptr<commandbar::CommandBarWindow>> controls_;
    std::vector<std::wstring> barKeys_;
    std::vector<std::wstring> buttonKeys_;
    HWND owner_ = nullptr;
    std::wstring programFolder_;
    bool menuIconsLoaded_ = false;
    ClickHandler onClick_;
    std::function<void()> onResize_;
};

}  // namespace app
