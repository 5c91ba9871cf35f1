#pragma once
// What the main window's menu bar and tool bar hold and what each of their entries does, as data:
// the buttons in creation order, the icon files, and the command a clicked key stands for.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/app/font_filter.h"
#include "core/app/sample_text.h"
#include "core/commandbar/command_bar_types.h"

namespace core {

inline constexpr wchar_t kMenuBarKey[] = L"MENU";
inline constexpr wchar_t kToolbarKey[] = L"TOOLBAR";
// What screen readers call the two bars.
inline constexpr wchar_t kMenuBarName[] = L"Главное меню";
inline constexpr wchar_t kToolbarName[] = L"Панель инструментов";
inline constexpr wchar_t kOnTopEntry[] = L"MENU:VIEW:ONTOP";
inline constexpr wchar_t kToolbarEntry[] = L"MENU:VIEW:TOOLBAR";
inline constexpr wchar_t kFontPropertiesEntry[] = L"MENU:FILE:PROPERTIES";
// The font list's context menu and its own entries.
inline constexpr wchar_t kFontListMenuKey[] = L"FONTLIST";
inline constexpr wchar_t kFontListMenuTitle[] = L"Действия со шрифтом";
inline constexpr wchar_t kCopyFontNameEntry[] = L"FONTLIST:COPYNAME";
inline constexpr wchar_t kCharacterMapEntry[] = L"MENU:SERVICE:CHARMAP";

struct MenuButtonEntry {
    std::wstring_view key;
    std::wstring_view caption;
    std::int32_t icon = -1;  // index in the image list of the bar that shows the button
    commandbar::ButtonStyle style = commandbar::ButtonStyle::Normal;
    std::wstring_view toolTip;
    std::uint16_t shortcutKey = 0;
    std::int32_t shortcutModifiers = commandbar::ModifierBits(commandbar::ShortcutModifier::Ctrl);
    bool showCaptionInToolbar = false;
};

// Every button of both bars, in the order they are created.
std::span<const MenuButtonEntry> MainMenuButtons();

// The font list's context menu in order: main menu entries it repeats (with their shortcuts) and
// its own buttons, which FontListMenuButtons() creates.
std::span<const std::wstring_view> FontListMenuKeys();
std::span<const MenuButtonEntry> FontListMenuButtons();

struct IconFile {
    std::wstring_view key;
    // Appended to the program's folder as it stands.
    std::wstring_view path;
};

// The 16 x 16 menu icons and the 32 x 32 tool bar icons, in image list order.
std::span<const IconFile> MenuIconFiles();
std::span<const IconFile> ToolbarIconFiles();

// The sizes the icon files hold, the size at 96 dpi first.
inline constexpr int kMenuIconSizes[] = {16, 24, 32};
inline constexpr int kToolbarIconSizes[] = {32, 48};
// The largest held size the screen's scale reaches, never below the first: icons grow with the
// text but are never stretched.
int IconSizeForDpi(std::span<const int> heldSizes, int dpi);

// A button of parent's bar: its key is parent's followed by exactly one more part.
bool IsDirectChild(std::wstring_view parentKey, std::wstring_view key);

enum class MenuCommand {
    None,
    OpenFontFiles,
    LoadFonts,
    Find,
    Exit,
    OnTop,
    ToolBar,
    FontScript,
    TextPreset,
    FontSize,
    Settings,
    CharacterMap,
    License,
    HomePage,
    SendMail,
    About,
    FontProperties,
    CopyFontName,
};

struct MenuAction {
    MenuCommand command = MenuCommand::None;
    SamplePreset preset = SamplePreset::Figures;  // for TextPreset
    int fontSize = 0;                             // for FontSize: one of the offered sizes
    FontScript script = FontScript::All;          // for FontScript
};

// The command behind a clicked button's key; None for the top-row entries and unknown keys.
MenuAction ActionFor(std::wstring_view key);

// The entries whose check marks mirror a preference.
std::wstring PresetEntryKey(SamplePreset preset);
std::wstring FontScriptEntryKey(FontScript script);
// The size entry for a stored FontSize text, when the text names one of the offered sizes exactly.
std::optional<std::wstring> FontSizeEntryKey(std::wstring_view storedFontSize);

}  // namespace core
