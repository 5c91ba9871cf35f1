#include "core/tabcontrol/tab_strip_properties.h"

#include <gtest/gtest.h>

// The hyperlink and the progress bar save through the same bag type: both headers together.
#include "core/property_bag.h"

namespace {

using core::TabAlignment;
using core::TabStripProperties;

TEST(TabStripProperties, StyleBitsFollowTheFlags) {
    TabStripProperties p;
    EXPECT_EQ(core::TabWindowStyle(p), 0x54000000u);
    p.flatButtons = true;  // without buttons it means nothing
    p.rightJustify = true;
    EXPECT_EQ(core::TabWindowStyle(p), 0x54000000u);
    p.buttons = true;
    p.hotTrack = true;
    p.multiLine = true;
    p.ownerDraw = true;
    EXPECT_EQ(core::TabWindowStyle(p), 0x54000000u | 0x100 | 0x8 | 0x40 | 0x200 | 0x2000);
    TabStripProperties aligned;
    aligned.tabAlign = TabAlignment::Left;
    EXPECT_EQ(core::TabWindowStyle(aligned), 0x54000080u);
    aligned.tabAlign = TabAlignment::Bottom;
    EXPECT_EQ(core::TabWindowStyle(aligned), 0x54000002u);
    aligned.tabAlign = TabAlignment::Right;
    EXPECT_EQ(core::TabWindowStyle(aligned), 0x54000082u);
}

TEST(TabStripProperties, SaveAndLoadRoundTripWithDefaultsForMissingValues) {
    EXPECT_EQ(core::ReadTabStripProperties({}), TabStripProperties{});
    TabStripProperties p;
    p.hotTrack = p.flatSeparators = p.ownerDraw = true;
    p.tabAlign = TabAlignment::Bottom;
    p.coolTabs = core::CoolTabsMode::Shaded;
    p.font = {L"Tahoma", 8.25, true, false, true, false};
    core::PropertyBag bag;
    core::WriteTabStripProperties(p, bag);
    EXPECT_EQ(bag.Values().size(), 10u);
    EXPECT_EQ(bag.ReadText(L"Font", {}), L"Tahoma;8.25;1;0;1;0");
    EXPECT_EQ(core::ReadTabStripProperties(bag), p);

    bag.WriteText(L"CoolTabs", L"7");
    bag.WriteText(L"TabAlign", L"x");
    bag.WriteText(L"Font", L"broken");
    bag.WriteText(L"HotTrack", L"-1");  // a set switch as it may have been stored
    auto read = core::ReadTabStripProperties(bag);
    EXPECT_EQ(read.coolTabs, core::CoolTabsMode::Off);
    EXPECT_EQ(read.tabAlign, TabAlignment::Top);
    EXPECT_EQ(read.font, core::kDefaultTabFont);
    EXPECT_TRUE(read.hotTrack);
    for (const wchar_t* size : {L"0.001", L"1e307"}) {  // a zero size, an infinite one
        bag.WriteText(L"Font", L"Arial;" + std::wstring(size) + L";0;0;0;0");
        EXPECT_EQ(core::ReadTabStripProperties(bag).font, core::kDefaultTabFont);
    }
}

}  // namespace
