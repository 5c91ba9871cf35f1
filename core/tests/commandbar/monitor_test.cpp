#include "core/commandbar/monitor.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace core::commandbar {

namespace {

// One monitor at handle 7: 0..1920 x 0..1080, task bar docked on the left (60 wide).
class FakeMonitors : public MonitorQueries {
public:
    bool describeFails = false;
    bool throws = false;
    std::wstring deviceName = std::wstring(L"\\\\.\\DISPLAY1") + std::wstring(20, L'\0');

    MonitorHandle MonitorFromPoint(std::int32_t x, std::int32_t y) const override {
        if (throws) throw std::runtime_error("platform");
        return x >= 0 && x < 1920 && y >= 0 && y < 1080 ? 7 : 0;
    }
    MonitorHandle MonitorFromWindow(WindowHandle hwnd) const override { return hwnd == 55 ? 7 : 0; }
    bool Describe(MonitorHandle monitor, MonitorDescription& description) const override {
        if (describeFails || monitor != 7) return false;
        description.monitor = {0, 0, 1920, 1080};
        description.work = {60, 0, 1920, 1080};
        description.flags = 1;
        description.deviceName = deviceName;
        return true;
    }
};

}  // namespace

TEST(Monitor, DescribesTheMonitorUnderAPointOrWindow) {
    FakeMonitors monitors;
    Monitor monitor;
    monitor.CreateFromPoint(monitors, 100, 100);
    EXPECT_EQ(monitor.Handle(), 7u);
    EXPECT_TRUE(monitor.IsPrimary());
    EXPECT_EQ(monitor.Name(), L"\\\\.\\DISPLAY1");
    EXPECT_EQ(monitor.Width(), 1920);
    EXPECT_EQ(monitor.Height(), 1080);
    EXPECT_EQ(monitor.WorkLeft(), 60);
    EXPECT_EQ(monitor.WorkLeft() + monitor.WorkWidth(), 1920);
    EXPECT_EQ(monitor.WorkHeight(), 1080);

    Monitor fromWindow;
    fromWindow.CreateFromWindow(monitors, 55);
    EXPECT_EQ(fromWindow.Handle(), 7u);
}

TEST(Monitor, NameWithoutPaddingIsTakenWhole) {
    FakeMonitors monitors;
    monitors.deviceName = std::wstring(32, L'X');
    Monitor monitor;
    monitor.InitialiseFromHandle(monitors, 7);
    EXPECT_EQ(monitor.Name().size(), 32u);
}

TEST(Monitor, FailuresLeaveHandleZeroAndNeverRaise) {
    FakeMonitors monitors;
    Monitor outside;
    outside.CreateFromPoint(monitors, -5000, -5000);
    EXPECT_EQ(outside.Handle(), 0u);
    EXPECT_EQ(outside.Width(), 0);
    EXPECT_EQ(outside.WorkWidth(), 0);
    EXPECT_EQ(outside.Name(), L"");
    EXPECT_FALSE(outside.IsPrimary());

    Monitor filled;
    filled.CreateFromPoint(monitors, 1, 1);
    filled.CreateFromWindow(monitors, 99);  // on no monitor: unchanged
    EXPECT_EQ(filled.Handle(), 7u);
    monitors.describeFails = true;
    filled.InitialiseFromHandle(monitors, 7);
    EXPECT_EQ(filled.Handle(), 0u);
    EXPECT_EQ(filled.Width(), 1920);  // the other fields keep what they had

    monitors.throws = true;
    Monitor thrown;
    EXPECT_NO_THROW(thrown.CreateFromPoint(monitors, 1, 1));
    EXPECT_EQ(thrown.Handle(), 0u);
}

}  // namespace core::commandbar
