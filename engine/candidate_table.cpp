#include "engine/candidate_table.h"

#include <numeric>

namespace numsift {

CandidateTable CandidateTable::build(const NumberSet& base) {
    CandidateTable t;
    if (!base.empty()) {
        t.values = base.values;
    } else {
        t.values.resize(kNumberSpace);
        std::iota(t.values.begin(), t.values.end(), 0u);
    }
    return t;
}

}  // namespace numsift
