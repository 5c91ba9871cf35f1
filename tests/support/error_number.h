#pragma once
// What a call raises, as the number a caller's error handler would see; portable, so the core's
// tests use it too.

#include <cstdint>

#include "core/runtime_error.h"

namespace testing_support {

// The number of the RuntimeError the call throws, 0 when it returns normally.
template <typename Call>
std::int32_t ErrorNumberOf(Call&& call) {
    try {
        call();
    } catch (const core::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace testing_support
