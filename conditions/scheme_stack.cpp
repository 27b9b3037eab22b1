#include "conditions/scheme_stack.h"

#include "conditions/run_order.h"

namespace numsift {

StackCounts stackSchemes(std::span<const Scheme> schemes, const NumberSet& base) {
    StackCounts stack;
    stack.table = CandidateTable::build(base);
    stack.schemeCount = schemes.size();
    const std::size_t n = stack.table.size();
    stack.counts.assign(n, 0);
    ConditionMatrix matrix(n);  // one matrix for all, its cells reused by every scheme
    for (const Scheme& scheme : schemes) {
        checkTable(runOrder(), scheme.input, stack.table, matrix);
        const std::vector<std::uint8_t> kept = admittedRows(matrix, scheme.grouping());
        std::uint16_t* c = stack.counts.data();
        for (std::size_t i = 0; i < n; ++i) c[i] = static_cast<std::uint16_t>(c[i] + kept[i]);
    }
    stack.histogram.assign(schemes.size() + 1, 0);
    for (std::uint16_t c : stack.counts) ++stack.histogram[c];
    return stack;
}

std::vector<std::uint32_t> stackedResult(const StackCounts& stack, std::size_t lowest, std::size_t highest) {
    std::vector<std::uint32_t> result;
    for (std::size_t i = 0; i < stack.table.size(); ++i)
        if (stack.counts[i] >= lowest && stack.counts[i] <= highest) result.push_back(stack.table.values[i]);
    return result;
}

}  // namespace numsift
