#include "core/app/settings_form.h"

#include "core/number_text.h"

namespace core {

namespace {
constexpr std::array<std::wstring_view, kSettingsCheckCount> kCheckValueNames = {
    L"TopMost",        L"SaveSize",         L"ManyCopies",     L"LoadFontsAtProgramStartup",
    L"ShowSplash",     L"TextFigures",      L"TextSymbols",    L"TextRussianSmall",
    L"TextRussianBig", L"TextEnglishSmall", L"TextEnglishBig",
};
constexpr auto kFirstPresetCheck = static_cast<std::size_t>(SettingsCheck::TextFigures);
}  // namespace

std::wstring_view SettingsCheckValueName(SettingsCheck check) {
    return kCheckValueNames.at(static_cast<std::size_t>(check));
}

bool IsPresetCheck(SettingsCheck check) { return static_cast<std::size_t>(check) >= kFirstPresetCheck; }

SamplePreset PresetOfCheck(SettingsCheck check) {
    return static_cast<SamplePreset>(static_cast<std::size_t>(check) - kFirstPresetCheck);
}

bool StoredCheckIsOn(SettingsCheck check, const std::optional<std::wstring>& stored) {
    if (check == SettingsCheck::ManyCopies) return stored != L"0";
    return stored == L"1";
}

void SettingsForm::Load(const std::array<std::optional<std::wstring>, kSettingsCheckCount>& stored,
                        std::int32_t fontColour, std::int32_t backColour) {
    for (std::size_t i = 0; i < kSettingsCheckCount; ++i) {
        checks_[i] = StoredCheckIsOn(static_cast<SettingsCheck>(i), stored[i]);
    }
    fontColour_ = fontColour;
    backColour_ = backColour;
    applyEnabled_ = false;
}

std::int32_t SettingsForm::Colour(SettingsColour colour) const {
    return colour == SettingsColour::Font ? fontColour_ : backColour_;
}

void SettingsForm::CheckClicked(SettingsCheck check, bool checked) {
    checks_.at(static_cast<std::size_t>(check)) = checked;
    applyEnabled_ = true;
}

void SettingsForm::ColourChosen(SettingsColour colour, std::int32_t value) {
    (colour == SettingsColour::Font ? fontColour_ : backColour_) = value;
    applyEnabled_ = true;
}

std::wstring SettingsForm::ViewerText() const {
    SamplePresetChoice chosen{};
    for (std::size_t i = 0; i < kSamplePresetCount; ++i) chosen[i] = checks_[kFirstPresetCheck + i];
    return ComposeSampleText(chosen);
}

std::vector<PreferenceWrite> SettingsForm::Apply() {
    std::vector<PreferenceWrite> writes;
    for (std::size_t i = 0; i < kSettingsCheckCount; ++i) {
        writes.push_back({std::wstring(kCheckValueNames[i]), checks_[i] ? L"1" : L"0"});
    }
    writes.push_back({L"FontColor", FormatInt(fontColour_)});
    writes.push_back({L"BackColor", FormatInt(backColour_)});
    writes.push_back({L"ViewerText", ViewerText()});
    applyEnabled_ = false;
    return writes;
}

}  // namespace core
