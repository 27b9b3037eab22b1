#pragma once
// Properties of every number 00000..99999 that never change — sum, span, AC
// value, class and road patterns, ratio counts, the digits present, the
// digit multiset and the special shapes — built once per program on first
// use and looked up by the checks, so that a check's pass over the
// candidates is one table look-up per candidate.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/number.h"

namespace numsift {

// Number of different multisets of five digits (C(14, 5)).
inline constexpr int kMultisetCount = 2002;

struct DigitMultiset {
    std::array<std::uint8_t, 10> count{};  // occurrences of each digit
    Digits sorted{};                       // the five digits ascending
};

struct NumberTraits {
    // Indexed by the number's value.
    std::vector<std::uint8_t> sum;              // 0..45
    std::vector<std::uint8_t> span;             // largest minus smallest digit, 0..9
    std::vector<std::uint8_t> ac;               // AC value 1..9
    std::vector<std::uint8_t> classPattern[3];  // by ClassKind: bit 5-k = class of position k
    std::vector<std::uint8_t> road;             // base-3 road pattern 0..242, position 1 first
    std::vector<std::uint8_t> ratioCount[3];    // by ClassKind: digits of the ratio's counted class
    std::vector<std::uint16_t> digitMask;       // bit d set when digit d occurs
    std::vector<std::uint16_t> multiset;        // 0..kMultisetCount-1
    std::vector<std::uint16_t> shapes;          // bit b set when the number has shape box b

    std::vector<DigitMultiset> multisets;  // by multiset id
};

const NumberTraits& numberTraits();

// The shape bits of one number from its digits (the rules of the special
// shape boxes); numberTraits().shapes holds these for every number.
std::uint16_t shapeBitsOf(const Digits& p);

}  // namespace numsift
