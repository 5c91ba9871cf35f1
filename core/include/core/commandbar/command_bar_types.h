#pragma once
// Values shared by the command bar's records, handles and registry.

#include <cstdint>
#include <string>
#include <string_view>

namespace core::commandbar {

// A platform window handle at its full width; 0 is no window.
using WindowHandle = std::uintptr_t;

enum class ButtonStyle : std::int32_t {
    eNormal = 0,
    eSeparator = 1,
    eSplit = 2,
    ePanel = 3,
    eCheck = 4,
    eRadio = 5,
    eRadioNullable = 6,
};

// Bit set: ShortcutModifiers must equal the pressed combination exactly.
enum ShortcutModifier : std::int32_t {
    eShift = 1,
    eCtrl = 2,
    eAlt = 4,
};

// What a bar tells the controls that show it.
enum class BarChangeKind : std::int32_t {
    kButtonList = 1,
    kTitle = 3,
    kButtonSize = 4,
    kButtonLook = 5,
    kButtonChecked = 6,
};

enum SizeStyle : std::int32_t {
    eSizePopupMenu = 1,
    eSizeCustomiseList = 2,
    eSizeMenuBar = 3,
    eSizeToolbar = 4,
};

// Orientations 1 and 2 are the vertical ones.
constexpr bool IsVerticalOrientation(std::int32_t orientation) { return orientation == 1 || orientation == 2; }

// The "H" + decimal handle keys under which controls and windows are kept.
inline std::wstring HandleKey(WindowHandle handle) { return L"H" + std::to_wstring(handle); }

// Keys that read as a number would be taken for positions, so they are refused. A key reads as
// a number when the number reader takes all of it: blanks around, an optional sign, digits with
// at most one '.' or user's decimal separator, an optional exponent, or an &H / &O radix number
// ("12", "3.5", "-3", " 7 ", "1e3", "&HFF", and "3,5" where the separator is ','). "A12", "1A",
// "1e", "." and "-" are keys.
bool KeyReadsAsNumber(std::wstring_view key, wchar_t decimalSeparator);

}  // namespace core::commandbar
