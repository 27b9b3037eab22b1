#pragma once
// Number-list text: tokens of exactly five ASCII digits between separators
// (blank, CR, LF, "," ";" "|" tab "、" "，" "；" "."), parsed into a sorted,
// duplicate-free number set and laid out again W numbers to a line.

#include <cstdint>
#include <optional>
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

// Parses text (UTF-8) into a number set; linear in the text length plus one
// pass over the 100,000 seen-flags.
NumberSet parseNumbers(std::string_view text);

// Lays the values out: joined by one blank, CR LF before every number whose
// index is a positive multiple of width; no trailing blank or line break.
// width < 1 puts everything on one line.
std::string formatNumbers(const std::vector<std::uint32_t>& values, int width);

// Same layout over a range [first, last] of values (inclusive).
std::string formatNumbers(const std::uint32_t* values, std::size_t count, int width);

// Whether a byte sequence at text[i] is a number-list separator; returns its
// length in bytes, 0 when it is not one.
std::size_t separatorLength(std::string_view text, std::size_t i);

// Calls visit(token) for every token of text in order: the non-empty runs of
// bytes between separators. Whatever reads a number list reads it with this.
template <typename Visit>
void forEachToken(std::string_view text, Visit&& visit) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        if (const std::size_t sep = separatorLength(text, i)) {
            i += sep;
            continue;
        }
        const std::size_t start = i;
        while (i < n && separatorLength(text, i) == 0) ++i;
        visit(text.substr(start, i - start));
    }
}

// The number a token stands for when it is exactly five ASCII digits.
std::optional<std::uint32_t> numberOfToken(std::string_view token);

}  // namespace numsift
