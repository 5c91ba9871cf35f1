#include "core/app/character_grid.h"

#include <algorithm>

namespace core {

namespace {

constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;

// Sorted, merged, without surrogates or values past the last code point.
std::vector<CodePointRange> Normalised(const std::vector<CodePointRange>& covered) {
    std::vector<CodePointRange> pieces;
    for (CodePointRange range : covered) {
        range.last = std::min(range.last, kLastCodePoint);
        if (range.first > range.last) continue;
        if (range.first < kFirstSurrogate && range.last >= kFirstSurrogate) {
            pieces.push_back({range.first, kFirstSurrogate - 1});
        }
        if (range.last > kLastSurrogate && range.first <= kLastSurrogate) {
            pieces.push_back({kLastSurrogate + 1, range.last});
        }
        if (range.last < kFirstSurrogate || range.first > kLastSurrogate) pieces.push_back(range);
    }
    std::sort(pieces.begin(), pieces.end(),
              [](const CodePointRange& a, const CodePointRange& b) { return a.first < b.first; });
    std::vector<CodePointRange> merged;
    for (const CodePointRange& range : pieces) {
        if (!merged.empty() && range.first <= merged.back().last + 1) {
            merged.back().last = std::max(merged.back().last, range.last);
        } else {
            merged.push_back(range);
        }
    }
    return merged;
}

// Where the stretch that holds codePoint ends: its block's last code point, or the code point
// before the next block when it lies outside every block.
char32_t StretchEnd(char32_t codePoint, const UnicodeBlock* block) {
    if (block) return block->last;
    const auto blocks = UnicodeBlocks();
    auto next = std::upper_bound(blocks.begin(), blocks.end(), codePoint,
                                 [](char32_t wanted, const UnicodeBlock& b) { return wanted < b.first; });
    return next == blocks.end() ? kLastCodePoint : next->first - 1;
}

int CeilDiv(std::size_t value, int divisor) {
    return static_cast<int>((value + static_cast<std::size_t>(divisor) - 1) / static_cast<std::size_t>(divisor));
}

}  // namespace

CharacterGrid::CharacterGrid(const std::vector<CodePointRange>& covered) {
    for (CodePointRange range : Normalised(covered)) {
        // Split at block borders, so that each section owns whole ranges.
        for (char32_t first = range.first;;) {
            const UnicodeBlock* block = BlockOf(first);
            const char32_t last = std::min(range.last, StretchEnd(first, block));
            // Covered stretches outside every block share one section when no block comes between.
            if (sections_.empty() || sections_.back().block != block) {
                sections_.push_back({block, cellCount_, 0, ranges_.size(), 0});
            }
            ranges_.push_back({first, last, cellCount_});
            cellCount_ += static_cast<std::size_t>(last - first) + 1;
            sections_.back().cellCount = cellCount_ - sections_.back().firstCell;
            ++sections_.back().rangeCount;
            if (last == range.last) break;
            first = last + 1;
        }
    }
    SetLayout(columns_, cellSize_, headerHeight_);
}

void CharacterGrid::SetLayout(int columns, int cellSize, int headerHeight) {
    columns_ = std::max(columns, 1);
    cellSize_ = std::max(cellSize, 1);
    headerHeight_ = std::max(headerHeight, 0);
    int top = 0;
    for (Section& section : sections_) {
        section.top = top;
        section.rows = CeilDiv(section.cellCount, columns_);
        top += headerHeight_ + section.rows * cellSize_;
    }
    contentHeight_ = top;
}

std::size_t CharacterGrid::SectionOf(std::size_t cell) const {
    auto after = std::upper_bound(sections_.begin(), sections_.end(), cell,
                                  [](std::size_t wanted, const Section& s) { return wanted < s.firstCell; });
    return after == sections_.begin() ? 0 : static_cast<std::size_t>(after - sections_.begin()) - 1;
}

char32_t CharacterGrid::CodePointAt(std::size_t cell) const {
    auto after = std::upper_bound(ranges_.begin(), ranges_.end(), cell,
                                  [](std::size_t wanted, const Range& r) { return wanted < r.firstCell; });
    if (after == ranges_.begin()) return 0;
    const Range& range = *(after - 1);
    return range.first + static_cast<char32_t>(std::min(cell - range.firstCell, std::size_t{range.last - range.first}));
}

std::optional<std::size_t> CharacterGrid::CellOf(char32_t codePoint) const {
    auto after = std::upper_bound(ranges_.begin(), ranges_.end(), codePoint,
                                  [](char32_t wanted, const Range& r) { return wanted < r.first; });
    if (after == ranges_.begin()) return std::nullopt;
    const Range& range = *(after - 1);
    if (codePoint > range.last) return std::nullopt;
    return range.firstCell + (codePoint - range.first);
}

std::optional<std::size_t> CharacterGrid::CellAtOrAfter(char32_t codePoint) const {
    if (cellCount_ == 0) return std::nullopt;
    if (auto exact = CellOf(codePoint)) return exact;
    auto next = std::upper_bound(ranges_.begin(), ranges_.end(), codePoint,
                                 [](char32_t wanted, const Range& r) { return wanted < r.first; });
    return next == ranges_.end() ? cellCount_ - 1 : next->firstCell;
}

GridRect CharacterGrid::CellRect(std::size_t cell) const {
    const Section& section = sections_.at(SectionOf(cell));
    const auto local = static_cast<int>(cell - section.firstCell);
    return {local % columns_ * cellSize_, section.top + headerHeight_ + local / columns_ * cellSize_, cellSize_,
            cellSize_};
}

std::size_t CharacterGrid::SectionAtY(int y) const {
    auto after = std::upper_bound(sections_.begin(), sections_.end(), y,
                                  [](int wanted, const Section& s) { return wanted < s.top; });
    return after == sections_.begin() ? 0 : static_cast<std::size_t>(after - sections_.begin()) - 1;
}

std::optional<std::size_t> CharacterGrid::CellAt(int x, int y) const {
    if (sections_.empty() || x < 0 || y < 0 || x >= columns_ * cellSize_) return std::nullopt;
    const Section& section = sections_[SectionAtY(y)];
    const int below = y - section.top - headerHeight_;
    if (below < 0) return std::nullopt;
    const std::size_t local =
        static_cast<std::size_t>(below / cellSize_) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(x / cellSize_);
    if (local >= section.cellCount) return std::nullopt;
    return section.firstCell + local;
}

std::vector<CharacterGrid::Row> CharacterGrid::RowsIn(int top, int height) const {
    std::vector<Row> rows;
    if (sections_.empty() || height <= 0) return rows;
    const int bottom = top + height;
    for (std::size_t s = SectionAtY(std::max(top, 0)); s < sections_.size() && sections_[s].top < bottom; ++s) {
        const Section& section = sections_[s];
        if (section.top + headerHeight_ > top && headerHeight_ > 0) rows.push_back({s, section.top, section.firstCell, 0});
        const int cellsTop = section.top + headerHeight_;
        const int firstRow = std::max(0, (top - cellsTop) / cellSize_);
        for (int row = firstRow; row < section.rows && cellsTop + row * cellSize_ < bottom; ++row) {
            const std::size_t first = section.firstCell + static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_);
            const std::size_t count =
                std::min<std::size_t>(static_cast<std::size_t>(columns_), section.firstCell + section.cellCount - first);
            rows.push_back({s, cellsTop + row * cellSize_, first, count});
        }
    }
    return rows;
}

