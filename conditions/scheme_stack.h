#pragma once
// Scheme stacking ("方案叠加"): several schemes, each with its own tolerance
// and groups, run over one candidate table (the base set or all 100,000
// numbers); a number's count is how many of the schemes keep it, and the
// stacked result is the numbers whose count lies in a chosen range. The
// table is built once for all of them, and the checks read the per-number
// properties built once for the program (conditions/number_traits.h), so a
// stack costs its schemes' checks and little more.

#include <cstdint>
#include <span>
#include <vector>

#include "conditions/scheme.h"
#include "engine/candidate_table.h"

namespace numsift {

inline constexpr std::size_t kMinStackedSchemes = 2;
inline constexpr std::size_t kMaxStackedSchemes = 20;

struct StackCounts {
    CandidateTable table;
    std::size_t schemeCount = 0;
    std::vector<std::uint16_t> counts;   // per table row: how many schemes keep the number
    std::vector<std::size_t> histogram;  // [c]: numbers kept by exactly c schemes, c = 0..schemeCount
};

// Runs every scheme over the candidates of base (all numbers when empty).
StackCounts stackSchemes(std::span<const Scheme> schemes, const NumberSet& base);

// The numbers whose count lies in lowest..highest, in table order.
std::vector<std::uint32_t> stackedResult(const StackCounts& stack, std::size_t lowest, std::size_t highest);

}  // namespace numsift
