#pragma once
// Walk-forward ("滚动验证"): the scheme played draw by draw as a player
// would have played it. For each draw t of a range the panel is the scheme's
// own conditions with each rule's kills at t (made from the draws before t
// only) added to its control; K(t) is the size of that panel's result (over
// the base set when there is one), and the draw is kept when it is in that
// result. Nothing after t plays a part in t's row.
//
// Only the controls the rules feed (定位杀, 通杀码, 杀和尾, 杀跨度) change from
// draw to draw, so the other conditions are run once: their fail counts per
// set of the grouped tolerance are kept for every candidate that can still
// survive, and each draw adds only the changing columns.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/rule_figures.h"
#include "conditions/scheme.h"
#include "engine/number_list.h"

namespace numsift {

struct WalkDraw {
    std::size_t draw = 0;        // index into the history
    std::uint32_t value = 0;     // the drawn number
    std::size_t resultSize = 0;  // K(t)
    bool kept = false;           // the draw is in the result
};

// The game's single prize and the price of one number, in 元.
inline constexpr std::uint64_t kPrizeYuan = 100000;
inline constexpr std::uint64_t kPriceYuan = 2;

struct WalkSummary {
    std::size_t drawCount = 0;       // 期数
    std::size_t kept = 0;            // 保留期数
    double keptShare = 0;            // kept / drawCount
    double theory = 0;               // 理论: mean K / 100,000, the share kept if draws fell at random
    double averageSize = 0;          // 平均注数
    std::uint64_t cost = 0;          // 投入: ΣK × 2 元
    std::uint64_t prize = 0;         // 奖金: kept × 100,000 元
    double returnRate = 0;           // 回报率: prize / cost (0 when nothing was bought)
    std::size_t longestMissRun = 0;  // most consecutive draws not kept
};

// The chance return of any play: a number costs 2 元 and wins 100,000 元 with
// chance 1/100,000.
inline constexpr double kChanceReturn = 0.5;

struct WalkReport {
    std::vector<WalkDraw> draws;  // the range, oldest first
    WalkSummary summary;
};

// Walks the scheme over the draws of range (draws oldest first). Nothing when
// progress stops it.
std::optional<WalkReport> walkForward(const Scheme& scheme, const NumberSet& base,
                                      std::span<const std::uint32_t> draws, DrawSpan range,
                                      const ProgressFn& progress = {});

// The summary of rows (for a chart's running totals, or rows of a part).
WalkSummary walkSummary(std::span<const WalkDraw> rows);

// Header line 期号, 号码, 结果注数, 保留, then one line per draw; labels[i]
// is the issue of draw i (empty when the history has none).
std::string walkDrawTable(const WalkReport& report, std::span<const std::string> labels,
                          std::string_view eol);

// Lines "名称<TAB>值": 期数, 保留期数 (kept/count and share), 理论, 平均注数, 投入,
// 奖金, 回报率 (beside the chance return 50 %), 最长连续未中.
std::string walkSummaryText(const WalkSummary& summary, std::string_view eol);

}  // namespace numsift
