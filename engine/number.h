#pragma once
// A lottery number: five digits d1..d5 (d1 = "万位", the first character as
// written), held as its value 0..99999. Digits come from a table built once.

#include <array>
#include <cstdint>
#include <string>

namespace numsift {

inline constexpr std::uint32_t kNumberSpace = 100000;

using Digits = std::array<std::uint8_t, 5>;

// The five digits of every value, position 1 first.
const std::array<Digits, kNumberSpace>& digitTable();

inline const Digits& digitsOf(std::uint32_t value) { return digitTable()[value]; }

inline std::uint32_t valueOf(const Digits& d) {
    return d[0] * 10000u + d[1] * 1000u + d[2] * 100u + d[3] * 10u + d[4];
}

// Writes the five digits of value (leading zeros kept) to out[0..4].
inline void writeNumber(std::uint32_t value, char* out) {
    const Digits& d = digitsOf(value);
    for (int i = 0; i < 5; ++i) out[i] = static_cast<char>('0' + d[i]);
}

inline std::string numberText(std::uint32_t value) {
    std::string s(5, '0');
    writeNumber(value, s.data());
    return s;
}

}  // namespace numsift
