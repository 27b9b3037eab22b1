#pragma once
// The error tolerance ("容错级别"): a candidate survives when
// lower <= fail count <= upper.

#include <cstdint>
#include <string>
#include <string_view>

namespace numsift {

struct Tolerance {
    std::uint8_t lower = 0;
    std::uint8_t upper = 0;
    bool operator==(const Tolerance&) const = default;
};

// A tolerance box text read as a decimal number, rounded halves to even and
// taken as an unsigned byte. An empty box, "." or a text without a number
// reads as 0; values beyond a byte are held at 255.
std::uint8_t readToleranceBox(std::string_view text);

struct NormalisedTolerance {
    Tolerance tolerance;
    std::string lowerBox;  // what txtWrong(0) shows afterwards
    std::string upperBox;  // what txtWrong(1) shows afterwards
};

// Reads both boxes; when L >= U the lower bound becomes U and its box shows
// U, otherwise the lower box keeps its text; the upper box always shows U.
NormalisedTolerance normaliseTolerance(std::string_view lowerText, std::string_view upperText);

}  // namespace numsift
