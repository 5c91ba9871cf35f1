#include "app/main_menu.h"

#include "commandbar/command_bar_process.h"
#include "core/app/main_menu_table.h"
#include "win/dpi.h"
#include "win/error_report.h"

namespace app {

namespace {

namespace cb = core::commandbar;

constexpr std::int32_t kSystemStyle = 3;
constexpr int kCyrillicCharset = 204;

void CreateIconList(imaging::ImageList& list, int size) {
    list.ColourDepth = imaging::ImageList::SystemColourDepth();
    list.IconSizeX = list.IconSizeY = size;
    list.Create();
}

void AddIcons(imaging::ImageList& list, std::span<const core::IconFile> files, const std::wstring& programFolder) {
    for (const core::IconFile& file : files) {
        list.AddFromFile(programFolder + std::wstring(file.path), imaging::ImageType::Icon, std::wstring(file.key),
                         false, core::kNoColour);
    }
}

}  // namespace

void MainMenu::Build(HWND owner, HWND toolbarParent, const std::wstring& programFolder, ClickHandler onClick,
                     std::function<void()> onResize) {
    owner_ = owner;
    onClick_ = std::move(onClick);
    onResize_ = std::move(onResize);
    programFolder_ = programFolder;
    const int dpi = win::ScreenDpi();
    CreateIconList(menuIcons_, core::IconSizeForDpi(core::kMenuIconSizes, dpi));
    CreateIconList(toolbarIcons_, core::IconSizeForDpi(core::kToolbarIconSizes, dpi));
    AddIcons(toolbarIcons_, core::ToolbarIconFiles(), programFolder);

    commandbar::CommandBarWindow& menuBar = AddElement(owner, true);
    commandbar::CommandBarWindow& toolBar = AddElement(toolbarParent, true);
    menuBar.SetRedraw(false);
    toolBar.SetRedraw(false);
    menuBar.SetStyle(kSystemStyle);
    AddButtons(core::MainMenuButtons());
    AttachChildren(core::kMenuBarKey, std::nullopt);
    AttachChildren(core::kToolbarKey, std::nullopt);
    // A bar's title is its key; screen readers call the two bars by what they are, and each
    // drop-down by the caption of its title.
    menuBar.SetAccessibleName(core::kMenuBarName);
    toolBar.SetAccessibleName(core::kToolbarName);

    menuBar.SetMainMenu(true);
    menuBar.SetMenuImageList(menuIcons_.Handle());
    menuBar.SetToolbar(menuBar.CommandBars().Item(core::kMenuBarKey));
    toolBar.SetToolbarImageList(toolbarIcons_.Handle());
    toolBar.SetToolbar(menuBar.CommandBars().Item(core::kToolbarKey));
    menuBar.events.resize = onResize_;
    toolBar.events.resize = onResize_;
}

void MainMenu::StartDrawing() {
    MenuBar().SetRedraw(true);
    ToolBar().SetRedraw(true);
}

void MainMenu::LoadMenuIcons() {
    if (menuIconsLoaded_) return;
    menuIconsLoaded_ = true;
    AddIcons(menuIcons_, core::MenuIconFiles(), programFolder_);
}

commandbar::CommandBarWindow& MainMenu::AddElement(HWND parent, bool visible) {
    auto control = std::make_unique<commandbar::CommandBarWindow>();
    control->Create({parent, RECT{0, 0, 200, 24}, visible});
    core::FontDescription font;
    font.name = L"Tahoma";
    font.points = 8.25;
    font.charset = kCyrillicCharset;
    control->SetFont(font);
    // The menus report clicks through whichever element shows them.
    control->events.buttonClick = [this](const cb::Button& button) {
        win::GuardCallback([&] {
            if (onClick_) onClick_(button.Key());
        });
    };
    control->events.requestNewInstance = [this](commandbar::CommandBarWindow*& supplied) {
        win::GuardCallback([&] { supplied = &AddElement(owner_, false); });
    };
    controls_.push_back(std::move(control));
    return *controls_.back();
}

void MainMenu::AddButtons(std::span<const core::MenuButtonEntry> entries) {
    cb::Buttons buttons = MenuBar().Buttons();
    for (const core::MenuButtonEntry& entry : entries) {
        cb::Button button = buttons.Add(std::wstring(entry.key), entry.icon, std::wstring(entry.caption), entry.style,
                                        std::wstring(entry.toolTip), entry.shortcutKey, entry.shortcutModifiers);
        buttonKeys_.emplace_back(entry.key);
        if (entry.showCaptionInToolbar) button.SetShowCaptionInToolbar(true);
    }
}

cb::CommandBar MainMenu::AddBar(const std::wstring& key, const std::wstring& title) {
    cb::CommandBar bar = MenuBar().CommandBars().Add(key, title);
    barKeys_.push_back(key);
    return bar;
}

// Every bar is the set of buttons one level below a key; bars and buttons belong to the process,
// so walking control 0's collection sees them all.
void MainMenu::AttachChildren(const std::wstring& parentKey, const std::optional<cb::Button>& parent) {
    cb::Buttons buttons = MenuBar().Buttons();
    std::optional<cb::CommandBar> bar;
    for (std::int32_t i = 1; i <= buttons.Count(); ++i) {
        cb::Button child = buttons.Item(i);
        const std::wstring key = child.Key();
        if (!core::IsDirectChild(parentKey, key)) continue;
        if (!bar) {
            bar = AddBar(parentKey, parentKey);
            if (parent) parent->SetBar(bar);
        }
        bar->Buttons().Add(child);
        AttachChildren(key, child);
    }
}

void MainMenu::RemoveFromRegistry() noexcept {
    if (controls_.empty()) return;
    cb::CommandBarRegistry& registry = commandbar::Registry();
    for (const std::wstring& key : barKeys_) {
        if (registry.FindBar(key)) win::GuardCallback([&] { MenuBar().CommandBars().Remove(key); });
    }
    barKeys_.clear();
    for (const std::wstring& key : buttonKeys_) {
        if (registry.FindButton(key)) win::GuardCallback([&] { MenuBar().Buttons().Remove(key); });
    }
    buttonKeys_.clear();
}

bool MainMenu::Checked(std::wstring_view key) const { return MenuBar().Buttons().Item(key).Checked(); }

void MainMenu::SetChecked(std::wstring_view key, bool checked) const {
    MenuBar().Buttons().Item(key).SetChecked(checked);
}

}  // namespace app
