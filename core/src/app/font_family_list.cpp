#include "core/app/font_family_list.h"

namespace core {

bool FontFamilyList::Add(std::wstring_view familyName, FontTraits traits) {
    auto [it, inserted] = positions_.emplace(familyName, families_.size());
    if (inserted) {
        families_.push_back({it->first, traits});
        return true;
    }
    FontTraits& known = families_[it->second].traits;
    known.cyrillic = known.cyrillic || traits.cyrillic;
    known.monospaced = known.monospaced || traits.monospaced;
    return false;
}

std::vector<std::wstring> FontFamilyList::Names() const {
    std::vector<std::wstring> names;
    names.reserve(families_.size());
    for (const FontFamily& family : families_) names.push_back(family.name);
    return names;
}

}  // namespace core
