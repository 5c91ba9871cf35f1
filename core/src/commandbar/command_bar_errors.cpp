#include "core/commandbar/command_bar_errors.h"

namespace core::commandbar {

namespace {

[[noreturn]] void Raise(std::int32_t number, const wchar_t* text) {
    throw RuntimeError(number, text, ErrorSource(L".zentPicker"));
}

}  // namespace

void RaiseOwnerMissing() { Raise(command_bar_error::kOwnerMissing, L"Owning zentCommandBar Control does not exist."); }
void RaiseItemDoesNotExist() { Raise(command_bar_error::kItemDoesNotExist, L"Item does not exist."); }
void RaiseTypeMismatch() { Raise(error_number::kTypeMismatch, L"Type Mismatch."); }
void RaiseKeyExists() {
    Raise(error_number::kKeyAlreadyExists, L"This key is already associated with an element of this collection.");
}
void RaiseObjectNotSet() {
    Raise(error_number::kObjectVariableNotSet, L"Object variable or With block variable not set.");
}
void RaiseOverflow() { Raise(command_bar_error::kOverflow, L"Overflow"); }

}  // namespace core::commandbar
