// 杀直选: every number of the kill list fails.
#include <vector>

#include "conditions/captions.h"
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/entry_syntax.h"
#include "engine/number_list.h"

namespace numsift {

void checkStraightKill(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    if (countsAsEmpty(in.straightKill)) return;
    const NumberSet list = parseNumbers(in.straightKill.text);
    if (list.empty()) return;
    std::vector<std::uint8_t> killed(kNumberSpace, 0);
    for (std::uint32_t v : list.values) killed[v] = 1;
    fillFromValueFlags(t, m.appendColumn(steps::kStraightKill, captions::kStraightKill), killed.data());
}

}  // namespace numsift
