#include "analysis/draw_store.h"

#include <algorithm>

#include "engine/number.h"

namespace numsift {

namespace {

std::string_view withoutLeadingZeros(std::string_view issue) {
    while (issue.size() > 1 && issue.front() == '0') issue.remove_prefix(1);
    return issue;
}

bool isDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isDateOrEmpty(std::string_view date) { return date.empty() || readDate(date, false) == date; }

KeptDraw keptOf(const Draw& d) { return KeptDraw{d.issue, d.date, d.value}; }

// Weighs an offered draw against the kept draw of its issue.
void weigh(KeptDraw& kept, const Draw& offered, MergeReport& report) {
    const bool sameDate = offered.date.empty() || kept.date.empty() || offered.date == kept.date;
    if (offered.value == kept.value && sameDate) {
        ++report.unchanged;
        if (kept.date.empty() && !offered.date.empty()) {
            kept.date = offered.date;
            ++report.datesAdded;
        }
        return;
    }
    report.conflicts.push_back(
        {kept.issue, kept.value, offered.value, kept.date, offered.date, offered.line});
}

void noteLines(std::string& s, std::size_t count, const std::vector<int>& lines, std::string_view what) {
    if (count == 0) return;
    if (!s.empty()) s += "；";
    s += "有 " + std::to_string(count) + " 行" + std::string(what) + "：" + lineListText(lines, count);
}

// Conflicts, draws without an issue and bad lines; withoutIssue says what
// became of the draws without an issue.
std::string problemsNote(const MergeReport& r, std::string_view withoutIssue) {
    std::string s;
    if (!r.conflicts.empty()) {
        s += "有 " + std::to_string(r.conflicts.size()) + " 期与已有的不同，保留原样：";
        const std::size_t shown = std::min(r.conflicts.size(), kReportedBadLines);
        for (std::size_t i = 0; i < shown; ++i) {
            const IssueConflict& c = r.conflicts[i];
            if (i > 0) s += "，";
            if (c.keptValue != c.offeredValue)
                s += "期号 " + c.issue + " 已有 " + numberText(c.keptValue) + "、导入 " +
                     numberText(c.offeredValue);
            else
                s += "期号 " + c.issue + " 日期已有 " + c.keptDate + "、导入 " + c.offeredDate;
        }
        if (r.conflicts.size() > shown) s += "等";
    }
    noteLines(s, r.withoutIssue, r.firstWithoutIssue, "没有期号，" + std::string(withoutIssue));
    noteLines(s, r.badLineCount, r.firstBadLines, "不是开奖号码，已跳过");
    return s;
}

}  // namespace

bool canKeep(const KeptDraw& d) {
    return isDigits(d.issue) && isDateOrEmpty(d.date) && d.value < kNumberSpace;
}

int compareIssues(std::string_view a, std::string_view b) {
    a = withoutLeadingZeros(a);
    b = withoutLeadingZeros(b);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::optional<DrawStore> DrawStore::fromOrdered(std::vector<KeptDraw> draws) {
    for (std::size_t i = 0; i < draws.size(); ++i) {
        if (!canKeep(draws[i])) return std::nullopt;
        if (i > 0 && compareIssues(draws[i - 1].issue, draws[i].issue) >= 0) return std::nullopt;
    }
    DrawStore store;
    store.draws_ = std::move(draws);
    return store;
}

std::optional<std::size_t> DrawStore::find(std::string_view issue) const {
    const auto it =
        std::lower_bound(draws_.begin(), draws_.end(), issue,
                         [](const KeptDraw& d, std::string_view i) { return compareIssues(d.issue, i) < 0; });
    if (it == draws_.end() || compareIssues(it->issue, issue) != 0) return std::nullopt;
    return static_cast<std::size_t>(it - draws_.begin());
}

bool DrawStore::put(KeptDraw draw) {
    if (!canKeep(draw)) return false;
    const auto it =
        std::lower_bound(draws_.begin(), draws_.end(), draw.issue,
                         [](const KeptDraw& d, std::string_view i) { return compareIssues(d.issue, i) < 0; });
    if (it != draws_.end() && compareIssues(it->issue, draw.issue) == 0)
        *it = std::move(draw);
    else
        draws_.insert(it, std::move(draw));
    return true;
}

bool DrawStore::remove(std::string_view issue) {
    const std::optional<std::size_t> i = find(issue);
    if (!i) return false;
    draws_.erase(draws_.begin() + static_cast<std::ptrdiff_t>(*i));
    return true;
}

std::vector<std::uint32_t> DrawStore::values() const {
    std::vector<std::uint32_t> v;
    v.reserve(draws_.size());
    for (const KeptDraw& d : draws_) v.push_back(d.value);
    return v;
}

std::vector<Draw> DrawStore::toDraws() const {
    std::vector<Draw> out;
    out.reserve(draws_.size());
    for (std::size_t i = 0; i < draws_.size(); ++i) {
        const KeptDraw& d = draws_[i];
        out.push_back(Draw{d.issue, d.value, static_cast<int>(i + 1), d.issue, d.date});
    }
    return out;
}

MergeReport DrawStore::merge(const DrawHistory& parsed) {
    MergeReport report;
    report.badLineCount = parsed.badLineCount;
    report.firstBadLines = parsed.firstBadLines;
    std::vector<const Draw*> offered;
    offered.reserve(parsed.draws.size());
    for (const Draw& d : parsed.draws) {
        if (!d.issue.empty()) {
            offered.push_back(&d);
        } else if (++report.withoutIssue <= kReportedBadLines) {
            report.firstWithoutIssue.push_back(d.line);
        }
    }
    // Equal issues keep their text order, so the first of them is the one
    // a new issue is kept with.
    std::stable_sort(offered.begin(), offered.end(),
                     [](const Draw* a, const Draw* b) { return compareIssues(a->issue, b->issue) < 0; });

    std::vector<KeptDraw> merged;
    merged.reserve(draws_.size() + offered.size());
    std::size_t i = 0;
    for (std::size_t j = 0; j < offered.size();) {
        const std::string_view issue = offered[j]->issue;
        while (i < draws_.size() && compareIssues(draws_[i].issue, issue) < 0)
            merged.push_back(std::move(draws_[i++]));
        if (i < draws_.size() && compareIssues(draws_[i].issue, issue) == 0) {
            merged.push_back(std::move(draws_[i++]));
        } else {
            merged.push_back(keptOf(*offered[j++]));
            ++report.added;
        }
        for (; j < offered.size() && compareIssues(offered[j]->issue, issue) == 0; ++j)
            weigh(merged.back(), *offered[j], report);
    }
    while (i < draws_.size()) merged.push_back(std::move(draws_[i++]));
    draws_ = std::move(merged);
    std::stable_sort(report.conflicts.begin(), report.conflicts.end(),
                     [](const IssueConflict& a, const IssueConflict& b) { return a.line < b.line; });
    return report;
}

std::string mergeNote(const MergeReport& r) {
    std::string s = "新增 " + std::to_string(r.added) + " 期";
    if (r.unchanged > 0) s += "，已有 " + std::to_string(r.unchanged) + " 期未变";
    if (r.datesAdded > 0) s += "（其中 " + std::to_string(r.datesAdded) + " 期补上了日期）";
    const std::string problems = problemsNote(r, "未加入历史");
    if (!problems.empty()) s += "；" + problems;
    return s;
}

std::string importReportText(const MergeReport& r) {
    const std::size_t read = r.added + r.unchanged + r.conflicts.size();
    const std::size_t unread = r.badLineCount + r.withoutIssue;
    std::string s = "导入 " + std::to_string(read) + " 期：新增 " + std::to_string(r.added) + " 期，已有 " +
                    std::to_string(r.unchanged) + " 期，冲突 " + std::to_string(r.conflicts.size()) +
                    " 期，无法读取 " + std::to_string(unread) + " 行";
    if (unread > 0) {
        std::vector<int> lines = r.firstBadLines;
        lines.insert(lines.end(), r.firstWithoutIssue.begin(), r.firstWithoutIssue.end());
        std::sort(lines.begin(), lines.end());
        if (lines.size() > kReportedBadLines) lines.resize(kReportedBadLines);
        s += "（" + lineListText(lines, unread) + "）";
    }
    return s;
}

DrawEdit acceptedConflict(const IssueConflict& c) {
    KeptDraw offered{c.issue, c.offeredDate.empty() ? c.keptDate : c.offeredDate, c.offeredValue};
    return {c.issue, KeptDraw{c.issue, c.keptDate, c.keptValue}, std::move(offered)};
}

bool applyEdit(DrawStore& store, const DrawEdit& edit) {
    const std::optional<std::size_t> at = store.find(edit.issue);
    const std::optional<KeptDraw> now = at ? std::optional(store.draws()[*at]) : std::nullopt;
    if (now != edit.before) return false;
    if (!edit.after) return !now || store.remove(edit.issue);
    if (compareIssues(edit.after->issue, edit.issue) != 0 || !canKeep(*edit.after)) return false;
    if (now) store.remove(edit.issue);  // its issue may be written with other leading zeros
    return store.put(*edit.after);
}

OrderedDraws drawsInOrder(DrawHistory parsed) {
    const DrawList list = DrawList::inOrder(std::move(parsed));
    OrderedDraws out;
    out.draws.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) out.draws.push_back(list.draw(i));
    out.values = list.values();
    out.badLineCount = list.badLineCount();
    out.note = list.note();
    return out;
}

DrawList DrawList::inOrder(std::string_view text) {
    DrawList list;
    // At most a draw a line: room for them at once, not twice as much as
    // doubling would leave.
    list.entries_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    const DrawHistory counts = scanDraws(text, [&list](Draw&& d) { list.add(std::move(d)); });
    list.order(counts);
    return list;
}

DrawList DrawList::inOrder(DrawHistory parsed) {
    DrawList list;
    list.entries_.reserve(parsed.draws.size());
    for (Draw& d : parsed.draws) list.add(std::move(d));
    parsed.draws.clear();
    list.order(parsed);
    return list;
}

void DrawList::add(Draw&& d) {
    Entry e{d.value, static_cast<std::uint32_t>(d.line), 0, 0, 0, 0, 0};
    if (!d.date.empty())  // "YYYY-MM-DD", as the reader writes it
        e.date = static_cast<std::uint32_t>(std::stoul(d.date.substr(0, 4)) * 10000 +
                                            std::stoul(d.date.substr(5, 2)) * 100 +
                                            std::stoul(d.date.substr(8, 2)));
    e.labelAt = static_cast<std::uint32_t>(pool_.size());
    e.labelSize = static_cast<std::uint32_t>(d.label.size());
    pool_ += d.label;
    // An issue is mostly the label itself or its start: kept once.
    if (d.label.starts_with(d.issue)) {
        e.issueAt = e.labelAt;
    } else {
        e.issueAt = static_cast<std::uint32_t>(pool_.size());
        pool_ += d.issue;
    }
    e.issueSize = static_cast<std::uint32_t>(d.issue.size());
    entries_.push_back(e);
}

std::string_view DrawList::issueAt(std::uint32_t entry) const {
    const Entry& e = entries_[entry];
    return std::string_view(pool_).substr(e.issueAt, e.issueSize);
}

Draw DrawList::drawAt(std::uint32_t entry) const {
    const Entry& e = entries_[entry];
    Draw d;
    d.label.assign(pool_, e.labelAt, e.labelSize);
    d.value = e.value;
    d.line = static_cast<int>(e.line);
    d.issue = std::string(issueAt(entry));
    if (e.date != 0) {
        d.date = std::to_string(e.date);  // yyyymmdd
        d.date.insert(6, 1, '-');
        d.date.insert(4, 1, '-');
    }
    return d;
}

std::vector<std::uint32_t> DrawList::values() const {
    std::vector<std::uint32_t> v;
    v.reserve(order_.size());
    for (const std::uint32_t k : order_) v.push_back(entries_[k].value);
    return v;
}

void DrawList::order(const DrawHistory& counts) {
    badLineCount_ = counts.badLineCount;
    const auto all = static_cast<std::uint32_t>(entries_.size());
    const bool numbered =
        std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.issueSize > 0; });
    if (!numbered) {
        order_.resize(all);
        for (std::uint32_t k = 0; k < all; ++k) order_[k] = k;
        note_ = badLinesNote(counts);
        return;
    }
    MergeReport r;
    r.badLineCount = counts.badLineCount;
    r.firstBadLines = counts.firstBadLines;
    std::vector<std::uint32_t> numberedEntries;
    numberedEntries.reserve(all);
    for (std::uint32_t k = 0; k < all; ++k) {
        if (entries_[k].issueSize > 0)
            numberedEntries.push_back(k);
        else if (++r.withoutIssue <= kReportedBadLines)
            r.firstWithoutIssue.push_back(static_cast<int>(entries_[k].line));
    }
    std::stable_sort(
        numberedEntries.begin(), numberedEntries.end(),
        [this](std::uint32_t a, std::uint32_t b) { return compareIssues(issueAt(a), issueAt(b)) < 0; });
    // The first draw of an issue is kept; the others are weighed against it
    // as an import weighs them.
    KeptDraw first;
    for (std::size_t k = 0; k < numberedEntries.size(); ++k) {
        const std::uint32_t entry = numberedEntries[k];
        if (k > 0 && compareIssues(first.issue, issueAt(entry)) == 0) {
            weigh(first, drawAt(entry), r);
            continue;
        }
        first = keptOf(drawAt(entry));
        order_.push_back(entry);
    }
    std::stable_sort(r.conflicts.begin(), r.conflicts.end(),
                     [](const IssueConflict& a, const IssueConflict& b) { return a.line < b.line; });
    note_ = problemsNote(r, "未计入");
}

}  // namespace numsift
