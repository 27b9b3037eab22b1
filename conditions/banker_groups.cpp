// 胆组: a candidate must hit every active group with one of the group's
// admissible counts; the groups together are one check.
#include <vector>

#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

void checkBankerGroups(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    const NumberTraits& traits = numberTraits();
    // A candidate's hit count depends only on its digit multiset, so each
    // group is decided once per multiset.
    std::vector<std::uint8_t> failed(traits.multisets.size(), 0);
    bool anyGroup = false;
    for (const BankerGroupInput& g : in.banker) {
        bool anyDigit = false;
        for (bool b : g.digits) anyDigit = anyDigit || b;
        if (!anyDigit) continue;
        anyGroup = true;
        bool admissible[6] = {};
        bool anyCount = false;
        for (int n = 0; n <= 5; ++n)
            if (g.counts[static_cast<std::size_t>(n)]) admissible[n] = anyCount = true;
        if (!anyCount)
            for (int n = 1; n <= 5; ++n) admissible[n] = true;
        for (std::size_t id = 0; id < traits.multisets.size(); ++id) {
            const DigitMultiset& ms = traits.multisets[id];
            int hits = 0;
            for (int d = 0; d < 10; ++d)
                if (g.digits[static_cast<std::size_t>(d)] && ms.count[static_cast<std::size_t>(d)] > 0)
                    hits += in.countRepeats ? ms.count[static_cast<std::size_t>(d)] : 1;
            if (!admissible[hits]) failed[id] = 1;
        }
    }
    if (!anyGroup) return;
    fillFromProperty(t, appendColumn(m, {ConditionId::Banker}), traits.multiset, failed.data());
}

}  // namespace numsift
