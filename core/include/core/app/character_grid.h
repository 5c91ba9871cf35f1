#pragma once
// The character map's grid as numbers: the code points a font covers, grouped by Unicode block,
// laid out in rows of square cells under one header row per block, and the arithmetic the window
// needs on it (which cell is where, which rows show, where a key moves the selection).
//
// Cells are numbered 0 … CellCount() − 1 in code point order; only covered code points have one.
// Positions are in pixels of the whole content, top at 0; the window subtracts its scroll offset.

#include <cstddef>
#include <optional>
#include <vector>

#include "core/app/unicode_characters.h"

namespace core {

struct CodePointRange {
    char32_t first;
    char32_t last;  // inclusive
};

struct GridRect {
    int left;
    int top;
    int width;
    int height;
};

enum class GridMove { Left, Right, Up, Down, PageUp, PageDown, RowStart, RowEnd, First, Last };

class CharacterGrid {
public:
    // The covered code points of one block (or of one stretch outside every block).
    struct Section {
        const UnicodeBlock* block = nullptr;  // null outside every block
        std::size_t firstCell = 0;
        std::size_t cellCount = 0;
        std::size_t firstRange = 0;  // into the grid's ranges
        std::size_t rangeCount = 0;
        int top = 0;   // of the header row
        int rows = 0;  // cell rows under the header
    };

    // One row the view shows: a header (cellCount 0) or up to Columns() cells.
    struct Row {
        std::size_t section;
        int top;
        std::size_t firstCell;
        std::size_t cellCount;
    };

    // Ranges in any order, overlapping or not; surrogates and values past the last code point are
    // left out.
    explicit CharacterGrid(const std::vector<CodePointRange>& covered = {});

    // Cells a row holds (at least 1), the side of a cell and the height of a header row, in pixels.
    void SetLayout(int columns, int cellSize, int headerHeight);
    int Columns() const noexcept { return columns_; }
    int CellSize() const noexcept { return cellSize_; }
    int HeaderHeight() const noexcept { return headerHeight_; }
    int ContentHeight() const noexcept { return contentHeight_; }

    std::size_t CellCount() const noexcept { return cellCount_; }
    const std::vector<Section>& Sections() const noexcept { return sections_; }
    std::size_t SectionOf(std::size_t cell) const;

    char32_t CodePointAt(std::size_t cell) const;
    std::optional<std::size_t> CellOf(char32_t codePoint) const;
    // The cell of the code point or of the next covered one after it; the last cell past the end.
    // Nothing for a grid without cells.
    std::optional<std::size_t> CellAtOrAfter(char32_t codePoint) const;

    GridRect CellRect(std::size_t cell) const;
    std::optional<std::size_t> CellAt(int x, int y) const;
    // The rows that meet the band from top to top + height, in order.
    std::vector<Row> RowsIn(int top, int height) const;

    // Where the key takes the selection; a page is the rows that fit in pageHeight.
    std::size_t Moved(std::size_t cell, GridMove move, int pageHeight) const;
    // The scroll offset, nearest to top, that shows the whole cell in a view of viewHeight, with
    // its section's header when the cell is on the section's first row.
    int ScrollToShow(std::size_t cell, int top, int viewHeight) const;
    int ClampScroll(int top, int viewHeight) const;

private:
    struct Range {
        char32_t first;
        char32_t last;
        std::size_t firstCell;
    };

    std::size_t SectionAtY(int y) const;
    // The cell in row `row` of the section nearest column `column`.
    std::size_t CellInRow(const Section& section, int row, int column) const;

    std::vector<Range> ranges_;
    std::vector<Section> sections_;
    std::size_t cellCount_ = 0;
    int columns_ = 1;
    int cellSize_ = 1;
    int headerHeight_ = 0;
    int contentHeight_ = 0;
};

}  // namespace core
