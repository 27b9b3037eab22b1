#pragma once
// What the kill rules of conditions/kill_rules.h kill at each draw of a
// history, computed only from the draws before it. With the draws oldest
// first, the history H of draw t is draws[0..t-1]; t = draws.size() is the
// next draw, the one a run is for. With H empty a rule kills nothing.
//  - cold: the count values with the largest 当前遗漏 in H (draws since last
//    seen; |H| when never seen), ties to the smaller value;
//  - hot: the count values seen most often in the last window draws of H,
//    ties to the smaller 当前遗漏, then the smaller value;
//  - repeat: the previous draw's value (for a digit anywhere: each digit);
//  - formula: the formula over the previous draw, mod 10;
//  - best-formula: of the 22,680 formulas (a·X + b·Y + c) mod 10, X before
//    Y in the order d1 d2 d3 d4 d5 sum span tail, a and b 1–9, c 0–9,
//    enumerated by pair, then a, b, c ascending, the first with the most
//    right kills over the last window draws of H (each judged on its own
//    previous draw; a draw without one is not counted), applied to the
//    previous draw.
// A rule is right at t when draw t has none of its values.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "conditions/filter_input.h"
#include "conditions/kill_rules.h"

namespace numsift {

// Values 0–9 of a family as bits: bit v is the value v.
using ValueMask = std::uint16_t;

// Told how far a long computation is (done of total steps); returning false
// stops it, and the computation then returns nothing. Called often enough
// for a progress bar (every few dozen draws), never from another thread.
using ProgressFn = std::function<bool(std::size_t done, std::size_t total)>;

// The values of the family a number has: one for a position, the sum tail
// or the span, each distinct digit for a digit anywhere.
ValueMask familyValues(RuleFamily family, std::uint32_t number);

// How many of the 100,000 numbers have none of the killed values, and that
// count's share: the chance that a random draw proves the kill right
// (90 % for one position digit, 59.049 % for one digit anywhere, the span by
// its true counts).
std::uint32_t numbersWithout(RuleFamily family, ValueMask killed);
double chanceRight(RuleFamily family, ValueMask killed);

// The formula's value (0–9) on a number (the previous draw).
int formulaValue(const KillFormula& formula, std::uint32_t number);

// Which kills each rule makes at the draws t in [begin, end) (end at most
// draws.size() + 1): result[r][t - begin] for rule r. The history before
// begin still counts. One pass over the draws serves every rule; the
// best-formula scores move with the window, so a rule costs the same at
// every draw. Nothing when progress stops it.
std::optional<std::vector<std::vector<ValueMask>>> ruleKills(std::span<const KillRule> rules,
                                                             std::span<const std::uint32_t> draws,
                                                             std::size_t begin, std::size_t end,
                                                             const ProgressFn& progress = {});

// One rule's kills at t in [begin, end).
std::vector<ValueMask> ruleKills(const KillRule& rule, std::span<const std::uint32_t> draws,
                                 std::size_t begin, std::size_t end);

// What a best-formula rule picks at a draw t: the formula and the score it
// won with, right of judged draws in its window (t = 0: nothing judged).
struct BestFormulaPick {
    KillFormula formula;
    int right = 0;
    int judged = 0;
};

// The picks at each t in [begin, end): which formula won, and its in-window
// rate beside how it then does on the draw itself.
std::vector<BestFormulaPick> bestFormulaPicks(RuleFamily family, int window,
                                              std::span<const std::uint32_t> draws, std::size_t begin,
                                              std::size_t end);

// The kills each rule makes at the next draw (after all of history).
std::vector<ValueMask> nextDrawKills(std::span<const KillRule> rules, std::span<const std::uint32_t> history);

// The kills of a panel's rules, by control: what page 1 shows as set by a
// rule (apart from the hand ticks) and a run adds to them.
struct RuleKillsByControl {
    std::array<ValueMask, 5> position{};  // 定位杀, 万位 first
    ValueMask digit = 0;                  // 通杀码
    ValueMask sumTail = 0;                // 杀和尾
    ValueMask span = 0;                   // 杀跨度

    bool empty() const;
    bool operator==(const RuleKillsByControl&) const = default;
};
RuleKillsByControl killsByControl(std::span<const KillRule> rules, std::span<const ValueMask> kills);

// The panel with the kills added to its controls, beside the hand ticks (in
// the same column: a number fails 定位杀 once, whether a tick or a rule
// killed its digit).
FilterInput withRuleKills(const FilterInput& input, const RuleKillsByControl& kills);

// The panel a run uses for the next draw: its rules' kills over history
// added to its controls.
FilterInput withRuleKills(const FilterInput& input, std::span<const KillRule> rules,
                          std::span<const std::uint32_t> history);

}  // namespace numsift
