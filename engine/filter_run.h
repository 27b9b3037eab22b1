#pragma once
// The filter run: candidate table, the checks in their fixed order appending
// columns to the condition matrix, and the result set of the candidates whose
// fail count lies within the tolerance.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/candidate_table.h"
#include "engine/condition_matrix.h"
#include "engine/number_list.h"
#include "engine/tolerance.h"

namespace numsift {

struct FilterInput;  // the state of the condition panel (conditions/filter_input.h)

// A check reads its own inputs, appends at most its own columns and writes
// only into them (0 = passes, 1 = fails).
using CheckFn = void (*)(const FilterInput&, const CandidateTable&, ConditionMatrix&);

struct RunStep {
    int step;                  // 1..21
    std::string_view caption;  // the condition's caption, e.g. "杀直选"
    CheckFn check;
};

struct RunResult {
    CandidateTable table;
    ConditionMatrix matrix;
    std::vector<std::uint8_t> failCounts;  // one per candidate row
    std::vector<std::uint32_t> result;     // surviving numbers in table order
    Tolerance tolerance;
};

// Runs the given steps in order over the candidates of base (all 100,000 when
// base is empty) and keeps those with lower <= fail count <= upper.
RunResult runChecks(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                    Tolerance tolerance);

}  // namespace numsift
