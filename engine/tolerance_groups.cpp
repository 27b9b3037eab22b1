#include "engine/tolerance_groups.h"

#include <algorithm>

namespace numsift {

std::size_t GroupedTolerance::setOf(const std::optional<ColumnId>& column) const {
    if (!column) return restSet();
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (std::find(groups[g].columns.begin(), groups[g].columns.end(), *column) != groups[g].columns.end())
            return g;
    return restSet();
}

std::vector<std::uint8_t> GroupedTolerance::columnSets(const ConditionMatrix& matrix) const {
    std::vector<std::uint8_t> sets;
    sets.reserve(matrix.columnCount());
    for (const CheckColumn& c : matrix.columns()) sets.push_back(static_cast<std::uint8_t>(setOf(c.id)));
    return sets;
}

bool GroupedTolerance::admits(std::span<const int> fails) const {
    for (std::size_t s = 0; s < setCount(); ++s)
        if (!within(toleranceOf(s), s < fails.size() ? fails[s] : 0)) return false;
    return true;
}

std::string setName(const GroupedTolerance& grouping, std::size_t set) {
    return set < grouping.groups.size() ? grouping.groups[set].name : std::string("其余条件");
}

}  // namespace numsift
