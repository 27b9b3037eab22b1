#pragma once
// Diagnosis of one number ("号码诊断"): which active checks it fails, its
// fail count, whether that lies within the tolerance and whether the number
// is a candidate at all (in the base set, when one is loaded). The checks are
// evaluated on a candidate table of that one number, which gives the same
// marks as its row in a full run.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/filter_run.h"

namespace numsift {

struct CheckVerdict {
    int step = 0;
    std::string caption;
    bool failed = false;
    std::optional<ColumnId> id;  // the condition (and item) of the column
};

struct Explanation {
    std::uint32_t value = 0;
    std::vector<CheckVerdict> checks;  // every active check, in run order
    int failCount = 0;
    Tolerance tolerance;
    bool withinTolerance = false;  // lower <= failCount <= upper
    bool baseUsed = false;         // a base set was loaded
    bool inBase = true;            // true without a base set
    bool survives = false;         // inBase and withinTolerance

    std::vector<CheckVerdict> failedChecks() const;
};

Explanation explain(std::span<const RunStep> steps, const FilterInput& input, const NumberSet& base,
                    Tolerance tolerance, std::uint32_t value);
Explanation explain(const FilterInput& input, const NumberSet& base, Tolerance tolerance,
                    std::uint32_t value);

// A number typed for diagnosis: five digits (full-width digits allowed),
// blanks around it ignored; nothing else.
std::optional<std::uint32_t> parseSingleNumber(std::string_view text);

}  // namespace numsift
