// 杀垃圾复式 (txtCompose(0), lines like "17*235*12*789*01") and 组合定位杀
// (txtCompose(7), lines like "12***"): each line allows a set of digits per
// position, and a candidate whose every digit is allowed by some line fails.
// A position with an empty set allows nothing, so such a line kills nothing.
#include <array>
#include <cstring>
#include <set>
#include <vector>

#include "conditions/checks.h"
#include "conditions/column_fill.h"

namespace numsift {

namespace {

using Slots = std::array<unsigned, 5>;  // allowed digits per position, bit d = digit d

unsigned digitBits(std::string_view group) {
    unsigned bits = 0;
    for (char c : group)
        if (c >= '0' && c <= '9') bits |= 1u << (c - '0');
    return bits;
}

// "17*235*12*789*01": groups 1 to 5 between the markers.
Slots groupSlots(std::string_view line) {
    Slots slots{};
    std::size_t start = 0;
    for (int k = 0; k < 5 && start <= line.size(); ++k) {
        const std::size_t star = line.find('*', start);
        const std::size_t end = star == std::string_view::npos ? line.size() : star;
        slots[static_cast<std::size_t>(k)] = digitBits(line.substr(start, end - start));
        if (star == std::string_view::npos) break;
        start = star + 1;
    }
    return slots;
}

// "1***7": a digit fixes its position, "*" allows any digit.
Slots wildcardSlots(std::string_view line) {
    Slots slots{};
    for (std::size_t k = 0; k < 5 && k < line.size(); ++k)
        slots[k] = line[k] == '*' ? 0x3FFu : digitBits(line.substr(k, 1));
    return slots;
}

void checkPositionSets(ConditionId condition, const HintedText& box, Slots (*slotsOf)(std::string_view),
                       const CandidateTable& t, ConditionMatrix& m) {
    const std::vector<std::string_view> items = boxItems(box);
    if (items.empty()) return;
    std::uint8_t* column = appendColumn(m, {condition});
    // The union of the lines' number sets, folded once into a table over all
    // numbers; repeated lines are folded once.
    std::vector<std::uint8_t> killed(kNumberSpace, 0);
    std::set<Slots> done;
    for (std::string_view line : items) {
        const Slots s = slotsOf(line);
        if (!s[0] || !s[1] || !s[2] || !s[3] || !s[4] || !done.insert(s).second) continue;
        // The last two positions as a 100-byte pattern, laid over every
        // block of 100 numbers whose first three digits the line allows.
        std::uint64_t tail[13] = {};
        auto* tailBytes = reinterpret_cast<std::uint8_t*>(tail);
        for (unsigned d = 0; d < 10; ++d)
            for (unsigned e = 0; e < 10; ++e)
                if ((s[3] >> d & 1) && (s[4] >> e & 1)) tailBytes[d * 10 + e] = 1;
        for (unsigned a = 0; a < 10; ++a) {
            if (!(s[0] >> a & 1)) continue;
            for (unsigned b = 0; b < 10; ++b) {
                if (!(s[1] >> b & 1)) continue;
                for (unsigned c = 0; c < 10; ++c) {
                    if (!(s[2] >> c & 1)) continue;
                    std::uint8_t* block = killed.data() + a * 10000 + b * 1000 + c * 100;
                    for (int w = 0; w < 12; ++w) {
                        std::uint64_t x;
                        std::memcpy(&x, block + 8 * w, 8);
                        x |= tail[w];
                        std::memcpy(block + 8 * w, &x, 8);
                    }
                    for (int k = 96; k < 100; ++k) block[k] |= tailBytes[k];
                }
            }
        }
    }
    fillFromValueFlags(t, column, killed.data());
}

}  // namespace

void checkJunkCompounds(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkPositionSets(ConditionId::JunkCompound, in.compound.junk, groupSlots, t, m);
}

void checkPositionalCombinations(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    checkPositionSets(ConditionId::PositionalCombinations, in.compound.positional, wildcardSlots, t, m);
}

}  // namespace numsift
