#pragma once
// The candidate table of a run: every number 00000..99999 in order, or a copy
// of the base set in its ascending order.

#include <cstdint>
#include <vector>

#include "engine/number.h"
#include "engine/number_list.h"

namespace numsift {

struct CandidateTable {
    std::vector<std::uint32_t> values;

    std::size_t size() const { return values.size(); }
    const Digits& digits(std::size_t row) const { return digitsOf(values[row]); }

    // All 100,000 numbers when base is empty, else a copy of base.
    static CandidateTable build(const NumberSet& base);
};

}  // namespace numsift
