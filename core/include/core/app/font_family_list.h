#pragma once
// The font list shows one entry per family, in the order the platform first reports each.
//
// Some platforms report a family once per character set; those repeats are the same family and
// appear once, with what every report said about it. Nothing else is filtered or reordered.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace core {

// What the script filter asks of a family.
struct FontTraits {
    bool cyrillic = false;    // reported for the Cyrillic character set
    bool monospaced = false;  // every character as wide as the next
    bool opened = false;      // from a file the user opened, not installed
};

struct FontFamily {
    std::wstring name;
    FontTraits traits;
};

class FontFamilyList {
public:
    // Returns false when the family was already reported; its traits gain the new report's.
    bool Add(std::wstring_view familyName, FontTraits traits = {});

    const std::vector<FontFamily>& Families() const noexcept { return families_; }
    std::vector<std::wstring> Names() const;
    size_t size() const noexcept { return families_.size(); }
    bool empty() const noexcept { return families_.empty(); }

private:
    std::vector<FontFamily> families_;
    std::unordered_map<std::wstring, size_t> positions_;
};

}  // namespace core
