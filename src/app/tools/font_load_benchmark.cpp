// font_load_benchmark.exe: how much the progress window adds to filling the font list. Prints
// the time of a load with the progress window and with only the message pump, for the machine's
// fonts and for 1,000 and 10,000 synthetic family names, and their ratio (target: below 1.25).
// tools/font-bench.sh runs it with thousands of real font files installed as well.
//
//   font_load_benchmark [ROUNDS [COUNT...]]   (defaults: 15 rounds; 1000 and 10000 names, the
//                                              latter in 9 rounds)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/screen_fonts.h"
#include "win/controls.h"
#include "win/error_report.h"

namespace {

using FontSource = app::MainWindow::FontSource;

// The progress window, or only the message pump that keeps windows painted without it. One main
// window switches between the two: the bars' keys are process-wide, so there is one at a time.
class SwitchedProgress final : public app::FontLoadProgress {
public:
    bool shown = false;

    void Begin(HWND owner) override { Current().Begin(owner); }
    void SetPercent(float percent) override { Current().SetPercent(percent); }
    void End() override { Current().End(); }

private:
    app::FontLoadProgress& Current() { return shown ? static_cast<app::FontLoadProgress&>(window_) : pump_; }

    app::ProgressWindow window_;
    app::MessagePumpProgress pump_;
};

double LoadMilliseconds(app::MainWindow& main) {
    LARGE_INTEGER frequency{}, start{}, end{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    main.LoadFonts(main.hwnd());
    ::QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

FontSource Synthetic(int count) {
    return [count] {
        std::vector<core::FontFamily> families;
        families.reserve(count);
        for (int i = 0; i < count; ++i) families.push_back({L"Glyphoscope Bench Sans " + std::to_wstring(i), {}});
        return families;
    };
}

// Loads alternate between the two set-ups, so that a busy moment of the machine hits both alike.
void Report(app::MainWindow& main, SwitchedProgress& progress, const char* label, size_t families,
            const FontSource& source, int rounds) {
    main.SetFontSource(source);
    std::vector<double> plainTimes, shownTimes;
    // The first load of each set-up only warms up: it creates the progress window and fills caches.
    for (int i = 0; i <= rounds; ++i) {
        progress.shown = false;
        const double plain = LoadMilliseconds(main);
        progress.shown = true;
        const double shown = LoadMilliseconds(main);
        if (i == 0) continue;
        plainTimes.push_back(plain);
        shownTimes.push_back(shown);
    }
    double plain = Median(plainTimes);
    double shown = Median(shownTimes);
    std::printf("%-22s %6zu families: without window %9.2f ms, with window %9.2f ms, ratio %.3f\n", label, families,
                plain, shown, shown / plain);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    // Lets a script create the Wine prefix before it fills the prefix's font folder.
    if (argc > 1 && std::string(argv[1]) == "--prepare-only") return 0;
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<std::pair<int, int>> synthetic;  // names, rounds
    for (int i = 2; i < argc; ++i) synthetic.emplace_back(std::max(1, std::atoi(argv[i])), rounds);
    if (synthetic.empty()) synthetic = {{1000, rounds}, {10000, argc > 1 ? rounds : 9}};

    ::SetProcessDPIAware();
    int failures = 0;
    win::SetErrorReporter([&failures](const core::RuntimeError& error) {
        ++failures;
        std::fprintf(stderr, "error %d\n", static_cast<int>(error.Number()));
    });
    app::MainWindow main;
    main.SetUnloadHandler([] {});
    auto progress = std::make_unique<SwitchedProgress>();
    SwitchedProgress& switched = *progress;
    main.SetProgress(std::move(progress));
    main.Show();

    const size_t installed = app::ScreenFontFamilies().size();
    Report(main, switched, "installed fonts", installed, &app::ScreenFontFamilies, rounds);
    for (const auto& [count, countRounds] : synthetic) {
        Report(main, switched, "synthetic families", static_cast<size_t>(count), Synthetic(count), countRounds);
    }
    return failures == 0 ? 0 : 1;
}
