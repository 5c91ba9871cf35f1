#pragma once
// Monitor queries through USER32, without falling back to a default monitor.

#include "core/commandbar/monitor.h"

namespace commandbar {

class Win32MonitorQueries : public core::commandbar::MonitorQueries {
public:
    core::commandbar::MonitorHandle MonitorFromPoint(std::int32_t x, std::int32_t y) const override;
    core::commandbar::MonitorHandle MonitorFromWindow(core::commandbar::WindowHandle hwnd) const override;
    bool Describe(core::commandbar::MonitorHandle monitor,
                  core::commandbar::MonitorDescription& description) const override;
};

}  // namespace commandbar
