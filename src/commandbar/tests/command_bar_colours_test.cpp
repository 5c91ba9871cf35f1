#include "commandbar/command_bar_colours.h"

#include <gtest/gtest.h>

#include "commandbar/drawing_utilities.h"
#include "core/runtime_error.h"

namespace commandbar {
namespace {

namespace element = core::colour_element;

class Colours : public testing::Test {
protected:
    void SetUp() override {
        DetectPlatform();
        InitialiseColours();
        previous_ = SetDisplaySettingsListener([this] { ++refreshes_; });
    }
    void TearDown() override {
        SetDisplaySettingsListener(previous_);
        InitialiseColours();
    }
    int refreshes_ = 0;
    std::function<void()> previous_;
};

TEST_F(Colours, DetectionReadsTheColourDepthAndRefreshesTheControls) {
    DetectDisplaySettings(::GetDesktopWindow());
    EXPECT_EQ(refreshes_, 1);
    EXPECT_TRUE(IsHighColour()) << "the test display has 24 bits per pixel";
}

TEST_F(Colours, SettingTheSameStyleDoesNotDetectAgain) {
    ASSERT_EQ(GetStyle(), 1);
    SetStyle(1);
    EXPECT_EQ(refreshes_, 0);
    SetStyle(3);
    EXPECT_EQ(refreshes_, 1);
    EXPECT_EQ(GetStyle(), 3);
    SetStyle(0);
    SetStyle(2);
    EXPECT_EQ(refreshes_, 3) << "switching between styles without schemes still re-reads the colour depth";
}

TEST_F(Colours, ElementsFollowTheRealSystemColours) {
    SetStyle(3);
    EXPECT_EQ(GetElementColour(element::kMenuBorder), static_cast<Colour>(::GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(GetElementColour(element::kMenuHotStart), static_cast<Colour>(::GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(GetElementColour(element::kMenuTextHot), static_cast<Colour>(::GetSysColor(COLOR_HIGHLIGHTTEXT)));
    EXPECT_EQ(GetElementColour(element::kBarBackStart), core::kNoColour);
    SetStyle(2);
    EXPECT_EQ(GetElementColour(element::kMenuBackStart), core::MakeRgb(91, 91, 91));
    SetStyle(0);
    EXPECT_EQ(GetElementColour(element::kBarBackStart),
              BlendColour(core::SystemColourRef(COLOR_3DLIGHT), core::SystemColourRef(COLOR_BTNFACE), 128));
    EXPECT_EQ(GetElementColour(element::kButtonBackStart), core::kNoColour);
    EXPECT_EQ(GetElementColour(element::kButtonBackEnd), core::kNoColour);
}

TEST_F(Colours, StyleColourLeavesTheCustomColourInPlace) {
    SetCustomColour(element::kButtonCheckedEnd, core::MakeRgb(1, 2, 3));
    EXPECT_FALSE(IsUsingStyleColour(element::kButtonCheckedEnd));
    EXPECT_EQ(GetElementColour(element::kButtonCheckedEnd), core::MakeRgb(1, 2, 3));
    EXPECT_NE(GetStyleColour(element::kButtonCheckedEnd), core::MakeRgb(1, 2, 3));
    EXPECT_EQ(GetCustomColour(element::kButtonCheckedEnd), core::MakeRgb(1, 2, 3));
    EXPECT_EQ(GetStyleColour(0), 0);
    EXPECT_EQ(GetStyleColour(31), 0);
    InitialiseColours();
    EXPECT_TRUE(IsUsingStyleColour(element::kButtonCheckedEnd));
}

TEST_F(Colours, IdsOutOfRangeRaiseError9FromTheCommandBar) {
    try {
        GetCustomColour(32);
        FAIL() << "no error";
    } catch (const core::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 9);
        EXPECT_EQ(e.Source(), core::ErrorSource(L".zentPicker"));
    }
    EXPECT_THROW(SetCustomColour(-1, 0), core::RuntimeError);
    EXPECT_THROW(GetElementColour(40), core::RuntimeError);
}

}  // namespace
}  // namespace commandbar
