#include "analysis/omission_stats.h"

#include <algorithm>

#include "engine/number.h"

namespace numsift {

const ItemFigures& OmissionStats::operator[](ItemId item) const {
    static const ItemFigures none;
    const int flat = flatIndex(item);
    return flat < 0 ? none : figures_[static_cast<std::size_t>(flat)];
}

std::uint32_t averageOmissionHundredths(std::uint64_t drawCount, std::uint64_t hits) {
    // round(100 a / b) half up = floor((200 a + b) / 2b), a = N − hits, b = hits + 1.
    const std::uint64_t a = drawCount - std::min(hits, drawCount), b = hits + 1;
    return static_cast<std::uint32_t>((200 * a + b) / (2 * b));
}

std::string hundredthsText(std::uint32_t hundredths) {
    std::string s = std::to_string(hundredths / 100) + ".";
    s += static_cast<char>('0' + hundredths / 10 % 10);
    s += static_cast<char>('0' + hundredths % 10);
    return s;
}

std::span<const std::uint32_t> lastDraws(std::span<const std::uint32_t> draws, std::size_t n) {
    if (n == 0 || n >= draws.size()) return draws;
    return draws.last(n);
}

OmissionStats omissionStats(std::span<const std::uint32_t> draws) {
    OmissionStats stats;
    stats.drawCount_ = draws.size();
    // Per item: the last draw that had it (0: none yet) and the length of the
    // streak ending there. Draws are counted from 1 so that "none yet" needs
    // no sign.
    std::vector<std::uint32_t> lastHad(kItemCount, 0);
    std::vector<std::uint32_t> streak(kItemCount, 0);
    ItemFigures* figures = stats.figures_.data();
    ItemsOfNumber items;
    std::uint32_t t = 0;
    for (const std::uint32_t value : draws) {
        ++t;
        itemsOf(value, items);
        for (int k = 0; k < items.count; ++k) {
            const std::size_t f = items.flat[static_cast<std::size_t>(k)];
            ItemFigures& x = figures[f];
            const std::uint32_t gap = t - 1 - lastHad[f];  // draws without it before this one
            x.longestOmission = std::max(x.longestOmission, gap);
            streak[f] = gap == 0 && lastHad[f] != 0 ? streak[f] + 1 : 1;
            x.longestStreak = std::max(x.longestStreak, streak[f]);
            lastHad[f] = t;
            ++x.hits;
        }
    }
    for (std::size_t f = 0; f < stats.figures_.size(); ++f) {
        ItemFigures& x = figures[f];
        x.currentOmission = t - lastHad[f];
        x.longestOmission = std::max(x.longestOmission, x.currentOmission);
        x.averageOmissionHundredths = averageOmissionHundredths(t, x.hits);
    }
    return stats;
}

std::vector<std::uint32_t> runningOmission(std::span<const std::uint32_t> draws, ItemId item) {
    std::vector<std::uint32_t> out;
    out.reserve(draws.size());
    std::uint32_t run = 0;
    for (const std::uint32_t value : draws) {
        run = hasItem(value, item) ? 0 : run + 1;
        out.push_back(run);
    }
    return out;
}

}  // namespace numsift
