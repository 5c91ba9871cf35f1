#include "core/controls/control_properties.h"

#include <gtest/gtest.h>

#include "core/app/about_text.h"

namespace core {
namespace {

TEST(PropertyBag, TypedReadsFallBackForMissingOrUnreadableValues) {
    PropertyBag bag;
    bag.WriteText(L"Flag", L"yes");
    bag.WriteText(L"Number", L"12abc");
    bag.WriteInt(L"Colour", 0x8000000D);
    bag.WriteDouble(L"Share", 0.1);
    EXPECT_TRUE(bag.ReadBool(L"Flag", true));
    EXPECT_FALSE(bag.ReadBool(L"Flag", false));
    EXPECT_EQ(bag.ReadInt(L"Number", 7), 7);
    EXPECT_EQ(bag.ReadInt(L"Missing", -1), -1);
    EXPECT_EQ(bag.ReadInt(L"Colour", 0), 0x8000000D);
    EXPECT_EQ(bag.ReadDouble(L"Share", 0), 0.1);
    EXPECT_EQ(bag.ReadText(L"Missing", L"x"), L"x");
}

TEST(PropertyBag, FontsRoundTripAndBadFontTextsFallBack) {
    FontDescription font{L"Times New Roman", 10.5, true, false, true, false, 204};
    EXPECT_EQ(FontDescriptionToText(font), L"Times New Roman;10.5;bold;underline;204");
    PropertyBag bag;
    bag.WriteFont(L"Font", font);
    EXPECT_EQ(bag.ReadFont(L"Font", FontDescription{}), font);
    for (const wchar_t* bad : {L"", L"Tahoma", L";8;0", L"Tahoma;0;0", L"Tahoma;8;wavy;0", L"Tahoma;8;300"}) {
        bag.WriteText(L"Font", bad);
        EXPECT_EQ(bag.ReadFont(L"Font", FontDescription{}), FontDescription{}) << testing::PrintToString(std::wstring(bad));
    }
}

TEST(HyperLinkProperties, SaveAndReloadKeepsEveryPersistedValueButNotTheSound) {
    HyperLinkProperties p;
    p.enabled = false;
    p.font = FontDescription{L"Arial", 9, false, true, false, false, 0};
    p.hyperLink = L"mailto:glyphoscope@marrowind.ru";
    p.caption = L"Напишите нам";
    p.alignment = TextAlignment::Centre;
    p.autoSize = false;
    p.hoverColour = kHighlightColour;
    p.appearance = 0;
    p.borderStyle = core::BorderStyle::FixedSingle;
    p.foreColour = 0x000088;
    p.backColour = 0xFFFFFF;
    p.autoToolTip = false;
    p.moUnderline = true;
    p.moPointer = true;
    p.soundOn = true;
    p.soundId = 101;

    PropertyBag bag;
    SaveHyperLink(p, bag);
    EXPECT_FALSE(bag.Contains(L"SoundOn"));
    EXPECT_FALSE(bag.Contains(L"SoundID"));
    EXPECT_EQ(bag.ReadText(L"HoverColor", L""), L"2147483661") << "system colours are stored unsigned, as ever";
    HyperLinkProperties reloaded = LoadHyperLink(bag, ContainerAmbient{});
    EXPECT_FALSE(reloaded.soundOn);
    EXPECT_EQ(reloaded.soundId, 0);
    p.soundOn = false;
    p.soundId = 0;
    EXPECT_EQ(reloaded, p);
}

TEST(HyperLinkProperties, AnEmptyBagTakesTheDefaultsAndTheContainersFontAndColours) {
    ContainerAmbient ambient{FontDescription{L"MS Sans Serif", 8, false, false, false, false, 204}, 0x111111, 0x222222};
    HyperLinkProperties loaded = LoadHyperLink(PropertyBag{}, ambient);
    EXPECT_EQ(loaded.font, ambient.font);
    EXPECT_EQ(loaded.foreColour, 0x111111);
    EXPECT_EQ(loaded.backColour, 0x222222);
    EXPECT_EQ(loaded.hoverColour, 0x0000FF);
    EXPECT_TRUE(loaded.autoToolTip);
    EXPECT_TRUE(loaded.autoSize);
    EXPECT_EQ(loaded.appearance, 1);
    // A new instance saved untouched reads back as the same new instance.
    PropertyBag bag;
    SaveHyperLink(HyperLinkProperties{}, bag);
    EXPECT_EQ(LoadHyperLink(bag, ambient), HyperLinkProperties{});
}

TEST(HyperLinkProperties, StoredTargetsLoseSurroundingBlanks) {
    EXPECT_EQ(TrimBlanks(L"  https://www.marrowind.ru/  "), L"https://www.marrowind.ru/");
    EXPECT_EQ(TrimBlanks(L"   "), L"");
    EXPECT_EQ(TrimBlanks(L"a b"), L"a b");
    PropertyBag bag;
    bag.WriteText(L"HyperLink", L" mailto:x@y.ru ");
    EXPECT_EQ(LoadHyperLink(bag, {}).hyperLink, L"mailto:x@y.ru");
}

TEST(ProgressBarProperties, LoadAppliesStoredValuesWithoutTheTotalRule) {
    ProgressBarState state;
    state.SetCalculatePercentage(true);
    state.SetTotalValue(250);
    state.SetValue(62.5f);
    state.SetText(L"Шрифты");
    state.SetShowStatus(false);
    state.SetProgressColour(0x008000);
    FontDescription font{L"MS Sans Serif", 8, false, false, false, false, 204};
    PropertyBag bag;
    SaveProgressBar(state, font, bag);

    ProgressBarState loaded;
    FontDescription loadedFont;
    LoadProgressBar(bag, {}, loaded, loadedFont);
    EXPECT_EQ(loaded.Value(), 62.5f);
    EXPECT_TRUE(loaded.CalculatePercentage());
    EXPECT_EQ(loaded.TotalValue(), 250);
    EXPECT_FALSE(loaded.ShowStatus());
    EXPECT_EQ(loaded.Text(), L"Шрифты");
    EXPECT_EQ(loaded.ProgressColour(), 0x008000);
    EXPECT_EQ(loadedFont, font);

    bag.WriteText(L"TotalValue", L"0");  // stored as it is, unlike the setter
    LoadProgressBar(bag, {}, loaded, loadedFont);
    EXPECT_EQ(loaded.TotalValue(), 0);
    bag.WriteText(L"Value", L"1e39");  // no float holds it: unreadable, not infinity
    LoadProgressBar(bag, {}, loaded, loadedFont);
    EXPECT_EQ(loaded.Value(), 0);

    ContainerAmbient ambient;
    ambient.font.name = L"Arial";
    LoadProgressBar(PropertyBag{}, ambient, loaded, loadedFont);
    EXPECT_EQ(loaded.Value(), 0);
    EXPECT_FALSE(loaded.CalculatePercentage());
    EXPECT_TRUE(loaded.ShowStatus());
    EXPECT_EQ(loaded.ProgressColour(), 0x800000);
    EXPECT_EQ(loadedFont.name, L"Arial");
}

TEST(AboutText, VersionLineForTheProgramsVersion) {
    EXPECT_EQ(AboutVersionLine(2, 3, 120), L"Версия 2.3.1 build 120 для Microsoft® Windows®.");
    EXPECT_EQ(AboutVersionLine(10, 0, 0), L"Версия 10.0.1 build 0 для Microsoft® Windows®.");
}

}  // namespace
}  // namespace core
