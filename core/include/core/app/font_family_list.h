#pragma once
// The font list shows one entry per family, in the order the platform first reports each.
//
// Some platforms report a family once per character set; those repeats are the same family and
// appear once. Nothing else is filtered or reordered.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace core {

class FontFamilyList {
public:
    // Returns false when the family was already reported.
    bool Add(std::wstring_view familyName);

    const std::vector<std::wstring>& Names() const noexcept { return names_; }
    size_t size() const noexcept { return names_.size(); }
    bool empty() const noexcept { return names_.empty(); }

private:
    std::vector<std::wstring> names_;
    std::unordered_set<std::wstring> seen_;
};

}  // namespace core
