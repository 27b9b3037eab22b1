#pragma once
// Real-to-integer conversion used throughout: nearest integer, halves to even.

#include <cmath>
#include <optional>
#include <string_view>

namespace numsift {

inline double roundHalfEven(double x) { return std::nearbyint(x); }  // default FE_TONEAREST

// Leading-number parse of a box text: optional blanks, optional sign, digits,
// optional fraction. Returns 0 for a text without a leading number.
double leadingNumber(std::string_view text);

}  // namespace numsift
