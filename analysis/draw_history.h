#pragma once
// Past draws ("历史开奖") as a player keeps them, one draw a line. The one
// reader of draw texts: the backtest reads its draws with it, and the kept
// history (analysis/draw_store.h) imports through it.
//
// A line holds a draw in one of two ways:
//  - Free form: the draw is the line's last five digits, written as one
//    five-digit token or as five single digits each between separators
//    (blanks, tabs, commas…: "2026120 3 5 7 8 9", "2026120,35789", "35789";
//    not "2026-5-1 3 5 7 8", whose 1 is a day, nor "第5期 1 2 3 4", whose 5
//    is an issue: such lines hold no draw). Whatever stands before
//    the draw is its label. The label's first number is the draw's issue
//    (期号: "2026120", "第2026120期", "2026120期"), a date in it the draw's
//    date ("2026-05-01", "2026/5/1", "2026.05.01", "2026年5月1日"); numbers of
//    one or two digits next to a colon are a time of day, not an issue.
//  - Under a header: a CSV or tab-separated line that names its columns
//    (期号/issue/seq…, 日期/date…, 号码/number…, or five position columns
//    pos_1..pos_5, 万位..个位) makes the lines after it that hold its
//    separator be read cell by cell, in any column order and with other
//    columns beside (和值, 跨度…), until the next header. A date column also
//    takes "20260501". A row whose draw, issue or date cell cannot be read
//    holds no draw. A header line is no draw and no bad line; a header with
//    blanks between its names is not recognised (it stays a line without a
//    draw, as it always was).
// Lines that hold no draw are counted and the first few named by line
// number, so nothing is dropped without the player knowing.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace numsift {

struct Draw {
    std::string label;        // text before the draw, trimmed, tabs as blanks; may be empty
    std::uint32_t value = 0;  // 0..99999
    int line = 0;             // 1-based line of the text it came from
    std::string issue;        // 期号 as ASCII digits, leading zeros as written; empty when none
    std::string date;         // "YYYY-MM-DD"; empty when none

    bool operator==(const Draw&) const = default;
};

struct DrawHistory {
    std::vector<Draw> draws;         // in the order of the text
    std::size_t badLineCount = 0;    // non-empty lines without a draw (headers excepted)
    std::vector<int> firstBadLines;  // their line numbers, at most kReportedBadLines
};

inline constexpr std::size_t kReportedBadLines = 5;

// How the first and the last line of the kept history's file begin
// (io/draw_history_file.h): the reader passes over such lines like a header
// so the file imports as it stands.
inline constexpr std::string_view kKeptHistorySignature = "# Numsift draw history";

// Parses UTF-8 text with LF, CR LF or CR line breaks; a leading BOM is
// skipped. Full-width digits count as digits.
DrawHistory parseDraws(std::string_view text);

// The reader behind parseDraws, for texts too long to hold as Draws: each
// draw goes to onDraw as it is read; the history returned holds the bad
// lines and no draws.
DrawHistory scanDraws(std::string_view text, const std::function<void(Draw&&)>& onDraw);

// "有 3 行不是开奖号码，已跳过：第 1、4、9 行" (with "等" after the listed
// lines when there were more); empty when every non-empty line held a draw.
std::string badLinesNote(const DrawHistory& history);

// "第 1、4、9 行" and "等" when count > lines.size(): the line list of a note.
std::string lineListText(const std::vector<int>& lines, std::size_t count);

// A date written "2026-05-01", "2026/5/1", "2026.5.1" or "2026年5月1日"
// (and "20260501" when compact is set), as "YYYY-MM-DD"; empty when text is
// no such date or no day of the calendar (2025-02-29).
std::string readDate(std::string_view text, bool compact);

// An issue written as digits, alone or as "第…期" / "…期"; the digits as
// ASCII, empty when text is no issue.
std::string readIssue(std::string_view text);

}  // namespace numsift
