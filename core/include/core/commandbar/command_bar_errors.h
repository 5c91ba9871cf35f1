#pragma once
// The command bar's own errors, all raised with "<executable>.zentPicker" as source.

#include <cstdint>

#include "core/runtime_error.h"

namespace core::commandbar {

namespace command_bar_error {
inline constexpr std::int32_t kOwnerMissing = error_number::kObjectErrorBase + 25262;
inline constexpr std::int32_t kItemDoesNotExist = error_number::kObjectErrorBase + 25263;
inline constexpr std::int32_t kOverflow = 6;
}  // namespace command_bar_error

[[noreturn]] void RaiseOwnerMissing();
[[noreturn]] void RaiseItemDoesNotExist();
[[noreturn]] void RaiseTypeMismatch();
[[noreturn]] void RaiseKeyExists();
[[noreturn]] void RaiseObjectNotSet();
[[noreturn]] void RaiseOverflow();

}  // namespace core::commandbar
