#pragma once
// The character map's grid: the covered code points of one font in square cells under a header
// per Unicode block, painted from a back buffer (only the rows in view), scrolled, driven by the
// keyboard and the mouse, and shown to screen readers as a table of cells.
//
// A key or click → core::CharacterGrid says which cell → Select() → the owner's selectionChanged,
// the focus win event, and a repaint of the view.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/app/character_grid.h"
#include "win/dib_surface.h"
#include "win/handles.h"
#include "win/window.h"

namespace app {

class CharacterGridView : public win::Window {
public:
    struct Events {
        std::function<void(char32_t)> selectionChanged;
        std::function<void(char32_t)> copy;      // Enter, Ctrl+C
        std::function<void(char32_t)> activate;  // double click
        std::function<void()> close;             // Escape
    };
    Events events;

    ~CharacterGridView() override { Destroy(); }

    void Create(HWND parent, UINT_PTR id, const RECT& bounds);
    // Shows the family's cells; the selection stays on `keep` or moves to the next covered code
    // point after it.
    void SetCharacters(const std::wstring& family, core::CharacterGrid grid, char32_t keep);
    // The side of a cell in pixels.
    void SetCellSize(int pixels);
    int CellSize() const noexcept { return cellSize_; }

    const core::CharacterGrid& Grid() const noexcept { return grid_; }
    std::optional<std::size_t> SelectedCell() const noexcept { return selected_; }
    std::optional<char32_t> SelectedCodePoint() const;
    void Select(std::size_t cell);
    // Selects a code point the font covers; false (and nothing changes) for one it does not.
    bool SelectCodePoint(char32_t codePoint);
    // Puts the section's header at the top and selects its first cell.
    void ShowSection(std::size_t section);

    int ScrollTop() const noexcept { return scrollTop_; }
    // The cell in client coordinates.
    RECT CellBounds(std::size_t cell) const;
    bool CellInView(std::size_t cell) const;
    std::optional<std::size_t> CellAtPoint(POINT client) const;

    // Draws the rows in view into the back buffer; WM_PAINT copies it out.
    void Render();
    const win::DibSurface& Surface() const noexcept { return surface_; }
    HFONT CellFont() const noexcept { return cellFont_.get(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    void LayOut();
    void ScrollTo(int top);
    void OnScroll(WPARAM wParam);
    bool OnKey(WPARAM key);
    void OnChar(wchar_t unit);
    void Paint();
    // The slot of headerSlots_ that holds the section's header, drawn there if it was not yet.
    int HeaderSlot(std::size_t section, const std::vector<core::CharacterGrid::Row>& inView);
    void RenderHeader(std::size_t section, int y);
    void RenderCells(HDC dc, const core::CharacterGrid::Row& row, int y);
    void AnnounceSelection() const;

    core::CharacterGrid grid_;
    std::wstring family_;
    win::UniqueFont cellFont_;
    win::UniqueBrush cellLines_;
    int cellSize_ = 36;
    int baseline_ = 0;
    int headerTextTop_ = 0;
    bool focused_ = false;
    int scrollTop_ = 0;
    std::optional<std::size_t> selected_;
    wchar_t pendingHighSurrogate_ = 0;
    win::DibSurface surface_;
    // Headers drawn once and copied while they stay in view: a header's text costs as much as a
    // row of cells. Laying out again forgets them.
    win::DibSurface headerSlots_;
    std::vector<std::optional<std::size_t>> slotSections_;
};

}  // namespace app
