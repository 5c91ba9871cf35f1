#include "app/preferences.h"

#include <gtest/gtest.h>

#include "app/tests/registry_fixture.h"
#include "win/dpi.h"
#include "win/handles.h"

namespace app {
namespace {

class PreferencesStore : public testing_support::CleanPreferences {};

void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    win::UniqueRegKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kPreferencesKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                                nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    key.reset();
}

TEST_F(PreferencesStore, MissingKeyAndMissingValueReadAsAbsent) {
    EXPECT_EQ(prefs::Get(pref::kManyCopies), std::nullopt);
    prefs::Set(pref::kShowSplash, L"1");
    EXPECT_EQ(prefs::Get(pref::kManyCopies), std::nullopt);
    EXPECT_EQ(prefs::Get(pref::kShowSplash), L"1");
    EXPECT_EQ(GetString(HKEY_CURRENT_USER, L"Software\\Marrowind\\Nothing here", L"ShowSplash"), std::nullopt);
}

TEST_F(PreferencesStore, EmptyTextIsNotAbsent) {
    prefs::Set(pref::kViewerText, L"");
    EXPECT_EQ(prefs::Get(pref::kViewerText), L"");
    EXPECT_FALSE(prefs::IsOn(pref::kViewerText));
}

TEST_F(PreferencesStore, OtherTypesReadAsAbsent) {
    DWORD number = 1;
    WriteRaw(pref::kTopMost, REG_DWORD, &number, sizeof(number));
    const wchar_t expand[] = L"%TEMP%";
    WriteRaw(pref::kViewerText, REG_EXPAND_SZ, expand, sizeof(expand));
    WriteRaw(pref::kFontSize, REG_BINARY, "14", 2);
    EXPECT_EQ(prefs::Get(pref::kTopMost), std::nullopt);
    EXPECT_EQ(prefs::Get(pref::kViewerText), std::nullopt);
    EXPECT_EQ(prefs::Get(pref::kFontSize), std::nullopt);
    EXPECT_FALSE(prefs::IsOn(pref::kTopMost));
}

TEST_F(PreferencesStore, DataWithAndWithoutTerminatorReadTheSame) {
    const wchar_t text[] = L"Съешь же ещё этих мягких французских булок";
    WriteRaw(pref::kViewerText, REG_SZ, text, sizeof(text));  // with the NUL
    WriteRaw(pref::kTextFigures, REG_SZ, text, sizeof(text) - sizeof(wchar_t));  // without
    EXPECT_EQ(prefs::Get(pref::kViewerText), text);
    EXPECT_EQ(prefs::Get(pref::kTextFigures), text);
    // Text after an embedded NUL is not part of the value; a dangling odd byte is no character.
    const wchar_t embedded[] = L"12\0garbage";
    WriteRaw(pref::kFontSize, REG_SZ, embedded, sizeof(embedded));
    EXPECT_EQ(prefs::Get(pref::kFontSize), L"12");
    WriteRaw(pref::kMainLeft, REG_SZ, L"150", 5);
    EXPECT_EQ(prefs::Get(pref::kMainLeft), L"15");
}

TEST_F(PreferencesStore, WritesTerminatedUnicodeText) {
    const std::wstring russian = L"абвгдеёжзийклмнопрстуфхцчшщъыьэюя АБВ \u20AC";
    prefs::Set(pref::kViewerText, russian);
    EXPECT_EQ(prefs::Get(pref::kViewerText), russian);

    win::UniqueRegKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kPreferencesKeyPath, 0, KEY_QUERY_VALUE, key.put()), ERROR_SUCCESS);
    DWORD type = 0, bytes = 0;
    ::RegQueryValueExW(key.get(), pref::kViewerText, nullptr, &type, nullptr, &bytes);
    key.reset();
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, (russian.size() + 1) * sizeof(wchar_t));
}

TEST_F(PreferencesStore, VeryLongTextRoundTrips) {
    std::wstring text(100000, L'ы');
    prefs::Set(pref::kViewerText, text);
    EXPECT_EQ(prefs::Get(pref::kViewerText), text);
}

TEST_F(PreferencesStore, NumbersThatDoNotConvertReadAsTheirDefault) {
    prefs::Set(pref::kBackColour, L"16777215");
    prefs::Set(pref::kFontColour, L"red");
    prefs::Set(pref::kMainLeft, L" 1500 ");
    prefs::Set(pref::kMainTop, L"far away");
    EXPECT_EQ(prefs::ReadColour(pref::kBackColour), 16777215);
    EXPECT_EQ(prefs::ReadColour(pref::kFontColour), 0);
    EXPECT_EQ(prefs::ReadColour(pref::kTextFigures), 0);  // absent
    EXPECT_FLOAT_EQ(prefs::ReadTwips(pref::kMainLeft), 1500.0f);
    EXPECT_FLOAT_EQ(prefs::ReadTwips(pref::kMainTop), 0.0f);
    EXPECT_EQ(prefs::ReadCoordinatePixels(pref::kMainLeft), win::TwipsToPixels(1500));
    // A number, but no window coordinate: as absent.
    prefs::Set(pref::kMainTop, L"1e30");
    EXPECT_EQ(prefs::ReadCoordinatePixels(pref::kMainTop), 0);
}

TEST_F(PreferencesStore, BooleansAreTheExactTextOne) {
    prefs::SetOn(pref::kTopMost, true);
    prefs::SetOn(pref::kSaveSize, false);
    prefs::Set(pref::kShowToolBar, L"1 ");
    EXPECT_EQ(prefs::Get(pref::kTopMost), L"1");
    EXPECT_EQ(prefs::Get(pref::kSaveSize), L"0");
    EXPECT_TRUE(prefs::IsOn(pref::kTopMost));
    EXPECT_FALSE(prefs::IsOn(pref::kSaveSize));
    EXPECT_FALSE(prefs::IsOn(pref::kShowToolBar));
}

}  // namespace
}  // namespace app
