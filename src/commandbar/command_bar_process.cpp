#include "commandbar/command_bar_process.h"

#include "commandbar/button_platform_win32.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/monitor_queries_win32.h"

namespace commandbar {

core::commandbar::CommandBarRegistry& Registry() {
    // Display-setting changes reach the controls through the registry they are registered with.
    static Win32RegistryEnvironment environment([] { Registry().RefreshAllControls(); });
    static core::commandbar::CommandBarRegistry registry(environment);
    return registry;
}

const core::commandbar::KeyboardLayout& Keyboard() {
    static const Win32KeyboardLayout keyboard;
    return keyboard;
}

const core::commandbar::TextMeasurer& ButtonTextMeasurer() {
    static const Win32TextMeasurer measurer;
    return measurer;
}

const core::commandbar::MonitorQueries& Monitors() {
    static const Win32MonitorQueries monitors;
    return monitors;
}

}  // namespace commandbar
