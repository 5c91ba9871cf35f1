#include "win/modal.h"

#include <gtest/gtest.h>

namespace {

class PlainWindow : public win::Window {
public:
    void CreateAt(int x, int y, int width, int height, HWND owner = nullptr) {
        win::CreateArgs args;
        args.style = WS_POPUP | WS_CAPTION;
        args.parent = owner;
        args.x = x;
        args.y = y;
        args.width = width;
        args.height = height;
        Create(win::WindowClassArgs{L"GlyphTestModalWindow"}, args);
    }
};

RECT WorkArea() {
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

TEST(CentreOnOwner, CentresOnAVisibleOwnerAndKeepsTheWindowOnTheWorkArea) {
    const RECT work = WorkArea();
    PlainWindow owner;
    owner.CreateAt(work.left + 100, work.top + 100, 400, 300);
    ::ShowWindow(owner.hwnd(), SW_SHOWNOACTIVATE);
    PlainWindow window;
    window.CreateAt(0, 0, 200, 100, owner.hwnd());

    win::CentreOnOwner(window.hwnd(), owner.hwnd());
    RECT placed = WindowRect(window.hwnd());
    EXPECT_EQ(placed.left, work.left + 200);
    EXPECT_EQ(placed.top, work.top + 200);
    EXPECT_EQ(placed.right - placed.left, 200);

    // An owner hanging over the bottom right corner: the window stops at the work area's edge.
    ::SetWindowPos(owner.hwnd(), nullptr, work.right - 150, work.bottom - 100, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    win::CentreOnOwner(window.hwnd(), owner.hwnd());
    placed = WindowRect(window.hwnd());
    EXPECT_EQ(placed.right, work.right);
    EXPECT_EQ(placed.bottom, work.bottom);

    // A hidden owner counts as none: the work area's centre.
    ::ShowWindow(owner.hwnd(), SW_HIDE);
    win::CentreOnOwner(window.hwnd(), owner.hwnd());
    placed = WindowRect(window.hwnd());
    EXPECT_EQ(placed.left, work.left + (work.right - work.left - 200) / 2);
    EXPECT_EQ(placed.top, work.top + (work.bottom - work.top - 100) / 2);
}

TEST(CloseModal, GivesTheOwnerBackBeforeAndAfterTheWindowGoes) {
    PlainWindow owner;
    owner.CreateAt(0, 0, 300, 200);
    ::ShowWindow(owner.hwnd(), SW_SHOW);
    PlainWindow window;
    window.CreateAt(0, 0, 200, 100, owner.hwnd());
    ::ShowWindow(window.hwnd(), SW_SHOW);
    HWND ownerHandle = owner.hwnd();
    ::EnableWindow(ownerHandle, FALSE);

    win::CloseModal(window, ownerHandle);
    EXPECT_EQ(window.hwnd(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(ownerHandle));

    ::EnableWindow(ownerHandle, FALSE);
    win::ReturnToOwner(ownerHandle);
    EXPECT_EQ(ownerHandle, nullptr);
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
    EXPECT_EQ(::GetActiveWindow(), owner.hwnd());

    win::ReturnToOwner(ownerHandle);  // nothing left to give back
    EXPECT_EQ(ownerHandle, nullptr);
}

}  // namespace
