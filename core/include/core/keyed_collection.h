#pragma once
// An ordered collection with optional unique string keys, addressed from 1, as the program's
// components keep their items: adding a key twice fails with 457, a missing key or a position
// outside 1..count fails with the collection's own error. Keys compare exactly (case-sensitive).
// Lists whose keys run parallel to platform items (tabs, images) may allow a key more than once:
// a lookup then finds the first.
//
// Lookups are linear: the collections hold tens of items, and order matters more than speed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/runtime_error.h"

namespace core {

namespace collection_error {
inline constexpr std::int32_t kMissingKey = error_number::kIllegalCall;
inline constexpr std::int32_t kBadPosition = error_number::kSubscriptOutOfRange;
inline constexpr const wchar_t* kDuplicateKeyText =
    L"This key is already associated with an element of this collection.";
inline constexpr const wchar_t* kMissingKeyText = L"Invalid procedure call or argument.";
inline constexpr const wchar_t* kBadPositionText = L"Subscript out of range.";
}  // namespace collection_error

enum class DuplicateKeys { Refused, Allowed };

template <typename T>
class KeyedCollection {
public:
    struct Entry {
        std::optional<std::wstring> key;
        T value;
    };

    KeyedCollection() = default;
    explicit KeyedCollection(DuplicateKeys duplicates) noexcept : duplicates_(duplicates) {}

    std::int32_t Count() const noexcept { return static_cast<std::int32_t>(entries_.size()); }
    bool Empty() const noexcept { return entries_.empty(); }

    // Appends; a duplicate key fails with 457 and leaves the collection unchanged.
    void Add(T value, std::optional<std::wstring> key = std::nullopt) {
        CheckNewKey(key);
        entries_.push_back(Entry{std::move(key), std::move(value)});
    }
    // Inserts directly before / after the item at a 1-based position.
    void AddBefore(std::int32_t position, T value, std::optional<std::wstring> key = std::nullopt) {
        CheckNewKey(key);
        CheckPosition(position);
        entries_.insert(entries_.begin() + (position - 1), Entry{std::move(key), std::move(value)});
    }
    void AddAfter(std::int32_t position, T value, std::optional<std::wstring> key = std::nullopt) {
        CheckNewKey(key);
        CheckPosition(position);
        entries_.insert(entries_.begin() + position, Entry{std::move(key), std::move(value)});
    }

    T& Item(std::int32_t position) { return entries_[CheckPosition(position)].value; }
    const T& Item(std::int32_t position) const { return entries_[CheckPosition(position)].value; }
    T& Item(std::wstring_view key) { return entries_[CheckKey(key)].value; }
    const T& Item(std::wstring_view key) const { return entries_[CheckKey(key)].value; }

    // The lookups with errors caught: null / 0 / false when the key is not there.
    T* Find(std::wstring_view key) noexcept {
        std::int32_t index = IndexOf(key);
        return index ? &entries_[index - 1].value : nullptr;
    }
    const T* Find(std::wstring_view key) const noexcept {
        std::int32_t index = IndexOf(key);
        return index ? &entries_[index - 1].value : nullptr;
    }
    bool Contains(std::wstring_view key) const noexcept { return IndexOf(key) != 0; }
    std::int32_t IndexOf(std::wstring_view key) const noexcept {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].key && *entries_[i].key == key) return static_cast<std::int32_t>(i + 1);
        }
        return 0;
    }
    const std::optional<std::wstring>& KeyAt(std::int32_t position) const {
        return entries_[CheckPosition(position)].key;
    }

    // Gives the item another key (none with nullopt); a key another item has fails as in Add.
    void SetKey(std::int32_t position, std::optional<std::wstring> key) {
        const std::size_t index = CheckPosition(position);
        if (key && duplicates_ == DuplicateKeys::Refused) {
            const std::int32_t holder = IndexOf(*key);
            if (holder != 0 && holder != position) CheckNewKey(key);
        }
        entries_[index].key = std::move(key);
    }
    // Exchanges two items with their keys.
    void Swap(std::int32_t first, std::int32_t second) {
        std::swap(entries_[CheckPosition(first)], entries_[CheckPosition(second)]);
    }

    void Remove(std::int32_t position) { entries_.erase(entries_.begin() + CheckPosition(position)); }
    void Remove(std::wstring_view key) { entries_.erase(entries_.begin() + CheckKey(key)); }
    void Clear() noexcept { entries_.clear(); }

    // Iteration in collection order over key and value.
    auto begin() noexcept { return entries_.begin(); }
    auto end() noexcept { return entries_.end(); }
    auto begin() const noexcept { return entries_.begin(); }
    auto end() const noexcept { return entries_.end(); }

    // The values in order, for walks whose steps may change the collection.
    std::vector<T> Values() const {
        std::vector<T> values;
        values.reserve(entries_.size());
        for (const Entry& entry : entries_) values.push_back(entry.value);
        return values;
    }

private:
    void CheckNewKey(const std::optional<std::wstring>& key) const {
        if (key && duplicates_ == DuplicateKeys::Refused && Contains(*key)) {
            throw RuntimeError(error_number::kKeyAlreadyExists, collection_error::kDuplicateKeyText, ExecutableName());
        }
    }
    std::size_t CheckPosition(std::int32_t position) const {
        if (position < 1 || position > Count()) {
            throw RuntimeError(collection_error::kBadPosition, collection_error::kBadPositionText, ExecutableName());
        }
        return static_cast<std::size_t>(position - 1);
    }
    std::size_t CheckKey(std::wstring_view key) const {
        std::int32_t index = IndexOf(key);
        if (index == 0) {
            throw RuntimeError(collection_error::kMissingKey, collection_error::kMissingKeyText, ExecutableName());
        }
        return static_cast<std::size_t>(index - 1);
    }

    std::vector<Entry> entries_;
    DuplicateKeys duplicates_ = DuplicateKeys::Refused;
};

}  // namespace core
