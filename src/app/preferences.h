#pragma once
// The preferences store: every setting is a REG_SZ value of one key of the current user.
//
// There is no cache: each read goes to the registry, so a value written by one window is seen by
// the next read anywhere. Text goes through the Unicode registry calls, so Cyrillic sample texts
// survive under any code page. A missing value, or one of another type, reads as absent.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace app {

inline constexpr wchar_t kPreferencesKeyPath[] = L"Software\\Marrowind\\Glyphoscope 2.3\\Preferences";

// The stored text of a value, or nullopt when the key or value is missing, has another type than
// REG_SZ or cannot be read; core::PreferenceText says how the data reads.
std::optional<std::wstring> GetString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName);

// Writes the value as REG_SZ with its terminating NUL, creating missing keys. Failures are silent:
// the previous value stays.
void SetString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text);

// The program's own key under HKEY_CURRENT_USER, with the conversions every reader uses. Numbers
// that are absent or do not convert read as 0, the value's absent default.
namespace prefs {

std::optional<std::wstring> Get(const wchar_t* valueName);
void Set(const wchar_t* valueName, const std::wstring& text);

// True only for the exact text "1".
bool IsOn(const wchar_t* valueName);
// Stores "1" or "0".
void SetOn(const wchar_t* valueName, bool on);

// A 32-bit colour 0x00BBGGRR.
std::int32_t ReadColour(const wchar_t* valueName, std::int32_t absent = 0);
// A coordinate in twips.
float ReadTwips(const wchar_t* valueName);
// A coordinate stored in twips, in screen pixels; 0 also when it lies beyond window coordinates.
int ReadCoordinatePixels(const wchar_t* valueName);

}  // namespace prefs

// Value names of the program's preferences.
namespace pref {
inline constexpr wchar_t kManyCopies[] = L"ManyCopies";
inline constexpr wchar_t kShowSplash[] = L"ShowSplash";
inline constexpr wchar_t kLoadFontsAtProgramStartup[] = L"LoadFontsAtProgramStartup";
inline constexpr wchar_t kTopMost[] = L"TopMost";
inline constexpr wchar_t kSaveSize[] = L"SaveSize";
inline constexpr wchar_t kMainLeft[] = L"MainLeft";
inline constexpr wchar_t kMainTop[] = L"MainTop";
inline constexpr wchar_t kShowToolBar[] = L"ShowToolBar";
inline constexpr wchar_t kFontSize[] = L"FontSize";
inline constexpr wchar_t kBackColour[] = L"BackColor";
// White until the user picks a colour: the stored default, black, would hide the black text.
inline constexpr std::int32_t kBackColourAbsent = 0xFFFFFF;
inline constexpr wchar_t kFontColour[] = L"FontColor";
inline constexpr wchar_t kViewerText[] = L"ViewerText";
inline constexpr wchar_t kTextFigures[] = L"TextFigures";
inline constexpr wchar_t kTextSymbols[] = L"TextSymbols";
inline constexpr wchar_t kTextRussianSmall[] = L"TextRussianSmall";
inline constexpr wchar_t kTextRussianBig[] = L"TextRussianBig";
inline constexpr wchar_t kTextEnglishSmall[] = L"TextEnglishSmall";
inline constexpr wchar_t kTextEnglishBig[] = L"TextEnglishBig";
// Which fonts the list shows: "All", "Cyrillic", "Monospaced" or "Opened" (core::FontScriptText).
inline constexpr wchar_t kFontFilter[] = L"FontFilter";
// The folder the open dialog showed last.
inline constexpr wchar_t kFontFileFolder[] = L"FontFileFolder";
}  // namespace pref

}  // namespace app
