#pragma once
// What the settings dialog edits, apart from its window: the pending state of its eleven check
// boxes and two colour swatches, whether Apply is available, and what Apply writes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/sample_text.h"

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

// Whether the program acts on a stored value as on, so that the box shows what the program does:
// only the exact text "1", except ManyCopies, which only "0" turns off (an absent value allows
// several copies).
bool StoredCheckIsOn(SettingsCheck check, const std::optional<std::wstring>& stored);

struct PreferenceWrite {
    std::wstring name;
    std::wstring text;
    bool operator==(const PreferenceWrite&) const = default;
};

class SettingsForm {
public:
    // Takes the stored texts (nullopt when absent) and leaves Apply unavailable: loading is not an edit.
    void Load(const std::array<std::optional<std::wstring>, kSettingsCheckCount>& stored, std::int32_t fontColour,
              std::int32_t backColour);

    bool Checked(SettingsCheck check) const { return checks_.at(static_cast<std::size_t>(check)); }
    std::int32_t Colour(SettingsColour colour) const;
    bool ApplyEnabled() const noexcept { return applyEnabled_; }

    // A click on a check box, with whether the box shows checked afterwards.
    void CheckClicked(SettingsCheck check, bool checked);
    // A colour taken from the colour dialog.
    void ColourChosen(SettingsColour colour, std::int32_t value);

    // The eleven check states as "0" or "1", the text then background colour, then ViewerText, in
    // write order. Apply is unavailable afterwards.
    std::vector<PreferenceWrite> Apply();
    // The presets' texts of the checked text boxes, in preset order.
    std::wstring ViewerText() const;

private:
    std::array<bool, kSettingsCheckCount> checks_{};
    std::int32_t fontColour_ = 0;
    std::int32_t backColour_ = 0;
    bool applyEnabled_ = false;
};

}  // namespace core
