#pragma once
// The rows of the trend chart ("走势图"): one per draw, oldest first, with the
// draw's sum, span, AC value, patterns, road and shapes, and the running
// omission of the chart's cells, block by block: ten for each position
// (万位…个位), ten for the digit anywhere (通杀码), ten for the sum tail, ten
// for the span (the eighty digit cells), then the sums 0–45, the AC values
// 1–9, the three ratios (k of 5 digits big, odd, prime) and the fourteen
// shapes. Every cell is a condition item (analysis/condition_items.h), so a
// cell, its control and its statistics name the same thing.
//
// A cell's running omission in a row is 0 where the row's draw has the item,
// else the draws since the last row that had it, this row counted (from the
// first row when none had it yet): runningOmission() of the same draws.
// Built once per change of the draws, in one pass; a paint only reads it.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/condition_items.h"

namespace numsift {

// The digit blocks: b = cell / 10 holds the items of the digit, tail or
// span cell % 10.
inline constexpr int kTrendBlockCount = 8;
inline constexpr int kTrendBlockCells = 10;
inline constexpr int kTrendDigitCells = kTrendBlockCount * kTrendBlockCells;

// Every block of cells, the digit blocks first.
enum TrendBlock : int {
    kTrendSumBlock = kTrendBlockCount,  // 和值 0–45
    kTrendAcBlock,                      // AC 1–9
    kTrendBigSmallRatioBlock,           // 大小比 0:5 … 5:0
    kTrendOddEvenRatioBlock,            // 奇偶比
    kTrendPrimeCompositeRatioBlock,     // 质合比
    kTrendShapeBlock,                   // the shapes, by box index
    kTrendAllBlocks
};
inline constexpr std::array<int, kTrendAllBlocks> kTrendBlockSizes = {10, 10, 10, 10, 10, 10, 10,
                                                                      10, 46, 9,  6,  6,  6,  kShapeCount};
inline constexpr int kTrendCellCount = [] {
    int n = 0;
    for (int s : kTrendBlockSizes) n += s;
    return n;
}();
// The first cell of a block.
inline constexpr int trendBlockStart(int block) {
    int n = 0;
    for (int b = 0; b < block; ++b) n += kTrendBlockSizes[static_cast<std::size_t>(b)];
    return n;
}
// The block of a cell.
int trendBlockOf(int cell);

// Block b's title: "万位"…"个位", "通杀码", "和尾", "跨度", "和值", "AC",
// "大小比", "奇偶比", "质合比", "形态".
const char* trendBlockTitle(int block);
// A cell's caption in the header: "0".."9", "27", "2:3", "AABCD".
std::string trendCellCaption(int cell);

// The item of cell 0..kTrendCellCount-1.
ItemId trendCellItem(int cell);

// The cell of an item the chart shows; -1 for any other item.
int trendCellOf(ItemId item);

struct TrendRow {
    std::uint32_t value = 0;
    std::uint8_t sum = 0;
    std::uint8_t span = 0;
    std::uint8_t ac = 0;                         // 1..9
    std::array<std::uint8_t, 3> classPattern{};  // box index of 大小, 奇偶, 质合 (ClassKind order)
    std::uint8_t road = 0;                       // box index of the 012 road
    std::uint16_t shapes = 0;                    // bit b: the draw has shape box b
};

class TrendTable {
public:
    TrendTable() = default;
    // The rows of the draws (values 0..99999, oldest first).
    explicit TrendTable(std::span<const std::uint32_t> draws);

    std::size_t rowCount() const { return rows_.size(); }
    const TrendRow& row(std::size_t r) const { return rows_[r]; }
    // The running omission of a cell in a row; 0 where the row has its item.
    std::uint32_t omission(std::size_t r, int cell) const {
        return omissions_[r * kTrendCellCount + static_cast<std::size_t>(cell)];
    }

private:
    std::vector<TrendRow> rows_;
    std::vector<std::uint32_t> omissions_;  // kTrendCellCount per row
};

}  // namespace numsift
