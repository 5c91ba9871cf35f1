#pragma once
// The keys of an image list's images, parallel to the platform images and numbered from 1 as
// callers name them. An image without a key has the empty key. A non-empty key is unique: it may
// not equal another image's key (blanks around that key aside). Keys compare exactly.
//
// Errors carry the source "<executable>.zentImageList": 9 for a number or key that names no
// image, 457 for a duplicate key.

#include <cstdint>
#include <string>
#include <variant>

#include "core/item_ref.h"
#include "core/keyed_collection.h"

namespace core {

class ImageKeys {
public:
    std::int32_t Count() const noexcept { return keys_.Count(); }
    // Follows the platform list's image count: new images come without a key, the last go.
    void Resize(std::int32_t count);
    void Clear() noexcept { keys_.Clear(); }

    // 1-based number of the image among imageCount images, or -1 for a key no image has. A number
    // outside 1..imageCount raises 9.
    std::int32_t IndexOf(const ItemRef& image, std::int32_t imageCount) const;
    // As IndexOf, and a missing key raises 9 too.
    std::int32_t RequireIndex(const ItemRef& image, std::int32_t imageCount) const;

    // The key of image `index` among imageCount images; 9 outside 1..imageCount.
    const std::wstring& KeyAt(std::int32_t index, std::int32_t imageCount) const;
    // Gives image `index` among imageCount images its key: 9 outside 1..imageCount, 457 when
    // another image has the key (the image keeps its own).
    void SetKey(std::int32_t index, const std::wstring& key, std::int32_t imageCount);

    void Remove(std::int32_t index);
    void Swap(std::int32_t first, std::int32_t second);

private:
    KeyedCollection<std::monostate> keys_{DuplicateKeys::Allowed};
};

}  // namespace core
