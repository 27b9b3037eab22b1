// 杀012排列: a candidate fails when the roads (digit mod 3) of its digits, in
// position order, form a ticked pattern.
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

void checkRoadPatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    if (in.roadKill.none()) return;
    // Box i is the road pattern i (position 1 the most significant base-3 digit).
    std::uint8_t selected[kRoadPatternCount] = {};
    for (int i = 0; i < kRoadPatternCount; ++i) selected[i] = in.roadKill.test(static_cast<std::size_t>(i));
    fillFromProperty(t, appendColumn(m, {ConditionId::RoadPatterns}), numberTraits().road, selected);
}

}  // namespace numsift
