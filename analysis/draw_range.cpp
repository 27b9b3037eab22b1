#include "analysis/draw_range.h"

#include <algorithm>

namespace numsift {

namespace {

bool isDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

DrawSpan DrawRange::in(std::size_t drawCount) const {
    if (kind == Kind::Last && last > 0 && last < drawCount) return {drawCount - last, drawCount};
    return {0, drawCount};
}

DrawSpan DrawRange::in(const DrawStore& history) const {
    if (kind != Kind::Issues) return in(history.size());
    std::string_view from = fromIssue, to = toIssue;
    if (compareIssues(from, to) > 0) std::swap(from, to);
    const std::vector<KeptDraw>& draws = history.draws();
    const auto begin =
        std::lower_bound(draws.begin(), draws.end(), from,
                         [](const KeptDraw& d, std::string_view i) { return compareIssues(d.issue, i) < 0; });
    const auto end = std::upper_bound(begin, draws.end(), to, [](std::string_view i, const KeptDraw& d) {
        return compareIssues(i, d.issue) < 0;
    });
    return {static_cast<std::size_t>(begin - draws.begin()), static_cast<std::size_t>(end - draws.begin())};
}

std::string DrawRange::text() const {
    switch (kind) {
        case Kind::All: break;
        case Kind::Last: return "近" + std::to_string(last) + "期";
        case Kind::Issues: return "期号 " + fromIssue + "–" + toIssue;
    }
    return "全部";
}

std::string DrawRange::key() const {
    switch (kind) {
        case Kind::All: break;
        case Kind::Last: return "last:" + std::to_string(last);
        case Kind::Issues: return "issues:" + fromIssue + "-" + toIssue;
    }
    return "all";
}

std::optional<DrawRange> DrawRange::fromKey(std::string_view key) {
    if (key == "all") return all();
    if (key.starts_with("last:")) {
        const std::string_view n = key.substr(5);
        if (!isDigits(n) || n.size() > 9 || n.front() == '0') return std::nullopt;
        return newest(std::stoul(std::string(n)));
    }
    if (key.starts_with("issues:")) {
        const std::string_view both = key.substr(7);
        const std::size_t dash = both.find('-');
        if (dash == std::string_view::npos) return std::nullopt;
        const std::string_view from = both.substr(0, dash), to = both.substr(dash + 1);
        if (!isDigits(from) || !isDigits(to)) return std::nullopt;
        return issues(std::string(from), std::string(to));
    }
    return std::nullopt;
}

}  // namespace numsift
