#include "results/group_selection.h"

#include "engine/number.h"

namespace numsift {

std::uint32_t sortedDigitsValue(std::uint32_t value) {
    const Digits& d = digitsOf(value % kNumberSpace);
    int counts[10] = {};
    for (std::uint8_t digit : d) ++counts[digit];
    std::uint32_t out = 0;
    for (std::uint32_t digit = 0; digit < 10; ++digit)
        for (int k = 0; k < counts[digit]; ++k) out = out * 10 + digit;
    return out;
}

std::vector<std::uint32_t> toGroupSelection(std::span<const std::uint32_t> values) {
    std::vector<std::uint8_t> marked(kNumberSpace, 0);
    for (std::uint32_t v : values) marked[sortedDigitsValue(v)] = 1;
    std::vector<std::uint32_t> out;
    out.reserve(kMaxGroupSelection);
    for (std::uint32_t v = 0; v < kNumberSpace; ++v)
        if (marked[v]) out.push_back(v);
    return out;
}

}  // namespace numsift
