#pragma once
// Condition schemes ("方案"): the whole condition panel and the error
// tolerance as one UTF-8 JSON object, saved and loaded by the window and run
// by numsift-cli. A scheme with any error is not loaded at all.

#include <string>
#include <string_view>
#include <vector>

#include "conditions/filter_input.h"
#include "conditions/kill_rules.h"
#include "engine/tolerance.h"
#include "engine/tolerance_groups.h"

namespace numsift {

struct Scheme {
    FilterInput input;                   // box texts in the form the boxes show after being left
    Tolerance tolerance;                 // lower <= upper; with groups, the rest's
    std::vector<ToleranceGroup> groups;  // grouped tolerance; empty: one tolerance for the panel
    std::vector<KillRule> rules;         // kill rules (conditions/kill_rules.h)

    GroupedTolerance grouping() const { return GroupedTolerance(tolerance, groups); }
    bool operator==(const Scheme&) const = default;
};

// An empty panel: nothing ticked, every box empty with its hint text set.
Scheme emptyScheme();

struct SchemeLoad {
    bool ok = false;
    Scheme scheme;      // the loaded scheme when ok, emptyScheme() otherwise
    std::string error;  // names the key and the offending item when !ok
};

SchemeLoad loadScheme(std::string_view json);

// Every key in the format's order (groups and rules only when there are any), the empty value for inactive
// conditions, box texts with LF line breaks, ending with a line break.
std::string saveScheme(const Scheme& scheme);

}  // namespace numsift
