#include "win/handles.h"

#include <gtest/gtest.h>

#include "support/gui_resources.h"

namespace {

TEST(UniqueHandle, PutReleasesWhatWasHeldAndTakesTheNewHandle) {
    const unsigned before = testing_support::GdiObjectCount();
    win::UniqueBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
    HBRUSH* slot = brush.put();
    EXPECT_EQ(testing_support::GdiObjectCount(), before) << "the held brush is deleted";
    *slot = ::CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_TRUE(brush);
    brush.reset();
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

TEST(SelectGuard, AMovedGuardSelectsThePreviousObjectBackOnce) {
    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    win::UniqueBitmap bitmap(::CreateCompatibleBitmap(dc.get(), 4, 4));
    const HGDIOBJ stock = ::GetCurrentObject(dc.get(), OBJ_BITMAP);
    win::SelectGuard member;
    {
        win::SelectGuard local(dc.get(), bitmap.get());
        member = std::move(local);
        EXPECT_FALSE(local.Selected());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get()) << "the moved-from guard restores nothing";
    member.Restore();
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), stock);
}

}  // namespace
