#pragma once
// Group selection ("组选"): one number per distinct digit multiset, written
// with its digits in ascending order, the numbers in ascending order.

#include <cstdint>
#include <span>
#include <vector>

namespace numsift {

// Multisets of five digits 0–9: the largest group-selection result.
inline constexpr int kMaxGroupSelection = 2002;

// The digits of a value sorted ascending (counting sort), as a value: 54321 -> 12345.
std::uint32_t sortedDigitsValue(std::uint32_t value);

// The group-selection form of values, in ascending order. Linear in the
// input plus one pass over a 100,000-flag table.
std::vector<std::uint32_t> toGroupSelection(std::span<const std::uint32_t> values);

}  // namespace numsift
