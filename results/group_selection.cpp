#include "results/group_selection.h"

#include "engine/number.h"

namespace numsift {

std::uint32_t sortedDigitsValue(std::uint32_t value) {
    // A counting sort of the five digits without branches: tally the digits,
    // turn the tallies into "digits smaller than d", and the digit at sorted
    // position p is the number of d >= 1 with fewer than p + 1 smaller digits.
    const Digits& d = digitsOf(value % kNumberSpace);
    std::uint8_t counts[10] = {};
    for (std::uint8_t digit : d) ++counts[digit];
    std::uint8_t smaller[10];
    smaller[0] = 0;
    for (int k = 1; k < 10; ++k) smaller[k] = static_cast<std::uint8_t>(smaller[k - 1] + counts[k - 1]);
    std::uint32_t out = 0;
    for (std::uint32_t p = 0; p < 5; ++p) {
        std::uint32_t digit = 0;
        for (int k = 1; k < 10; ++k) digit += smaller[k] <= p;
        out = out * 10 + digit;
    }
    return out;
}

namespace {

// The sorted form of every number, built once on first use (about as much
// work as converting one full result set).
const std::vector<std::uint32_t>& sortedTable() {
    static const std::vector<std::uint32_t> table = [] {
        std::vector<std::uint32_t> t(kNumberSpace);
        for (std::uint32_t v = 0; v < kNumberSpace; ++v) t[v] = sortedDigitsValue(v);
        return t;
    }();
    return table;
}

}  // namespace

std::vector<std::uint32_t> toGroupSelection(std::span<const std::uint32_t> values) {
    const std::vector<std::uint32_t>& sorted = sortedTable();
    std::vector<std::uint8_t> marked(kNumberSpace, 0);
    for (std::uint32_t v : values) marked[sorted[v % kNumberSpace]] = 1;
    std::vector<std::uint32_t> out;
    out.reserve(kMaxGroupSelection);
    for (std::uint32_t v = 0; v < kNumberSpace; ++v)
        if (marked[v]) out.push_back(v);
    return out;
}

}  // namespace numsift
