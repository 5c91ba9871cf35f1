#pragma once
// The six sample-text presets and how the chosen ones are joined into the viewer text.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace core {

enum class SamplePreset : std::size_t { Figures, Symbols, RussianSmall, RussianBig, EnglishSmall, EnglishBig };
inline constexpr std::size_t kSamplePresetCount = 6;

// Which presets are chosen, indexed by SamplePreset.
using SamplePresetChoice = std::array<bool, kSamplePresetCount>;

// The preset's text as it goes into the viewer text: it ends with one blank.
std::wstring_view SamplePresetText(SamplePreset preset);
// The same without its trailing blank, as the settings dialog previews it.
std::wstring_view SamplePresetPreview(SamplePreset preset);

// The chosen presets' texts joined in the fixed preset order, whatever order they were chosen in.
std::wstring ComposeSampleText(const SamplePresetChoice& chosen);

}  // namespace core
