#include "core/command_bar_error.h"

#include <cstdint>

namespace core {

RuntimeError CommandBarError(int code) {
    // Unsigned so that no code can overflow the sum.
    auto number = static_cast<std::int32_t>(0x80040000u + static_cast<std::uint32_t>(code));
    const wchar_t* description = L"";
    switch (code) {
        case command_bar_error::kObjectUnloaded:
            number = 364;
            description = L"Object has been unloaded.";
            break;
        case command_bar_error::kNoOwningControl:
            number = command_bar_error::kNoOwningControlNumber;
            description = L"Owning zentCommandBar Control does not exist.";
            break;
        case command_bar_error::kItemDoesNotExist:
            number = command_bar_error::kItemDoesNotExistNumber;
            description = L"Item does not exist.";
            break;
        case command_bar_error::kTypeMismatch:
            number = error_number::kTypeMismatch;
            description = L"Type Mismatch.";
            break;
        case command_bar_error::kDuplicateKey:
            number = error_number::kKeyAlreadyExists;
            description = L"This key is already associated with an element of this collection.";
            break;
        case command_bar_error::kSubscriptOutOfRange:
            number = error_number::kSubscriptOutOfRange;
            description = L"Subscript out of range.";
            break;
        case command_bar_error::kFailedToAdd:
            number = command_bar_error::kFailedToAddNumber;
            description = L"Failed to add the item";
            break;
        case command_bar_error::kObjectNotSet:
            number = error_number::kObjectVariableNotSet;
            description = L"Object variable or With block variable not set.";
            break;
        default:
            break;
    }
    return RuntimeError(number, description, ErrorSource(L".zentPicker"));
}

void RaiseCommandBarError(int code) { throw CommandBarError(code); }

void RaiseCommandBarOverflow() {
    throw RuntimeError(error_number::kOverflow, L"Overflow", ErrorSource(L".zentPicker"));
}

}  // namespace core
