// The keyed collection driven by a byte stream of operations (add, insert before and after,
// remove by position and by key, read and write items, clear). After every step the keys stay
// unique and every lookup agrees with the order; an operation that fails raises one of the
// collection's errors and leaves it exactly as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/keyed_collection.h"
#include "fuzz_input.h"

namespace {

using fuzz::Require;
using Collection = core::KeyedCollection<int>;
using Snapshot = std::vector<std::pair<std::optional<std::wstring>, int>>;

Snapshot Contents(const Collection& items) {
    Snapshot contents;
    for (const auto& entry : items) contents.emplace_back(entry.key, entry.value);
    return contents;
}

void CheckInvariants(Collection& items) {
    const Snapshot contents = Contents(items);
    Require(contents.size() == static_cast<std::size_t>(items.Count()), "the count disagrees with the entries");
    Require(items.Empty() == contents.empty(), "emptiness disagrees with the count");
    const std::vector<int> values = items.Values();
    for (std::size_t i = 0; i < contents.size(); ++i) {
        const auto position = static_cast<std::int32_t>(i + 1);
        Require(values[i] == contents[i].second && items.Item(position) == contents[i].second,
                "a value is not at its position");
        Require(items.KeyAt(position) == contents[i].first, "a key is not at its position");
        if (!contents[i].first) continue;
        const std::wstring& key = *contents[i].first;
        Require(items.IndexOf(key) == position, "a key is twice in the collection or found elsewhere");
        Require(items.Contains(key) && items.Find(key) == &items.Item(key) && *items.Find(key) == contents[i].second,
                "lookups by key disagree");
    }
}

std::optional<std::wstring> TakeKey(FuzzedDataProvider& input) {
    if (input.ConsumeIntegralInRange(0, 3) == 0) return std::nullopt;
    // Short keys from few letters, so that they collide.
    std::wstring key;
    for (int length = input.ConsumeIntegralInRange(0, 2); length > 0; --length) {
        key += static_cast<wchar_t>(L'a' + input.ConsumeIntegralInRange(0, 2));
    }
    return key;
}

void Step(Collection& items, FuzzedDataProvider& input, int value) {
    const std::int32_t count = items.Count();
    const std::int32_t position = input.ConsumeIntegralInRange(-1, count + 1);
    std::optional<std::wstring> key = TakeKey(input);
    const std::wstring lookup = key.value_or(L"");
    switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0:
            items.Add(value, key);
            Require(items.Count() == count + 1 && items.Item(items.Count()) == value, "an add did not append");
            break;
        case 1:
            items.AddBefore(position, value, key);
            Require(items.Count() == count + 1 && items.Item(position) == value, "an insert before went elsewhere");
            break;
        case 2:
            items.AddAfter(position, value, key);
            Require(items.Count() == count + 1 && items.Item(position + 1) == value, "an insert after went elsewhere");
            break;
        case 3:
            items.Remove(position);
            Require(items.Count() == count - 1, "a removal by position did not remove one");
            break;
        case 4:
            items.Remove(lookup);
            Require(items.Count() == count - 1 && !items.Contains(lookup), "a removal by key did not remove it");
            break;
        case 5:
            items.Item(lookup) = value;
            Require(*items.Find(lookup) == value, "a write by key went elsewhere");
            break;
        case 6:
            items.Item(position) = value;
            break;
        default:
            if (input.ConsumeBool()) items.Clear();
            Require(items.IndexOf(lookup) == 0 || items.Count() > 0, "an empty collection finds a key");
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Collection items;
    for (int value = 1; value <= 64 && input.remaining_bytes() > 0; ++value) {
        const Snapshot before = Contents(items);
        try {
            Step(items, input, value);
        } catch (const core::RuntimeError& error) {
            const std::int32_t number = error.Number();
            Require(number == core::error_number::kKeyAlreadyExists || number == core::collection_error::kMissingKey ||
                        number == core::collection_error::kBadPosition,
                    "a failure that is not one of the collection's errors");
            Require(Contents(items) == before, "a failed operation changed the collection");
        }
        CheckInvariants(items);
    }
    return 0;
}
