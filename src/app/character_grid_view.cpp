#include "app/character_grid_view.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/character_grid_accessible.h"
#include "app/font_coverage.h"
#include "win/controls.h"

namespace app {

namespace {

constexpr wchar_t kClassName[] = L"GlyphoscopeCharacterGrid";
// The glyph's em against the cell's side.
constexpr int kGlyphPercent = 60;
constexpr int kWheelRows = 3;

// A rectangle filled through ExtTextOutW: no brush to make and release for every band.
void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// A cell in the window colour with its line on the right and at the bottom; tiled, it draws the
// lines of a whole band of cell rows.
win::UniqueBrush CellLinesBrush(int size) {
    auto pixel = [](COLORREF colour) {
        return std::uint32_t{GetRValue(colour)} << 16 | std::uint32_t{GetGValue(colour)} << 8 | GetBValue(colour);
    };
    const std::uint32_t window = pixel(::GetSysColor(COLOR_WINDOW));
    const std::uint32_t line = pixel(::GetSysColor(COLOR_BTNFACE));
    const auto side = static_cast<std::size_t>(size);
    // The header and the pixels in one block, as CreateDIBPatternBrushPt takes them.
    std::vector<std::uint32_t> packed(sizeof(BITMAPINFOHEADER) / sizeof(std::uint32_t) + side * side, window);
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
    std::memcpy(packed.data(), &header, sizeof(header));
    std::uint32_t* pixels = packed.data() + sizeof(header) / sizeof(std::uint32_t);
    for (std::size_t i = 0; i < side; ++i) {
        pixels[i * side + side - 1] = line;
        pixels[(side - 1) * side + i] = line;
    }
    return win::UniqueBrush(::CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
}

int UiTextHeight(HWND window) {
    win::WindowDc dc(window);
    win::SelectGuard font(dc.get(), win::UiFont());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

std::wstring Widened(const char* text) {
    std::wstring wide;
    for (; *text; ++text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
    return wide;
}

}  // namespace

void CharacterGridView::Create(HWND parent, UINT_PTR id, const RECT& bounds) {
    win::WindowClassArgs windowClass{kClassName};
    windowClass.background = nullptr;  // the back buffer covers every pixel
    Window::Create(windowClass, win::ChildWindowArgs(parent, id, bounds,
                                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL,
                                                     WS_EX_CLIENTEDGE));
}

void CharacterGridView::SetCharacters(const std::wstring& family, core::CharacterGrid grid, char32_t keep) {
    family_ = family;
    grid_ = std::move(grid);
    cellFont_.reset();
    selected_ = grid_.CellAtOrAfter(keep);
    scrollTop_ = 0;
    SetCellSize(cellSize_);
    // Another font shows the kept character under its block's header where the view has room for
    // both, not at the bottom edge where scrolling down from the top would leave it.
    if (selected_) {
        const int header = grid_.Sections()[grid_.SectionOf(*selected_)].top;
        ScrollTo(grid_.ScrollToShow(*selected_, header, surface_.Height()));
    }
    if (events.selectionChanged && selected_) events.selectionChanged(grid_.CodePointAt(*selected_));
    AnnounceSelection();
}

void CharacterGridView::SetCellSize(int pixels) {
    cellSize_ = std::max(pixels, 8);
    cellFont_.reset(CreateFamilyFont(family_, cellSize_ * kGlyphPercent / 100));
    cellLines_ = CellLinesBrush(cellSize_);
    if (hwnd()) {
        win::WindowDc dc(hwnd());
        win::SelectGuard font(dc.get(), cellFont_.get());
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.get(), &metrics);
        baseline_ = (cellSize_ - metrics.tmHeight) / 2 + metrics.tmAscent;
    }
    LayOut();
    if (selected_) ScrollTo(grid_.ScrollToShow(*selected_, scrollTop_, surface_.Height()));
}

std::optional<char32_t> CharacterGridView::SelectedCodePoint() const {
    if (!selected_) return std::nullopt;
    return grid_.CodePointAt(*selected_);
}

void CharacterGridView::LayOut() {
    if (!hwnd()) return;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int text = UiTextHeight(hwnd());
    grid_.SetLayout(client.right / cellSize_, cellSize_, text + text / 2);
    headerTextTop_ = (grid_.HeaderHeight() - text) / 2;
    surface_.Resize(std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    // Room for every header the view can show at once, and one more.
    const int slots = surface_.Height() / (grid_.HeaderHeight() + cellSize_) + 3;
    headerSlots_.Resize(surface_.Width(), slots * grid_.HeaderHeight());
    slotSections_.assign(static_cast<std::size_t>(slots), std::nullopt);
    scrollTop_ = grid_.ClampScroll(scrollTop_, client.bottom);
    SCROLLINFO scroll{sizeof(scroll), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
    scroll.nMax = std::max(grid_.ContentHeight() - 1, 0);
    scroll.nPage = static_cast<UINT>(client.bottom);
    scroll.nPos = scrollTop_;
    // A scroll bar that comes or goes changes the width: that runs WM_SIZE and this again.
    ::SetScrollInfo(hwnd(), SB_VERT, &scroll, FALSE);
    Render();
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CharacterGridView::ScrollTo(int top) {
    top = grid_.ClampScroll(top, surface_.Height());
    if (top == scrollTop_) return;
    scrollTop_ = top;
    SCROLLINFO scroll{sizeof(scroll), SIF_POS};
    scroll.nPos = scrollTop_;
    // The scroll bar is drawn with the next paint, not now: drawing it at once costs the platform
    // more than the rows in view cost us.
    ::SetScrollInfo(hwnd(), SB_VERT, &scroll, FALSE);
    Render();
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CharacterGridView::OnScroll(WPARAM wParam) {
    SCROLLINFO scroll{sizeof(scroll), SIF_ALL};
    ::GetScrollInfo(hwnd(), SB_VERT, &scroll);
    const int page = std::max(surface_.Height() - cellSize_, cellSize_);
    switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollTo(scrollTop_ - cellSize_); break;
        case SB_LINEDOWN: ScrollTo(scrollTop_ + cellSize_); break;
        case SB_PAGEUP: ScrollTo(scrollTop_ - page); break;
        case SB_PAGEDOWN: ScrollTo(scrollTop_ + page); break;
        // The track position has 32 bits here; the message's own has 16.
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollTo(scroll.nTrackPos); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(grid_.ContentHeight()); break;
        default: break;
    }
}

void CharacterGridView::Select(std::size_t cell) {
    if (grid_.CellCount() == 0) return;
    cell = std::min(cell, grid_.CellCount() - 1);
    const bool changed = selected_ != cell;
    selected_ = cell;
    const int top = grid_.ScrollToShow(cell, scrollTop_, surface_.Height());
    if (top != scrollTop_) {
        ScrollTo(top);
    } else {
        Render();
        ::InvalidateRect(hwnd(), nullptr, FALSE);
    }
    if (!changed) return;
    if (events.selectionChanged) events.selectionChanged(grid_.CodePointAt(cell));
    AnnounceSelection();
}

bool CharacterGridView::SelectCodePoint(char32_t codePoint) {
    const std::optional<std::size_t> cell = grid_.CellOf(codePoint);
    if (!cell) return false;
    Select(*cell);
    return true;
}

void CharacterGridView::ShowSection(std::size_t section) {
    if (section >= grid_.Sections().size()) return;
    ScrollTo(grid_.Sections()[section].top);
    Select(grid_.Sections()[section].firstCell);
}

RECT CharacterGridView::CellBounds(std::size_t cell) const {
    const core::GridRect r = grid_.CellRect(cell);
    return RECT{r.left, r.top - scrollTop_, r.left + r.width, r.top - scrollTop_ + r.height};
}

bool CharacterGridView::CellInView(std::size_t cell) const {
    const RECT r = CellBounds(cell);
    return r.bottom > 0 && r.top < surface_.Height();
}

std::optional<std::size_t> CharacterGridView::CellAtPoint(POINT client) const {
    return grid_.CellAt(client.x, client.y + scrollTop_);
}

void CharacterGridView::AnnounceSelection() const {
    if (!hwnd() || !selected_) return;
    const auto child = static_cast<LONG>(*selected_ + 1);
    ::NotifyWinEvent(EVENT_OBJECT_SELECTION, hwnd(), OBJID_CLIENT, child);
    if (::GetFocus() == hwnd()) ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, child);
}

void CharacterGridView::Render() {
    if (!surface_) return;
    HDC dc = surface_.Dc();
    const int width = surface_.Width();
    const int height = surface_.Height();
    // Every GDI call costs about as much as a character, and every fill as much as the pixels it
    // covers: each pixel is set once before the characters, each section's band of cell rows gets
    // all its lines from one fill with the cell pattern, and headers are copied from their slots.
    const std::vector<core::CharacterGrid::Row> rows = grid_.RowsIn(scrollTop_, height);
    const int columnsWidth = grid_.Columns() * cellSize_;
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const int contentBottom = std::clamp(grid_.ContentHeight() - scrollTop_, 0, height);
    Fill(dc, RECT{columnsWidth, 0, width, contentBottom}, window);
    Fill(dc, RECT{0, contentBottom, width, height}, window);
    for (std::size_t i = 0; i < rows.size();) {
        const int top = rows[i].top - scrollTop_;
        if (rows[i].cellCount == 0) {
            const int slot = HeaderSlot(rows[i].section, rows);
            ::BitBlt(dc, 0, top, width, grid_.HeaderHeight(), headerSlots_.Dc(), 0, slot * grid_.HeaderHeight(),
                     SRCCOPY);
            ++i;
            continue;
        }
        std::size_t last = i;
        while (last + 1 < rows.size() && rows[last + 1].cellCount != 0) ++last;
        const int bottom = rows[last].top - scrollTop_ + cellSize_;
        ::SetBrushOrgEx(dc, 0, top, nullptr);
        const RECT band{0, top, columnsWidth, bottom};
        ::FillRect(dc, &band, cellLines_.get());
        // A section's last row may stop short of the last column.
        if (rows[last].cellCount < static_cast<std::size_t>(grid_.Columns())) {
            const int end = static_cast<int>(rows[last].cellCount) * cellSize_;
            Fill(dc, RECT{end, bottom - cellSize_, columnsWidth, bottom}, window);
        }
        i = last + 1;
    }
    win::DcStateGuard state(dc);
    ::SetBkMode(dc, TRANSPARENT);
    win::SelectGuard font(dc, cellFont_.get());
    ::SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    for (const core::CharacterGrid::Row& row : rows) {
        if (row.cellCount != 0) RenderCells(dc, row, row.top - scrollTop_);
    }
}

int CharacterGridView::HeaderSlot(std::size_t section, const std::vector<core::CharacterGrid::Row>& inView) {
    const auto held = std::find(slotSections_.begin(), slotSections_.end(), section);
    if (held != slotSections_.end()) return static_cast<int>(held - slotSections_.begin());
    // There are more slots than headers fit in the view: one holds none of those in view.
    int slot = 0;
    while (slot + 1 < static_cast<int>(slotSections_.size()) && slotSections_[static_cast<std::size_t>(slot)] &&
           std::any_of(inView.begin(), inView.end(), [&](const core::CharacterGrid::Row& row) {
               return row.cellCount == 0 && row.section == slotSections_[static_cast<std::size_t>(slot)];
           })) {
        ++slot;
    }
    slotSections_[static_cast<std::size_t>(slot)] = section;
    RenderHeader(section, slot * grid_.HeaderHeight());
    return slot;
}

void CharacterGridView::RenderHeader(std::size_t sectionIndex, int y) {
    HDC dc = headerSlots_.Dc();
    const int width = headerSlots_.Width();
    const int height = grid_.HeaderHeight();
    Fill(dc, RECT{0, y, width, y + height - 1}, ::GetSysColor(COLOR_BTNFACE));
    Fill(dc, RECT{0, y + height - 1, width, y + height}, ::GetSysColor(COLOR_BTNSHADOW));
    const core::CharacterGrid::Section& section = grid_.Sections()[sectionIndex];
    std::wstring text = section.block ? Widened(section.block->name) : L"Вне блоков";
    if (section.block) {
        text += L" (" + core::CodePointLabel(section.block->first) + L"–" + core::CodePointLabel(section.block->last) + L")";
    }
    win::SelectGuard font(dc, win::UiFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::ExtTextOutW(dc, height / 4, y + headerTextTop_, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()),
                  nullptr);
}

void CharacterGridView::RenderCells(HDC dc, const core::CharacterGrid::Row& row, int y) {
    std::wstring text;
    text.reserve(2 * row.cellCount);
    for (std::size_t i = 0; i < row.cellCount; ++i) text += core::Utf16Of(grid_.CodePointAt(row.firstCell + i));
    const auto count = static_cast<int>(text.size());
    const bool hasSelected = selected_ && *selected_ >= row.firstCell && *selected_ < row.firstCell + row.cellCount;
    const std::size_t selectedColumn = hasSelected ? *selected_ - row.firstCell : 0;
    // Where each character starts so that its advance is centred in its cell.
    std::vector<int> origins(row.cellCount);
    // The whole row in one call: a call per cell costs more than its character. By glyph index,
    // so that the platform neither joins nor reorders the characters of a script written right to
    // left: each cell shows its character alone, as a call of its own would.
    std::vector<WORD> glyphs(row.cellCount);
    SIZE extent{};
    const bool firstPlane = text.size() == row.cellCount;
    if (firstPlane && ::GetGlyphIndicesW(dc, text.c_str(), count, glyphs.data(), 0) == static_cast<DWORD>(count) &&
        ::GetTextExtentExPointI(dc, glyphs.data(), count, 0, nullptr, origins.data(), &extent)) {
        int end = 0;
        for (std::size_t i = 0; i < origins.size(); ++i) {
            const int advance = origins[i] - end;
            end = origins[i];
            origins[i] = static_cast<int>(i) * cellSize_ + (cellSize_ - advance) / 2;
        }
        std::vector<int> spacing(origins.size(), cellSize_);
        for (std::size_t i = 0; i + 1 < origins.size(); ++i) spacing[i] = origins[i + 1] - origins[i];
        ::ExtTextOutW(dc, origins[0], y + baseline_, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<LPCWSTR>(glyphs.data()),
                      static_cast<UINT>(count), spacing.data());
    } else {
        // Surrogate pairs would split the spacing array: a cell at a time, centred by the platform.
        ::SetTextAlign(dc, TA_CENTER | TA_BASELINE);
        for (std::size_t i = 0; i < row.cellCount; ++i) {
            const std::wstring character = core::Utf16Of(grid_.CodePointAt(row.firstCell + i));
            ::ExtTextOutW(dc, static_cast<int>(i) * cellSize_ + cellSize_ / 2, y + baseline_, 0, nullptr,
                          character.c_str(), static_cast<UINT>(character.size()), nullptr);
        }
        origins.assign(row.cellCount, 0);
        if (hasSelected) origins[selectedColumn] = static_cast<int>(selectedColumn) * cellSize_ + cellSize_ / 2;
    }
    if (hasSelected) {
        // The selected cell again, over its own background.
        const int x = static_cast<int>(selectedColumn) * cellSize_;
        const std::wstring character = core::Utf16Of(grid_.CodePointAt(*selected_));
        const RECT inside{x, y, x + cellSize_ - 1, y + cellSize_ - 1};
        ::SetTextColor(dc, ::GetSysColor(focused_ ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(focused_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        ::ExtTextOutW(dc, origins[selectedColumn], y + baseline_, ETO_OPAQUE | ETO_CLIPPED, &inside,
                      character.c_str(), static_cast<UINT>(character.size()), nullptr);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    }
    ::SetTextAlign(dc, TA_LEFT | TA_BASELINE);
}

void CharacterGridView::Paint() {
    win::PaintGuard paint(hwnd());
    if (!surface_) return;
    const RECT& area = paint.area();
    ::BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, surface_.Dc(), area.left,
             area.top, SRCCOPY);
}

bool CharacterGridView::OnKey(WPARAM key) {
    const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    std::optional<core::GridMove> move;
    switch (key) {
        case VK_LEFT: move = core::GridMove::Left; break;
        case VK_RIGHT: move = core::GridMove::Right; break;
        case VK_UP: move = core::GridMove::Up; break;
        case VK_DOWN: move = core::GridMove::Down; break;
        case VK_PRIOR: move = core::GridMove::PageUp; break;
        case VK_NEXT: move = core::GridMove::PageDown; break;
        case VK_HOME: move = ctrl ? core::GridMove::First : core::GridMove::RowStart; break;
        case VK_END: move = ctrl ? core::GridMove::Last : core::GridMove::RowEnd; break;
        case VK_RETURN:
            if (selected_ && events.copy) events.copy(grid_.CodePointAt(*selected_));
            return true;
        case 'C':
            if (!ctrl) return false;
            if (selected_ && events.copy) events.copy(grid_.CodePointAt(*selected_));
            return true;
        case VK_ESCAPE:
            if (events.close) events.close();
            return true;
        case VK_TAB: {
            HWND root = ::GetAncestor(hwnd(), GA_ROOT);
            const bool back = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (HWND next = ::GetNextDlgTabItem(root, hwnd(), back)) ::SetFocus(next);
            return true;
        }
        default: return false;
    }
    if (selected_) Select(grid_.Moved(*selected_, *move, surface_.Height()));
    return true;
}

void CharacterGridView::OnChar(wchar_t unit) {
    // Control characters come from Enter, Escape, Tab and Ctrl with a letter, which are keys here.
    if (unit < 0x20) return;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        pendingHighSurrogate_ = unit;
        return;
    }
    std::wstring typed;
    if (unit >= 0xDC00 && unit <= 0xDFFF && pendingHighSurrogate_) typed.push_back(pendingHighSurrogate_);
    typed.push_back(unit);
    pendingHighSurrogate_ = 0;
    if (!SelectCodePoint(core::FirstCodePoint(typed))) ::MessageBeep(MB_OK);
}

LRESULT CharacterGridView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            LayOut();
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SYSCOLORCHANGE:
            cellLines_ = CellLinesBrush(cellSize_);
            std::fill(slotSections_.begin(), slotSections_.end(), std::nullopt);
            Render();
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_VSCROLL:
            OnScroll(wParam);
            return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(scrollTop_ - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelRows * cellSize_ / WHEEL_DELTA);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (OnKey(wParam)) return 0;
            break;
        case WM_CHAR:
            OnChar(static_cast<wchar_t>(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            ::SetFocus(hwnd());
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const std::optional<std::size_t> cell = CellAtPoint(at);
            if (!cell) return 0;
            Select(*cell);
            if (message == WM_LBUTTONDBLCLK && events.activate) events.activate(grid_.CodePointAt(*cell));
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // Kept here: asking the platform for the focus on every row would cost more than the row.
            focused_ = message == WM_SETFOCUS;
            Render();
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            if (message == WM_SETFOCUS) AnnounceSelection();
            return 0;
        case WM_GETOBJECT:
            if (LRESULT answer = AnswerGridObject(hwnd(), wParam, lParam)) return answer;
            break;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

void CharacterGridView::OnDestroyed() {
    // Closed, the window keeps no GDI objects; opening it again makes them anew.
    surface_.Reset();
    headerSlots_.Reset();
    cellFont_.reset();
    cellLines_.reset();
}

}  // namespace app
