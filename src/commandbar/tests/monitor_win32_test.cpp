#include <windows.h>

#include <gtest/gtest.h>

#include "commandbar/command_bar_process.h"
#include "test_bar_window.h"

namespace commandbar {

TEST(PlatformMonitor, PointOutsideEveryMonitorDescribesNothing) {
    core::commandbar::Monitor monitor;
    monitor.CreateFromPoint(Monitors(), -100000, -100000);
    EXPECT_EQ(monitor.Handle(), 0u);
    EXPECT_EQ(monitor.Width(), 0);
    EXPECT_EQ(monitor.Name(), L"");
}

TEST(PlatformMonitor, WindowAndPointGiveThePrimaryMonitorWithItsWorkArea) {
    testing::TestForm form;
    core::commandbar::Monitor fromWindow;
    fromWindow.CreateFromWindow(Monitors(), ToHandle(form.hwnd()));
    ASSERT_NE(fromWindow.Handle(), 0u);
    EXPECT_TRUE(fromWindow.IsPrimary());
    EXPECT_EQ(fromWindow.Width(), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(fromWindow.Height(), ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(fromWindow.Name().find(L'\0'), std::wstring::npos);
    EXPECT_EQ(fromWindow.Name().rfind(L"\\\\.\\DISPLAY", 0), 0u) << fromWindow.Name().size();

    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(fromWindow.WorkLeft(), work.left);
    EXPECT_EQ(fromWindow.WorkLeft() + fromWindow.WorkWidth(), work.right);
    EXPECT_EQ(fromWindow.WorkTop() + fromWindow.WorkHeight(), work.bottom);

    core::commandbar::Monitor fromPoint;
    fromPoint.CreateFromPoint(Monitors(), 10, 10);
    EXPECT_EQ(fromPoint.Handle(), fromWindow.Handle());

    core::commandbar::Monitor fromDeadWindow;
    fromDeadWindow.CreateFromWindow(Monitors(), 0);
    EXPECT_EQ(fromDeadWindow.Handle(), 0u);
}

}  // namespace commandbar
