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
inline std::size_t separatorLength(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    switch (c) {
        case ' ':
        case '\r':
        case '\n':
        case ',':
        case ';':
        case '|':
        case '\t':
        case '.': return 1;
        default: break;
    }
    if ((c == 0xE3 || c == 0xEF) && i + 2 < text.size()) {
        const auto c1 = static_cast<unsigned char>(text[i + 1]);
        const auto c2 = static_cast<unsigned char>(text[i + 2]);
        if (c == 0xE3 && c1 == 0x80 && c2 == 0x81) return 3;                  // 、
        if (c == 0xEF && c1 == 0xBC && (c2 == 0x8C || c2 == 0x9B)) return 3;  // ， ；
    }
    return 0;
}

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
        // A digit is never part of a separator: most bytes of a list skip the test.
        do ++i;
        while (i < n && (static_cast<unsigned char>(text[i] - '0') < 10 || separatorLength(text, i) == 0));
        visit(text.substr(start, i - start));
    }
}

// The number a token stands for when it is exactly five ASCII digits.
inline std::optional<std::uint32_t> numberOfToken(std::string_view token) {
    if (token.size() != 5) return std::nullopt;
    std::uint32_t value = 0;
    for (const char ch : token) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(ch - '0');
    }
    return value;
}

}  // namespace numsift
