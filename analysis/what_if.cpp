#include "analysis/what_if.h"

#include <algorithm>
#include <array>

namespace numsift {

namespace {

double share(std::size_t part, std::size_t whole) {
    return whole ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

WhatIfFigures figures(std::size_t kept, std::size_t candidates, std::size_t drawsKept, std::size_t draws) {
    return {kept, share(kept, candidates), drawsKept, share(drawsKept, draws)};
}

// Whether count lies within t, as one unsigned compare (below the lower
// bound the difference wraps past the width).
inline bool inside(std::uint8_t count, std::uint8_t lower, std::uint8_t width) {
    return static_cast<std::uint8_t>(count - lower) <= width;
}

}  // namespace

WhatIf whatIf(const RunResult& run, const BacktestReport& report) {
    const GroupedTolerance grouping = run.grouping();
    const std::size_t sets = grouping.setCount();
    const std::size_t n = run.table.size();
    const std::size_t columns = run.matrix.columnCount();
    const std::size_t drawCount = report.draws.size();
    auto setOfColumn = [&](std::size_t c) {
        return c < run.columnSets.size() ? std::size_t{run.columnSets[c]} : grouping.restSet();
    };

    // Each row's fails per set, and the sets whose tolerance they exceed (bit s).
    // One block for all sets: large fresh allocations cost a page fault per
    // 4 KiB, which here weighs as much as the counting.
    std::vector<std::uint8_t> counts(sets * n, 0);
    auto count = [&](std::size_t s) { return counts.data() + s * n; };
    for (std::size_t c = 0; c < columns; ++c) {
        std::uint8_t* to = count(setOfColumn(c));
        const std::uint8_t* m = run.matrix.column(c).marks.data();
        for (std::size_t i = 0; i < n; ++i) to[i] = static_cast<std::uint8_t>(to[i] + m[i]);
    }
    std::vector<std::uint16_t> outside(n, 0);
    for (std::size_t s = 0; s < sets; ++s) {
        const Tolerance t = grouping.toleranceOf(s);
        const auto width = static_cast<std::uint8_t>(t.upper - t.lower);
        const std::uint8_t* cs = count(s);
        const auto bit = static_cast<std::uint16_t>(1u << s);
        for (std::size_t i = 0; i < n; ++i)
            if (!inside(cs[i], t.lower, width)) outside[i] = static_cast<std::uint16_t>(outside[i] | bit);
    }
    const auto kept = static_cast<std::size_t>(std::count(outside.begin(), outside.end(), std::uint16_t{0}));

    // The same for the draws, from their fail marks.
    std::vector<std::uint16_t> drawOutside(drawCount, 0);
    std::size_t drawsKept = 0;
    for (std::size_t d = 0; d < drawCount; ++d) {
        for (std::size_t s : report.draws[d].failedSets)
            drawOutside[d] = static_cast<std::uint16_t>(drawOutside[d] | (1u << s));
        if (report.draws[d].inBase && drawOutside[d] == 0) ++drawsKept;
    }

    WhatIf w;
    w.current = figures(kept, n, drawsKept, drawCount);

    for (std::size_t s = 0; s < sets; ++s) {
        const Tolerance t = grouping.toleranceOf(s);
        const auto others = static_cast<std::uint16_t>(~(1u << s));
        std::array<std::size_t, 256> rows{}, draws{};
        int largest = t.lower;
        const std::uint8_t* cs = count(s);
        for (std::size_t i = 0; i < n; ++i) {
            if (outside[i] & others) continue;
            ++rows[cs[i]];
            largest = std::max<int>(largest, cs[i]);
        }
        for (std::size_t d = 0; d < drawCount; ++d) {
            const DrawOutcome& o = report.draws[d];
            if (!o.inBase || (drawOutside[d] & others) || s >= o.setFails.size()) continue;
            ++draws[static_cast<std::size_t>(std::clamp(o.setFails[s], 0, 255))];
        }
        std::size_t k = 0, dk = 0;
        for (int upper = t.lower; upper <= std::max<int>(largest, t.upper); ++upper) {
            k += rows[static_cast<std::size_t>(upper)];
            dk += draws[static_cast<std::size_t>(upper)];
            // Past the largest count the figures stay; only the run's own
            // upper bound is still worth a row.
            if (upper > largest && upper != t.upper && upper != t.lower) continue;
            const Tolerance band{t.lower, static_cast<std::uint8_t>(upper)};
            w.bands.push_back(ToleranceBand{s, band, band == t, figures(k, n, dk, drawCount)});
        }
    }

    // One column off lowers its set's count by its mark: a row it marks gains
    // (+1) when that brings the set within its tolerance and the other sets
    // already are, and loses (-1) when the lowered count drops below the
    // lower bound of a row that was kept.
    std::vector<long> drawDelta(columns, 0);
    for (std::size_t d = 0; d < drawCount; ++d) {
        const DrawOutcome& o = report.draws[d];
        if (!o.inBase) continue;
        for (std::size_t c : o.failedColumns) {
            const std::size_t s = setOfColumn(c);
            if (c >= columns || s >= o.setFails.size()) continue;
            const auto others = static_cast<std::uint16_t>(~(1u << s));
            const bool keptOff =
                !(drawOutside[d] & others) && within(grouping.toleranceOf(s), o.setFails[s] - 1);
            drawDelta[c] += static_cast<int>(keptOff) - static_cast<int>(drawOutside[d] == 0);
        }
    }
    w.conditions.resize(columns);
    std::vector<std::int8_t> delta(n);  // of the set at hand
    for (std::size_t s = 0; s < sets; ++s) {
        const Tolerance t = grouping.toleranceOf(s);
        const auto width = static_cast<std::uint8_t>(t.upper - t.lower);
        const auto others = static_cast<std::uint16_t>(~(1u << s));
        const std::uint8_t* cs = count(s);
        std::int8_t* ds = delta.data();
        for (std::size_t i = 0; i < n; ++i) {
            const bool keptNow = outside[i] == 0;
            const bool keptOff =
                !(outside[i] & others) && inside(static_cast<std::uint8_t>(cs[i] - 1), t.lower, width);
            ds[i] = static_cast<std::int8_t>(static_cast<int>(keptOff) - static_cast<int>(keptNow));
        }
        for (std::size_t c = 0; c < columns; ++c) {
            if (setOfColumn(c) != s) continue;
            const std::uint8_t* m = run.matrix.column(c).marks.data();
            int change = 0;  // |change| <= n <= 100,000; an int sum vectorises
            for (std::size_t i = 0; i < n; ++i) change += m[i] * ds[i];
            const auto k = static_cast<std::size_t>(static_cast<long>(kept) + change);
            const auto dk = static_cast<std::size_t>(static_cast<long>(drawsKept) + drawDelta[c]);
            w.conditions[c] = ConditionOff{c, figures(k, n, dk, drawCount)};
        }
    }
    return w;
}

}  // namespace numsift
