// The property bag and the controls' property loading over any stored texts under the names the
// controls save. Typed values written must read back; reads of stored texts keep to their ranges;
// and whatever a control loads, saved and loaded again, must come back unchanged.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/controls/control_properties.h"
#include "fuzz_input.h"

namespace {

using fuzz::Require;

// The names the controls save, and one they do not.
std::vector<std::wstring> PropertyNames() {
    core::PropertyBag saved;
    core::SaveHyperLink(core::HyperLinkProperties{}, saved);
    core::SaveProgressBar(core::ProgressBarState{}, core::FontDescription{}, saved);
    std::vector<std::wstring> names{L"Other"};
    for (const auto& [name, text] : saved.Values()) names.push_back(name);
    return names;
}

void CheckTypedReads(const core::PropertyBag& bag, const std::wstring& name) {
    const std::int64_t number = bag.ReadInt(name, -3);
    Require(number == -3 || (number >= -2147483648LL && number <= 4294967295LL), "an integer outside its range");
    Require(std::isfinite(bag.ReadDouble(name, 0.5)), "a double that is not finite");
    const core::FontDescription font = bag.ReadFont(name, core::FontDescription{});
    Require(!font.name.empty() && font.points > 0 && font.points <= 1000 && font.charset >= 0 && font.charset <= 255,
            "a font outside its rules");
}

void CheckWritesReadBack(FuzzedDataProvider& input) {
    core::PropertyBag bag;
    const auto whole = input.ConsumeIntegralInRange<std::int64_t>(-2147483648LL, 4294967295LL);
    bag.WriteInt(L"Int", whole);
    Require(bag.ReadInt(L"Int", 0) == whole, "a written integer does not read back");
    const auto real = input.ConsumeFloatingPoint<double>();
    bag.WriteDouble(L"Double", real);
    if (std::isfinite(real)) Require(bag.ReadDouble(L"Double", 0) == real, "a written double does not read back");

    core::FontDescription font;
    font.name = fuzz::TakeText(input);
    font.points = input.ConsumeFloatingPointInRange<double>(0, 1000);
    font.bold = input.ConsumeBool();
    font.italic = input.ConsumeBool();
    font.underline = input.ConsumeBool();
    font.charset = input.ConsumeIntegralInRange(0, 255);
    // A face name has no ';' (the separator of the stored form).
    if (font.name.empty() || font.name.find(L';') != std::wstring::npos || !(font.points > 0)) return;
    bag.WriteFont(L"Font", font);
    Require(bag.ReadFont(L"Font", core::FontDescription{}) == font, "a written font does not read back");
}

void CheckHyperLinkReloads(const core::PropertyBag& bag, const core::ContainerAmbient& ambient) {
    const core::HyperLinkProperties loaded = core::LoadHyperLink(bag, ambient);
    core::PropertyBag saved;
    core::SaveHyperLink(loaded, saved);
    Require(core::LoadHyperLink(saved, core::ContainerAmbient{}) == loaded, "a loaded hyperlink reloads differently");
}

// A progress bar loaded from the bag and saved at once.
core::PropertyBag ProgressBarResaved(const core::PropertyBag& bag, const core::ContainerAmbient& ambient) {
    core::ProgressBarState state;
    core::FontDescription font;
    core::LoadProgressBar(bag, ambient, state, font);
    state.Frame(200);  // what a paint computes from it
    core::PropertyBag saved;
    core::SaveProgressBar(state, font, saved);
    return saved;
}

void CheckProgressBarReloads(const core::PropertyBag& bag, const core::ContainerAmbient& ambient) {
    const core::PropertyBag once = ProgressBarResaved(bag, ambient);
    Require(ProgressBarResaved(once, core::ContainerAmbient{}).Values() == once.Values(),
            "a loaded progress bar reloads differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::wstring> names = PropertyNames();
    FuzzedDataProvider input(data, size);
    CheckWritesReadBack(input);

    core::PropertyBag bag;
    while (input.remaining_bytes() > 0) {
        const std::wstring& name = names[input.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)];
        bag.WriteText(name, fuzz::TakeText(input, 40));
        CheckTypedReads(bag, name);
    }
    const core::ContainerAmbient ambient{core::FontDescription{L"Arial", 9, true, false, false, false, 204}, 0x111111, 0x222222};
    CheckHyperLinkReloads(bag, ambient);
    CheckProgressBarReloads(bag, ambient);
    return 0;
}
