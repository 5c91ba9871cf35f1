#include "core/tabcontrol/tab_keys.h"

#include "core/number_text.h"

namespace core {

TabRef::TabRef(std::wstring key) : key_(std::move(key)) {
    // "3" given as text names the third tab, as any numeric text does.
    if (auto number = ParseInt32(key_)) {
        isNumber_ = true;
        number_ = *number;
    }
}

std::wstring TabRef::Text() const { return isNumber_ && key_.empty() ? std::to_wstring(number_) : key_; }

std::optional<int> TabKeyList::IndexFor(const TabRef& ref, std::size_t tabCount) const {
    int number = 0;
    if (ref.IsNumber()) {
        number = ref.Number();
    } else {
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            if (keys_[i] == ref.Key()) {
                number = static_cast<int>(i) + 1;
                break;
            }
        }
    }
    if (number < 1 || static_cast<std::size_t>(number) > tabCount) return std::nullopt;
    return number;
}

std::optional<std::size_t> TabKeyList::InsertPosition(const TabRef& before, std::size_t count) const {
    if (before.IsNumber()) {
        int n = before.Number();
        if (n >= 1 && static_cast<std::size_t>(n) <= count) return static_cast<std::size_t>(n - 1);
        return count;
    }
    auto index = IndexFor(before, count);
    if (!index) return std::nullopt;
    return static_cast<std::size_t>(*index - 1);
}

void TabKeyList::Insert(std::size_t position, std::wstring key) {
    if (position > keys_.size()) position = keys_.size();
    keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(position), std::move(key));
}

void TabKeyList::Remove(std::size_t position) {
    if (position < keys_.size()) keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(position));
}

std::optional<std::size_t> SelectionAfterRemoval(std::size_t removedPosition, std::size_t remainingCount) {
    if (remainingCount == 0) return std::nullopt;
    return removedPosition < remainingCount ? removedPosition : remainingCount - 1;
}

}  // namespace core
