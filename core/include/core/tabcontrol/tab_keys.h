#pragma once
// The tab strip's keyed, 1-based tab list arithmetic: which position a reference names, where a
// new tab goes, which tab takes over the selection. The platform tab items live elsewhere; this
// holds the keys that run parallel to them.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace core {

// A tab as callers name it: a value that reads as a number is a 1-based tab number, anything
// else a tab key.
class TabRef {
public:
    TabRef(int number) : isNumber_(true), number_(number) {}   // NOLINT: numbers and keys mix freely
    TabRef(std::wstring key);                                  // NOLINT
    TabRef(const wchar_t* key) : TabRef(std::wstring(key)) {}  // NOLINT

    bool IsNumber() const noexcept { return isNumber_; }
    int Number() const noexcept { return number_; }
    const std::wstring& Key() const noexcept { return key_; }
    // The reference as error texts show it.
    std::wstring Text() const;

private:
    bool isNumber_ = false;
    int number_ = 0;
    std::wstring key_;
};

class TabKeyList {
public:
    std::size_t Count() const noexcept { return keys_.size(); }
    const std::wstring& KeyAt(std::size_t position) const { return keys_.at(position); }

    // The 1-based number of the referenced tab among tabCount tabs, or nullopt when there is no
    // such tab. A key matches exactly; the first match wins.
    std::optional<int> IndexFor(const TabRef& ref, std::size_t tabCount) const;

    // The 0-based position a new tab takes among count tabs when placed before `before`: a
    // number n puts it at n - 1, and anything outside 1..count (-1 by convention) appends. A key
    // puts it at that tab's position; nullopt when no tab has the key.
    std::optional<std::size_t> InsertPosition(const TabRef& before, std::size_t count) const;

    void Insert(std::size_t position, std::wstring key);
    void Remove(std::size_t position);
    void Clear() noexcept { keys_.clear(); }

private:
    std::vector<std::wstring> keys_;
};

// After the selected tab at removedPosition (0-based) went, the position that takes over the
// selection among the remainingCount tabs left: the tab that moved into its place, or the last.
std::optional<std::size_t> SelectionAfterRemoval(std::size_t removedPosition, std::size_t remainingCount);

}  // namespace core
