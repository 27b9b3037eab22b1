#include "engine/filter_run.h"

namespace numsift {

RunResult runChecks(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                    Tolerance tolerance) {
    RunResult r;
    r.tolerance = tolerance;
    r.table = CandidateTable::build(base);
    r.matrix = ConditionMatrix(r.table.size());
    for (const RunStep& step : steps) {
        if (r.table.size() == 0) break;
        step.check(input, r.table, r.matrix);
    }
    r.failCounts = r.matrix.failCounts();
    const std::size_t n = r.table.size();
    r.result.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t f = r.failCounts[i];
        if (f >= tolerance.lower && f <= tolerance.upper) r.result.push_back(r.table.values[i]);
    }
    return r;
}

}  // namespace numsift
