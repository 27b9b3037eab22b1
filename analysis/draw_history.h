#pragma once
// Past draws ("历史开奖") as a player keeps them: one draw a line, the draw
// being the line's last five digits, written either as one five-digit token
// or as five single digits between separators ("2026120 3 5 7 8 9",
// "2026120,35789", "35789"). Whatever stands before the draw is its label
// (期号 or 日期). Lines that hold no draw are counted and the first few are
// remembered by line number, so nothing is dropped without the player knowing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace numsift {

struct Draw {
    std::string label;        // text before the draw, trimmed, tabs as blanks; may be empty
    std::uint32_t value = 0;  // 0..99999
    int line = 0;             // 1-based line of the text it came from

    bool operator==(const Draw&) const = default;
};

struct DrawHistory {
    std::vector<Draw> draws;         // in the order of the text
    std::size_t badLineCount = 0;    // non-empty lines without a draw
    std::vector<int> firstBadLines;  // their line numbers, at most kReportedBadLines
};

inline constexpr std::size_t kReportedBadLines = 5;

// Parses UTF-8 text with LF or CR LF line breaks. Full-width digits count as
// digits. A line whose last digit run is neither five digits long nor the
// last of five single-digit runs holds no draw.
DrawHistory parseDraws(std::string_view text);

// "有 3 行不是开奖号码，已跳过：第 1、4、9 行" (with "等" after the listed
// lines when there were more); empty when every non-empty line held a draw.
std::string badLinesNote(const DrawHistory& history);

}  // namespace numsift
