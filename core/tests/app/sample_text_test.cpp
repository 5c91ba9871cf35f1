#include "core/app/sample_text.h"

#include <gtest/gtest.h>

namespace {

using core::SamplePreset;

TEST(SampleText, JoinsChosenPresetsInPresetOrder) {
    core::SamplePresetChoice chosen{};
    EXPECT_EQ(core::ComposeSampleText(chosen), L"");
    chosen[static_cast<std::size_t>(SamplePreset::RussianSmall)] = true;
    chosen[static_cast<std::size_t>(SamplePreset::Figures)] = true;
    EXPECT_EQ(core::ComposeSampleText(chosen), L"0123456789 абвгдеёжзийклмнопрстуфхцчшщъыьэюя ");
    chosen.fill(true);
    EXPECT_EQ(core::ComposeSampleText(chosen),
              L"0123456789 !№;%:?*()_=-+@#~^&$<> абвгдеёжзийклмнопрстуфхцчшщъыьэюя "
              L"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
}

TEST(SampleText, PreviewDropsOnlyTheTrailingBlank) {
    EXPECT_EQ(core::SamplePresetPreview(SamplePreset::Symbols), L"!№;%:?*()_=-+@#~^&$<>");
    EXPECT_EQ(core::SamplePresetPreview(SamplePreset::RussianBig), L"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    EXPECT_EQ(core::SamplePresetText(SamplePreset::EnglishBig), L"ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
}

}  // namespace
