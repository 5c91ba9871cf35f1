#pragma once
// The tab strip's keyed, 1-based tab list arithmetic: which position a reference names, where a
// new tab goes, which tab takes over the selection. The platform tab items live elsewhere; this
// holds the keys that run parallel to them. A tab without a key has the empty key; a key may
// repeat, and a lookup finds the first.

#include <cstddef>
#include <optional>
#include <string>
#include <variant>

#include "core/item_ref.h"
#include "core/keyed_collection.h"

namespace core {

class TabKeyList {
public:
    std::size_t Count() const noexcept { return static_cast<std::size_t>(keys_.Count()); }
    const std::wstring& KeyAt(std::size_t position) const;

    // The 1-based number of the referenced tab among tabCount tabs, or nullopt when there is no
    // such tab. A key that reads as a whole number is that number; any other key matches exactly.
    std::optional<int> IndexFor(const ItemRef& ref, std::size_t tabCount) const;

    // The 0-based position a new tab takes among count tabs when placed before `before`: a
    // number n puts it at n - 1, and anything outside 1..count (-1 by convention) appends. A key
    // puts it at that tab's position; nullopt when no tab has the key.
    std::optional<std::size_t> InsertPosition(const ItemRef& before, std::size_t count) const;

    void Insert(std::size_t position, std::wstring key);
    void Remove(std::size_t position);
    void Clear() noexcept { keys_.Clear(); }

private:
    KeyedCollection<std::monostate> keys_{DuplicateKeys::Allowed};
};

// After the selected tab at removedPosition (0-based) went, the position that takes over the
// selection among the remainingCount tabs left: the tab that moved into its place, or the last.
std::optional<std::size_t> SelectionAfterRemoval(std::size_t removedPosition, std::size_t remainingCount);

}  // namespace core
