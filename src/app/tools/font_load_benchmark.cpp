// font_load_benchmark.exe: how much the progress window adds to filling the font list. Prints
// the time of a load with the progress window and with only the message pump, for the machine's
// fonts and for 1,000 and 10,000 synthetic family names, and their ratio (target: below 1.25).
// tools/font-bench.sh runs it with thousands of real font files installed as well.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/screen_fonts.h"
#include "win/error_report.h"

namespace {

using FontSource = app::MainWindow::FontSource;

struct Loader {
    app::MainWindow main;

    Loader(const FontSource& source, bool withWindow) {
        main.SetUnloadHandler([] {});
        main.SetFontSource(source);
        if (withWindow) main.SetProgress(std::make_unique<app::ProgressWindow>());
        main.Show();
        main.LoadFonts(main.hwnd());  // warm-up: creates the progress window, fills caches
    }

    double Milliseconds() {
        LARGE_INTEGER frequency{}, start{}, end{};
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&start);
        main.LoadFonts(main.hwnd());
        ::QueryPerformanceCounter(&end);
        return (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    }
};

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
void Report(const char* label, size_t families, const FontSource& source, int rounds) {
    Loader without(source, false);
    Loader with(source, true);
    std::vector<double> plainTimes, shownTimes;
    for (int i = 0; i < rounds; ++i) {
        plainTimes.push_back(without.Milliseconds());
        shownTimes.push_back(with.Milliseconds());
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
    ::SetProcessDPIAware();
    win::SetErrorReporter(
        [](const core::RuntimeError& error) { std::fprintf(stderr, "error %d\n", static_cast<int>(error.number())); });
    const size_t installed = app::ScreenFontFamilies().size();
    Report("installed fonts", installed, &app::ScreenFontFamilies, 15);
    Report("synthetic families", 1000, Synthetic(1000), 15);
    Report("synthetic families", 10000, Synthetic(10000), 9);
    return 0;
}
