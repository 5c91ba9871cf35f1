#include "controls/progress_bar.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/tests/host_window.h"
#include "core/runtime_error.h"
#include "support/gui_resources.h"
#include "support/pump.h"

namespace controls {
namespace {

using controls_testing::HostWindow;

constexpr COLORREF kNavy = RGB(0, 0, 0x80);

// The surface as the control prints it, one COLORREF per pixel.
class Snapshot {
public:
    explicit Snapshot(const ProgressBar& bar) {
        RECT client{};
        ::GetClientRect(bar.hwnd(), &client);
        width = client.right;
        height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
        void* bits = nullptr;
        win::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        {
            win::SelectGuard select(dc.get(), bitmap.get());
            ::SendMessageW(bar.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
            ::GdiFlush();
        }
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        for (int i = 0; i < width * height; ++i) {
            std::uint32_t p = pixels[i];
            colours.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
    }
    COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y) * width + x]; }

    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;
};

COLORREF NotXor(COLORREF pen, COLORREF screen) { return ~(pen ^ screen) & 0xFFFFFF; }

struct BarFixture : testing::Test {
    HostWindow host;
    ProgressBar bar;
    void SetUp() override { bar.Create(host.hwnd(), 1, RECT{10, 10, 312, 34}); }
};

TEST_F(BarFixture, CaptionFollowsValueTextAndShowStatus) {
    EXPECT_EQ(bar.Caption(), L" 0%");
    struct Case {
        float value;
        const wchar_t* caption;
    };
    for (Case c :
         {Case{99.4f, L" 99%"}, Case{99.5f, L" 100%"}, Case{100.4f, L" 100%"}, Case{0, L" 0%"}, Case{-12, L" -12%"}}) {
        bar.SetValue(c.value);
        EXPECT_EQ(bar.Caption(), c.caption) << c.value;
    }
    bar.SetText(L"Шрифты");
    bar.SetValue(36.5f);
    EXPECT_EQ(bar.Caption(), L"Шрифты 37%");
    bar.SetShowStatus(false);
    EXPECT_EQ(bar.Caption(), L"Шрифты");
    bar.SetText(L"");
    EXPECT_EQ(bar.Caption(), L"");
}

TEST_F(BarFixture, TotalModeRulesAndTheTotalError) {
    std::vector<std::wstring> changed;
    bar.OnPropertyChanged([&](const wchar_t* name) { changed.push_back(name); });
    bar.SetTotalValue(500);  // percentage mode: nothing happens
    EXPECT_EQ(bar.TotalValue(), 0);
    EXPECT_TRUE(changed.empty());

    bar.SetCalculatePercentage(true);
    EXPECT_EQ(bar.TotalValue(), 100);
    bar.SetTotalValue(400);
    bar.SetValue(100);
    EXPECT_EQ(bar.Caption(), L" 25%");
    EXPECT_EQ(changed, (std::vector<std::wstring>{L"CalculatePercentage", L"TotalValue", L"Value"}));
    try {
        bar.SetTotalValue(0);
        FAIL() << "a zero total was accepted";
    } catch (const core::RuntimeError& error) {
        EXPECT_EQ(error.Number(), -2147220503);
        EXPECT_EQ(error.Source(), L"spbProgressBar");
        EXPECT_EQ(error.Description(), L"Total value must be a postive, non-zero value");
    }
    EXPECT_EQ(bar.TotalValue(), 400);
    bar.SetCalculatePercentage(false);
    EXPECT_EQ(bar.TotalValue(), 0);
}

TEST_F(BarFixture, CaptionUnderTheBarIsInverted) {
    bar.SetShowStatus(false);
    bar.SetText(L"Чтение шрифтов");
    Snapshot empty(bar);
    bar.SetValue(50);
    Snapshot half(bar);
    ASSERT_EQ(half.width, empty.width);
    const int barWidth = half.width / 2;

    int invertedTextPixels = 0, plainTextPixels = 0;
    for (int y = 0; y < half.height; ++y) {
        for (int x = 0; x < half.width; ++x) {
            COLORREF before = empty.At(x, y);
            if (x < barWidth) {
                ASSERT_EQ(half.At(x, y), NotXor(kNavy, before)) << x << "," << y;
                if (before != RGB(255, 255, 255)) ++invertedTextPixels;
            } else {
                ASSERT_EQ(half.At(x, y), before) << x << "," << y;
                if (before != RGB(255, 255, 255)) ++plainTextPixels;
            }
        }
    }
    // The caption straddles the bar's edge, so both halves hold some of its pixels.
    EXPECT_GT(invertedTextPixels, 10);
    EXPECT_GT(plainTextPixels, 10);
    EXPECT_EQ(half.At(0, 0), kNavy);
    EXPECT_EQ(half.At(half.width - 1, half.height - 1), RGB(255, 255, 255));
}

TEST_F(BarFixture, NoBarAtZeroOrBelowAndAFullBarAboveAHundred) {
    bar.SetShowStatus(false);
    bar.SetValue(-20);
    Snapshot none(bar);
    EXPECT_EQ(none.At(0, 0), RGB(255, 255, 255));
    bar.SetValue(180);
    Snapshot full(bar);
    EXPECT_EQ(full.At(0, 0), kNavy);
    EXPECT_EQ(full.At(full.width - 1, full.height - 1), kNavy);
}

TEST_F(BarFixture, UpdatesThatShowNothingNewDoNotRepaintButStillPump) {
    bar.SetValue(40.1f);
    testing_support::PumpFor(3 * ProgressBar::kFrameMilliseconds);
    const unsigned renders = bar.RenderCount();
    ::PostMessageW(host.hwnd(), WM_APP, 0, 0);
    bar.SetValue(40.12f);  // 40 % and the same 120 pixels of bar on a 300-pixel surface
    testing_support::PumpFor(3 * ProgressBar::kFrameMilliseconds);
    EXPECT_EQ(bar.RenderCount(), renders);
    EXPECT_EQ(host.postedSeen, 1u);  // the pump pass ran anyway
    bar.SetValue(41);
    testing_support::PumpFor(3 * ProgressBar::kFrameMilliseconds);
    EXPECT_EQ(bar.RenderCount(), renders + 1);
    bar.SetProgressColour(0x008000);  // colour changes repaint although the frame is the same
    testing_support::PumpFor(3 * ProgressBar::kFrameMilliseconds);
    EXPECT_EQ(bar.RenderCount(), renders + 2);
}

TEST_F(BarFixture, ABurstOfUpdatesIsShownOncePerFrameEndingWithTheLastValue) {
    testing_support::PumpFor(3 * ProgressBar::kFrameMilliseconds);
    const unsigned renders = bar.RenderCount();
    unsigned posted = 0;
    // Every value changes the caption; the whole burst takes far less than a frame or two.
    for (int i = 1; i <= 100; ++i) {
        ::PostMessageW(host.hwnd(), WM_APP, 0, 0);
        ++posted;
        bar.SetValue(static_cast<float>(i));
    }
    EXPECT_EQ(host.postedSeen, posted);
    EXPECT_LT(bar.RenderCount() - renders, 20u);
    // The last frame reaches the window without any further update or paint request.
    RECT client{};
    ::GetClientRect(bar.hwnd(), &client);
    auto onWindow = [&](int x, int y) {
        win::WindowDc dc(bar.hwnd());
        return ::GetPixel(dc.get(), x, y);
    };
    EXPECT_TRUE(testing_support::PumpUntil([&] { return onWindow(client.right - 1, 0) == kNavy; }, 1000));
    EXPECT_EQ(onWindow(client.right - 1, client.bottom - 1), kNavy);
}

TEST_F(BarFixture, ThousandsOfUpdatesLeakNoGdiObjects) {
    bar.SetValue(1);
    const unsigned before = testing_support::GdiObjectCount();
    for (int i = 0; i < 3000; ++i) bar.SetValue(static_cast<float>(i) / 30.0f);
    bar.SetFont(core::FontDescription{L"Arial", 10, true, false, false, false, 204});
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

TEST_F(BarFixture, LoadedValuesApplyWithoutRulesAndAZeroTotalDrawsNoBar) {
    core::PropertyBag bag;
    bag.WriteText(L"Value", L"30");
    bag.WriteText(L"CalculatePercentage", L"1");
    bag.WriteText(L"TotalValue", L"0");
    bar.Load(bag, core::ContainerAmbient{});
    EXPECT_EQ(bar.TotalValue(), 0);
    EXPECT_EQ(bar.Caption(), L" 0%");
    Snapshot shot(bar);
    EXPECT_EQ(shot.At(0, 0), RGB(255, 255, 255));

    core::PropertyBag saved;
    bar.Save(saved);
    EXPECT_EQ(saved.ReadText(L"TotalValue", L"?"), L"0");
    EXPECT_EQ(saved.ReadText(L"Value", L"?"), L"30");
}

}  // namespace
}  // namespace controls
