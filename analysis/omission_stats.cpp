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

double omissionHeat(std::uint32_t current, std::uint32_t averageHundredths) {
    if (current == 0) return 0;
    if (averageHundredths == 0) return 1;
    const double ratio = current * 100.0 / averageHundredths;
    return std::clamp((ratio - 1) / 2, 0.0, 1.0);
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
    // Per item, side by side so that one draw's updates touch one place per
    // item: the last draw that had it (0: none yet; draws are counted from 1
    // so that "none yet" needs no sign), the streak ending there, and the
    // figures so far.
    struct Tally {
        std::uint32_t lastHad = 0, streak = 0, hits = 0, longestOmission = 0, longestStreak = 0;
    };
    std::vector<Tally> tally(kItemCount);
    ItemsOfNumber items;
    std::uint32_t t = 0;
    for (const std::uint32_t value : draws) {
        ++t;
        itemsOf(value, items);
        for (int k = 0; k < items.count; ++k) {
            Tally& x = tally[items.flat[static_cast<std::size_t>(k)]];
            const std::uint32_t gap = t - 1 - x.lastHad;  // draws without it before this one
            x.longestOmission = std::max(x.longestOmission, gap);
            // Without a branch: which way it goes is a coin toss per item.
            x.streak = x.streak * static_cast<std::uint32_t>(gap == 0) + 1;
            x.longestStreak = std::max(x.longestStreak, x.streak);
            x.lastHad = t;
            ++x.hits;
        }
    }
    OmissionStats stats;
    stats.drawCount_ = draws.size();
    for (std::size_t f = 0; f < tally.size(); ++f) {
        const Tally& x = tally[f];
        ItemFigures& out = stats.figures_[f];
        out.hits = x.hits;
        out.currentOmission = t - x.lastHad;
        out.longestOmission = std::max(x.longestOmission, out.currentOmission);
        out.averageOmissionHundredths = averageOmissionHundredths(t, x.hits);
        out.longestStreak = x.longestStreak;
    }
    return stats;
}

OmissionStats omissionStats(std::span<const std::uint32_t> history, DrawSpan range) {
    range.end = std::min(range.end, history.size());
    range.begin = std::min(range.begin, range.end);
    OmissionStats stats = omissionStats(history.subspan(range.begin, range.size()));
    // 当前遗漏 from the newest draw of the history back to the item's last
    // draw: walk back from the end until every item has been seen.
    std::vector<bool> seen(kItemCount, false);
    std::size_t unseen = seen.size();
    for (ItemFigures& f : stats.figures_) f.currentOmission = static_cast<std::uint32_t>(history.size());
    ItemsOfNumber items;
    for (std::size_t back = 0; back < history.size() && unseen > 0; ++back) {
        itemsOf(history[history.size() - 1 - back], items);
        for (int k = 0; k < items.count; ++k) {
            const std::size_t flat = items.flat[static_cast<std::size_t>(k)];
            if (seen[flat]) continue;
            seen[flat] = true;
            --unseen;
            stats.figures_[flat].currentOmission = static_cast<std::uint32_t>(back);
        }
    }
    return stats;
}

OmissionStats omissionStats(std::span<const std::uint32_t> history, DrawSpan range,
                            const OmissionStats& whole) {
    range.end = std::min(range.end, history.size());
    range.begin = std::min(range.begin, range.end);
    if (range.begin == 0 && range.end == history.size()) return whole;
    OmissionStats stats = omissionStats(history.subspan(range.begin, range.size()));
    for (std::size_t f = 0; f < stats.figures_.size(); ++f)
        stats.figures_[f].currentOmission = whole.figures_[f].currentOmission;
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
