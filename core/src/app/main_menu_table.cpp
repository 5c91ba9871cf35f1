#include "core/app/main_menu_table.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/app/preview.h"

namespace core {

namespace {

using commandbar::ButtonStyle;
using commandbar::ModifierBits;
using commandbar::ShortcutModifier;

constexpr std::int32_t kCtrl = ModifierBits(ShortcutModifier::Ctrl);
constexpr std::int32_t kAlt = ModifierBits(ShortcutModifier::Alt);
constexpr std::uint16_t kKeyF1 = 112;
constexpr std::uint16_t kKeyF4 = 115;
constexpr std::uint16_t kKeyEnter = 13;

constexpr MenuButtonEntry Top(std::wstring_view key, std::wstring_view caption) {
    return {key, caption, -1, ButtonStyle::Normal, {}, 0, kCtrl, true};
}
constexpr MenuButtonEntry Item(std::wstring_view key, std::wstring_view caption, std::int32_t icon = -1,
                              std::uint16_t shortcut = 0, std::int32_t modifiers = kCtrl) {
    return {key, caption, icon, ButtonStyle::Normal, {}, shortcut, modifiers, false};
}
constexpr MenuButtonEntry Styled(std::wstring_view key, std::wstring_view caption, ButtonStyle style,
                                std::uint16_t shortcut = 0) {
    return {key, caption, -1, style, {}, shortcut, kCtrl, false};
}
constexpr MenuButtonEntry Separator(std::wstring_view key) { return Styled(key, {}, ButtonStyle::Separator); }
constexpr MenuButtonEntry Tool(std::wstring_view key, std::int32_t icon, std::wstring_view toolTip,
                              std::wstring_view caption = {}) {
    return {key, caption, icon, ButtonStyle::Normal, toolTip, 0, kCtrl, !caption.empty()};
}

constexpr auto kButtons = std::to_array<MenuButtonEntry>({
    Top(L"MENU:FILE", L"Файл"),
    Top(L"MENU:VIEW", L"Вид"),
    Top(L"MENU:TEXT", L"Текст просмотра"),
    Top(L"MENU:FONTSIZE", L"Размер шрифта"),
    Top(L"MENU:SERVICE", L"Сервис"),
    Top(L"MENU:HELP", L"Справка"),
    Item(L"MENU:FILE:OPEN", L"Открыть файл шрифта...", -1, 'O'),
    Item(L"MENU:FILE:LOADFONTS", L"Загрузить шрифты", 0, 'L'),
    Item(L"MENU:FILE:FIND", L"Найти шрифт", -1, 'F'),
    Item(kFontPropertiesEntry, L"Свойства шрифта...", -1, kKeyEnter, kAlt),
    Separator(L"MENU:FILE:SEP1"),
    Item(L"MENU:FILE:EXIT", L"Выход", 1, kKeyF4, kAlt),
    Styled(kOnTopEntry, L"Поверх всех окон", ButtonStyle::Check),
    Separator(L"MENU:VIEW:SEP1"),
    Styled(kToolbarEntry, L"Панель инструментов", ButtonStyle::Check),
    Separator(L"MENU:VIEW:SEP2"),
    Styled(L"MENU:VIEW:ALLFONTS", L"Все шрифты", ButtonStyle::Radio),
    Styled(L"MENU:VIEW:CYRILLIC", L"Шрифты с кириллицей", ButtonStyle::Radio),
    Styled(L"MENU:VIEW:MONOSPACED", L"Моноширинные шрифты", ButtonStyle::Radio),
    Styled(L"MENU:VIEW:OPENED", L"Открытые файлы", ButtonStyle::Radio),
    Styled(L"MENU:TEXT:FIGURES", L"Цифры", ButtonStyle::Check),
    Styled(L"MENU:TEXT:SYMBOLS", L"Символы", ButtonStyle::Check),
    Styled(L"MENU:TEXT:RUSSMALL", L"Русский алфавит [прописные]", ButtonStyle::Check),
    Styled(L"MENU:TEXT:RUSBIG", L"Русский алфавит [заглавные]", ButtonStyle::Check),
    Styled(L"MENU:TEXT:ENGSMALL", L"Английский алфавит [прописные]", ButtonStyle::Check),
    Styled(L"MENU:TEXT:ENGBIG", L"Английский алфавит [заглавные]", ButtonStyle::Check),
    Styled(L"MENU:FONTSIZE:10", L"10", ButtonStyle::Radio, '1'),
    Styled(L"MENU:FONTSIZE:12", L"12", ButtonStyle::Radio, '2'),
    Styled(L"MENU:FONTSIZE:14", L"14", ButtonStyle::Radio, '3'),
    Styled(L"MENU:FONTSIZE:18", L"18", ButtonStyle::Radio, '4'),
    Styled(L"MENU:FONTSIZE:20", L"20", ButtonStyle::Radio, '5'),
    Styled(L"MENU:FONTSIZE:22", L"22", ButtonStyle::Radio, '6'),
    Styled(L"MENU:FONTSIZE:24", L"24", ButtonStyle::Radio, '7'),
    Styled(L"MENU:FONTSIZE:26", L"26", ButtonStyle::Radio, '8'),
    Item(L"MENU:SERVICE:SETTINGS", L"Параметры программы", 2, 'S'),
    Item(kCharacterMapEntry, L"Таблица символов", -1, 'T'),
    // Ctrl+L belongs to loading fonts, and the first match wins; Ctrl+Shift+L reaches the licence.
    Item(L"MENU:HELP:LICENSE", L"Лицензионное соглашение", 3, 'L', ShortcutModifier::Ctrl | ShortcutModifier::Shift),
    Separator(L"MENU:HELP:SEP1"),
    Item(L"MENU:HELP:HOMEPAGE", L"Посетить домашнюю страничку", 4),
    Item(L"MENU:HELP:SENDMAIL", L"Написать письмо автору", 5),
    Separator(L"MENU:HELP:SEP2"),
    Item(L"MENU:HELP:ABOUT", L"О программе", 6, kKeyF1),
    Separator(L"TOOLBAR:SEP1"),
    Tool(L"TOOLBAR:LOAD", 0, L"Загрузить установленные шрифты", L"Загрузить"),
    Separator(L"TOOLBAR:SEP2"),
    Tool(L"TOOLBAR:SETTINGS", 1, L"Настроить параметры программы"),
    Separator(L"TOOLBAR:SEP3"),
    Tool(L"TOOLBAR:LICENSE", 2, L"Лицензионное соглашение"),
    Tool(L"TOOLBAR:HOMEPAGE", 3, L"Посетить домашнюю страничку"),
    Tool(L"TOOLBAR:SENDMAIL", 4, L"Написать письмо автору"),
    Tool(L"TOOLBAR:ABOUT", 5, L"О программе"),
    Separator(L"TOOLBAR:SEP4"),
    Tool(L"TOOLBAR:EXIT", 6, L"Выход"),
    Separator(L"TOOLBAR:SEP5"),
});

constexpr auto kFontListMenuKeys = std::to_array<std::wstring_view>({
    kFontPropertiesEntry,
    kCharacterMapEntry,
    kCopyFontNameEntry,
});

constexpr auto kFontListButtons = std::to_array<MenuButtonEntry>({
    Item(kCopyFontNameEntry, L"Копировать имя"),
});

constexpr auto kMenuIcons = std::to_array<IconFile>({
    {L"LOAD", L"\\Data\\icons\\menu\\Load_fonts.ico"},
    {L"EXIT", L"\\Data\\icons\\menu\\Exit.ico"},
    {L"SETTINGS", L"\\Data\\icons\\menu\\Settings.ico"},
    {L"LICENSE", L"\\Data\\icons\\menu\\License.ico"},
    {L"HOMEPAGE", L"\\Data\\icons\\menu\\Home_page.ico"},
    {L"MAIL", L"\\Data\\icons\\menu\\Send_mail.ico"},
    {L"ABOUT", L"\\Data\\icons\\menu\\About.ico"},
});

constexpr auto kToolbarIcons = std::to_array<IconFile>({
    {L"LOAD", L"\\Data\\icons\\toolbar\\Load_fonts.ico"},
    {L"SETTINGS", L"\\Data\\icons\\toolbar\\Settings.ico"},
    {L"LICENSE", L"\\Data\\icons\\toolbar\\License.ico"},
    {L"HOMEPAGE", L"\\Data\\icons\\toolbar\\Home_page.ico"},
    {L"MAIL", L"\\Data\\icons\\toolbar\\Send_mail.ico"},
    {L"ABOUT", L"\\Data\\icons\\toolbar\\About.ico"},
    {L"EXIT", L"\\Data\\icons\\toolbar\\Exit.ico"},
});

// Indexed by SamplePreset.
constexpr std::array<std::wstring_view, kSamplePresetCount> kPresetParts = {
    L"FIGURES", L"SYMBOLS", L"RUSSMALL", L"RUSBIG", L"ENGSMALL", L"ENGBIG",
};

// Indexed by FontScript.
constexpr std::array<std::wstring_view, 4> kScriptParts = {L"ALLFONTS", L"CYRILLIC", L"MONOSPACED", L"OPENED"};

// Each command by the second and third part of its menu key and by the second part of its tool
// bar key, where it has a button there.
struct CommandName {
    std::wstring_view menu;
    std::wstring_view toolbar;
    MenuCommand command;
};

constexpr auto kCommands = std::to_array<CommandName>({
    {L"FILE:OPEN", {}, MenuCommand::OpenFontFiles},
    {L"FILE:LOADFONTS", L"LOAD", MenuCommand::LoadFonts},
    {L"FILE:FIND", {}, MenuCommand::Find},
    {L"FILE:EXIT", L"EXIT", MenuCommand::Exit},
    {L"VIEW:ONTOP", {}, MenuCommand::OnTop},
    {L"VIEW:TOOLBAR", {}, MenuCommand::ToolBar},
    {L"SERVICE:SETTINGS", L"SETTINGS", MenuCommand::Settings},
    {L"SERVICE:CHARMAP", {}, MenuCommand::CharacterMap},
    {L"HELP:LICENSE", L"LICENSE", MenuCommand::License},
    {L"HELP:HOMEPAGE", L"HOMEPAGE", MenuCommand::HomePage},
    {L"HELP:SENDMAIL", L"SENDMAIL", MenuCommand::SendMail},
    {L"HELP:ABOUT", L"ABOUT", MenuCommand::About},
    {L"FILE:PROPERTIES", {}, MenuCommand::FontProperties},
});

std::vector<std::wstring_view> SplitKey(std::wstring_view key) {
    std::vector<std::wstring_view> parts;
    for (std::size_t start = 0;;) {
        std::size_t colon = key.find(L':', start);
        parts.push_back(key.substr(start, colon == std::wstring_view::npos ? colon : colon - start));
        if (colon == std::wstring_view::npos) return parts;
        start = colon + 1;
    }
}

MenuCommand Find(std::wstring_view CommandName::*field, std::wstring_view name) {
    if (name.empty()) return MenuCommand::None;
    for (const CommandName& entry : kCommands) {
        if (entry.*field == name) return entry.command;
    }
    return MenuCommand::None;
}

}  // namespace

std::span<const MenuButtonEntry> MainMenuButtons() { return kButtons; }
std::span<const std::wstring_view> FontListMenuKeys() { return kFontListMenuKeys; }
std::span<const MenuButtonEntry> FontListMenuButtons() { return kFontListButtons; }
std::span<const IconFile> MenuIconFiles() { return kMenuIcons; }
std::span<const IconFile> ToolbarIconFiles() { return kToolbarIcons; }

int IconSizeForDpi(std::span<const int> heldSizes, int dpi) {
    const long long wanted = static_cast<long long>(heldSizes.front()) * dpi / 96;
    int size = heldSizes.front();
    for (int held : heldSizes) {
        if (held <= wanted) size = std::max(size, held);
    }
    return size;
}

bool IsDirectChild(std::wstring_view parentKey, std::wstring_view key) {
    if (key.size() <= parentKey.size() || !key.starts_with(parentKey) || key[parentKey.size()] != L':') return false;
    return key.find(L':', parentKey.size() + 1) == std::wstring_view::npos;
}

MenuAction ActionFor(std::wstring_view key) {
    if (key == kCopyFontNameEntry) return {MenuCommand::CopyFontName};
    const std::vector<std::wstring_view> parts = SplitKey(key);
    if (parts[0] == kToolbarKey && parts.size() >= 2) return {Find(&CommandName::toolbar, parts[1])};
    if (parts[0] != kMenuBarKey || parts.size() <= 2) return {};
    if (parts[1] == L"TEXT") {
        for (std::size_t i = 0; i < kPresetParts.size(); ++i) {
            if (parts[2] == kPresetParts[i]) return {MenuCommand::TextPreset, static_cast<SamplePreset>(i)};
        }
        return {};
    }
    if (parts[1] == L"VIEW") {
        for (std::size_t i = 0; i < kScriptParts.size(); ++i) {
            if (parts[2] == kScriptParts[i]) return {MenuCommand::FontScript, {}, 0, static_cast<FontScript>(i)};
        }
    }
    if (parts[1] == L"FONTSIZE") {
        if (const std::optional<int> size = OfferedSize(parts[2])) {
            return {MenuCommand::FontSize, SamplePreset::Figures, *size};
        }
        return {};
    }
    std::wstring name(parts[1]);
    name.append(L":").append(parts[2]);
    return {Find(&CommandName::menu, name)};
}

std::wstring PresetEntryKey(SamplePreset preset) {
    return std::wstring(L"MENU:TEXT:").append(kPresetParts.at(static_cast<std::size_t>(preset)));
}

std::wstring FontScriptEntryKey(FontScript script) {
    return std::wstring(L"MENU:VIEW:").append(kScriptParts.at(static_cast<std::size_t>(script)));
}

std::optional<std::wstring> FontSizeEntryKey(std::wstring_view storedFontSize) {
    if (const std::optional<int> size = OfferedSize(storedFontSize)) {
        return L"MENU:FONTSIZE:" + std::to_wstring(*size);
    }
    return std::nullopt;
}

}  // namespace core
