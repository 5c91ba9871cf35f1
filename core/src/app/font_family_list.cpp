#include "core/app/font_family_list.h"

namespace core {

bool FontFamilyList::Add(std::wstring_view familyName) {
    auto [it, inserted] = seen_.emplace(familyName);
    if (inserted) names_.push_back(*it);
    return inserted;
}

}  // namespace core
