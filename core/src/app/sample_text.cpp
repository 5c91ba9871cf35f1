#include "core/app/sample_text.h"

namespace core {

namespace {
constexpr std::array<std::wstring_view, kSamplePresetCount> kPresetTexts = {
    L"0123456789 ",
    L"!№;%:?*()_=-+@#~^&$<> ",
    L"абвгдеёжзийклмнопрстуфхцчшщъыьэюя ",
    L"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ ",
    L"abcdefghijklmnopqrstuvwxyz ",
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZ ",
};
}  // namespace

std::wstring_view SamplePresetText(SamplePreset preset) { return kPresetTexts.at(static_cast<std::size_t>(preset)); }

std::wstring_view SamplePresetPreview(SamplePreset preset) {
    std::wstring_view text = SamplePresetText(preset);
    return text.substr(0, text.size() - 1);
}

std::wstring ComposeSampleText(const SamplePresetChoice& chosen) {
    std::wstring text;
    for (std::size_t i = 0; i < kSamplePresetCount; ++i) {
        if (chosen[i]) text += kPresetTexts[i];
    }
    return text;
}

}  // namespace core
