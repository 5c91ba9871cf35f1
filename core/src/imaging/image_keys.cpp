#include "core/imaging/image_keys.h"

#include <string_view>

#include "core/runtime_error.h"

namespace core {

namespace {

[[noreturn]] void Raise(std::int32_t number) {
    const wchar_t* description = number == error_number::kSubscriptOutOfRange
                                     ? L"Subscript out of range"
                                     : L"This key is already associated with an element of this collection";
    throw RuntimeError(number, description, ErrorSource(L".zentImageList"));
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

void CheckNumber(std::int32_t index, std::int32_t imageCount) {
    if (index < 1 || index > imageCount) Raise(error_number::kSubscriptOutOfRange);
}

}  // namespace

void ImageKeys::Resize(std::int32_t count) {
    while (keys_.Count() < count) keys_.Add({}, std::wstring());
    while (keys_.Count() > count && keys_.Count() > 0) keys_.Remove(keys_.Count());
}

std::int32_t ImageKeys::IndexOf(const ItemRef& image, std::int32_t imageCount) const {
    if (image.IsNumber()) {
        CheckNumber(image.Number(), imageCount);
        return image.Number();
    }
    const std::int32_t index = keys_.IndexOf(image.Key());
    return index == 0 ? -1 : index;
}

std::int32_t ImageKeys::RequireIndex(const ItemRef& image, std::int32_t imageCount) const {
    const std::int32_t index = IndexOf(image, imageCount);
    if (index < 1) Raise(error_number::kSubscriptOutOfRange);
    return index;
}

const std::wstring& ImageKeys::KeyAt(std::int32_t index, std::int32_t imageCount) const {
    CheckNumber(index, imageCount);
    static const std::wstring kNone;
    return index <= keys_.Count() ? *keys_.KeyAt(index) : kNone;
}

void ImageKeys::SetKey(std::int32_t index, const std::wstring& key, std::int32_t imageCount) {
    CheckNumber(index, imageCount);
    if (index > keys_.Count()) Resize(index);
    if (!key.empty()) {
        for (std::int32_t other = 1; other <= keys_.Count(); ++other) {
            if (other == index) continue;
            const std::wstring_view theirs = TrimBlanks(*keys_.KeyAt(other));
            if (!theirs.empty() && theirs == key) Raise(error_number::kKeyAlreadyExists);
        }
    }
    keys_.SetKey(index, key);
}

void ImageKeys::Remove(std::int32_t index) {
    if (index >= 1 && index <= keys_.Count()) keys_.Remove(index);
}

void ImageKeys::Swap(std::int32_t first, std::int32_t second) { keys_.Swap(first, second); }

}  // namespace core
