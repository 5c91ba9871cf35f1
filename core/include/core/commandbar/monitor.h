#pragma once
// One display monitor: its rectangle, its work area and whether it is the primary one, so that
// a popup menu stays on the monitor where it opens. Filling never raises: a failure leaves the
// monitor handle 0.

#include <cstdint>
#include <string>

#include "core/centring.h"
#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

using MonitorHandle = std::uintptr_t;

struct MonitorDescription {
    ScreenRect monitor;
    ScreenRect work;
    std::uint32_t flags = 0;
    // As the platform fills it: a fixed-size buffer, NUL-padded.
    std::wstring deviceName;
};

class MonitorQueries {
public:
    virtual ~MonitorQueries() = default;
    // The monitor holding the point or window; 0 when there is none (no fallback to another).
    virtual MonitorHandle MonitorFromPoint(std::int32_t x, std::int32_t y) const = 0;
    virtual MonitorHandle MonitorFromWindow(WindowHandle hwnd) const = 0;
    virtual bool Describe(MonitorHandle monitor, MonitorDescription& description) const = 0;
};

class Monitor {
public:
    bool IsPrimary() const noexcept { return primary_; }
    MonitorHandle Handle() const noexcept { return handle_; }
    const std::wstring& Name() const noexcept { return name_; }
    std::int32_t Left() const noexcept { return monitor_.left; }
    std::int32_t Top() const noexcept { return monitor_.top; }
    std::int32_t Width() const noexcept { return monitor_.right - monitor_.left; }
    std::int32_t Height() const noexcept { return monitor_.bottom - monitor_.top; }
    std::int32_t WorkLeft() const noexcept { return work_.left; }
    std::int32_t WorkTop() const noexcept { return work_.top; }
    std::int32_t WorkWidth() const noexcept { return work_.right - work_.left; }
    std::int32_t WorkHeight() const noexcept { return work_.bottom - work_.top; }

    void CreateFromPoint(const MonitorQueries& queries, std::int32_t x, std::int32_t y) noexcept;
    void CreateFromWindow(const MonitorQueries& queries, WindowHandle hwnd) noexcept;
    // For callers that already know the monitor.
    void InitialiseFromHandle(const MonitorQueries& queries, MonitorHandle monitor) noexcept;

private:
    MonitorHandle handle_ = 0;
    std::wstring name_;
    ScreenRect monitor_;
    ScreenRect work_;
    bool primary_ = false;
};

}  // namespace core::commandbar
