#pragma once
// The built-in rules the 规则杀号 page lists beside the player's own: for
// each family (万位…个位, 通杀码, 和尾, 跨度) cold 1–3, hot 1–3 over 10, 30
// and 100 draws, repeat, and best-formula over 50, 100 and 200 draws. Their
// figures over a range come from ruleFigures (analysis/rule_figures.h), all
// 128 in one pass over the draws.

#include <vector>

#include "conditions/kill_rules.h"

namespace numsift {

inline constexpr int kBuiltInRulesPerFamily = 16;

// Family by family in family order; within a family cold 1–3, hot 1–3 over
// 10, then 30, then 100 draws, repeat, best-formula over 50, 100, 200.
std::vector<KillRule> builtInRules();
// Where rule stands in builtInRules(); -1 when it is not one of them.
int builtInRuleIndex(const KillRule& rule);

}  // namespace numsift
