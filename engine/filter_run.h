#pragma once
// The filter run: candidate table, the checks in their fixed order appending
// columns to the condition matrix, and the result set of the candidates whose
// fail count lies within the tolerance (or, with groups, whose fails in every
// group lie within that group's tolerance: engine/tolerance_groups.h).

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/candidate_table.h"
#include "engine/condition_matrix.h"
#include "engine/number_list.h"
#include "engine/tolerance.h"
#include "engine/tolerance_groups.h"

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
    std::vector<std::uint8_t> failCounts;  // one per candidate row, every column counted
    std::vector<std::uint32_t> result;     // surviving numbers in table order
    Tolerance tolerance;                   // the rest's; with no groups, every column's
    std::vector<ToleranceGroup> groups;    // empty: one tolerance for all columns
    std::vector<std::uint8_t> columnSets;  // per matrix column: its set (a group's index, or groups.size())

    GroupedTolerance grouping() const { return GroupedTolerance(tolerance, groups); }
};

// Runs the given steps in order over the candidates of base (all 100,000 when
// base is empty) and keeps those with lower <= fail count <= upper.
RunResult runChecks(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                    Tolerance tolerance);

// The same, keeping the candidates the grouped tolerance admits.
RunResult runChecks(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                    const GroupedTolerance& tolerance);

// The steps over a candidate table built elsewhere (a run that shares its
// table with others): the matrix of the active columns.
ConditionMatrix checkTable(std::span<const RunStep> steps, const FilterInput& input,
                           const CandidateTable& table);
// The same into a matrix of the table's rows, whose columns are cleared first.
void checkTable(std::span<const RunStep> steps, const FilterInput& input, const CandidateTable& table,
                ConditionMatrix& matrix);

// Which rows of the matrix the tolerance admits (1) and which not (0); the
// rows' total fail counts go to failCounts when it is given.
std::vector<std::uint8_t> admittedRows(const ConditionMatrix& matrix, const GroupedTolerance& tolerance,
                                       std::vector<std::uint8_t>* failCounts = nullptr);

}  // namespace numsift
