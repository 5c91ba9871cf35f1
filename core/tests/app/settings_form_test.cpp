#include "core/app/settings_form.h"

#include <gtest/gtest.h>

namespace {

using core::PreferenceWrite;
using core::SettingsCheck;
using core::SettingsColour;
using core::SettingsForm;
using Stored = std::array<std::optional<std::wstring>, core::kSettingsCheckCount>;

std::optional<std::wstring>& At(Stored& stored, SettingsCheck check) { return stored[static_cast<std::size_t>(check)]; }

TEST(SettingsForm, LoadingIsNotAnEditButClicksAndColoursAre) {
    SettingsForm form;
    Stored stored{};
    At(stored, SettingsCheck::SaveSize) = L"1";
    form.Load(stored, 255, 0xFFFFFF);
    EXPECT_FALSE(form.ApplyEnabled());
    EXPECT_TRUE(form.Checked(SettingsCheck::SaveSize));
    EXPECT_EQ(form.Colour(SettingsColour::Font), 255);
    EXPECT_EQ(form.Colour(SettingsColour::Back), 0xFFFFFF);

    form.CheckClicked(SettingsCheck::ShowSplash, true);
    EXPECT_TRUE(form.ApplyEnabled());
    form.Apply();
    EXPECT_FALSE(form.ApplyEnabled());
    form.ColourChosen(SettingsColour::Back, 0x00FF00);
    EXPECT_TRUE(form.ApplyEnabled());
    EXPECT_EQ(form.Colour(SettingsColour::Back), 0x00FF00);
    EXPECT_EQ(form.Colour(SettingsColour::Font), 255);
}

TEST(SettingsForm, ApplyWritesEveryValueInOrder) {
    SettingsForm form;
    Stored stored{};
    At(stored, SettingsCheck::ManyCopies) = L"0";
    form.Load(stored, 0, 0);
    form.CheckClicked(SettingsCheck::TopMost, true);
    form.CheckClicked(SettingsCheck::TextRussianSmall, true);
    form.CheckClicked(SettingsCheck::TextFigures, true);
    form.ColourChosen(SettingsColour::Font, 0x0000FF);
    form.ColourChosen(SettingsColour::Back, 0x808080);

    std::vector<PreferenceWrite> expected = {
        {L"TopMost", L"1"},         {L"SaveSize", L"0"},
        {L"ManyCopies", L"0"},      {L"LoadFontsAtProgramStartup", L"0"},
        {L"ShowSplash", L"0"},      {L"TextFigures", L"1"},
        {L"TextSymbols", L"0"},     {L"TextRussianSmall", L"1"},
        {L"TextRussianBig", L"0"},  {L"TextEnglishSmall", L"0"},
        {L"TextEnglishBig", L"0"},  {L"FontColor", L"255"},
        {L"BackColor", L"8421504"}, {L"ViewerText", L"0123456789 абвгдеёжзийклмнопрстуфхцчшщъыьэюя "},
    };
    EXPECT_EQ(form.Apply(), expected);
}

// A box shows checked exactly when the program acts on the stored value as on, and OK writes back
// what the box shows: "2", "5", "-1" or "1.5" must not look checked yet read as off everywhere.
TEST(SettingsForm, BoxesShowWhatTheProgramDoesAndApplyWritesOnlyZeroOrOne) {
    struct Case {
        SettingsCheck check;
        std::optional<std::wstring> stored;
        bool on;
    };
    const Case cases[] = {
        {SettingsCheck::TopMost, L"1", true},
        {SettingsCheck::TopMost, L"2", false},
        {SettingsCheck::SaveSize, L"5", false},
        {SettingsCheck::SaveSize, L" 1", false},
        {SettingsCheck::ShowSplash, L"-1", false},
        {SettingsCheck::TextFigures, L"1.5", false},
        {SettingsCheck::TextSymbols, L"2", false},
        {SettingsCheck::TextEnglishBig, std::nullopt, false},
        {SettingsCheck::TextRussianBig, L"1", true},
        {SettingsCheck::ManyCopies, L"0", false},
        {SettingsCheck::ManyCopies, std::nullopt, true},
        {SettingsCheck::ManyCopies, L"2", true},
        {SettingsCheck::ManyCopies, L"1", true},
    };
    for (const Case& c : cases) {
        SettingsForm form;
        Stored stored{};
        At(stored, SettingsCheck::ManyCopies) = L"0";
        At(stored, c.check) = c.stored;
        form.Load(stored, 0, 0);
        const auto label = testing::PrintToString(c.stored.value_or(L"(absent)"));
        EXPECT_EQ(form.Checked(c.check), c.on) << label;
        EXPECT_EQ(core::StoredCheckIsOn(c.check, c.stored), c.on) << label;
        auto writes = form.Apply();
        EXPECT_EQ(writes[static_cast<std::size_t>(c.check)].text, c.on ? L"1" : L"0") << label;
        // The sample text follows the boxes the user sees.
        bool presetShown = core::IsPresetCheck(c.check) && c.on;
        EXPECT_EQ(writes.back().text.empty(), !presetShown) << label;
    }
}

TEST(SettingsForm, NegativeColoursStayDecimal) {
    SettingsForm form;
    form.Load(Stored{}, static_cast<std::int32_t>(0x8000000F), 0);
    EXPECT_EQ(form.Apply()[11], (PreferenceWrite{L"FontColor", L"-2147483633"}));
}

TEST(SettingsForm, PresetChecksMapToTheirPresets) {
    EXPECT_FALSE(core::IsPresetCheck(SettingsCheck::ShowSplash));
    EXPECT_TRUE(core::IsPresetCheck(SettingsCheck::TextFigures));
    EXPECT_EQ(core::PresetOfCheck(SettingsCheck::TextEnglishSmall), core::SamplePreset::EnglishSmall);
    EXPECT_EQ(core::SettingsCheckValueName(SettingsCheck::LoadFontsAtProgramStartup), L"LoadFontsAtProgramStartup");
}

}  // namespace
