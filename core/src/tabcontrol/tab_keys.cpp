#include "core/tabcontrol/tab_keys.h"

#include <stdexcept>

namespace core {

const std::wstring& TabKeyList::KeyAt(std::size_t position) const {
    if (position >= Count()) throw std::out_of_range("tab key position");
    return *keys_.KeyAt(static_cast<std::int32_t>(position) + 1);
}

std::optional<int> TabKeyList::IndexFor(const ItemRef& ref, std::size_t tabCount) const {
    const ItemRef read = ref.KeyReadAsNumber();
    const int number = read.IsNumber() ? read.Number() : keys_.IndexOf(read.Key());
    if (number < 1 || static_cast<std::size_t>(number) > tabCount) return std::nullopt;
    return number;
}

std::optional<std::size_t> TabKeyList::InsertPosition(const ItemRef& before, std::size_t count) const {
    const ItemRef read = before.KeyReadAsNumber();
    if (read.IsNumber()) {
        const int n = read.Number();
        if (n >= 1 && static_cast<std::size_t>(n) <= count) return static_cast<std::size_t>(n - 1);
        return count;
    }
    auto index = IndexFor(read, count);
    if (!index) return std::nullopt;
    return static_cast<std::size_t>(*index - 1);
}

void TabKeyList::Insert(std::size_t position, std::wstring key) {
    if (position >= Count()) {
        keys_.Add({}, std::move(key));
    } else {
        keys_.AddBefore(static_cast<std::int32_t>(position) + 1, {}, std::move(key));
    }
}

void TabKeyList::Remove(std::size_t position) {
    if (position < Count()) keys_.Remove(static_cast<std::int32_t>(position) + 1);
}

std::optional<std::size_t> SelectionAfterRemoval(std::size_t removedPosition, std::size_t remainingCount) {
    if (remainingCount == 0) return std::nullopt;
    return removedPosition < remainingCount ? removedPosition : remainingCount - 1;
}

}  // namespace core