std::size_t CharacterGrid::CellInRow(const Section& section, int row, int column) const {
    const std::size_t first = section.firstCell + static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_);
    const std::size_t last = std::min(first + static_cast<std::size_t>(columns_), section.firstCell + section.cellCount) - 1;
    return std::min(first + static_cast<std::size_t>(column), last);
}

std::size_t CharacterGrid::Moved(std::size_t cell, GridMove move, int pageHeight) const {
    if (cellCount_ == 0) return 0;
    cell = std::min(cell, cellCount_ - 1);
    std::size_t s = SectionOf(cell);
    const auto local = static_cast<int>(cell - sections_[s].firstCell);
    const int column = local % columns_;
    int row = local / columns_;
    int steps = 1;
    switch (move) {
        case GridMove::Left:
            return cell == 0 ? 0 : cell - 1;
        case GridMove::Right:
            return std::min(cell + 1, cellCount_ - 1);
        case GridMove::RowStart:
            return cell - static_cast<std::size_t>(column);
        case GridMove::RowEnd:
            return CellInRow(sections_[s], row, columns_ - 1);
        case GridMove::First:
            return 0;
        case GridMove::Last:
            return cellCount_ - 1;
        case GridMove::PageUp:
        case GridMove::PageDown:
            steps = std::max(1, pageHeight / cellSize_);
            break;
        case GridMove::Up:
        case GridMove::Down:
            break;
    }
    const bool down = move == GridMove::Down || move == GridMove::PageDown;
    for (; steps > 0; --steps) {
        if (down && row + 1 < sections_[s].rows) {
            ++row;
        } else if (down && s + 1 < sections_.size()) {
            ++s;
            row = 0;
        } else if (!down && row > 0) {
            --row;
        } else if (!down && s > 0) {
            --s;
            row = sections_[s].rows - 1;
        } else {
            break;
        }
    }
    return CellInRow(sections_[s], row, column);
}

int CharacterGrid::ClampScroll(int top, int viewHeight) const {
    return std::clamp(top, 0, std::max(0, contentHeight_ - viewHeight));
}

int CharacterGrid::ScrollToShow(std::size_t cell, int top, int viewHeight) const {
    if (cellCount_ == 0) return ClampScroll(top, viewHeight);
    const GridRect rect = CellRect(cell);
    const Section& section = sections_[SectionOf(cell)];
    const int wantedTop = rect.top == section.top + headerHeight_ ? section.top : rect.top;
    if (wantedTop < top) return ClampScroll(wantedTop, viewHeight);
    if (rect.top + rect.height > top + viewHeight) return ClampScroll(rect.top + rect.height - viewHeight, viewHeight);
    return ClampScroll(top, viewHeight);
}

}  // namespace core
