#include "core/imaging/image_keys.h"

#include <gtest/gtest.h>

#include "support/error_number.h"

namespace core {
namespace {

using testing_support::ErrorNumberOf;

TEST(ImageKeys, NumbersAndKeysFindImagesAndErrorsComeFromTheImageList) {
    ImageKeys keys;
    keys.Resize(3);
    keys.SetKey(1, L"A", 3);
    keys.SetKey(2, L" B ", 3);
    EXPECT_EQ(keys.IndexOf(L" B ", 3), 2);
    EXPECT_EQ(keys.IndexOf(L"3", 3), -1) << "numeric text is a key";
    EXPECT_EQ(keys.IndexOf(3, 3), 3);
    EXPECT_EQ(keys.IndexOf(L"", 3), 3) << "the first image without a key";
    for (const ItemRef& missing : {ItemRef(0), ItemRef(4)}) {
        EXPECT_EQ(ErrorNumberOf([&] { keys.IndexOf(missing, 3); }), 9);
    }
    EXPECT_EQ(ErrorNumberOf([&] { keys.RequireIndex(L"Z", 3); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { keys.SetKey(4, L"D", 3); }), 9);
    // Another image's key, blanks around it aside, is taken; the image keeps its own.
    EXPECT_EQ(ErrorNumberOf([&] { keys.SetKey(3, L"B", 3); }), 457);
    EXPECT_EQ(keys.KeyAt(3, 3), L"");
    try {
        keys.SetKey(3, L"A", 3);
        ADD_FAILURE() << "a duplicate key was taken";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Source(), ErrorSource(L".zentImageList"));
    }

    keys.Swap(1, 3);
    EXPECT_EQ(keys.IndexOf(L"A", 3), 3);
    keys.Remove(2);
    keys.Resize(2);
    EXPECT_EQ(keys.KeyAt(1, 2), L"");
    EXPECT_EQ(keys.KeyAt(2, 2), L"A");
}

}  // namespace
}  // namespace core
