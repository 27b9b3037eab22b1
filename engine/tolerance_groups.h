#pragma once
// Grouped tolerance ("分组容错"): the player puts conditions into named groups,
// each with a tolerance of its own; every column in no group belongs to the
// rest, which keeps the panel's tolerance (txtWrong). A candidate survives
// when, for every group and for the rest, the number of that set's columns it
// fails lies within the set's tolerance. A set none of whose columns is
// active counts 0 fails, as the whole panel does without an active
// condition. With no groups this is the plain rule lower <= fail count <=
// upper over all columns.
//
// The sets of a grouped tolerance are numbered: set g < groups.size() is
// group g, set groups.size() is the rest.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/condition_matrix.h"
#include "engine/tolerance.h"

namespace numsift {

inline constexpr std::size_t kMaxToleranceGroups = 8;

struct ToleranceGroup {
    std::string name;
    Tolerance tolerance;            // lower <= upper
    std::vector<ColumnId> columns;  // the conditions (or shape boxes) in the group, each in one group only

    bool operator==(const ToleranceGroup&) const = default;
};

struct GroupedTolerance {
    Tolerance rest;                      // the columns in no group
    std::vector<ToleranceGroup> groups;  // at most kMaxToleranceGroups

    // No default constructor: a call given "{}" for a tolerance means the
    // plain Tolerance overload, never this one.
    explicit GroupedTolerance(Tolerance restTolerance, std::vector<ToleranceGroup> toleranceGroups = {})
        : rest(restTolerance), groups(std::move(toleranceGroups)) {}

    std::size_t setCount() const { return groups.size() + 1; }
    std::size_t restSet() const { return groups.size(); }
    Tolerance toleranceOf(std::size_t set) const {
        return set < groups.size() ? groups[set].tolerance : rest;
    }

    // The set of a column: the group that lists it, else the rest (so is a
    // column that names no condition).
    std::size_t setOf(const std::optional<ColumnId>& column) const;

    // The set of every column of the matrix, in column order.
    std::vector<std::uint8_t> columnSets(const ConditionMatrix& matrix) const;

    // Whether fails (one count per set; a missing set counts 0) lie within
    // every set's tolerance.
    bool admits(std::span<const int> fails) const;

    bool operator==(const GroupedTolerance&) const = default;
};

// What a set is called in reports: the group's name, "其余条件" for the rest.
std::string setName(const GroupedTolerance& grouping, std::size_t set);

// lower <= count <= upper.
inline bool within(Tolerance t, int count) { return count >= t.lower && count <= t.upper; }

}  // namespace numsift
