#pragma once
// The errors the command bar raises, by the short code its collections and painters use.
// Their source is "<executable>.zentPicker".

#include <cstdint>

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

// The numbers of the component's own errors, for callers that test for them.
inline constexpr std::int32_t kNoOwningControlNumber = error_number::kObjectErrorBase + 0x62AE;
inline constexpr std::int32_t kItemDoesNotExistNumber = error_number::kObjectErrorBase + 0x62AF;
inline constexpr std::int32_t kFailedToAddNumber = error_number::kObjectErrorBase + 0x62B3;
}  // namespace command_bar_error

RuntimeError CommandBarError(int code);

[[noreturn]] void RaiseCommandBarError(int code);

// A size or coordinate that leaves 32 bits: the standard overflow error, raised by the command bar.
[[noreturn]] void RaiseCommandBarOverflow();
// A size or coordinate computed in 64 bits, back in 32: the overflow error when it does not fit.
std::int32_t CheckedInt32(std::int64_t value);

}  // namespace core
