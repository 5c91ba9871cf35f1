#pragma once
// The process-wide command bar registry and the platform services the model uses, in one place.

#include "core/commandbar/button_platform.h"
#include "core/commandbar/command_bar_registry.h"
#include "core/commandbar/monitor.h"

namespace commandbar {

core::commandbar::CommandBarRegistry& Registry();
const core::commandbar::KeyboardLayout& Keyboard();
const core::commandbar::TextMeasurer& ButtonTextMeasurer();
const core::commandbar::MonitorQueries& Monitors();

}  // namespace commandbar
