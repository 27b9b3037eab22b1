#pragma once
// What a number set looks like ("结果统计"): how many of its numbers have each
// condition item (analysis/condition_items.h) — digits per position and
// anywhere, sum tails, sums, spans, the three patterns, roads, shapes,
// ratios, AC values and two-digit codes — so a player sees at a glance what
// his result (or any list he pastes) is made of.

#include <cstdint>
#include <span>
#include <vector>

#include "analysis/condition_items.h"
#include "engine/number.h"

namespace numsift {

struct SetItemCounts {
    std::size_t numberCount = 0;
    std::vector<std::uint32_t> counts = std::vector<std::uint32_t>(kItemCount, 0);  // by flat index

    // The item's count (0 for an item outside its family).
    std::uint32_t operator[](ItemId item) const;
    // count / numberCount (0 for an empty set).
    double share(ItemId item) const;
};

// Counts over the numbers given (values 0..99999, each counted as often as
// it is given; a number set holds each once).
SetItemCounts setItemCounts(std::span<const std::uint32_t> numbers);

}  // namespace numsift
