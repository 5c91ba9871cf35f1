#include "core/app/character_grid.h"

#include <gtest/gtest.h>

#include <string>

namespace core {
namespace {

// Basic Latin A–J (10), Cyrillic А–В (3), then the first two code points of the Private Use Area:
// with 4 columns, cells 40 and headers 10, the sections' rows are 3, 1 and 1.
CharacterGrid SmallGrid() {
    CharacterGrid grid({{0xE000, 0xE001}, {0x0410, 0x0412}, {0x41, 0x45}, {0x44, 0x4A}});
    grid.SetLayout(4, 40, 10);
    return grid;
}

TEST(CharacterGrid, CoveredCodePointsAreGroupedByBlockWithoutGapsOrSurrogates) {
    const CharacterGrid grid = SmallGrid();
    ASSERT_EQ(grid.CellCount(), 15u);
    ASSERT_EQ(grid.Sections().size(), 3u);
    EXPECT_STREQ(grid.Sections()[1].block->name, "Cyrillic");
    EXPECT_EQ(grid.Sections()[1].firstCell, 10u);
    EXPECT_EQ(grid.Sections()[2].rows, 1);
    for (std::size_t cell = 0; cell < grid.CellCount(); ++cell) EXPECT_EQ(grid.CellOf(grid.CodePointAt(cell)), cell);
    EXPECT_EQ(grid.CellOf(0x4B), std::nullopt);
    EXPECT_EQ(grid.CellAtOrAfter(0x4B), 10u);
    EXPECT_EQ(grid.CellAtOrAfter(0xF000), 14u);

    // Surrogates and values past the last code point never become cells; a stretch outside every
    // block still gets a section of its own.
    const CharacterGrid edges({{0xD7FE, 0xE000}, {0x2FE0, 0x2FE1}, {0x10FFFF, 0x110005}});
    EXPECT_EQ(edges.CellCount(), 6u);
    EXPECT_EQ(edges.CodePointAt(4), 0xE000u);
    EXPECT_EQ(edges.Sections().front().block, nullptr);
    EXPECT_EQ(CharacterGrid().CellAtOrAfter(0x41), std::nullopt);
}

TEST(CharacterGrid, PositionsAndVisibleRowsMatchTheLayout) {
    const CharacterGrid grid = SmallGrid();
    EXPECT_EQ(grid.ContentHeight(), 3 * 10 + 5 * 40);
    for (std::size_t cell = 0; cell < grid.CellCount(); ++cell) {
        const GridRect r = grid.CellRect(cell);
        EXPECT_EQ(grid.CellAt(r.left + r.width - 1, r.top + r.height - 1), cell);
    }
    EXPECT_EQ(grid.CellRect(11).top, 130 + 10);  // Cyrillic's header follows three rows of Latin
    const std::pair<int, int> empty[] = {{5, 5}, {2 * 40 + 10, 100}, {160, 20}, {0, 500}, {-1, 20}};
    for (const auto& [x, y] : empty) EXPECT_EQ(grid.CellAt(x, y), std::nullopt) << x << "," << y;

    // A band from inside the last Latin row to inside the Cyrillic row: that row, the header, the row.
    const auto rows = grid.RowsIn(100, 50);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].firstCell, 8u);
    EXPECT_EQ(rows[0].cellCount, 2u);
    EXPECT_EQ(rows[1].cellCount, 0u);
    EXPECT_EQ(rows[2].top, 140);
    EXPECT_EQ(grid.RowsIn(0, grid.ContentHeight()).size(), 8u);
}

TEST(CharacterGrid, KeysMoveAcrossRowsAndSections) {
    const CharacterGrid grid = SmallGrid();
    struct Case {
        std::size_t from;
        GridMove move;
        std::size_t to;
    };
    const Case cases[] = {
        {0, GridMove::Left, 0},       {9, GridMove::Right, 10},    {14, GridMove::Right, 14},
        {3, GridMove::Down, 7},       {7, GridMove::Down, 9},      {9, GridMove::Down, 11},
        {11, GridMove::Up, 9},        {12, GridMove::Down, 14},    {14, GridMove::Down, 14},
        {1, GridMove::Up, 1},         {1, GridMove::PageDown, 9},  {13, GridMove::PageUp, 8},
        {6, GridMove::RowStart, 4},   {8, GridMove::RowEnd, 9},    {6, GridMove::Last, 14},
        {6, GridMove::First, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid.Moved(c.from, c.move, 80), c.to) << c.from << " move " << static_cast<int>(c.move);
    }
}

TEST(CharacterGrid, ScrollingShowsTheCellAndItsHeaderWithinTheContent) {
    const CharacterGrid grid = SmallGrid();
    struct Case {
        std::size_t cell;
        int top;
        int expected;
    };
    // The view is 100 high; the content 230.
    const Case cases[] = {
        {5, 0, 0}, {10, 0, 80}, {11, 0, 80}, {0, 120, 0}, {4, 120, 50}, {14, 0, 130}, {0, 500, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(grid.ScrollToShow(c.cell, c.top, 100), c.expected) << c.cell;
    EXPECT_EQ(grid.ClampScroll(1000, 100), 130);
    EXPECT_EQ(grid.ClampScroll(10, 1000), 0);
}

}  // namespace
}  // namespace core
