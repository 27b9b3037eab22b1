#pragma once
// The stretch of the kept history a figure is counted over ("统计范围"): the
// whole history (全部), its newest N draws (近30期, 近N期), or the draws of
// the issues a to b (期号 a–b, both included, compared as numbers). One
// range serves the backtest's draws, the trend chart, the omission figures
// on the controls and the rules; it is kept between starts by its key.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/draw_store.h"

namespace numsift {

// The draws of a range: indexes [begin, end) into a history, oldest first.
// A figure over a span still takes the draws before begin as history.
struct DrawSpan {
    std::size_t begin = 0, end = 0;
    std::size_t size() const { return end > begin ? end - begin : 0; }
    bool operator==(const DrawSpan&) const = default;
};

struct DrawRange {
    enum class Kind { All, Last, Issues };
    Kind kind = Kind::All;
    std::size_t last = 0;   // Kind::Last: how many of the newest draws (at least 1)
    std::string fromIssue;  // Kind::Issues: the first and the last issue, digits
    std::string toIssue;

    static DrawRange all() { return {}; }
    static DrawRange newest(std::size_t n) { return {Kind::Last, n, {}, {}}; }
    static DrawRange issues(std::string from, std::string to) {
        return {Kind::Issues, 0, std::move(from), std::move(to)};
    }

    // The draws of the range in a history: all of them for 全部, the newest
    // N (all when there are fewer), those whose issue lies between a and b
    // (whichever of the two comes first; none when no issue does).
    DrawSpan in(const DrawStore& history) const;
    // The same for a history given only by its size (no issues: 期号 a–b
    // takes everything).
    DrawSpan in(std::size_t drawCount) const;

    // "全部", "近30期", "期号 2025001–2025100": how the window names it.
    std::string text() const;
    // "all", "last:30", "issues:2025001-2025100": how it is kept between
    // starts; fromKey reads it back, nothing for any other text.
    std::string key() const;
    static std::optional<DrawRange> fromKey(std::string_view key);

    bool operator==(const DrawRange&) const = default;
};

}  // namespace numsift
