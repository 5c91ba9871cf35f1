// The tab strip's keys and stored properties. A byte stream drives the key list as the tab strip
// does (insert before a reference, remove a reference, clear) beside a count of platform tabs,
// with the reference rules checked at every step; the rest of the input, as stored texts under
// the strip's property names, must load to properties that save and load back unchanged.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "core/tabcontrol/tab_keys.h"
#include "core/tabcontrol/tab_strip_properties.h"
#include "fuzz_input.h"

namespace {

using fuzz::Require;

core::ItemRef TakeRef(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return input.ConsumeIntegralInRange(-2, 9);
    std::wstring key = fuzz::TakeText(input, 6);
    const core::ItemRef ref = core::ItemRef(key).KeyReadAsNumber();
    Require(ref.IsNumber() == core::ParseInt32(key).has_value(), "a key that reads as a number is no number");
    Require(ref.Text() == key, "a key's text is not the key");
    return ref;
}

void CheckRef(const core::TabKeyList& keys, const core::ItemRef& ref) {
    const std::size_t count = keys.Count();
    const std::optional<int> index = keys.IndexFor(ref, count);
    if (ref.IsNumber()) {
        Require(index.has_value() == (ref.Number() >= 1 && static_cast<std::size_t>(ref.Number()) <= count),
                "a tab number's range is wrong");
        return;
    }
    if (!index) {
        for (std::size_t i = 0; i < count; ++i) Require(keys.KeyAt(i) != ref.Key(), "a present key is not found");
        return;
    }
    Require(*index >= 1 && static_cast<std::size_t>(*index) <= count, "a key's tab is out of range");
    Require(keys.KeyAt(static_cast<std::size_t>(*index - 1)) == ref.Key(), "a key finds another tab");
    for (int i = 1; i < *index; ++i) {
        Require(keys.KeyAt(static_cast<std::size_t>(i - 1)) != ref.Key(), "a key does not find its first tab");
    }
}

void DriveKeys(FuzzedDataProvider& input) {
    core::TabKeyList keys;
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const core::ItemRef ref = TakeRef(input);
        CheckRef(keys, ref);
        const std::size_t count = keys.Count();
        switch (input.ConsumeIntegralInRange(0, 4)) {
            case 0:
            case 1: {
                const auto position = keys.InsertPosition(ref, count);
                if (!position) break;
                Require(*position <= count, "an insert position past the end");
                std::wstring key = fuzz::TakeText(input, 6);
                keys.Insert(*position, key);
                Require(keys.Count() == count + 1 && keys.KeyAt(*position) == key, "an insert went elsewhere");
                break;
            }
            case 2:
            case 3: {
                const auto index = keys.IndexFor(ref, count);
                if (!index) break;
                keys.Remove(static_cast<std::size_t>(*index - 1));
                Require(keys.Count() == count - 1, "a removal did not remove one tab");
                const auto selected = core::SelectionAfterRemoval(static_cast<std::size_t>(*index - 1), count - 1);
                Require(selected.has_value() == (count > 1) && (!selected || *selected < count - 1),
                        "the selection after a removal is no tab");
                break;
            }
            default:
                keys.Clear();
                Require(keys.Count() == 0, "clearing leaves tabs");
                break;
        }
    }
}

void CheckPropertiesReload(FuzzedDataProvider& input) {
    static const std::vector<std::wstring> names = [] {
        core::PropertyBag saved;
        core::WriteTabStripProperties(core::TabStripProperties{}, saved);
        std::vector<std::wstring> all{L"Other"};
        for (const auto& [name, text] : saved.Values()) all.push_back(name);
        return all;
    }();
    core::PropertyBag bag;
    while (input.remaining_bytes() > 0) {
        std::wstring text = fuzz::TakeText(input, 40);
        bag.WriteText(names[input.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)], std::move(text));
    }
    const core::TabStripProperties loaded = core::ReadTabStripProperties(bag);
    core::TabWindowStyle(loaded);
    core::PropertyBag saved;
    core::WriteTabStripProperties(loaded, saved);
    Require(core::ReadTabStripProperties(saved) == loaded, "loaded tab strip properties reload differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte is the length of the keys' part; the properties take the rest.
    const std::size_t keyBytes = std::min<std::size_t>(data[0], size - 1);
    FuzzedDataProvider keyInput(data + 1, keyBytes);
    DriveKeys(keyInput);
    FuzzedDataProvider propertyInput(data + 1 + keyBytes, size - 1 - keyBytes);
    CheckPropertiesReload(propertyInput);
    return 0;
}
