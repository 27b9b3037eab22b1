#include "engine/filter_run.h"

#include <algorithm>

namespace numsift {

void checkTable(std::span<const RunStep> steps, const FilterInput& input, const CandidateTable& table,
                ConditionMatrix& matrix) {
    matrix.clearColumns();
    for (const RunStep& step : steps) {
        if (table.size() == 0) break;
        step.check(input, table, matrix);
    }
}

ConditionMatrix checkTable(std::span<const RunStep> steps, const FilterInput& input,
                           const CandidateTable& table) {
    ConditionMatrix matrix(table.size());
    checkTable(steps, input, table, matrix);
    return matrix;
}

std::vector<std::uint8_t> admittedRows(const ConditionMatrix& matrix, const GroupedTolerance& tolerance,
                                       std::vector<std::uint8_t>* failCounts) {
    const std::size_t n = matrix.rows();
    std::vector<std::uint8_t> admitted(n, 1);
    std::vector<std::uint8_t> total(n, 0);
    std::vector<std::uint8_t> count(n);
    const std::vector<std::uint8_t> sets = tolerance.columnSets(matrix);
    for (std::size_t s = 0; s < tolerance.setCount(); ++s) {
        std::fill(count.begin(), count.end(), std::uint8_t{0});
        std::uint8_t* c = count.data();
        for (std::size_t col = 0; col < sets.size(); ++col) {
            if (sets[col] != s) continue;
            const std::uint8_t* m = matrix.column(col).marks.data();
            for (std::size_t i = 0; i < n; ++i) c[i] = static_cast<std::uint8_t>(c[i] + m[i]);
        }
        // lower <= c <= upper as one unsigned compare: below lower, c - lower
        // wraps to at least 256 - lower, which exceeds upper - lower.
        const Tolerance t = tolerance.toleranceOf(s);
        const auto lower = t.lower;
        const auto width = static_cast<std::uint8_t>(t.upper - t.lower);
        std::uint8_t* a = admitted.data();
        std::uint8_t* sum = total.data();
        for (std::size_t i = 0; i < n; ++i) {
            a[i] = static_cast<std::uint8_t>(a[i] & (static_cast<std::uint8_t>(c[i] - lower) <= width));
            sum[i] = static_cast<std::uint8_t>(sum[i] + c[i]);
        }
    }
    if (failCounts) *failCounts = std::move(total);
    return admitted;
}

RunResult runChecks(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                    Tolerance tolerance) {
    RunResult r;
    r.tolerance = tolerance;
    r.table = CandidateTable::build(base);
    r.matrix = checkTable(steps, input, r.table);
    r.columnSets.assign(r.matrix.columnCount(), 0);
    r.failCounts = r.matrix.failCounts();
    const std::size_t n = r.table.size();
    r.result.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t f = r.failCounts[i];
        if (f >= tolerance.lower && f <= tolerance.upper) r.result.push_back(r.table.values[i]);
    }
    return r;
}

RunResult runChecks(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                    const GroupedTolerance& tolerance) {
    if (tolerance.groups.empty()) return runChecks(steps, input, base, tolerance.rest);
    RunResult r;
    r.tolerance = tolerance.rest;
    r.groups = tolerance.groups;
    r.table = CandidateTable::build(base);
    r.matrix = checkTable(steps, input, r.table);
    r.columnSets = tolerance.columnSets(r.matrix);
    const std::vector<std::uint8_t> admitted = admittedRows(r.matrix, tolerance, &r.failCounts);
    const std::size_t n = r.table.size();
    r.result.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        if (admitted[i]) r.result.push_back(r.table.values[i]);
    return r;
}

}  // namespace numsift
