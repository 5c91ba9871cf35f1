#include "core/commandbar/monitor.h"

namespace core::commandbar {

void Monitor::CreateFromPoint(const MonitorQueries& queries, std::int32_t x, std::int32_t y) noexcept {
    try {
        MonitorHandle monitor = queries.MonitorFromPoint(x, y);
        if (monitor != 0) InitialiseFromHandle(queries, monitor);
    } catch (...) {
    }
}

void Monitor::CreateFromWindow(const MonitorQueries& queries, WindowHandle hwnd) noexcept {
    try {
        MonitorHandle monitor = queries.MonitorFromWindow(hwnd);
        if (monitor != 0) InitialiseFromHandle(queries, monitor);
    } catch (...) {
    }
}

void Monitor::InitialiseFromHandle(const MonitorQueries& queries, MonitorHandle monitor) noexcept {
    handle_ = monitor;
    try {
        MonitorDescription description;
        if (!queries.Describe(monitor, description)) {
            handle_ = 0;
            return;
        }
        monitor_ = description.monitor;
        work_ = description.work;
        primary_ = (description.flags & 1u) != 0;
        std::size_t end = description.deviceName.find(L'\0');
        name_ = description.deviceName.substr(0, end);
    } catch (...) {
        handle_ = 0;
    }
}

}  // namespace core::commandbar
