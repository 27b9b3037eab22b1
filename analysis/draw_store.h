#pragma once
// The kept draw history ("开奖历史"): past draws with their issue (期号), date
// and number, ordered by issue, one draw per issue. The statistics, the
// trend chart, the backtest and numsift-cli all read it; io/
// draw_history_file.h keeps it between starts.
//
// Importing text (analysis/draw_history.h reads every form) merges its draws
// by issue:
//  - a new issue is added in its place; issues compare as numbers, so
//    "2026009" comes before "2026010" and "007" is the issue "7";
//  - an issue already kept with the same number changes nothing (a date the
//    kept draw lacked is filled in), so importing the same text again, or a
//    longer copy of it, adds only what is new;
//  - an issue already kept with another number (or another date) is
//    reported, old and new, and the kept draw stays as it is: a correction
//    is the player's decision, never a side effect of an import.
//
// A draw without an issue (a line holding only "35789", or only a date and
// a number) has neither a place among the issues nor anything to recognise
// it by when it comes again, so the kept history does not take it: the
// import reports such lines by number. Texts without issues still serve
// the backtest and the statistics directly, in their own line order, oldest
// first (see drawsInOrder).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/draw_history.h"

namespace numsift {

struct KeptDraw {
    std::string issue;        // ASCII digits, never empty
    std::string date;         // "YYYY-MM-DD" or empty
    std::uint32_t value = 0;  // 0..99999

    bool operator==(const KeptDraw&) const = default;
};

// A draw the store can hold: its issue is digits, its date empty or
// "YYYY-MM-DD" of a real day, its value at most 99999.
bool canKeep(const KeptDraw& draw);

// Orders issues as whole numbers (leading zeros do not count): negative
// when a comes first, 0 for the same issue, positive when b comes first.
int compareIssues(std::string_view a, std::string_view b);

// An issue that came again with another number or date; the kept one stays.
struct IssueConflict {
    std::string issue;  // as kept
    std::uint32_t keptValue = 0;
    std::uint32_t offeredValue = 0;
    std::string keptDate;
    std::string offeredDate;
    int line = 0;  // line of the offered draw in the imported text

    bool operator==(const IssueConflict&) const = default;
};

struct MergeReport {
    std::size_t added = 0;                 // draws of issues not kept before
    std::size_t unchanged = 0;             // draws already kept as they came (dates filled in included)
    std::size_t datesAdded = 0;            // of those, kept draws that got their date
    std::vector<IssueConflict> conflicts;  // in the order of the text
    std::size_t withoutIssue = 0;          // draws the text gave no issue
    std::vector<int> firstWithoutIssue;    // their lines, at most kReportedBadLines
    std::size_t badLineCount = 0;          // lines without a draw (as DrawHistory)
    std::vector<int> firstBadLines;

    bool changed() const { return added > 0 || datesAdded > 0; }
};

class DrawStore {
public:
    DrawStore() = default;

    // A store of draws already in issue order; nothing when an issue is not
    // digits, a date is not "YYYY-MM-DD" of a real day, a value is above
    // 99999, or the issues do not strictly ascend.
    static std::optional<DrawStore> fromOrdered(std::vector<KeptDraw> draws);

    // Oldest first (ascending issue).
    const std::vector<KeptDraw>& draws() const { return draws_; }
    std::size_t size() const { return draws_.size(); }
    bool empty() const { return draws_.empty(); }

    // Index of a kept issue (compared as a number).
    std::optional<std::size_t> find(std::string_view issue) const;

    // The numbers, oldest first: what the statistics count over.
    std::vector<std::uint32_t> values() const;

    // The draws as the backtest takes them: label = issue, line = 1-based
    // place in the store.
    std::vector<Draw> toDraws() const;

    // Merges parsed draws by the rules above; linear in the store plus
    // n log n in the draws offered.
    MergeReport merge(const DrawHistory& parsed);
    MergeReport importText(std::string_view text) { return merge(parseDraws(text)); }

    // The player's own corrections (an import never replaces a kept draw):
    // put places a draw by its issue, replacing the kept draw of that issue,
    // and refuses (false, nothing changed) a draw whose issue is not digits,
    // whose date is not "YYYY-MM-DD" of a real day or whose value is above
    // 99999; remove takes out the draw of an issue, false when none is kept.
    bool put(KeptDraw draw);
    bool remove(std::string_view issue);
    void clear() { draws_.clear(); }

