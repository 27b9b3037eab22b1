// 杀012排列: a candidate fails when the roads (digit mod 3) of its digits, in
// position order, form a ticked pattern.
#include "conditions/captions.h"
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

void checkRoadPatterns(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    std::uint8_t selected[kRoadPatternCount] = {};
    bool any = false;
    for (const std::string& caption : in.roadKill)
        if (const auto pattern = roadPatternOfCaption(caption)) selected[*pattern] = 1, any = true;
    if (!any) return;
    fillFromProperty(t, m.appendColumn(steps::kRoad, captions::kRoadKill), numberTraits().road, selected);
}

}  // namespace numsift
