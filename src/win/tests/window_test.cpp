#include "win/window.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/error_capture.h"
#include "support/gui_resources.h"
#include "support/pump.h"

namespace {

class RecordingWindow : public win::Window {
public:
    std::vector<UINT> seen;
    bool destroyed = false;
    bool throwOnPaint = false;

    void CreateTopLevel() {
        win::CreateArgs args;
        args.title = L"Окно";
        args.width = 200;
        args.height = 100;
        Create(win::WindowClassArgs{L"GlyphTestRecordingWindow"}, args);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP || message == WM_CREATE) seen.push_back(message);
        if (message == WM_APP + 1) throw core::RuntimeError(13, L"Type Mismatch.", L"test");
        return DefaultProc(message, wParam, lParam);
    }
    void OnDestroyed() override { destroyed = true; }
};

TEST(Window, AttachesBeforeCreateAndDetachesAfterDestroy) {
    RecordingWindow window;
    window.CreateTopLevel();
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_EQ(window.seen, std::vector<UINT>{WM_CREATE});
    EXPECT_EQ(win::Window::FromHandle(window.hwnd()), &window);
    EXPECT_EQ(win::Window::FromHandle(::GetDesktopWindow()), nullptr);

    ::SendMessageW(window.hwnd(), WM_APP, 0, 0);
    EXPECT_EQ(window.seen.back(), static_cast<UINT>(WM_APP));

    HWND handle = window.hwnd();
    window.Destroy();
    EXPECT_TRUE(window.destroyed);
    EXPECT_EQ(window.hwnd(), nullptr);
    EXPECT_FALSE(::IsWindow(handle));
}

TEST(Window, ExceptionInHandlerIsReportedAndWindowLivesOn) {
    testing_support::ErrorCapture capture;
    RecordingWindow window;
    window.CreateTopLevel();
    ::SendMessageW(window.hwnd(), WM_APP + 1, 0, 0);
    ASSERT_EQ(capture.errors().size(), 1u);
    EXPECT_EQ(capture.errors()[0].Number(), 13);
    EXPECT_EQ(capture.errors()[0].Description(), L"Type Mismatch.");
    ::SendMessageW(window.hwnd(), WM_APP, 0, 0);
    EXPECT_EQ(window.seen.back(), static_cast<UINT>(WM_APP));
}

TEST(Window, DestroyingTheObjectDestroysTheWindow) {
    HWND handle = nullptr;
    {
        RecordingWindow window;
        window.CreateTopLevel();
        handle = window.hwnd();
    }
    EXPECT_FALSE(::IsWindow(handle));
}

TEST(Window, CreatingAndDestroyingLeaksNoHandles) {
    { RecordingWindow warmUp; warmUp.CreateTopLevel(); }
    testing_support::PumpFor(10);
    unsigned gdiBefore = testing_support::GdiObjectCount();
    unsigned userBefore = testing_support::UserObjectCount();
    for (int i = 0; i < 50; ++i) {
        RecordingWindow window;
        window.CreateTopLevel();
        ::ShowWindow(window.hwnd(), SW_SHOW);
        ::UpdateWindow(window.hwnd());
    }
    testing_support::PumpFor(10);
    EXPECT_LE(testing_support::GdiObjectCount(), gdiBefore);
    EXPECT_LE(testing_support::UserObjectCount(), userBefore);
}

TEST(GuiResources, CountsFollowCreatedObjects) {
    unsigned gdiBefore = testing_support::GdiObjectCount();
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_EQ(testing_support::GdiObjectCount(), gdiBefore + 2);
    ::DeleteObject(brush);
    ::DeleteObject(pen);
    EXPECT_EQ(testing_support::GdiObjectCount(), gdiBefore);

    unsigned userBefore = testing_support::UserObjectCount();
    RecordingWindow window;
    window.CreateTopLevel();
    EXPECT_GT(testing_support::UserObjectCount(), userBefore);
}

}  // namespace
