#pragma once
// Values shared by the command bar's records, handles and registry.

#include <cstdint>
#include <string>
#include <string_view>

namespace core::commandbar {

// A platform window handle at its full width; 0 is no window.
using WindowHandle = std::uintptr_t;

enum class ButtonStyle : std::int32_t {
    Normal = 0,
    Separator = 1,
    Split = 2,
    Panel = 3,
    Check = 4,
    Radio = 5,
    RadioNullable = 6,
};

// One bit of the set ShortcutModifiers holds; that set must equal the pressed combination exactly.
enum class ShortcutModifier : std::int32_t {
    Shift = 1,
    Ctrl = 2,
    Alt = 4,
};

constexpr std::int32_t ModifierBits(ShortcutModifier bit) { return static_cast<std::int32_t>(bit); }
constexpr std::int32_t operator|(ShortcutModifier a, ShortcutModifier b) {
    return static_cast<std::int32_t>(a) | static_cast<std::int32_t>(b);
}
constexpr bool HasModifier(std::int32_t set, ShortcutModifier bit) {
    return (set & static_cast<std::int32_t>(bit)) != 0;
}

// What a bar tells the controls that show it.
enum class BarChangeKind : std::int32_t {
    ButtonList = 1,
    Title = 3,
    ButtonSize = 4,
    ButtonLook = 5,
    ButtonChecked = 6,
};

// Which kind of bar is being measured and painted.
enum class SizeStyle : std::int32_t {
    PopupMenu = 1,
    // The chevron's add-or-remove list: a popup menu that also shows invisible buttons.
    CustomiseList = 2,
    // Wraps into more rows instead of hiding buttons.
    MenuBar = 3,
    // Hides what does not fit behind the chevron.
    Toolbar = 4,
};

constexpr bool IsMenuSizeStyle(SizeStyle style) {
    return style == SizeStyle::PopupMenu || style == SizeStyle::CustomiseList;
}
// Value 5 is measured and painted as a tool bar too, though no control sets it.
constexpr bool IsToolbarSizeStyle(SizeStyle style) {
    return static_cast<std::int32_t>(style) >= 3 && static_cast<std::int32_t>(style) <= 5;
}

// Where a control docks its bar; the number is what the control persists. Any other value is
// drawn as a horizontal bar.
enum class Orientation : std::int32_t {
    Top = 0,
    // Vertical on the left: menus open to the right.
    Left = 1,
    // Vertical on the right: menus open to the left.
    Right = 2,
    Bottom = 3,
};

constexpr bool IsVerticalOrientation(Orientation orientation) {
    return orientation == Orientation::Left || orientation == Orientation::Right;
}

// A control's caption position for tool bar buttons (its ButtonTextPosition).
enum class ButtonTextPosition : std::int32_t {
    Beside = 0,
    Below = 1,
};

// A button's check box in the chevron's add-or-remove list; ordinary buttons have none.
enum class CustomiseState : std::int32_t {
    Unchecked = 0,
    Checked = 1,
    NoCheckBox = 2,
};

// The "H" + decimal handle keys under which controls and windows are kept.
inline std::wstring HandleKey(WindowHandle handle) { return L"H" + std::to_wstring(handle); }

// Keys that read as a number would be taken for positions, so they are refused. A key reads as
// a number when the number reader takes all of it: blanks around, an optional sign, digits with
// at most one '.' or user's decimal separator, an optional exponent, or an &H / &O radix number
// ("12", "3.5", "-3", " 7 ", "1e3", "&HFF", and "3,5" where the separator is ','). "A12", "1A",
// "1e", "." and "-" are keys.
bool KeyReadsAsNumber(std::wstring_view key, wchar_t decimalSeparator);

// A caption as read aloud: each "&" marking a mnemonic dropped, "&&" read as one "&".
std::wstring CaptionWithoutMnemonic(std::wstring_view caption);
// The character after the first single "&", or 0 when the caption has none.
wchar_t MnemonicOf(std::wstring_view caption);

}  // namespace core::commandbar
