#pragma once
// What the settings dialog edits, apart from its window: the pending state of its eleven check
// boxes and two colour swatches, whether Apply is available, and what Apply writes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/sample_text.h"

namespace core {

// The dialog's check boxes in load and write order: five program options, then the six presets.
enum class SettingsCheck : std::size_t {
    TopMost,
    SaveSize,
    ManyCopies,
    LoadFontsAtProgramStartup,
    ShowSplash,
    TextFigures,
    TextSymbols,
    TextRussianSmall,
    TextRussianBig,
    TextEnglishSmall,
    TextEnglishBig,
};
inline constexpr std::size_t kSettingsCheckCount = 11;

enum class SettingsColour : std::size_t { Font, Back };

// The preference each check box edits.
std::wstring_view SettingsCheckValueName(SettingsCheck check);
// The preset a text check box stands for; only valid for TextFigures..TextEnglishBig.
SamplePreset PresetOfCheck(SettingsCheck check);
bool IsPresetCheck(SettingsCheck check);

struct PreferenceWrite {
    std::wstring name;
    std::wstring text;
    bool operator==(const PreferenceWrite&) const = default;
};

class SettingsForm {
public:
    // Takes the stored values and leaves Apply unavailable: loading is not an edit.
    void Load(const std::array<std::int16_t, kSettingsCheckCount>& checks, std::int32_t fontColour,
              std::int32_t backColour);

    std::int16_t CheckState(SettingsCheck check) const { return checks_.at(static_cast<std::size_t>(check)); }
    std::int32_t Colour(SettingsColour colour) const;
    bool ApplyEnabled() const noexcept { return applyEnabled_; }

    // A click on a check box, with the state the box shows afterwards.
    void CheckClicked(SettingsCheck check, std::int16_t newState);
    // A colour taken from the colour dialog.
    void ColourChosen(SettingsColour colour, std::int32_t value);

    // The eleven check states, the text then background colour, then ViewerText, in write order.
    // Apply is unavailable afterwards.
    std::vector<PreferenceWrite> Apply();
    // The presets' texts of the checked text boxes, in preset order.
    std::wstring ViewerText() const;

private:
    std::array<std::int16_t, kSettingsCheckCount> checks_{};
    std::int32_t fontColour_ = 0;
    std::int32_t backColour_ = 0;
    bool applyEnabled_ = false;
};

}  // namespace core
