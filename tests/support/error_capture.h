#pragma once
// Collects what callback boundaries report while it lives, instead of showing anything.

#include <vector>

#include "core/runtime_error.h"
#include "win/error_report.h"

namespace testing_support {

class ErrorCapture {
public:
    ErrorCapture();
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    const std::vector<core::RuntimeError>& errors() const noexcept { return errors_; }

private:
    std::vector<core::RuntimeError> errors_;
    win::ErrorReporter previous_;
};

}  // namespace testing_support
