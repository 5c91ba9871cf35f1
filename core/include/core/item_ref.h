#pragma once
// An item of a keyed list as callers name it: by its 1-based number or by its key. The tab strip
// and the image list take their items this way.

#include <string>
#include <utility>

namespace core {

class ItemRef {
public:
    ItemRef(int number) : isNumber_(true), number_(number) {}    // NOLINT: numbers and keys mix freely
    ItemRef(std::wstring key) : key_(std::move(key)) {}          // NOLINT
    ItemRef(const wchar_t* key) : ItemRef(std::wstring(key)) {}  // NOLINT

    bool IsNumber() const noexcept { return isNumber_; }
    int Number() const noexcept { return number_; }
    const std::wstring& Key() const noexcept { return key_; }
    // The reference as error texts show it.
    std::wstring Text() const { return isNumber_ && key_.empty() ? std::to_wstring(number_) : key_; }

    // The same reference with a key that reads as a whole number taken as that number ("3" names
    // the third item), the way the tab strip reads keys; the text stays as given.
    ItemRef KeyReadAsNumber() const;

private:
    bool isNumber_ = false;
    int number_ = 0;
    std::wstring key_;
};

}  // namespace core
