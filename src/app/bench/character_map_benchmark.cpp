// Prints how long the character map takes for a font of more than 55,000 code points: opening the
// window until it is painted, and one page of scrolling until it is painted, each against a floor
// measured in the same run: ExtTextOutW of the same visible cells, in the same font, into the same
// back buffer. character_map_benchmark [ROUNDS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/character_map_window.h"
#include "win/handles.h"
#include "win/module.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kFamily[] = L"Glyphoscope Wide";

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void PaintNow(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// Only the character of every cell in view, where the grid draws it.
double Floor(app::CharacterGridView& grid) {
    const auto start = Clock::now();
    HDC dc = grid.Surface().Dc();
    win::SelectGuard font(dc, grid.CellFont());
    const core::CharacterGrid& cells = grid.Grid();
    for (const auto& row : cells.RowsIn(grid.ScrollTop(), grid.Surface().Height())) {
        for (std::size_t i = 0; i < row.cellCount; ++i) {
            const std::wstring text = core::Utf16Of(cells.CodePointAt(row.firstCell + i));
            ::ExtTextOutW(dc, static_cast<int>(i) * cells.CellSize(), row.top - grid.ScrollTop(), 0, nullptr,
                          text.c_str(), static_cast<UINT>(text.size()), nullptr);
        }
    }
    ::GdiFlush();
    return MillisecondsSince(start);
}

double Median(std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::size_t VisibleCells(const app::CharacterGridView& grid) {
    std::size_t count = 0;
    for (const auto& row : grid.Grid().RowsIn(grid.ScrollTop(), grid.Surface().Height())) count += row.cellCount;
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    ::SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::wstring fontFile = win::ExecutableDirectory() + L"\\GlyphoscopeWide.ttf";
    if (::AddFontResourceExW(fontFile.c_str(), FR_PRIVATE, nullptr) == 0) {
        std::printf("the wide font could not be added: %ls\n", fontFile.c_str());
        return 1;
    }

    app::CharacterMapWindow map([](const std::wstring&) {});
    // One unmeasured opening: classes, the name tables and the glyph cache are made once per process.
    map.Open(nullptr, kFamily);
    PaintNow(map.hwnd());
    map.Destroy();

    // Medians: the machine may be busy with other work now and then.
    std::vector<double> open, openFloor, scroll, scrollFloor, render, renderFloor;
    std::size_t cells = 0, shown = 0;
    for (int i = 0; i < rounds; ++i) {
        auto start = Clock::now();
        map.Open(nullptr, kFamily);
        PaintNow(map.hwnd());
        open.push_back(MillisecondsSince(start));
        app::CharacterGridView& grid = map.Grid();
        openFloor.push_back(Floor(grid));
        cells = grid.Grid().CellCount();
        shown = VisibleCells(grid);

        start = Clock::now();
        ::SendMessageW(grid.hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
        PaintNow(grid.hwnd());
        scroll.push_back(MillisecondsSince(start));
        scrollFloor.push_back(Floor(grid));

        // The grid's own part of both: drawing the cells in view into its back buffer.
        for (int j = 0; j < 5; ++j) {
            start = Clock::now();
            grid.Render();
            ::GdiFlush();
            render.push_back(MillisecondsSince(start));
            renderFloor.push_back(Floor(grid));
        }
        map.Destroy();
    }
    std::printf("character map of \"%ls\": %zu covered code points, %zu cells in view, %d rounds\n", kFamily, cells,
                shown, rounds);
    std::printf("median ms; floor = ExtTextOutW of the same cells in view into the same back buffer\n");
    auto line = [](const char* what, std::vector<double>& ours, std::vector<double>& floor) {
        const double a = Median(ours), b = Median(floor);
        std::printf("%s: %.3f, floor %.3f, ratio %.2f\n", what, a, b, a / b);
    };
    line("opening the window until painted", open, openFloor);
    line("one page of scrolling until painted", scroll, scrollFloor);
    line("of which the grid's back buffer", render, renderFloor);
    return 0;
}
