#include "commandbar/monitor_queries_win32.h"

#include <windows.h>

namespace commandbar {

using core::commandbar::MonitorHandle;

MonitorHandle Win32MonitorQueries::MonitorFromPoint(std::int32_t x, std::int32_t y) const {
    return reinterpret_cast<MonitorHandle>(::MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONULL));
}

MonitorHandle Win32MonitorQueries::MonitorFromWindow(core::commandbar::WindowHandle hwnd) const {
    return reinterpret_cast<MonitorHandle>(::MonitorFromWindow(reinterpret_cast<HWND>(hwnd), MONITOR_DEFAULTTONULL));
}

bool Win32MonitorQueries::Describe(MonitorHandle monitor, core::commandbar::MonitorDescription& description) const {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(reinterpret_cast<HMONITOR>(monitor), &info)) return false;
    description.monitor = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    description.work = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    description.flags = info.dwFlags;
    description.deviceName.assign(info.szDevice, std::size(info.szDevice));
    return true;
}

}  // namespace commandbar
