#include "core/commandbar/command_bar_error.h"

#include <cstdint>
#include <iterator>
#include <limits>

namespace core {

namespace {

struct KnownError {
    std::int32_t number;
    const wchar_t* description;
};

// By code, from 1.
constexpr KnownError kKnownErrors[] = {
    {364, L"Object has been unloaded."},
    {command_bar_error::kNoOwningControlNumber, L"Owning zentCommandBar Control does not exist."},
    {command_bar_error::kItemDoesNotExistNumber, L"Item does not exist."},
    {error_number::kTypeMismatch, L"Type Mismatch."},
    {error_number::kKeyAlreadyExists, L"This key is already associated with an element of this collection."},
    {error_number::kSubscriptOutOfRange, L"Subscript out of range."},
    {command_bar_error::kFailedToAddNumber, L"Failed to add the item"},
    {error_number::kObjectVariableNotSet, L"Object variable or With block variable not set."},
};

}  // namespace

RuntimeError CommandBarError(int code) {
    if (code >= 1 && code <= static_cast<int>(std::size(kKnownErrors))) {
        const KnownError& known = kKnownErrors[code - 1];
        return RuntimeError(known.number, known.description, ErrorSource(L".zentPicker"));
    }
    // Unsigned so that no code can overflow the sum.
    const auto number = static_cast<std::int32_t>(0x80040000u + static_cast<std::uint32_t>(code));
    return RuntimeError(number, L"", ErrorSource(L".zentPicker"));
}

void RaiseCommandBarError(int code) { throw CommandBarError(code); }

void RaiseCommandBarOverflow() {
    throw RuntimeError(error_number::kOverflow, L"Overflow", ErrorSource(L".zentPicker"));
}

std::int32_t CheckedInt32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        RaiseCommandBarOverflow();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace core
