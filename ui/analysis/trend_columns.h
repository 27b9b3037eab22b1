#pragma once
// Where the trend chart's columns stand across: the issue and the number at
// the left (they stay while the rest scrolls), then the blocks of cells
// (analysis/trend_table.h: 万位 … 跨度, 和值 0–45, AC, the three ratios and
// the shapes), then the draw's patterns as text: 大小, 奇偶, 质合 and its
// 012 road. x is measured in the scrolled part, 0 at its left edge.

#include <QString>

#include <array>

#include "analysis/trend_table.h"

namespace numsift {

// The text columns right of the blocks, and the item family each names.
enum TrendText : int { kTextBigSmall, kTextOddEven, kTextPrimeComposite, kTextRoad, kTrendTextCount };
ItemFamily trendTextFamily(int column);
const char* trendTextTitle(int column);

class TrendColumns {
public:
    static constexpr int kIssueWidth = 62;
    static constexpr int kNumberWidth = 48;
    static constexpr int kFrozenWidth = kIssueWidth + kNumberWidth;

    TrendColumns();

    int cellLeft(int cell) const { return cellLeft_[static_cast<std::size_t>(cell)]; }
    int cellWidth(int cell) const { return cellWidthOf(trendBlockOf(cell)); }
    static int cellWidthOf(int block);
    int blockLeft(int block) const { return cellLeft(trendBlockStart(block)); }
    int blockWidth(int block) const {
        return kTrendBlockSizes[static_cast<std::size_t>(block)] * cellWidthOf(block);
    }
    int textLeft(int column) const { return textLeft_[static_cast<std::size_t>(column)]; }
    static int textWidth(int column);
    int contentWidth() const { return contentWidth_; }
    // The edges between blocks and text columns, left to right, the last
    // the right edge of everything.
    static constexpr int kEdgeCount = int{kTrendAllBlocks} + int{kTrendTextCount} + 1;
    int edge(int k) const {
        if (k < kTrendAllBlocks) return blockLeft(k);
        return k - kTrendAllBlocks < kTrendTextCount ? textLeft(k - kTrendAllBlocks) : contentWidth_;
    }

    // The cell or text column at x; -1 where there is none.
    int cellAt(int x) const;
    int textAt(int x) const;
    // The first and last cell whose columns meet [x0, x1]; first > last when none.
    std::pair<int, int> cellsIn(int x0, int x1) const;

private:
    std::array<int, kTrendCellCount + 1> cellLeft_{};  // the last: the blocks' right edge
    std::array<int, kTrendTextCount> textLeft_{};
    int contentWidth_ = 0;
};

}  // namespace numsift
