// The progress window as the main window drives it while the font list fills.
#include "app/progress_window.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/tests/registry_fixture.h"
#include "support/pump.h"
#include "win/dpi.h"

namespace app {
namespace {

// Passes every call on to a real progress window and notes what it showed at each step.
class ObservedProgress : public FontLoadProgress {
public:
    struct Step {
        float barValue;
        bool visible;
        HWND owner;
        std::wstring caption;
    };

    explicit ObservedProgress(std::vector<Step>& steps, ProgressWindow*& window)
        : steps_(steps), inner_(new ProgressWindow) {
        window = inner_.get();
    }
    void Begin(HWND owner) override {
        inner_->Begin(owner);
        // What the bar's right end shows on screen as soon as the window is up.
        HWND bar = inner_->Bar().hwnd();
        RECT client{};
        ::GetClientRect(bar, &client);
        HDC dc = ::GetDC(bar);
        beginRightEnd = ::GetPixel(dc, client.right - 1, client.bottom / 2);
        ::ReleaseDC(bar, dc);
    }
    void SetPercent(float percent) override {
        inner_->SetPercent(percent);
        steps_.push_back(Step{inner_->Bar().Value(), ::IsWindowVisible(inner_->hwnd()) != FALSE,
                              ::GetWindow(inner_->hwnd(), GW_OWNER), inner_->Bar().Caption()});
    }
    void End() override { inner_->End(); }

    COLORREF beginRightEnd = CLR_INVALID;

private:
    std::vector<Step>& steps_;
    std::unique_ptr<ProgressWindow> inner_;
};

std::vector<std::wstring> SyntheticFamilies(int count) {
    std::vector<std::wstring> names;
    for (int i = 0; i < count; ++i) names.push_back(L"Семейство " + std::to_wstring(i));
    return names;
}

class ProgressWindowTest : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        main_.SetUnloadHandler([] {});
        auto observed = std::make_unique<ObservedProgress>(steps_, progress_);
        observed_ = observed.get();
        main_.SetProgress(std::move(observed));
    }

    MainWindow main_;
    std::vector<ObservedProgress::Step> steps_;
    ProgressWindow* progress_ = nullptr;
    ObservedProgress* observed_ = nullptr;
};

TEST_F(ProgressWindowTest, BarReachesExactlyAHundredWithTheLastFontAndNeverMore) {
    for (int count : {1, 3, 7, 49, 97, 1000}) {
        steps_.clear();
        main_.SetFontSource([count] { return SyntheticFamilies(count); });
        main_.LoadFonts(nullptr);
        ASSERT_EQ(steps_.size(), static_cast<size_t>(count));
        for (size_t i = 0; i + 1 < steps_.size(); ++i) {
            EXPECT_LT(steps_[i].barValue, 100.0f) << count << " fonts, step " << i;
            EXPECT_LE(steps_[i].barValue, steps_[i + 1].barValue);
        }
        EXPECT_EQ(steps_.back().barValue, 100.0f) << count << " fonts";
        EXPECT_EQ(steps_.back().caption, L" 100%");
        EXPECT_FALSE(progress_->Bar().CalculatePercentage());
    }
    // Half way through the list the caption reads 50 %.
    EXPECT_EQ(steps_[499].caption, L" 50%");
}

TEST_F(ProgressWindowTest, ShownDuringTheLoadHiddenAfterwardsAndKeptForTheNext) {
    main_.SetFontSource([] { return SyntheticFamilies(20); });
    main_.LoadFonts(nullptr);
    ASSERT_FALSE(steps_.empty());
    EXPECT_TRUE(steps_.front().visible);
    EXPECT_EQ(steps_.front().owner, nullptr);
    HWND first = progress_->hwnd();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(::IsWindowVisible(first));

    // From the load sequence the main window owns it; the same window is used again.
    steps_.clear();
    prefs::Set(pref::kLoadFontsAtProgramStartup, L"1");
    main_.Show();
    ASSERT_FALSE(steps_.empty());
    EXPECT_EQ(steps_.front().owner, main_.hwnd());
    EXPECT_EQ(progress_->hwnd(), first);
    EXPECT_FALSE(::IsWindowVisible(first));
    // The second load starts from an empty bar, not from the full one the first load left.
    EXPECT_EQ(observed_->beginRightEnd, RGB(255, 255, 255));
    EXPECT_EQ(progress_->Bar().Value(), 100.0f);
}

TEST_F(ProgressWindowTest, ClientAreaWaitingTextAndTopMost) {
    prefs::Set(pref::kTopMost, L"1");
    main_.SetFontSource([] { return SyntheticFamilies(2); });
    main_.LoadFonts(nullptr);
    HWND window = progress_->hwnd();
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, win::TwipsToPixels(ProgressWindow::kClientWidth));
    EXPECT_EQ(client.bottom, win::TwipsToPixels(ProgressWindow::kClientHeight));
    wchar_t text[256] = {};
    ::GetWindowTextW(progress_->Info(), text, 256);
    EXPECT_STREQ(text, ProgressWindow::kInfoText);
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetWindowTextLengthW(window), 0);  // no caption
}

}  // namespace
}  // namespace app
