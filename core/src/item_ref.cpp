#include "core/item_ref.h"

#include "core/number_text.h"

namespace core {

ItemRef ItemRef::KeyReadAsNumber() const {
    ItemRef read = *this;
    if (isNumber_) return read;
    if (auto number = ParseInt32(key_)) {
        read.isNumber_ = true;
        read.number_ = *number;
    }
    return read;
}

}  // namespace core
