#include "analysis/set_stats.h"

namespace numsift {

std::uint32_t SetItemCounts::operator[](ItemId item) const {
    const int flat = flatIndex(item);
    return flat < 0 ? 0 : counts[static_cast<std::size_t>(flat)];
}

double SetItemCounts::share(ItemId item) const {
    return numberCount ? static_cast<double>((*this)[item]) / static_cast<double>(numberCount) : 0.0;
}

SetItemCounts setItemCounts(std::span<const std::uint32_t> numbers) {
    SetItemCounts c;
    c.numberCount = numbers.size();
    std::uint32_t* counts = c.counts.data();
    for (std::uint32_t v : numbers) forEachItemOf(v % kNumberSpace, [counts](int flat) { ++counts[flat]; });
    return c;
}

}  // namespace numsift
