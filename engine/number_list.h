#pragma once
// Number-list text: tokens of exactly five ASCII digits between separators
// (blank, CR, LF, "," ";" "|" tab "、" "，" "；" "."), parsed into a sorted,
// duplicate-free number set and laid out again W numbers to a line.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace numsift {

// A sorted, duplicate-free set of five-digit numbers (values 0..99999).
struct NumberSet {
    std::vector<std::uint32_t> values;

    std::size_t size() const { return values.size(); }
    bool empty() const { return values.empty(); }
    bool operator==(const NumberSet&) const = default;
};

// Line widths of the layout: ten numbers a line for the base set, five else.
inline constexpr int kBaseLineWidth = 10;
inline constexpr int kListLineWidth = 5;

// Sets seen[v] for every valid token v of text (seen holds 100,000 flags) and
// returns how many tokens were new; linear in the text length.
std::size_t markNumbers(std::string_view text, std::uint8_t* seen);

// Parses text (UTF-8) into a number set: a short text sorts its tokens, a
// long one marks them in 100,000 flags (linear in the text length plus one
// pass over the flags).
NumberSet parseNumbers(std::string_view text);

// Lays the values out: joined by one blank, CR LF before every number whose
// index is a positive multiple of width; no trailing blank or line break.
// width < 1 puts everything on one line.
std::string formatNumbers(const std::vector<std::uint32_t>& values, int width);

// Same layout over the count values starting at values.
std::string formatNumbers(const std::uint32_t* values, std::size_t count, int width);

// Whether a byte sequence at text[i] is a number-list separator; returns its
// length in bytes, 0 when it is not one.
std::size_t separatorLength(std::string_view text, std::size_t i);

}  // namespace numsift
