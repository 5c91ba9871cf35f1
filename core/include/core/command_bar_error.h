#pragma once
// The errors the command bar raises, by the short code its collections and painters use.
// Their source is "<executable>.zentPicker".

#include "core/runtime_error.h"

namespace core {

namespace command_bar_error {
inline constexpr int kObjectUnloaded = 1;
inline constexpr int kNoOwningControl = 2;
inline constexpr int kItemDoesNotExist = 3;
inline constexpr int kTypeMismatch = 4;
inline constexpr int kDuplicateKey = 5;
inline constexpr int kSubscriptOutOfRange = 6;
inline constexpr int kFailedToAdd = 7;
inline constexpr int kObjectNotSet = 8;
}  // namespace command_bar_error

RuntimeError CommandBarError(int code);

[[noreturn]] void RaiseCommandBarError(int code);

}  // namespace core
