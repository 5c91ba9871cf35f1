#pragma once
// Message pumping for tests that drive real windows.

#include <functional>

namespace testing_support {

// Dispatches messages for the given time.
void PumpFor(unsigned milliseconds);
// Dispatches messages until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, unsigned timeoutMilliseconds = 5000);

}  // namespace testing_support