    bool operator==(const DrawStore&) const = default;

private:
    std::vector<KeptDraw> draws_;
};

// What an import did, for a message box: "新增 12 期，已有 7306 期未变；
// 期号 2025001 已有号码 12345，导入的是 54321，未改动；有 2 行没有期号，未保存：
// 第 3、4 行；有 1 行不是开奖号码，已跳过：第 1 行". Conflicts are listed up to
// kReportedBadLines, then counted.
std::string mergeNote(const MergeReport& report);

// What an import did, as the player is told after it: "导入 N 期：新增 M 期，
// 已有 K 期，冲突 C 期，无法读取 B 行（第 1、7 行）" — N the draws read with
// an issue, K those kept already as they came, C those kept with another
// number or date (left as they are), B the lines that gave no draw to keep
// (no draw, or no issue), with where the first few are.
std::string importReportText(const MergeReport& report);

// One change of a kept draw by the player: the draw of an issue as it was
// and as it becomes (nothing: no draw of that issue). A correction, a
// deletion, a draw typed in by hand, or a conflict of an import the player
// accepted; its reverse undoes it.
struct DrawEdit {
    std::string issue;
    std::optional<KeptDraw> before;
    std::optional<KeptDraw> after;

    DrawEdit reversed() const { return {issue, after, before}; }
    bool operator==(const DrawEdit&) const = default;
};

// The edit that puts a conflict's offered draw in the place of the kept one
// (the player answered 是 to "期号 2025190 已有 49972，改为 …？").
DrawEdit acceptedConflict(const IssueConflict& conflict);

// Applies edit when the store holds edit.before for its issue (another
// program may have changed it since the player saw it); false, and nothing
// changed, otherwise or when edit.after cannot be kept.
bool applyEdit(DrawStore& store, const DrawEdit& edit);

// The draws of a text in the order a history has them, oldest first, by
// the rules of an import into an empty history: by issue when some draw has
// an issue (the first draw of an issue kept, the others weighed against it
// as merge does), in line order when none has. Draws without an issue
// beside numbered ones are left out; note says what was left out or not
// taken (mergeNote's wording), empty when nothing was. The window's
// history, the backtest and the statistics of numsift-cli all read draws
// so: the same text gives the same draws.
struct OrderedDraws {
    std::vector<Draw> draws;            // as the text gave them (label, line …)
    std::vector<std::uint32_t> values;  // their numbers
    std::size_t badLineCount = 0;       // lines without a draw
    std::string note;
};
OrderedDraws drawsInOrder(DrawHistory parsed);

// The same draws in the same order, held compactly: 28 bytes and the text
// of its label and issue a draw, where a Draw takes over a hundred, so that
// numsift-cli reads a 64 MiB file of draws in a few hundred MiB.
class DrawList {
public:
    // The draws of a text (analysis/draw_history.h) in history order.
    static DrawList inOrder(std::string_view text);
    static DrawList inOrder(DrawHistory parsed);

    std::size_t size() const { return order_.size(); }
    bool empty() const { return order_.empty(); }
    std::uint32_t value(std::size_t i) const { return entries_[order_[i]].value; }
    // The i-th draw, oldest first, as the text gave it.
    Draw draw(std::size_t i) const { return drawAt(order_[i]); }
    std::vector<std::uint32_t> values() const;
    std::size_t badLineCount() const { return badLineCount_; }
    // What was left out or not taken (drawsInOrder's note); empty when nothing.
    const std::string& note() const { return note_; }

private:
    struct Entry {
        std::uint32_t value, line, date;  // date as yyyymmdd, 0 when none
        std::uint32_t labelAt, labelSize, issueAt, issueSize;
    };
    void add(Draw&& d);
    void order(const DrawHistory& counts);
    Draw drawAt(std::uint32_t entry) const;
    std::string_view issueAt(std::uint32_t entry) const;

    std::string pool_;                  // the labels and issues
    std::vector<Entry> entries_;        // every draw, in text order
    std::vector<std::uint32_t> order_;  // the entries kept, in history order
    std::size_t badLineCount_ = 0;
    std::string note_;
};

}  // namespace numsift
