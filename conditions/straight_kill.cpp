// 杀直选: every number of the kill list fails.
#include <vector>

#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/entry_syntax.h"
#include "engine/number_list.h"

namespace numsift {

void checkStraightKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    if (countsAsEmpty(in.straightKill)) return;
    // The list reads like any number list: tokens of exactly five digits
    // between separators, anything else ignored.
    std::vector<std::uint8_t> killed(kNumberSpace, 0);
    if (markNumbers(in.straightKill.text, killed.data()) == 0) return;
    fillFromValueFlags(t, appendColumn(m, {ConditionId::StraightKill}), killed.data());
}

}  // namespace numsift
