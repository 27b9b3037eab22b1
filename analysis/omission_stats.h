#pragma once
// Omission statistics ("遗漏") of every condition item (analysis/
// condition_items.h) over a window of past draws, oldest first, newest last.
// With N draws in the window, for each item:
//  - 出现次数 (hits): draws that have the item;
//  - 当前遗漏 (current omission): draws after the newest draw that has it;
//    0 when the newest has it, N when none has;
//  - 最大遗漏 (longest omission): the longest run of consecutive draws
//    without it, the run before its first draw and the current run included;
//  - 平均遗漏 (average omission): (N − hits) / (hits + 1), held exactly as
//    hundredths rounded half up ("四舍五入"): 7 / 3 = 2.33, 1 / 8 = 0.13;
//  - 最大连出 (longest streak): the longest run of consecutive draws that
//    have it.
// One pass over the draws touches only the items each draw has (about 35 of
// 561), so every item's figures over 10,000 draws take about a millisecond;
// the window recomputes them whole when its last-N choice changes and reads
// one item's figures by index.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/condition_items.h"
#include "analysis/draw_range.h"

namespace numsift {

struct ItemFigures {
    std::uint32_t hits = 0;                       // 出现次数
    std::uint32_t currentOmission = 0;            // 当前遗漏
    std::uint32_t longestOmission = 0;            // 最大遗漏
    std::uint32_t averageOmissionHundredths = 0;  // 平均遗漏 × 100, rounded half up
    std::uint32_t longestStreak = 0;              // 最大连出

    bool operator==(const ItemFigures&) const = default;
};

class OmissionStats {
public:
    OmissionStats() : figures_(kItemCount) {}

    // N: the draws counted.
    std::size_t drawCount() const { return drawCount_; }

    // One item's figures (an item outside its family reads as never seen).
    const ItemFigures& operator[](ItemId item) const;
    // Every item's figures by flat index.
    std::span<const ItemFigures> all() const { return figures_; }

private:
    friend OmissionStats omissionStats(std::span<const std::uint32_t> draws);
    friend OmissionStats omissionStats(std::span<const std::uint32_t> history, DrawSpan range);
    friend OmissionStats omissionStats(std::span<const std::uint32_t> history, DrawSpan range,
                                       const OmissionStats& whole);
    std::vector<ItemFigures> figures_;
    std::size_t drawCount_ = 0;
};

// The figures over the draws given (values 0..99999, oldest first). For the
// last N draws of a history pass its last N values (lastDraws).
OmissionStats omissionStats(std::span<const std::uint32_t> draws);

// The figures over the draws of a range of a history (analysis/
// draw_range.h), but 当前遗漏 over the whole history: how long an item has
// been missing does not depend on the stretch looked at, so a narrow range
// never makes the coldest items look fresh. 出现次数, 平均遗漏, 最大遗漏 and
// 最大连出 are those of the range.
OmissionStats omissionStats(std::span<const std::uint32_t> history, DrawSpan range);
// The same with the whole history's figures at hand (omissionStats(history)):
// 当前遗漏 is read from them, not counted again, so a change of range costs
// only the range's draws.
OmissionStats omissionStats(std::span<const std::uint32_t> history, DrawSpan range,
                            const OmissionStats& whole);

// The last n values of draws (all of them when n is 0 or above their count).
std::span<const std::uint32_t> lastDraws(std::span<const std::uint32_t> draws, std::size_t n);

// (N − hits) / (hits + 1) in hundredths, rounded half up, computed in integers.
std::uint32_t averageOmissionHundredths(std::uint64_t drawCount, std::uint64_t hits);

// How overdue an item is, from 0 to 1: none up to its 平均遗漏, full at
// three times it; an item that came in every draw but the last few has an
// average of 0 and is full at once. What the omission figures tint by.
double omissionHeat(std::uint32_t currentOmission, std::uint32_t averageOmissionHundredths);

// "2.33": hundredths with two decimals.
std::string hundredthsText(std::uint32_t hundredths);

// For each draw, the item's running omission as a trend chart shows it: 0
// where the draw has the item, else the draws since the last one that had
// it (counting this one; from the first draw when none had it yet).
std::vector<std::uint32_t> runningOmission(std::span<const std::uint32_t> draws, ItemId item);

}  // namespace numsift
