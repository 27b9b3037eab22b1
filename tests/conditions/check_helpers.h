#pragma once
// Runs the filter over all 100,000 numbers (or a base set) and reads back the
// marks of single numbers, for the tests of the checks.

#include <algorithm>
#include <cstdint>
#include <string>

#include "conditions/filter_input.h"
#include "conditions/run_order.h"

namespace numsift::checktest {

inline std::uint32_t num(const char* text) { return static_cast<std::uint32_t>(std::stoul(text)); }

struct Checked {
    RunResult r;

    explicit Checked(const FilterInput& in, const NumberSet& base = {}, Tolerance tol = {})
        : r(runFilter(in, base, tol)) {}

    std::size_t columns() const { return r.matrix.columnCount(); }
    const CheckColumn& column(std::size_t i = 0) const { return r.matrix.column(i); }
    std::size_t marked(std::size_t col = 0) const { return r.matrix.column(col).markedCount(); }

    // Mark of number text in column col (the number must be a candidate).
    int mark(const char* text, std::size_t col = 0) const {
        const auto& v = r.table.values;
        const auto it = std::lower_bound(v.begin(), v.end(), num(text));
        return r.matrix.column(col).marks[static_cast<std::size_t>(it - v.begin())];
    }
    int failCount(const char* text) const {
        const auto& v = r.table.values;
        const auto it = std::lower_bound(v.begin(), v.end(), num(text));
        return r.failCounts[static_cast<std::size_t>(it - v.begin())];
    }
};

}  // namespace numsift::checktest
