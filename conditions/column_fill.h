#pragma once
// Small helpers shared by the checks: appending a condition's column,
// filling a column from a per-number property through a flag table, and
// reading a box's items.

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "conditions/condition_id.h"
#include "conditions/filter_input.h"
#include "engine/candidate_table.h"

namespace numsift {

// Appends the column of a condition (or of one item of it) with the step and
// caption that belong to it.
inline std::uint8_t* appendColumn(ConditionMatrix& m, ColumnId column) {
    return m.appendColumn(conditionStep(column.condition), columnCaption(column), column);
}

// Whether the table holds every number, so that row i is the number i (a
// sorted, duplicate-free table of 100,000 numbers can hold nothing else).
inline bool isWholeSpace(const CandidateTable& t) { return t.size() == kNumberSpace; }

// column[i] = flags[property[value of row i]]; flags holds 0 or 1 for every
// value the property takes.
template <typename P>
void fillFromProperty(const CandidateTable& t, std::uint8_t* column, const std::vector<P>& property,
                      const std::uint8_t* flags) {
    const P* prop = property.data();
    const std::size_t n = t.size();
    if (isWholeSpace(t)) {
        for (std::size_t i = 0; i < n; ++i) column[i] = flags[prop[i]];
        return;
    }
    const std::uint32_t* v = t.values.data();
    for (std::size_t i = 0; i < n; ++i) column[i] = flags[prop[v[i]]];
}

// column[i] = flags[value of row i]; flags covers all 100,000 numbers.
inline void fillFromValueFlags(const CandidateTable& t, std::uint8_t* column, const std::uint8_t* flags) {
    const std::size_t n = t.size();
    if (isWholeSpace(t)) {
        std::memcpy(column, flags, n);
        return;
    }
    const std::uint32_t* v = t.values.data();
    for (std::size_t i = 0; i < n; ++i) column[i] = flags[v[i]];
}

// The items of a box as the conditions read them: nothing when the box counts
// as empty (empty, or its hint text); otherwise the runs of characters
// between blanks and line breaks, empty runs skipped.
std::vector<std::string_view> boxItems(const HintedText& box);

}  // namespace numsift
