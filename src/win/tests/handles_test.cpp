#include "win/handles.h"

#include <gtest/gtest.h>
#include <lzexpand.h>

#include "support/gui_resources.h"
#include "win/library.h"

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

TEST(LibraryFunction, LoadsTheLibraryAtTheFirstCallAndFindsOnlyWhatItExports) {
    // A library this test program does not import, so nothing has loaded it yet.
    ASSERT_EQ(::GetModuleHandleW(L"lz32.dll"), nullptr);
    const auto start = win::LibraryFunction<decltype(::LZStart)>(L"lz32.dll", "LZStart");
    ASSERT_NE(start, nullptr);
    EXPECT_NE(::GetModuleHandleW(L"lz32.dll"), nullptr);
    EXPECT_EQ(start(), 1);
    struct Case {
        const wchar_t* library;
        const char* name;
    };
    for (const Case& c : {Case{L"lz32.dll", "NoSuchExport"}, Case{L"no_such_library_of_glyphoscope.dll", "LZStart"}}) {
        EXPECT_EQ((win::LibraryFunction<decltype(::LZStart)>(c.library, c.name)), nullptr) << c.name;
    }
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
