#include "conditions/run_order.h"

namespace numsift {

// Placeholder until the checks land: no step is active yet.
std::span<const RunStep> runOrder() { return {}; }

RunResult runFilter(const FilterInput& input, const NumberSet& base, Tolerance tolerance) {
    return runChecks(runOrder(), input, base, tolerance);
}

}  // namespace numsift
