#pragma once
// How kill rules would have done, judged honestly: every draw of a range is
// judged on the kills made from the draws before it alone, and every hit rate
// stands beside the exact chance figure of the same kills. A rule that does
// no better than chance is said to.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/draw_range.h"
#include "analysis/rule_kills.h"

namespace numsift {

// One judged draw of a rule.
struct RuleOutcome {
    std::size_t draw = 0;  // index into the history
    ValueMask kills = 0;
    bool right = false;  // the draw has none of the kills
    double chance = 0;   // share of the 100,000 numbers having none of the kills
};

// A rule's judged draws over a range: those with at least one draw before them.
std::vector<RuleOutcome> ruleOutcomes(RuleFamily family, std::span<const ValueMask> kills,
                                      std::span<const std::uint32_t> draws, DrawSpan range);

struct RuleFigures {
    std::size_t judged = 0;           // 期数
    std::size_t right = 0;            // 命中
    double hitRate = 0;               // 命中率, 0–1 (0 without judged draws)
    double chance = 0;                // 理论命中率: the mean chance of the judged draws' kills
    std::size_t currentRightRun = 0;  // 当前连对: right draws at the end of the range
    std::size_t longestWrongRun = 0;  // 最长连错
    ValueMask nextKills = 0;          // 下期杀: the kills for the draw after the whole history
    // If the rule's kills were right by chance alone, a rule right with
    // chance p would be right X ~ Binomial(judged, p) times; pValue =
    // P(X >= right) is the one-sided p-value. Over the rules shown at once it
    // is adjusted by Holm's method (as the backtest's conditions are), and a
    // rule beats chance only when the adjusted value is at most 5 %.
    double pValue = 1;
    double adjustedPValue = 1;
    bool beatsChance = false;
};

// The figures of one rule's outcomes (pValue unadjusted: adjustedPValue = pValue).
RuleFigures figuresOf(std::span<const RuleOutcome> outcomes, ValueMask nextKills);

// Holm's adjustment over the figures given, and the verdict of each.
void judgeTogether(std::span<RuleFigures> figures);

// The figures of every rule over the range, judged together. Nothing when
// progress stops it.
std::optional<std::vector<RuleFigures>> ruleFigures(std::span<const KillRule> rules,
                                                    std::span<const std::uint32_t> draws, DrawSpan range,
                                                    const ProgressFn& progress = {});

// "优于随机" or "与随机无差别".
std::string_view verdictText(const RuleFigures& figures);

// "07": the values of a mask ascending, written together.
std::string valuesText(ValueMask values);

// A rule's hit rate as a chart draws it: at each judged draw, the share of
// right draws among the last width judged draws up to it (fewer at the
// start), and the mean chance of the same draws.
struct RollingPoint {
    std::size_t draw = 0;
    double hitRate = 0;
    double chance = 0;
};
std::vector<RollingPoint> rollingHitRate(std::span<const RuleOutcome> outcomes, std::size_t width);

// Header line (规则, p值, 校正p值, 结论, 期数, 命中, 命中率, 理论命中率, 当前连对,
// 最长连错, 下期杀), then one tab-separated line per rule in the order given.
std::string ruleFiguresTable(std::span<const KillRule> rules, std::span<const RuleFigures> figures,
                             std::string_view eol);

}  // namespace numsift
