#include "core/settings_form.h"

#include <gtest/gtest.h>

namespace {

using core::PreferenceWrite;
using core::SettingsCheck;
using core::SettingsColour;
using core::SettingsForm;

TEST(SettingsForm, LoadingIsNotAnEditButClicksAndColoursAre) {
    SettingsForm form;
    std::array<std::int16_t, core::kSettingsCheckCount> checks{};
    checks[1] = 1;
    form.Load(checks, 255, 0xFFFFFF);
    EXPECT_FALSE(form.ApplyEnabled());
    EXPECT_EQ(form.CheckState(SettingsCheck::SaveSize), 1);
    EXPECT_EQ(form.Colour(SettingsColour::Font), 255);
    EXPECT_EQ(form.Colour(SettingsColour::Back), 0xFFFFFF);

    form.CheckClicked(SettingsCheck::ShowSplash, 1);
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
    std::array<std::int16_t, core::kSettingsCheckCount> checks{};
    form.Load(checks, 0, 0);
    form.CheckClicked(SettingsCheck::TopMost, 1);
    form.CheckClicked(SettingsCheck::TextRussianSmall, 1);
    form.CheckClicked(SettingsCheck::TextFigures, 1);
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

TEST(SettingsForm, OnlyStateOneCountsForTheViewerTextAndNegativeColoursStayDecimal) {
    SettingsForm form;
    std::array<std::int16_t, core::kSettingsCheckCount> checks{};
    checks[static_cast<std::size_t>(SettingsCheck::TextSymbols)] = 2;  // a grey box is not a choice
    checks[static_cast<std::size_t>(SettingsCheck::TextEnglishBig)] = 1;
    form.Load(checks, static_cast<std::int32_t>(0x8000000F), 0);
    auto writes = form.Apply();
    EXPECT_EQ(writes[6], (PreferenceWrite{L"TextSymbols", L"2"}));
    EXPECT_EQ(writes[11], (PreferenceWrite{L"FontColor", L"-2147483633"}));
    EXPECT_EQ(writes.back(), (PreferenceWrite{L"ViewerText", L"ABCDEFGHIJKLMNOPQRSTUVWXYZ "}));
}

TEST(SettingsForm, PresetChecksMapToTheirPresets) {
    EXPECT_FALSE(core::IsPresetCheck(SettingsCheck::ShowSplash));
    EXPECT_TRUE(core::IsPresetCheck(SettingsCheck::TextFigures));
    EXPECT_EQ(core::PresetOfCheck(SettingsCheck::TextEnglishSmall), core::SamplePreset::EnglishSmall);
    EXPECT_EQ(core::SettingsCheckValueName(SettingsCheck::LoadFontsAtProgramStartup), L"LoadFontsAtProgramStartup");
}

}  // namespace
