// Prints how long the character map takes for a font of more than 55,000 code points: opening the
// window until it is painted, and one page of scrolling until it is painted, each against a floor
// measured in the same run: ExtTextOutW of the same visible cells, in the same font, into the same
// back buffer. Opening is also set against a plain top-level window of the same size that is
// created, shown and painted with the same cells, which is what any window pays the platform.
// character_map_benchmark [ROUNDS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/character_map_window.h"
#include "app/font_coverage.h"
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

// A character of the cells in view and where it goes in the map's client area.
struct Cell {
    POINT at;
    std::wstring text;
};

std::vector<Cell> CellsInView(const app::CharacterGridView& grid) {
    POINT origin{0, 0};
    ::MapWindowPoints(grid.hwnd(), ::GetParent(grid.hwnd()), &origin, 1);
    std::vector<Cell> cells;
    const core::CharacterGrid& layout = grid.Grid();
    for (const auto& row : layout.RowsIn(grid.ScrollTop(), grid.Surface().Height())) {
        for (std::size_t i = 0; i < row.cellCount; ++i) {
            const POINT at{origin.x + static_cast<int>(i) * layout.CellSize(), origin.y + row.top - grid.ScrollTop()};
            cells.push_back({at, core::Utf16Of(layout.CodePointAt(row.firstCell + i))});
        }
    }
    return cells;
}

// The like-for-like floor of opening: a plain top-level window with the map's bounds, created,
// shown and painted with the same characters in the same font by ExtTextOutW on WM_PAINT.
class PlainWindow {
public:
    PlainWindow(const std::vector<Cell>& cells, int fontPixels) : cells_(cells), fontPixels_(fontPixels) {
        WNDCLASSEXW windowClass{sizeof(windowClass)};
        windowClass.lpfnWndProc = &Proc;
        windowClass.hInstance = win::ModuleInstance();
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kClass;
        ::RegisterClassExW(&windowClass);  // fails harmlessly from the second round on
    }

    double OpenUntilPainted(const RECT& bounds) {
        const auto start = Clock::now();
        HWND window = ::CreateWindowExW(0, kClass, app::CharacterMapWindow::kCaption, WS_OVERLAPPEDWINDOW, bounds.left,
                                        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr,
                                        nullptr, win::ModuleInstance(), this);
        ::ShowWindow(window, SW_SHOW);
        PaintNow(window);
        const double elapsed = MillisecondsSince(start);
        ::DestroyWindow(window);
        return elapsed;
    }

private:
    static constexpr wchar_t kClass[] = L"GlyphoscopeBenchmarkPlainWindow";

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<PlainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message != WM_PAINT || !self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
        win::PaintGuard paint(hwnd);
        win::UniqueFont font(app::CreateFamilyFont(kFamily, self->fontPixels_));
        win::SelectGuard selected(paint.dc(), font.get());
        for (const Cell& cell : self->cells_) {
            ::ExtTextOutW(paint.dc(), cell.at.x, cell.at.y, 0, nullptr, cell.text.c_str(),
                          static_cast<UINT>(cell.text.size()), nullptr);
        }
        return 0;
    }

    const std::vector<Cell>& cells_;
    int fontPixels_;
};

// The em of the grid's font, as CreateFamilyFont takes it.
int CellFontPixels(const app::CharacterGridView& grid) {
    TEXTMETRICW metrics{};
    win::SelectGuard font(grid.Surface().Dc(), grid.CellFont());
    ::GetTextMetricsW(grid.Surface().Dc(), &metrics);
    return metrics.tmHeight - metrics.tmInternalLeading;
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
    std::vector<double> open, openFloor, openPlain, scroll, scrollFloor, scrollBar, render, renderFloor;
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
        RECT bounds{};
        ::GetWindowRect(map.hwnd(), &bounds);
        const std::vector<Cell> inView = CellsInView(grid);
        const int fontPixels = CellFontPixels(grid);

        start = Clock::now();
        ::SendMessageW(grid.hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
        PaintNow(grid.hwnd());
        scroll.push_back(MillisecondsSince(start));
        scrollFloor.push_back(Floor(grid));
        // What the platform's scroll bar takes of that to draw its moved thumb.
        SCROLLINFO thumb{sizeof(thumb), SIF_POS};
        ::GetScrollInfo(grid.hwnd(), SB_VERT, &thumb);
        start = Clock::now();
        ::SetScrollInfo(grid.hwnd(), SB_VERT, &thumb, TRUE);
        scrollBar.push_back(MillisecondsSince(start));

        // The grid's own part of both: drawing the cells in view into its back buffer.
        for (int j = 0; j < 5; ++j) {
            start = Clock::now();
            grid.Render();
            ::GdiFlush();
            render.push_back(MillisecondsSince(start));
            renderFloor.push_back(Floor(grid));
        }
        map.Destroy();
        openPlain.push_back(PlainWindow(inView, fontPixels).OpenUntilPainted(bounds));
    }
    std::printf("character map of \"%ls\": %zu covered code points, %zu cells in view, %d rounds\n", kFamily, cells,
                shown, rounds);
    std::printf("median ms; floor = ExtTextOutW of the same cells in view into the same back buffer\n");
    auto line = [](const char* what, std::vector<double>& ours, std::vector<double>& floor, const char* name = "floor") {
        const double a = Median(ours), b = Median(floor);
        std::printf("%s: %.3f, %s %.3f, ratio %.2f\n", what, a, name, b, a / b);
    };
    line("opening the window until painted", open, openFloor);
    line("opening, against a plain window of its size painting the same cells", open, openPlain, "plain window");
    line("one page of scrolling until painted", scroll, scrollFloor);
    std::printf("of which the platform's scroll bar redrawing its thumb: %.3f\n", Median(scrollBar));
    line("the grid's back buffer alone", render, renderFloor);
    return 0;
}
