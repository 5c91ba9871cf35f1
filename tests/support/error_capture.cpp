#include "support/error_capture.h"

namespace testing_support {

ErrorCapture::ErrorCapture()
    : previous_(win::SetErrorReporter([this](const core::RuntimeError& e) { errors_.push_back(e); })) {}

ErrorCapture::~ErrorCapture() { win::SetErrorReporter(std::move(previous_)); }

}  // namespace testing_support
