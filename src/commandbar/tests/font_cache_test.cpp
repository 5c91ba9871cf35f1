#include "commandbar/font_cache.h"

#include <gtest/gtest.h>

#include "support/canvas.h"
#include "support/gui_resources.h"

namespace commandbar {
namespace {

TEST(FontCache, OneHandlePerNameSizeAndEscapement) {
    testing_support::Canvas canvas(1, 1);
    FontCache cache;
    const core::FontDescription tahoma{L"Tahoma", 8.25};
    HFONT first = cache.Font(tahoma, 0, canvas.dc());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache.Font(tahoma, 0, canvas.dc()), first);

    core::FontDescription bold = tahoma;
    bold.bold = true;
    EXPECT_EQ(cache.Font(bold, 0, canvas.dc()), first) << "other attributes are not compared";
    EXPECT_EQ(cache.Count(), 1u);

    HFONT vertical = cache.Font(tahoma, 2700, canvas.dc());
    EXPECT_NE(vertical, first);
    LOGFONTW logFont{};
    ASSERT_TRUE(::GetObjectW(vertical, sizeof(logFont), &logFont));
    EXPECT_EQ(logFont.lfEscapement, 2700);
    EXPECT_EQ(logFont.lfOrientation, 2700);

    core::FontDescription larger = tahoma;
    larger.points = 8.5;  // sizes compare exactly
    EXPECT_NE(cache.Font(larger, 0, canvas.dc()), first);
    core::FontDescription otherFace = tahoma;
    otherFace.name = L"Arial";
    EXPECT_NE(cache.Font(otherFace, 0, canvas.dc()), first);
    EXPECT_EQ(cache.Count(), 4u);
}

TEST(FontCache, DeletesItsFontsWhenDestroyed) {
    testing_support::Canvas canvas(1, 1);
    const unsigned before = testing_support::GdiObjectCount();
    {
        FontCache cache;
        for (int size = 6; size < 26; ++size)
            cache.Font(core::FontDescription{L"Tahoma", static_cast<double>(size)}, 0, canvas.dc());
        EXPECT_GE(testing_support::GdiObjectCount(), before + 20);
    }
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

}  // namespace
}  // namespace commandbar
