#include "core/controls/progress_bar_state.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/runtime_error.h"

namespace core {
namespace {

std::wstring CaptionFor(float value) {
    ProgressBarState state;
    state.SetValue(value);
    return state.Caption();
}

TEST(ProgressBarState, CaptionRoundsHalfUpFromTheIntegerPart) {
    EXPECT_EQ(CaptionFor(0), L" 0%");
    EXPECT_EQ(CaptionFor(36.5f), L" 37%");
    EXPECT_EQ(CaptionFor(99.4f), L" 99%");
    EXPECT_EQ(CaptionFor(99.5f), L" 100%");
    EXPECT_EQ(CaptionFor(100.4f), L" 100%");
    EXPECT_EQ(CaptionFor(250), L" 250%");
    // The integer part is the floor, so negative halves round up too.
    EXPECT_EQ(CaptionFor(-10), L" -10%");
    EXPECT_EQ(CaptionFor(-0.7f), L" -1%");
    EXPECT_EQ(CaptionFor(-0.5f), L" 0%");
}

TEST(ProgressBarState, CaptionWithTextAndWithoutStatus) {
    ProgressBarState state;
    state.SetText(L"Загрузка");
    state.SetValue(12);
    EXPECT_EQ(state.Caption(), L"Загрузка 12%");
    state.SetShowStatus(false);
    EXPECT_EQ(state.Caption(), L"Загрузка");
    state.SetText(L"");
    EXPECT_EQ(state.Caption(), L"");
}

TEST(ProgressBarState, BarWidthCoversTheShareAndClipsAtTheEdges) {
    ProgressBarState state;
    EXPECT_EQ(state.BarWidth(200), 0);
    state.SetValue(50);
    EXPECT_EQ(state.BarWidth(200), 100);
    EXPECT_EQ(state.BarWidth(201), 101);  // 100.5 rounds away from zero
    state.SetValue(0.1f);
    EXPECT_EQ(state.BarWidth(200), 0);
    state.SetValue(130);
    EXPECT_EQ(state.BarWidth(200), 200);
    state.SetValue(-5);
    EXPECT_EQ(state.BarWidth(200), 0);
    state.SetValue(50);
    EXPECT_EQ(state.BarWidth(0), 0);
}

TEST(ProgressBarState, TurningTotalModeOnAndOffRewritesTheTotal) {
    ProgressBarState state;
    state.SetCalculatePercentage(true);
    EXPECT_EQ(state.TotalValue(), 100);
    ASSERT_TRUE(state.SetTotalValue(400));
    state.SetCalculatePercentage(true);  // a total already set is kept
    EXPECT_EQ(state.TotalValue(), 400);
    state.SetValue(100);
    EXPECT_FLOAT_EQ(state.Percent(), 25);
    EXPECT_EQ(state.Caption(), L" 25%");
    state.SetCalculatePercentage(false);
    EXPECT_EQ(state.TotalValue(), 0);
    EXPECT_FLOAT_EQ(state.Percent(), 100);  // Value is a percentage again
}

TEST(ProgressBarState, TotalIsIgnoredInPercentageModeAndMustBePositiveInTotalMode) {
    ProgressBarState state;
    EXPECT_FALSE(state.SetTotalValue(-3));
    EXPECT_FALSE(state.SetTotalValue(50));
    EXPECT_EQ(state.TotalValue(), 0);

    state.SetCalculatePercentage(true);
    for (double bad : {0.0, -1.0, std::nan("")}) {
        try {
            state.SetTotalValue(bad);
            ADD_FAILURE() << "accepted total " << bad;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), -2147220503);
            EXPECT_EQ(error.Source(), L"spbProgressBar");
            EXPECT_EQ(error.Description(), L"Total value must be a postive, non-zero value");
        }
        EXPECT_EQ(state.TotalValue(), 100);
    }
}

TEST(ProgressBarState, ALoadedZeroTotalShowsNothingInsteadOfDividing) {
    ProgressBarState state;
    state.AssignLoaded(30, true, 0, true, L"", kProgressBarNavy);
    EXPECT_FLOAT_EQ(state.Percent(), 0);
    EXPECT_EQ(state.Caption(), L" 0%");
    EXPECT_EQ(state.BarWidth(300), 0);
}

TEST(ProgressBarState, FramesDifferOnlyWhenTheCaptionOrBarWidthChanges) {
    ProgressBarState state;
    state.SetValue(40.1f);
    ProgressFrame before = state.Frame(100);
    state.SetValue(40.3f);  // same rounded percentage, same 40 pixels
    EXPECT_EQ(state.Frame(100), before);
    state.SetValue(40.6f);  // caption turns to 41 %
    EXPECT_NE(state.Frame(100), before);
    // On a wide surface the bar moves although the caption does not.
    state.SetValue(40.1f);
    ProgressFrame wide = state.Frame(2000);
    state.SetValue(40.3f);
    EXPECT_EQ(state.Frame(2000).caption, wide.caption);
    EXPECT_NE(state.Frame(2000), wide);
}

TEST(ProgressPacer, PassesOnANewShownPercentageOrAfterTheInterval) {
    struct Step {
        float percent;
        std::uint64_t now;
        bool due;
    };
    const Step steps[] = {
        {0.01f, 1000, true},  // the first update always
        {0.2f, 1001, false},  // still 0 %
        {0.6f, 1002, true},   // shows 1 %
        {1.4f, 1016, false},  // 14 ms after the last pass
        {1.4f, 1017, true},   // the interval is over
        {1.45f, 900, true},   // a clock that went back
        {1.45f, 901, false},
    };
    ProgressPacer pacer(15);
    for (const Step& step : steps) {
        EXPECT_EQ(pacer.Due(step.percent, step.now), step.due) << step.percent << " at " << step.now;
    }
    pacer.Reset();
    EXPECT_TRUE(pacer.Due(1.45f, 902));
}

}  // namespace
}  // namespace core
